// Fixed-width numbers as every file and console line of the suite writes them:
// integers right-aligned, reals in fixed point with the suite's own half-away rounding.
#pragma once

#include <cstdint>
#include <string>

// The integer right-aligned with blanks to width characters; a longer number is written whole.
std::string formatInt(std::int64_t value, int width = 0);
// The same, appended to text (for lines of many numbers).
void appendInt(std::string& text, std::int64_t value, int width = 0);

// The real in fixed point with the given decimals, right-aligned to width. Rounding: the
// fractional part of the magnitude gets the double epsilon and then half a unit of the last
// decimal added (each sum rounded to double) before the digits are cut; negative zero has no sign.
std::string formatReal(double value, int width, int decimals);

// Pads text with blanks on the right to width characters; longer text stays whole.
std::string padRight(std::string text, std::size_t width);
