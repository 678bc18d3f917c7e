// Console dialogue and command line shared by the programs; the only place that reads the
// keyboard. Escape sequences come from the platform file and are written only to a terminal.
#include "console.hpp"

#include <algorithm>
#include <iostream>
#include <vector>

#include "exit_steps.hpp"
#include "platform.hpp"
#include "text_reader.hpp"

namespace {

constexpr NumberRange kAnyNumber{INT32_MIN, INT32_MAX};

// The console's own exit steps, on the list from the program's start: also a program that stops
// before it writes a line (a processor check) waits before its window closes.
const bool consoleStepsRegistered = [] {
    addExitStep(ExitStep::RestoreColours, [] { platform::restoreColours(std::cout); });
    addExitStep(ExitStep::WaitBeforeWindowCloses, [] {
        waitBeforeWindowCloses();
        platform::restoreColours(std::cout);
    });
    return true;
}();

// The first `count` blank-separated tokens of a line, as whole numbers within the range.
std::optional<std::vector<std::int32_t>> leadingNumbers(std::string_view line, std::size_t count, NumberRange range) {
    std::vector<std::int32_t> numbers;
    std::size_t pos = 0;
    while (numbers.size() < count) {
        auto value = parseWholeNumber(takeToken(line, pos));
        if (!value || *value < range.lowest || *value > range.highest) return std::nullopt;
        numbers.push_back(*value);
    }
    return numbers;
}

std::vector<std::int32_t> askNumbers(Console& console, std::string_view prompt, bool blankBefore,
                                     std::size_t count, NumberRange range) {
    for (;;) {
        writeYellow(console, prompt);
        if (blankBefore) write(console, " ");
        auto line = readLine(console);
        if (!line) stopProgram(1);
        if (auto numbers = leadingNumbers(*line, count, range)) return *numbers;
    }
}

// The conventions by which a user asks for text without colours.
bool plainTextAsked() {
    return platform::environmentVariable("NO_COLOR").has_value() || platform::environmentVariable("TERM") == "dumb";
}

}  // namespace

Console& processConsole() {
    static Console console = [] {
        platform::prepareConsole();
        const bool terminal = platform::stdoutIsTerminal();
        return Console{&std::cin, &std::cout, terminal && !plainTextAsked(), terminal};
    }();
    return console;
}

void clearScreen(Console& console) {
    if (console.colours) platform::clearScreen(*console.out);
}

void setColour(Console& console, int colour) {
    if (console.colours) platform::setColour(*console.out, colour);
}

void write(Console& console, std::string_view text) { *console.out << text; }

void writeLine(Console& console, std::string_view text) { *console.out << text << '\n'; }

void writeFileText(Console& console, std::string_view bytes, std::string_view readable) {
    if (console.terminal)
        platform::writeConsoleText(*console.out, readable);
    else
        write(console, bytes);
}

void writeYellow(Console& console, std::string_view text) {
    setColour(console, kYellow);
    write(console, text);
    setColour(console, kWhite);
}

void writeBanner(Console& console, std::string_view title, int dashes) {
    clearScreen(console);
    setColour(console, kWhite);
    writeLine(console, title);
    writeLine(console, std::string(static_cast<std::size_t>(dashes), '-'));
}

std::optional<std::string> readLine(Console& console) {
    console.out->flush();
    std::string line;
    if (!std::getline(*console.in, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::int32_t askNumber(Console& console, std::string_view prompt, bool blankBefore) {
    return askNumbers(console, prompt, blankBefore, 1, kAnyNumber)[0];
}

std::pair<std::int32_t, std::int32_t> askTwoNumbers(Console& console, std::string_view prompt, bool blankBefore,
                                                    NumberRange range) {
    auto numbers = askNumbers(console, prompt, blankBefore, 2, range);
    return {numbers[0], numbers[1]};
}

std::optional<char> readAnswer(Console& console) {
    auto line = readLine(console);
    if (!line) return std::nullopt;
    return line->empty() ? '\0' : (*line)[0];
}

bool answeredYes(Console& console) { return readAnswer(console) == 'a'; }

void waitEnter(Console& console) { readLine(console); }

void waitEnterAfter(Console& console, std::string_view message) {
    writeYellow(console, message);
    write(console, " ");
    waitEnter(console);
}

void waitBeforeWindowCloses() {
    // Asked first: a program that never touched the console prepares it only here.
    if (platform::consoleOfOurOwn()) waitEnterAfter(processConsole(), "Konec programu, stisknete enter");
}

bool CommandLine::has(std::string_view option) const {
    return std::find(options.begin(), options.end(), option) != options.end();
}

CommandLine readCommandLine(int argc, char** argv, std::string_view usage,
                            std::initializer_list<std::string_view> options) {
    CommandLine line;
    bool plainSeen = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            write(processConsole(), usage);
            stopProgram(0);
        }
        if (std::find(options.begin(), options.end(), argument) != options.end()) {
            line.options.emplace_back(argument);
            continue;
        }
        if (plainSeen) continue;  // further arguments are ignored
        plainSeen = true;
        while (!argument.empty() && argument.front() == ' ') argument.remove_prefix(1);
        line.round = parseWholeNumber(argument);
    }
    return line;
}
