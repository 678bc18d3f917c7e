// The text reader of the benchmark's literal build of los: a character at a time, each token
// gathered into a string and converted on its own. Same results as the suite's reader.
#include "text_reader.hpp"

#include <cstdlib>
#include <fstream>

#include "run_error.hpp"

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::int32_t> parseWholeNumber(std::string_view token) {
    std::size_t pos = token.size() > 0 && (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (pos == token.size()) return std::nullopt;
    std::int64_t value = 0;
    for (std::size_t i = pos; i < token.size(); ++i) {
        if (!isDigit(token[i])) return std::nullopt;
        value = value * 10 + (token[i] - '0');
        if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (token[0] == '-') value = -value;
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> parseReal(std::string_view token) {
    std::size_t pos = token.size() > 0 && (token[0] == '+' || token[0] == '-') ? 1 : 0;
    std::size_t digits = 0;
    while (pos < token.size() && isDigit(token[pos])) ++pos, ++digits;
    if (pos < token.size() && token[pos] == '.')
        for (++pos; pos < token.size() && isDigit(token[pos]); ++pos) ++digits;
    if (digits == 0) return std::nullopt;
    if (pos < token.size() && (token[pos] == 'e' || token[pos] == 'E')) {
        ++pos;
        if (pos < token.size() && (token[pos] == '+' || token[pos] == '-')) ++pos;
        std::size_t exponent = 0;
        while (pos < token.size() && isDigit(token[pos])) ++pos, ++exponent;
        if (exponent == 0) return std::nullopt;
    }
    if (pos != token.size()) return std::nullopt;
    const std::string text(token);
    return std::strtod(text.c_str(), nullptr);
}

std::string_view takeToken(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    std::size_t start = pos;
    while (pos < text.size() && !isBlank(text[pos])) ++pos;
    return text.substr(start, pos - start);
}

TextReader::TextReader(std::string name, std::string content) : name_(std::move(name)), text_(std::move(content)) {}

std::optional<std::string> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content;
    char c;
    while (in.get(c)) content += c;
    return content;
}

std::optional<TextReader> TextReader::open(const std::string& path) {
    auto content = readFileBytes(path);
    if (!content) return std::nullopt;
    return TextReader(path, *content);
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

void TextReader::badNumber(std::string_view token) const {
    std::size_t line = 1;
    for (std::size_t p = 0; p < pos_ && p < text_.size(); ++p)
        if (text_[p] == '\n') ++line;
    runError(kErrorBadNumber, "Chybne cislo \"" + std::string(token) + "\" v souboru " + name_ + ", radek " +
                                  std::to_string(line));
}

namespace {

// The next token, a character at a time.
std::string nextToken(const std::string& text, std::size_t& pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    std::string token;
    while (pos < text.size() && !isBlank(text[pos])) token += text[pos++];
    return token;
}

}  // namespace

std::string_view TextReader::readToken() { return takeToken(text_, pos_); }

std::int32_t TextReader::readInt() {
    const std::string token = nextToken(text_, pos_);
    if (token.empty()) return 0;
    auto value = parseWholeNumber(token);
    if (!value) badNumber(token);
    return *value;
}

double TextReader::readReal() {
    const std::string token = nextToken(text_, pos_);
    if (token.empty()) return 0;
    auto value = parseReal(token);
    if (!value) badNumber(token);
    return *value;
}

void TextReader::readSeparator() {
    if (!atLineEnd()) ++pos_;
}

std::string TextReader::readText(std::size_t maxLength) {
    std::string text;
    while (text.size() < maxLength && !atLineEnd()) {
        char c = text_[pos_++];
        if (c != '\r') text += c;
    }
    return text;
}

void TextReader::skipLine() {
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    if (pos_ < text_.size()) ++pos_;
}
