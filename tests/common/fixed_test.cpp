// The suite's fixed-width numbers: every rounding vector the files depend on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "fixed.hpp"

namespace {

TEST(FormatReal, RoundingVectors) {
    EXPECT_EQ(formatReal(987.25, 1, 1), "987.3");
    EXPECT_EQ(formatReal(-12.34, 8, 1), "   -12.3");
    EXPECT_EQ(formatReal(1523.456, 1, 2), "1523.46");
    EXPECT_EQ(formatReal(987, 7, 2), " 987.00");
    EXPECT_EQ(formatReal(0.15, 1, 1), "0.2");
    EXPECT_EQ(formatReal(2.675, 1, 2), "2.68");
    EXPECT_EQ(formatReal(1523.455, 1, 2), "1523.45");
    EXPECT_EQ(formatReal(0.25, 1, 1), "0.3");
    EXPECT_EQ(formatReal(-0.04, 1, 1), "-0.0");
    EXPECT_EQ(formatReal(4.2614645, 12, 9), " 4.261464500");
}

TEST(FormatReal, CarryIntoTheWholePartAndSigns) {
    EXPECT_EQ(formatReal(9.96, 4, 1), "10.0");
    EXPECT_EQ(formatReal(-9.96, 1, 1), "-10.0");
    EXPECT_EQ(formatReal(-0.0, 4, 1), " 0.0") << "negative zero has no sign";
    EXPECT_EQ(formatReal(0, 12, 9), " 0.000000000");
    EXPECT_EQ(formatReal(1000000.5, 1, 0), "1000001");
}

TEST(FormatReal, LongerNumberIsWrittenWhole) {
    EXPECT_EQ(formatReal(12345.67, 6, 1), "12345.7");
    EXPECT_EQ(formatReal(1487.26, 6, 1), "1487.3");
}

TEST(FormatInt, RightAlignedAndWholeWhenLonger) {
    EXPECT_EQ(formatInt(7, 3), "  7");
    EXPECT_EQ(formatInt(-2, 2), "-2");
    EXPECT_EQ(formatInt(-10, 2), "-10");
    EXPECT_EQ(formatInt(1000, 3), "1000");
    EXPECT_EQ(formatInt(42), "42");
}

TEST(LineBuilder, NumbersAsTheSingleFormattersWriteThem) {
    // Short numbers take a short way into the line; long lines and long numbers leave it.
    const std::int64_t integers[] = {0, 7, -2, -10, 1000, 99999999, 100000000, 1234567890123, INT64_MIN};
    const double reals[] = {987.25, -12.34, 0.15, -0.0, 9.96, 1e17, 1e18, 1e300, -1e300, std::nan("")};
    std::string expected;
    LineBuilder line;
    for (int round = 0; round < 3; ++round)
        for (int width : {0, 2, 3, 16, 17, 18, 19, 20, 21, 40}) {
            for (std::int64_t value : integers) {
                expected += formatInt(value, width) + "|";
                line.integer(value, width).text("|");
            }
            for (double value : reals) {
                expected += formatReal(value, width, 2) + "|";
                line.real(value, width, 2).text("|");
            }
            expected += padRight("Hrac", 25);
            line.padded("Hrac", 25);
        }
    EXPECT_EQ(line.str(), expected);
    line.clear();
    EXPECT_EQ(line.integer(5, 3).text(" ").real(2.5, 4, 1).view(), "  5  2.5");
}

TEST(PadRight, FillsToWidthAndKeepsLongerText) {
    EXPECT_EQ(padRight("ab", 4), "ab  ");
    EXPECT_EQ(padRight("abcdef", 4), "abcdef");
}

}  // namespace
