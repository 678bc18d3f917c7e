// The number readers of the benchmark's literal build of los: a character at a time, each
// token gathered into a string and converted on its own. Same results as the suite's readers.
#include "text_reader.hpp"

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// The next token of the text from pos on, a character at a time.
std::string nextToken(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    std::string token;
    while (pos < text.size() && !isBlank(text[pos])) token += text[pos++];
    return token;
}

}  // namespace

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
