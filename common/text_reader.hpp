// Token-wise reading of the suite's text files: whole numbers, reals, a separator
// character, the rest of a line, line ends, and the end of the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A whole number: optional sign, digits, within 32 bits; nothing else.
std::optional<std::int32_t> parseWholeNumber(std::string_view token);

// A real: optional sign, digits with an optional decimal point (at least one digit in all),
// optional exponent (e or E, optional sign, digits); the nearest double.
std::optional<double> parseReal(std::string_view token);

// The next token of text from pos on: blanks, tabs and line ends (every character with code
// 32 or below) are skipped, and the token runs to the next such character. Empty at the end.
std::string_view takeToken(std::string_view text, std::size_t& pos);

// The bytes of a file; nothing when there is no such file (or a folder, a FIFO, a socket or a
// device in its place). A file that is there but cannot be read ends the program with the
// line "Soubor <path> nelze precist" and exit code 1: it is never taken for a missing one.
std::optional<std::string> readFileBytes(const std::string& path);

// Reads a whole file held in memory. Numbers are read after skipping blanks, tabs and line
// ends; a number token runs to the next character with code 32 or below. A number asked for
// at the end of the data reads as 0. CR LF and a lone LF both end a line. A UTF-8 byte-order
// mark at the start is skipped.
class TextReader {
public:
    TextReader(std::string name, std::string content);

    // The file's reader, or nothing when there is no such file (readFileBytes).
    static std::optional<TextReader> open(const std::string& path);
    // The file's reader; no such file ends the program with run-time error 2.
    static TextReader openOrFail(const std::string& path);

    const std::string& name() const { return name_; }

    // Nothing but white space is left: no further record.
    bool atEnd() const;
    // The next character ends the line (or the data).
    bool atLineEnd() const;

    // The next token as it stands, unchecked (empty at the end of the data).
    std::string_view readToken();
    // Malformed or out-of-range tokens end the program with run-time error 106.
    std::int32_t readInt();
    double readReal();

    // Consumes one character as a separator, unless the line ends right here.
    void readSeparator();
    // Up to maxLength characters of the current line as they stand, a CR within the line
    // too: a names part written back after a number must still end that number. The line
    // end (LF or CR LF) stays.
    std::string readText(std::size_t maxLength);
    // Moves past the next line end.
    void skipLine();

private:
    // Where the next token starts: past blanks, tabs and line ends.
    std::size_t tokenStart() const;
    [[noreturn]] void badNumber(std::string_view token) const;

    std::string name_;
    std::string text_;
    std::size_t pos_ = 0;
};

// Every record of the data in turn: visit takes what it needs from the start of a line, and the
// rest of each line is skipped. White space after the last record is no record.
template <typename Visit>
void forEachRecord(TextReader& reader, Visit visit) {
    while (!reader.atEnd()) {
        visit(reader);
        reader.skipLine();
    }
}

// The records of the data, each read by readRecord, in file order.
template <typename ReadRecord>
auto readRecords(TextReader& reader, ReadRecord readRecord) {
    std::vector<decltype(readRecord(reader))> records;
    forEachRecord(reader, [&](TextReader& r) { records.push_back(readRecord(r)); });
    return records;
}
