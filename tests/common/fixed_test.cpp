// The suite's fixed-width numbers: every rounding vector the files depend on.
#include <gtest/gtest.h>

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

TEST(PadRight, FillsToWidthAndKeepsLongerText) {
    EXPECT_EQ(padRight("ab", 4), "ab  ");
    EXPECT_EQ(padRight("abcdef", 4), "abcdef");
}

}  // namespace
