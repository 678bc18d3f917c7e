// The one number formatter of the suite (and the padding of names). Each number is composed
// backwards in a small buffer, then copied whole into the line or string that takes it.
// The decimals are cut from the exact binary value of the fraction, never from a rounded one.
#include "fixed.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// 10^18 times a 53-bit mantissa still fits the 128-bit product below.
constexpr int kMaxDecimals = 18;

constexpr std::uint64_t kPowersOfTen[kMaxDecimals + 1] = {1,
                                                           10,
                                                           100,
                                                           1000,
                                                           10000,
                                                           100000,
                                                           1000000,
                                                           10000000,
                                                           100000000,
                                                           1000000000,
                                                           10000000000,
                                                           100000000000,
                                                           1000000000000,
                                                           10000000000000,
                                                           100000000000000,
                                                           1000000000000000,
                                                           10000000000000000,
                                                           100000000000000000,
                                                           1000000000000000000};

// Room for a sign, a whole part below 10^18, the point and 18 decimals, composed backwards to
// end at end(); kCopied more cells after it let a line take any number as one fixed-size copy.
constexpr std::size_t kCopied = 48;
struct NumberBuffer {
    char cells[48 + kCopied];
    char* end() { return cells + 48; }
};

constexpr char kTwoDigits[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

// Writes the decimal digits of value backwards, ending at end; returns the first digit.
char* digitsBefore(char* end, std::uint64_t value) {
    for (; value > UINT32_MAX; value /= 10) *--end = static_cast<char>('0' + value % 10);
    auto small = static_cast<std::uint32_t>(value);
    for (; small >= 100; small /= 100) {
        end -= 2;
        std::memcpy(end, kTwoDigits + 2 * (small % 100), 2);
    }
    if (small >= 10) {
        end -= 2;
        std::memcpy(end, kTwoDigits + 2 * small, 2);
    } else {
        *--end = static_cast<char>('0' + small);
    }
    return end;
}

std::string_view intText(NumberBuffer& buffer, std::int64_t value) {
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char* first = digitsBefore(buffer.end(), magnitude);
    if (value < 0) *--first = '-';
    return {first, static_cast<std::size_t>(buffer.end() - first)};
}

// The first `decimals` digits of the exact decimal value of fraction (0 <= fraction < 1), as
// one integer: fraction is mantissa / 2^shift with shift at least 53.
std::uint64_t fractionDigits(double fraction, int decimals) {
    if (fraction <= 0) return 0;
    const auto bits = std::bit_cast<std::uint64_t>(fraction);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int shift = 1074;  // subnormal
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52;
        shift = 1075 - biased;
    }
    if (shift >= 128) return 0;
    const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * kPowersOfTen[decimals];
    return static_cast<std::uint64_t>(scaled >> shift);
}

// The double nearest 0.5 * 10^-decimals.
double halfUnit(int decimals) {
    static constexpr double kHalfUnits[] = {0.5,   0.05,  0.005, 5e-4,  5e-5,  5e-6,  5e-7,
                                            5e-8,  5e-9,  5e-10, 5e-11, 5e-12, 5e-13, 5e-14,
                                            5e-15, 5e-16, 5e-17, 5e-18, 5e-19};
    return kHalfUnits[decimals];
}

// The real in fixed point without padding, in buffer; a whole part of 19 digits or more is
// written by the C library's exact conversion into spill instead.
std::string_view realText(NumberBuffer& buffer, std::string& spill, double value, int decimals) {
    decimals = decimals < 0 ? 0 : decimals > kMaxDecimals ? kMaxDecimals : decimals;
    if (std::isnan(value)) return "Nan";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "+Inf";
    const double magnitude = std::fabs(value);
    double whole = std::trunc(magnitude);
    double fraction = magnitude - whole;
    fraction = fraction + 2.220446049250313e-16;
    fraction = fraction + halfUnit(decimals);
    if (fraction >= 1) {
        whole = whole + 1;
        fraction = fraction - 1;
    }
    char* first = buffer.end();
    if (decimals > 0) {
        first = digitsBefore(first, fractionDigits(fraction, decimals));
        while (buffer.end() - first < decimals) *--first = '0';
        *--first = '.';
    }
    const std::string_view decimalsText(first, static_cast<std::size_t>(buffer.end() - first));
    if (whole < 1e18) {
        first = digitsBefore(first, static_cast<std::uint64_t>(whole));
        if (value < 0) *--first = '-';
        return {first, static_cast<std::size_t>(buffer.end() - first)};
    }
    char wholeDigits[400];
    std::snprintf(wholeDigits, sizeof wholeDigits, "%.0f", whole);
    spill = value < 0 ? "-" : "";
    spill.append(wholeDigits).append(decimalsText);
    return spill;
}

std::string alignedString(std::string_view number, int width) {
    std::string text;
    if (width > 0 && number.size() < static_cast<std::size_t>(width))
        text.assign(static_cast<std::size_t>(width) - number.size(), ' ');
    text += number;
    return text;
}

}  // namespace

std::string formatInt(std::int64_t value, int width) {
    NumberBuffer buffer;
    return alignedString(intText(buffer, value), width);
}

std::string formatReal(double value, int width, int decimals) {
    NumberBuffer buffer;
    std::string spill;
    return alignedString(realText(buffer, spill, value, decimals), width);
}

std::string shortestReal(double value) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

std::string padRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

void LineBuilder::grow(std::size_t n) {
    const std::size_t capacity = std::max(2 * capacity_, length_ + n);
    if (data_ == inPlace_.data()) spilled_.assign(data_, length_);
    spilled_.resize(capacity);
    data_ = spilled_.data();
    capacity_ = capacity;
}

void LineBuilder::blanks(std::size_t n) {
    std::memset(room(n), ' ', n);
    length_ += n;
}

// The number right-aligned to width. Up to 16 blanks and up to kCopied characters are stored
// as fixed-size blocks (a few moves each), and only the length counts.
LineBuilder& LineBuilder::aligned(const char* number, std::size_t length, int width) {
    const std::size_t padding =
        width > 0 && length < static_cast<std::size_t>(width) ? static_cast<std::size_t>(width) - length : 0;
    if (padding > 16 || length > kCopied) {
        blanks(padding);
        return text(std::string_view(number, length));
    }
    char* out = room(16 + kCopied);
    std::memset(out, ' ', 16);
    std::memcpy(out + padding, number, kCopied);
    length_ += padding + length;
    return *this;
}

LineBuilder& LineBuilder::integer(std::int64_t value, int width) {
    if (value >= 0 && value < 100000000 && width <= 16) {
        // The common case written straight into the line: blanks, then the digits backwards.
        auto small = static_cast<std::uint32_t>(value);
        std::size_t digits = 1;
        while (digits < 8 && small >= kPowersOfTen[digits]) ++digits;
        const std::size_t padding = width > 0 && digits < static_cast<std::size_t>(width) ? width - digits : 0;
        char* out = room(16 + 8);
        std::memset(out, ' ', 16);
        digitsBefore(out + padding + digits, small);
        length_ += padding + digits;
        return *this;
    }
    NumberBuffer buffer;
    const std::string_view number = intText(buffer, value);
    return aligned(number.data(), number.size(), width);
}

LineBuilder& LineBuilder::real(double value, int width, int decimals) {
    NumberBuffer buffer;
    std::string spill;
    const std::string_view number = realText(buffer, spill, value, decimals);
    if (number.data() != buffer.end() - number.size()) {  // "Nan", "+Inf" or a spilled number
        if (width > 0 && number.size() < static_cast<std::size_t>(width))
            blanks(static_cast<std::size_t>(width) - number.size());
        return text(number);
    }
    return aligned(number.data(), number.size(), width);
}
