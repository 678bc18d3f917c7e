// The console layer of every program: clearing, colours (only on a terminal), writing, the
// keyboard dialogue (number prompts, a/n questions, "stisknete enter" waits), the command line.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr int kYellow = 14;
inline constexpr int kWhite = 15;  // the normal text (a terminal's own colour, see platform.hpp)

struct Console {
    std::istream* in;
    std::ostream* out;
    bool colours;  // clearing and colours go out only to a terminal that did not ask for plain text
    bool terminal = false;  // a console or terminal: text from the files goes out in its encoding
};

// Standard input and output; colours when standard output is a terminal, unless NO_COLOR is
// set (to anything) or TERM is dumb: then not a single escape sequence, not even the clearing.
Console& processConsole();

void clearScreen(Console& console);
void setColour(Console& console, int colour);
void write(Console& console, std::string_view text);
// Console lines end with a line feed alone.
void writeLine(Console& console, std::string_view text = {});
// Text from the tournament's files (players' names) as the organiser reads it: on a console or
// terminal `readable` (UTF-8) in the console's own encoding; redirected, the file's `bytes`
// exactly as they are.
void writeFileText(Console& console, std::string_view bytes, std::string_view readable);
// Yellow text, then back to white.
void writeYellow(Console& console, std::string_view text);
// Clear screen, white, the title line, a line of minus signs.
void writeBanner(Console& console, std::string_view title, int dashes);

// One input line without its line end; nothing at the end of input.
std::optional<std::string> readLine(Console& console);

// Whole numbers from lowest to highest, both included.
struct NumberRange {
    std::int32_t lowest, highest;
};

// Writes the prompt in yellow, switches to white, writes a blank when asked to, and reads a
// line whose first token is a whole number. Anything else repeats the prompt exactly; at the
// end of input the program ends with exit code 1.
std::int32_t askNumber(Console& console, std::string_view prompt, bool blankBefore);
// The same for a line whose first two tokens are whole numbers within the range; a number
// outside it is answered like a non-number.
std::pair<std::int32_t, std::int32_t> askTwoNumbers(Console& console, std::string_view prompt, bool blankBefore,
                                                    NumberRange range);

// First character of the answer line ('\0' for an empty line); nothing at the end of input.
std::optional<char> readAnswer(Console& console);
// An a/n question: only a lower-case "a" is yes; the end of input counts as no.
bool answeredYes(Console& console);
// Waits for one input line (the end of input counts as Enter).
void waitEnter(Console& console);
// A "stisknete enter" pause: the message in yellow, white again, a blank, then waitEnter.
void waitEnterAfter(Console& console, std::string_view message);
// The last step before a program ends: when its console window closes with it (started by a
// double click), "Konec programu, stisknete enter" keeps the last message on the screen.
void waitBeforeWindowCloses();

// A program's command line: its options may stand anywhere among the arguments; the round
// number comes from the first other argument when that is a valid whole number (optional
// leading blanks, optional sign, digits, nothing after).
struct CommandLine {
    std::optional<std::int32_t> round;
    std::vector<std::string> options;  // the program's own options that were given
    bool has(std::string_view option) const;
};

// Reads the command line. --help or -h anywhere writes `usage` to standard output and ends the
// program with exit code 0, before anything else. `options` are the program's own (los:
// --presne); every other argument is a plain one.
CommandLine readCommandLine(int argc, char** argv, std::string_view usage,
                            std::initializer_list<std::string_view> options = {});
