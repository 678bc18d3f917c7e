// TextReader's number readers, with fast paths for plain digits; alone in this file so that the
// literal benchmark build of los can put its own slow readers in their place.
#include "text_reader.hpp"

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

// The fast paths below read through a pointer: the string's terminating '\0' (code 0, white
// space to the reader) stands after the last character, so a digit loop stops there by itself.
std::int32_t TextReader::readInt() {
    const std::size_t start = tokenStart();
    // Up to nine plain digits ended by white space or the end: the value at once (a longer
    // run wraps here unseen and goes the general way).
    const char* const first = text_.data() + start;
    const char* p = first;
    std::uint64_t value = 0;
    for (unsigned digit; (digit = static_cast<unsigned char>(*p) - '0') <= 9; ++p) value = value * 10 + digit;
    if (p != first && p - first <= 9 && isBlank(*p)) {
        pos_ = start + static_cast<std::size_t>(p - first);
        return static_cast<std::int32_t>(value);
    }
    pos_ = start;
    std::string_view token = takeToken(text_, pos_);
    if (token.empty()) return 0;
    auto parsed = parseWholeNumber(token);
    if (!parsed) badNumber(token);
    return *parsed;
}

double TextReader::readReal() {
    const std::size_t start = tokenStart();
    // A plain decimal of at most 15 digits (optional sign, digits, optional point and digits)
    // is its digits as an integer divided by a power of ten: both exact, so the one rounding
    // of the division gives the nearest double, as parseReal does.
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* const first = text_.data() + start;
    const char* p = first;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    std::int64_t digits = 0;
    int count = 0, decimals = 0;
    for (unsigned digit; count < 15 && (digit = static_cast<unsigned char>(*p) - '0') <= 9; ++p, ++count)
        digits = digits * 10 + digit;
    if (*p == '.') {
        ++p;
        for (unsigned digit; count < 15 && (digit = static_cast<unsigned char>(*p) - '0') <= 9; ++p, ++count, ++decimals)
            digits = digits * 10 + digit;
    }
    if (count > 0 && isBlank(*p)) {
        pos_ = start + static_cast<std::size_t>(p - first);
        const double magnitude = static_cast<double>(digits) / kPowersOfTen[decimals];
        return negative ? -magnitude : magnitude;
    }
    pos_ = start;
    std::string_view token = takeToken(text_, pos_);
    if (token.empty()) return 0;
    auto parsed = parseReal(token);
    if (!parsed) badNumber(token);
    return *parsed;
}
