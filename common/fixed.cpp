// The one number formatter of the suite (and the padding of names).
// The decimals are cut from the exact binary value of the fraction, never from a rounded one.
#include "fixed.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

// 10^18 times a 53-bit mantissa still fits the 128-bit product below.
constexpr int kMaxDecimals = 18;

std::string padLeft(std::string text, int width) {
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

// The first `decimals` digits of the exact decimal value of fraction (0 <= fraction < 1).
std::string fractionDigits(double fraction, int decimals) {
    std::string digits(static_cast<std::size_t>(decimals), '0');
    if (fraction <= 0) return digits;
    int exponent = 0;
    double mantissa = std::frexp(fraction, &exponent);  // fraction = mantissa * 2^exponent
    auto bits = static_cast<unsigned __int128>(std::ldexp(mantissa, 53));
    int shift = 53 - exponent;  // fraction = bits / 2^shift, shift > 53
    unsigned __int128 scaled = bits;
    for (int i = 0; i < decimals; ++i) scaled *= 10;
    unsigned __int128 cut = shift >= 128 ? 0 : scaled >> shift;
    for (int i = decimals - 1; i >= 0; --i) {
        digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + static_cast<int>(cut % 10));
        cut /= 10;
    }
    return digits;
}

// The double nearest 0.5 * 10^-decimals.
double halfUnit(int decimals) {
    static constexpr double kHalfUnits[] = {0.5,   0.05,  0.005, 5e-4,  5e-5,  5e-6,  5e-7,
                                            5e-8,  5e-9,  5e-10, 5e-11, 5e-12, 5e-13, 5e-14,
                                            5e-15, 5e-16, 5e-17, 5e-18, 5e-19};
    return kHalfUnits[decimals];
}

std::string wholeDigits(double whole) {
    if (whole < 1e18) return std::to_string(static_cast<std::uint64_t>(whole));
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", whole);
    return buffer;
}

}  // namespace

void appendInt(std::string& text, std::int64_t value, int width) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    if (width > 0 && length < static_cast<std::size_t>(width))
        text.append(static_cast<std::size_t>(width) - length, ' ');
    text.append(digits, length);
}

std::string formatInt(std::int64_t value, int width) {
    std::string text;
    appendInt(text, value, width);
    return text;
}

std::string formatReal(double value, int width, int decimals) {
    decimals = decimals < 0 ? 0 : decimals > kMaxDecimals ? kMaxDecimals : decimals;
    if (std::isnan(value)) return padLeft("Nan", width);
    if (std::isinf(value)) return padLeft(value < 0 ? "-Inf" : "+Inf", width);
    double magnitude = std::fabs(value);
    double whole = std::trunc(magnitude);
    double fraction = magnitude - whole;
    fraction = fraction + 2.220446049250313e-16;
    fraction = fraction + halfUnit(decimals);
    if (fraction >= 1) {
        whole = whole + 1;
        fraction = fraction - 1;
    }
    std::string text;
    if (value < 0) text.push_back('-');
    text.append(wholeDigits(whole));
    if (decimals > 0) {
        text.push_back('.');
        text.append(fractionDigits(fraction, decimals));
    }
    return padLeft(text, width);
}

std::string padRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}
