// The one text reader of the suite, for files and for keyboard answers.
// Tokens are validated strictly: "12abc" or "1,5" is a malformed number (run-time error 106).
#include "text_reader.hpp"

#include <charconv>

#include "platform.hpp"
#include "run_error.hpp"

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of a run of digits starting at pos.
std::size_t digitsAt(std::string_view s, std::size_t pos) {
    std::size_t n = 0;
    while (pos + n < s.size() && isDigit(s[pos + n])) ++n;
    return n;
}

// A well-formed real that from_chars finds out of range is below the smallest double when the
// power of ten of its first non-zero digit, shifted by its exponent, is negative.
bool belowSmallestDouble(std::string_view token) {
    std::size_t pos = token[0] == '+' || token[0] == '-' ? 1 : 0;
    std::int64_t order = 0;
    bool significant = false, afterPoint = false;
    for (; pos < token.size() && token[pos] != 'e' && token[pos] != 'E'; ++pos) {
        const char c = token[pos];
        if (c == '.') {
            afterPoint = true;
        } else if (!afterPoint) {
            significant = significant || c != '0';
            if (significant) ++order;
        } else if (!significant) {
            significant = c != '0';
            if (!significant) --order;
        }
    }
    std::int64_t exponent = 0;
    bool negativeExponent = false;
    for (; pos < token.size(); ++pos) {
        if (token[pos] == '-') negativeExponent = true;
        if (isDigit(token[pos]) && exponent < 1000000) exponent = exponent * 10 + (token[pos] - '0');
    }
    return order + (negativeExponent ? -exponent : exponent) < 0;
}

}  // namespace

std::optional<std::int32_t> parseWholeNumber(std::string_view token) {
    std::size_t pos = 0;
    bool negative = false;
    if (!token.empty() && (token[0] == '+' || token[0] == '-')) {
        negative = token[0] == '-';
        pos = 1;
    }
    if (pos == token.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; pos < token.size(); ++pos) {
        if (!isDigit(token[pos])) return std::nullopt;
        value = value * 10 + (token[pos] - '0');
        if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> parseReal(std::string_view token) {
    std::size_t pos = 0;
    if (!token.empty() && (token[0] == '+' || token[0] == '-')) pos = 1;
    std::size_t whole = digitsAt(token, pos);
    pos += whole;
    std::size_t fraction = 0;
    if (pos < token.size() && token[pos] == '.') {
        fraction = digitsAt(token, pos + 1);
        pos += 1 + fraction;
    }
    if (whole + fraction == 0) return std::nullopt;
    if (pos < token.size() && (token[pos] == 'e' || token[pos] == 'E')) {
        std::size_t p = pos + 1;
        if (p < token.size() && (token[p] == '+' || token[p] == '-')) ++p;
        std::size_t exponent = digitsAt(token, p);
        if (exponent == 0) return std::nullopt;
        pos = p + exponent;
    }
    if (pos != token.size()) return std::nullopt;
    // from_chars takes no leading plus sign.
    std::string_view body = token[0] == '+' ? token.substr(1) : token;
    double value = 0;
    auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
    // A value too small for a double has the nearest double, zero; one too large has none.
    if (error == std::errc::result_out_of_range && belowSmallestDouble(token))
        return token[0] == '-' ? -0.0 : 0.0;
    if (error != std::errc() || end != body.data() + body.size()) return std::nullopt;
    return value;
}

TextReader::TextReader(std::string name, std::string content)
    : name_(std::move(name)), text_(std::move(content)) {
    // A UTF-8 byte-order mark (what Windows editors put first) is no data.
    if (text_.rfind("\xEF\xBB\xBF", 0) == 0) pos_ = 3;
}

std::optional<std::string> readFileBytes(const std::string& path) {
    platform::FileRead file = platform::readFile(path);
    if (file.status == platform::ReadStatus::Unreadable) stopWithMessage("Soubor " + path + " nelze precist");
    if (file.status == platform::ReadStatus::Missing) return std::nullopt;
    return std::move(file.bytes);
}

std::optional<TextReader> TextReader::open(const std::string& path) {
    auto content = readFileBytes(path);
    if (!content) return std::nullopt;
    return TextReader(path, std::move(*content));
}

TextReader TextReader::openOrFail(const std::string& path) {
    auto reader = open(path);
    if (!reader) runError(kErrorFileNotFound, "Soubor " + path + " nelze otevrit");
    return std::move(*reader);
}

bool TextReader::atEnd() const {
    for (std::size_t p = pos_; p < text_.size(); ++p)
        if (!isBlank(text_[p])) return false;
    return true;
}

bool TextReader::atLineEnd() const {
    if (pos_ >= text_.size() || text_[pos_] == '\n') return true;
    return text_[pos_] == '\r' && (pos_ + 1 == text_.size() || text_[pos_ + 1] == '\n');
}

std::string_view takeToken(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    std::size_t start = pos;
    while (pos < text.size() && !isBlank(text[pos])) ++pos;
    return text.substr(start, pos - start);
}

void TextReader::badNumber(std::string_view token) const {
    std::size_t line = 1;
    for (std::size_t p = 0; p < pos_ && p < text_.size(); ++p)
        if (text_[p] == '\n') ++line;
    runError(kErrorBadNumber, "Chybne cislo \"" + std::string(token) + "\" v souboru " + name_ + ", radek " +
                                  std::to_string(line));
}

std::string_view TextReader::readToken() { return takeToken(text_, pos_); }

std::size_t TextReader::tokenStart() const {
    std::size_t p = pos_;
    while (p < text_.size() && isBlank(text_[p])) ++p;
    return p;
}

void TextReader::readSeparator() {
    if (!atLineEnd()) ++pos_;
}

std::string TextReader::readText(std::size_t maxLength) {
    std::string text;
    while (text.size() < maxLength && !atLineEnd()) text += text_[pos_++];
    return text;
}

void TextReader::skipLine() {
    std::size_t end = text_.find('\n', pos_);
    pos_ = end == std::string::npos ? text_.size() : end + 1;
}
