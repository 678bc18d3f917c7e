// Fixed-width numbers as every file and console line of the suite writes them:
// integers right-aligned, reals in fixed point with the suite's own half-away rounding.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The integer right-aligned with blanks to width characters; a longer number is written whole.
std::string formatInt(std::int64_t value, int width = 0);

// The real in fixed point with the given decimals, right-aligned to width. Rounding: the
// fractional part of the magnitude gets the double epsilon and then half a unit of the last
// decimal added (each sum rounded to double) before the digits are cut; negative zero has no sign.
std::string formatReal(double value, int width, int decimals);

// The shortest decimal that reads back as exactly this double ("0.1", "1487.3", "1e+300");
// "inf", "-inf" or "nan" for a value that is not finite.
std::string shortestReal(double value);

// Pads text with blanks on the right to width characters; longer text stays whole.
std::string padRight(std::string text, std::size_t width);

// A line of many numbers, composed in place and taken whole: the files' long lists of numbers
// are written without a string operation per number. Numbers come out exactly as formatInt
// and formatReal write them. Reuse one builder for many lines (clear) to keep its memory.
class LineBuilder {
public:
    LineBuilder() = default;
    LineBuilder(const LineBuilder&) = delete;
    LineBuilder& operator=(const LineBuilder&) = delete;

    LineBuilder& integer(std::int64_t value, int width = 0);
    LineBuilder& real(double value, int width, int decimals);
    LineBuilder& text(std::string_view text) {
        std::memcpy(room(text.size()), text.data(), text.size());
        length_ += text.size();
        return *this;
    }
    // Text padded with blanks on the right to width characters.
    LineBuilder& padded(std::string_view text, std::size_t width) {
        this->text(text);
        if (text.size() < width) blanks(width - text.size());
        return *this;
    }

    std::string_view view() const { return {data_, length_}; }
    std::string str() const { return std::string(view()); }
    void clear() { length_ = 0; }

private:
    // Room for n more characters.
    char* room(std::size_t n) {
        if (length_ + n > capacity_) grow(n);
        return data_ + length_;
    }
    void grow(std::size_t n);
    void blanks(std::size_t n);
    LineBuilder& aligned(const char* number, std::size_t length, int width);

    std::array<char, 192> inPlace_{};
    std::string spilled_;  // a longer line
    char* data_ = inPlace_.data();
    std::size_t capacity_ = inPlace_.size();
    std::size_t length_ = 0;
};
