// Fuzz target of the keyboard dialogue of zadej (and of los and poradi): number prompts, a/n
// answers and Enter waits over typed lines, and the round number from the command line.
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "console.hpp"
#include "fixed.hpp"
#include "fuzz_support.hpp"
#include "text_reader.hpp"

namespace {

constexpr const char* kPrompt = "Zadejte cislo stolu : ";
constexpr NumberRange kScores{0, 9999};  // the range zadej asks scores in

// The typed lines as the console reads them: without the line end, a CR before it dropped.
std::vector<std::string> typedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::size_t promptsIn(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t p = text.find(kPrompt); p != std::string::npos; p = text.find(kPrompt, p + 1)) ++count;
    return count;
}

// A number prompt reads lines until one it takes: one prompt per line read, and the numbers
// given back are the leading tokens of the last line read.
void checkNumberPrompt(const std::vector<std::string>& lines, std::size_t& next, const std::string& written,
                       const std::vector<std::int32_t>& numbers, bool stopped) {
    const std::size_t read = promptsIn(written);
    check(next + read <= lines.size() + (stopped ? 1 : 0), "a prompt for a line that was not typed");
    next += read;
    if (stopped) {
        check(next == lines.size() + 1, "the dialogue ended before the typed lines did");
        return;
    }
    check(read >= 1, "a number taken without a prompt");
    std::size_t pos = 0;
    const std::string& line = lines[next - 1];
    for (std::int32_t number : numbers)
        check(parseWholeNumber(takeToken(line, pos)) == number, "a number that was not typed", line);
}

// One step of the dialogue; false once the input has ended.
bool step(unsigned char op, Console& console, std::ostringstream& out, const std::vector<std::string>& lines,
          std::size_t& next) {
    out.str({});
    const bool atEnd = next >= lines.size();
    switch (op % 5) {
        case 0:
        case 1: {
            std::vector<std::int32_t> numbers;
            StepEnd end = runStep(
                [&] {
                    if (op % 5 == 0) {
                        numbers = {askNumber(console, kPrompt, op & 8)};
                    } else {
                        auto [a, b] = askTwoNumbers(console, kPrompt, op & 8, kScores);
                        check(a >= kScores.lowest && a <= kScores.highest && b >= kScores.lowest &&
                                  b <= kScores.highest,
                              "a score outside its range taken");
                        numbers = {a, b};
                    }
                },
                {1}, true);
            checkNumberPrompt(lines, next, out.str(), numbers, end.stopped);
            return !end.stopped;
        }
        case 2: {
            const std::optional<char> answer = readAnswer(console);
            check(answer == (atEnd ? std::nullopt : std::optional<char>(lines[next].empty() ? '\0' : lines[next][0])),
                  "readAnswer gives another character");
            break;
        }
        case 3:
            check(answeredYes(console) == (!atEnd && !lines[next].empty() && lines[next][0] == 'a'),
                  "answeredYes differs from the typed line");
            break;
        default: waitEnter(console);
    }
    if (!atEnd) ++next;
    return !atEnd;
}

// A round number given back is the argument as written, without blanks, sign or zeros before it.
void checkRoundArgument(std::string argument) {
    if (argument == "--help" || argument == "-h" || argument == "--presne") return;  // not a round
    char* argv[] = {const_cast<char*>("los"), argument.data(), nullptr};
    const std::optional<std::int32_t> round = readCommandLine(2, argv, "", {"--presne"}).round;
    if (!round) return;
    std::string_view written = argument;
    while (!written.empty() && (written[0] == ' ' || written[0] == '\t')) written.remove_prefix(1);
    const bool negative = !written.empty() && written[0] == '-';
    if (!written.empty() && (written[0] == '-' || written[0] == '+')) written.remove_prefix(1);
    while (written.size() > 1 && written[0] == '0') written.remove_prefix(1);
    const std::string expected = (negative && written != "0" ? "-" : "") + std::string(written);
    check(formatInt(*round) == expected, "a round number that is not the argument", argument);
}

}  // namespace

// Input: the script of dialogue steps (one a byte), a form feed, the typed text, a form feed,
// the first command-line argument.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto parts = splitFiles(data, size, 3);
    parts.resize(3);
    const std::vector<std::string> lines = typedLines(parts[1]);
    std::istringstream in(parts[1]);
    std::ostringstream out;
    Console console{&in, &out, !parts[0].empty() && (parts[0][0] & 0x80)};
    std::size_t next = 0;
    for (char op : parts[0])
        if (!step(static_cast<unsigned char>(op), console, out, lines, next)) break;
    checkRoundArgument(parts[2].substr(0, parts[2].find('\0')));
    return 0;
}
