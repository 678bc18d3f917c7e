// Fuzz target of randseed.txt and the seed question: INITRANDOM in a folder of its own, with
// the file and the typed answers from the input; the generator runs from the seed it shows.
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "random_seed.hpp"
#include "text_reader.hpp"

namespace {

constexpr const char* kQuestion = "Pouzit stavajici hodnotu generatora nah.cisel (";
constexpr const char* kNewSeed = "Nova hodnota generatora nah.cisel : ";

// The number written right after text, or nothing.
std::optional<std::int64_t> numberAfter(const std::string& output, const std::string& text) {
    const std::size_t at = output.find(text);
    if (at == std::string::npos) return std::nullopt;
    std::size_t pos = at + text.size(), end = pos;
    while (end < output.size() && end - pos < 12 && output[end] >= '0' && output[end] <= '9') ++end;
    check(end > pos, "no seed after", output);
    return std::stoll(output.substr(pos, end - pos));
}

void checkSeed(std::int64_t seed, RandomGenerator& generator) {
    check(seed >= 0 && seed < static_cast<std::int64_t>(kSeedRange), "a seed outside 0..2^31-1");
    std::mt19937 expected(static_cast<std::uint32_t>(seed));
    check(generator.engine() == expected(), "the generator does not run from the seed shown");
}

// The first typed answer that is "a" or "n" decides; nothing when there is none.
std::optional<char> decidingAnswer(const std::string& typed) {
    std::istringstream in(typed);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && (line[0] == 'a' || line[0] == 'n')) return line[0];
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    workInFreshFolder("seed");
    return 0;
}

// Input: the typed answers, then, after a form feed, randseed.txt (no form feed: no file).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto parts = splitFiles(data, size, 2);
    std::filesystem::remove(kSeedFileName);
    if (parts.size() == 2) putFile(kSeedFileName, parts[1]);

    std::istringstream in(parts[0]);
    std::ostringstream out;
    Console console{&in, &out, false};
    RandomGenerator generator;
    StepEnd end = runStep([&] { INITRANDOM(generator, console); }, {1}, true);
    const std::string output = out.str();
    const auto shown = numberAfter(output, kQuestion);
    check(!shown || parts.size() == 2, "a stored seed shown without a seed file");
    if (shown) {
        // The seed is the file's first token, after a byte-order mark: it ends at the first
        // character of code 32 or below.
        std::size_t pos = parts[1].starts_with("\xEF\xBB\xBF") ? 3 : 0;
        check(parseWholeNumber(takeToken(parts[1], pos)) == shown, "the seed shown is not the file's first token",
              parts[1]);
    }
    if (end.stopped) {
        check(shown && !decidingAnswer(parts[0]), "the seed question ended without the input ending");
        return 0;
    }
    if (shown && decidingAnswer(parts[0]) == 'a') {
        check(fileBytes(kSeedFileName) == parts[1], "randseed.txt changed though its seed was kept");
        check(output.find(kNewSeed) == std::string::npos, "a new seed though the stored one was kept");
        checkSeed(*shown, generator);
        return 0;
    }
    const auto fresh = numberAfter(output, kNewSeed);
    check(fresh.has_value(), "no new seed shown", output);
    check(fileBytes(kSeedFileName) == std::to_string(*fresh) + "\r\n", "randseed.txt does not hold the new seed");
    checkSeed(*fresh, generator);
    return 0;
}
