// Fuzz target of the text reader: a script of read operations over a text, every result
// compared with a plain model of the reading rules written out here character by character.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "fuzz_support.hpp"
#include "text_reader.hpp"

namespace {

bool blank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool digit(char c) { return c >= '0' && c <= '9'; }

// The rules of the reader's header, without any of its shortcuts.
struct Model {
    std::string text;
    std::size_t pos = 0;

    bool atEnd() const {
        for (std::size_t p = pos; p < text.size(); ++p)
            if (!blank(text[p])) return false;
        return true;
    }
    bool atLineEnd() const {
        if (pos >= text.size() || text[pos] == '\n') return true;
        return text[pos] == '\r' && (pos + 1 == text.size() || text[pos + 1] == '\n');
    }
    std::string token() {
        while (pos < text.size() && blank(text[pos])) ++pos;
        std::size_t start = pos;
        while (pos < text.size() && !blank(text[pos])) ++pos;
        return text.substr(start, pos - start);
    }
    void separator() {
        if (!atLineEnd()) ++pos;
    }
    std::string rest(std::size_t maxLength) {
        std::string kept;
        while (kept.size() < maxLength && !atLineEnd()) kept += text[pos++];
        return kept;
    }
    void skipLine() {
        while (pos < text.size() && text[pos] != '\n') ++pos;
        if (pos < text.size()) ++pos;
    }
};

// Sign, at least one digit, nothing else, within 32 bits.
std::optional<std::int32_t> wholeNumber(const std::string& token) {
    std::size_t p = token.size() > 0 && (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (p == token.size()) return std::nullopt;
    long long value = 0;
    for (std::size_t i = p; i < token.size(); ++i) {
        if (!digit(token[i])) return std::nullopt;
        value = value * 10 + (token[i] - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (token[0] == '-') value = -value;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// Sign, digits with an optional point (one digit at least), optional exponent.
bool realShape(const std::string& token) {
    std::size_t p = token.size() > 0 && (token[0] == '+' || token[0] == '-') ? 1 : 0;
    std::size_t digits = 0;
    while (p < token.size() && digit(token[p])) ++p, ++digits;
    if (p < token.size() && token[p] == '.')
        for (++p; p < token.size() && digit(token[p]); ++p) ++digits;
    if (digits == 0) return false;
    if (p < token.size() && (token[p] == 'e' || token[p] == 'E')) {
        ++p;
        if (p < token.size() && (token[p] == '+' || token[p] == '-')) ++p;
        std::size_t exponent = 0;
        while (p < token.size() && digit(token[p])) ++p, ++exponent;
        if (exponent == 0) return false;
    }
    return p == token.size();
}

bool sameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// What reading a token as a real may give: strtod's value, or for a value beyond the range of
// a double either error 106 or a value of the same class (0 or subnormal, huge or infinite).
bool acceptableReal(const std::string& token, std::optional<double> read) {
    errno = 0;
    const double expected = std::strtod(token.c_str(), nullptr);
    if (errno != ERANGE) return read && sameDouble(*read, expected);
    if (!read) return true;
    if (std::signbit(*read) != std::signbit(expected)) return false;
    return std::fabs(expected) <= DBL_MIN ? std::fabs(*read) <= DBL_MIN : std::fabs(*read) >= DBL_MAX;
}

void checkBadNumber(const StepEnd& end, const std::string& token) {
    check(end.stopped && end.code == 106, "a malformed number did not stop with error 106", token);
    check(end.message.rfind("Runtime error 106\n", 0) == 0 && end.message.find(token) != std::string::npos,
          "the report of a malformed number does not name it", end.message);
}

// One operation of the script; false once the reader has stopped the program.
bool step(unsigned char op, TextReader& reader, Model& model) {
    switch (op % 7) {
        case 0: check(reader.atEnd() == model.atEnd(), "atEnd differs from the model"); return true;
        case 1: check(reader.atLineEnd() == model.atLineEnd(), "atLineEnd differs from the model"); return true;
        case 2: {
            std::int32_t value = 0;
            StepEnd end = runStep([&] { value = reader.readInt(); }, {106});
            std::string token = model.token();
            if (token.empty()) {
                check(!end.stopped && value == 0, "an integer at the end of the data is not 0");
                return true;
            }
            auto expected = wholeNumber(token);
            if (!expected) return checkBadNumber(end, token), false;
            check(!end.stopped && value == *expected, "readInt differs from the model", token);
            return true;
        }
        case 3: {
            double value = 0;
            StepEnd end = runStep([&] { value = reader.readReal(); }, {106});
            std::string token = model.token();
            if (token.empty()) {
                check(!end.stopped && sameDouble(value, 0.0), "a real at the end of the data is not 0");
                return true;
            }
            if (!realShape(token)) return checkBadNumber(end, token), false;
            check(acceptableReal(token, end.stopped ? std::nullopt : std::optional<double>(value)),
                  "readReal differs from the model", token);
            return !end.stopped;
        }
        case 4: reader.readSeparator(); model.separator(); return true;
        case 5: {
            const std::size_t length = op / 7;  // 0..36
            check(reader.readText(length) == model.rest(length), "readText differs from the model");
            return true;
        }
        default: reader.skipLine(); model.skipLine(); return true;
    }
}

}  // namespace

// Input: the script (one operation a byte: the byte mod 7 picks it, readText takes byte / 7
// characters), a form feed, the text. The script repeats until the text is used up.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto parts = splitFiles(data, size, 2);
    parts.resize(2);
    const std::string script = parts[0].empty() ? std::string("\x02\x03\x04\xd7\x06", 5) : parts[0];
    TextReader reader("fuzz.txt", parts[1]);
    // A byte-order mark at the start of the text is no data.
    Model model{parts[1], parts[1].starts_with("\xEF\xBB\xBF") ? std::size_t{3} : 0};
    const std::size_t limit = 4 * (parts[1].size() + script.size()) + 16;
    for (std::size_t n = 0; n < limit; ++n) {
        if (n > 0 && n % script.size() == 0 && model.atEnd()) break;
        if (!step(static_cast<unsigned char>(script[n % script.size()]), reader, model)) break;
    }
    // The generic record loop ends: every record takes at least one line.
    TextReader records("fuzz.txt", parts[1]);
    std::size_t count = 0;
    StepEnd end = runStep([&] { count = readRecords(records, [](TextReader& r) { return r.readInt(); }).size(); },
                          {106});
    check(end.stopped || count <= lineCount(parts[1]), "more records than lines");
    return 0;
}
