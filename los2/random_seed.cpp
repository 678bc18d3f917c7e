// Seed set-up of the first-round pairing. The same seed and task file give the same
// pairing, so the organiser can repeat a draw.
#include "random_seed.hpp"

#include "fixed.hpp"
#include "platform.hpp"
#include "run_error.hpp"
#include "task_file.hpp"
#include "text_reader.hpp"
#include "text_writer.hpp"

std::uint32_t Random(RandomGenerator& generator, std::uint32_t n) {
    return static_cast<std::uint32_t>((std::uint64_t{n} * generator.engine()) >> 32);
}

std::optional<std::uint32_t> storedSeed(const std::string& text) {
    std::size_t pos = 0;
    auto seed = parseWholeNumber(takeToken(text, pos));
    if (!seed || *seed < 0) return std::nullopt;
    return static_cast<std::uint32_t>(*seed);
}

namespace {

// The question is asked until the answer is "a" or "n"; true for "a".
bool keepStoredSeed(Console& console, std::uint32_t seed) {
    for (;;) {
        writeYellow(console, "Pouzit stavajici hodnotu generatora nah.cisel (" + formatInt(seed) + ")? a/n");
        write(console, " ");
        auto answer = readAnswer(console);
        if (!answer) {
            // Nobody left to answer: the run is over.
            platform::removeFile(kTaskFileName);
            stopProgram(1);
        }
        if (*answer == 'a') return true;
        if (*answer == 'n') return false;
    }
}

// The first token of the file (blank lines before it skipped); like every number token it ends
// at the first character with code 32 or below.
std::optional<std::uint32_t> seedInFile(TextReader& file) { return storedSeed(std::string(file.readToken())); }

}  // namespace

void INITRANDOM(RandomGenerator& generator, Console& console) {
    setColour(console, kWhite);
    std::optional<std::uint32_t> seed;
    if (auto file = TextReader::open(kSeedFileName)) seed = seedInFile(*file);
    if (seed && keepStoredSeed(console, *seed)) {
        generator.engine.seed(*seed);
        return;
    }
    const auto fresh = static_cast<std::uint32_t>(platform::millisecondsSinceStart() % kSeedRange);
    generator.engine.seed(fresh);
    TextWriter file(kSeedFileName);
    file.writeLine(formatInt(fresh));
    file.close();
    writeLine(console, "Nova hodnota generatora nah.cisel : " + formatInt(fresh));
    writeLine(console, "");
}
