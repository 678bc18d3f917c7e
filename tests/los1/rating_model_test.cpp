// ZISK and ODHAD at their reference values and the identities that hold exactly; ODHAD bit
// for bit against a table worked out exactly, which every build must give.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <iterator>

#include "rating_model.hpp"

namespace {

struct OdhadBits {
    std::uint64_t R, result;
};
// Edge values, tournament rating differences, the whole range, and arguments whose exp lies
// close to a rounding midpoint or whose double would change with a neighbouring exp.
constexpr OdhadBits kExactOdhad[] = {
#include "odhad_table.inc"
};

TEST(RatingModel, ZiskValues) {
    EXPECT_EQ(ZISK(0), 0.375);
    EXPECT_NEAR(ZISK(1), 0.7520391517, 1e-10);
    EXPECT_NEAR(ZISK(-1), -0.0020391517, 1e-10);
    EXPECT_DOUBLE_EQ(ZISK(122.6), 1.0);
    EXPECT_NEAR(ZISK(-200), -0.4078303425, 1e-10);
}

TEST(RatingModel, OdhadValues) {
    EXPECT_EQ(ODHAD(0), 0.375);
    EXPECT_NEAR(ODHAD(34.6), 0.4269059841, 1e-10);
    EXPECT_NEAR(ODHAD(-34.6), 0.3230940158, 1e-10);
    EXPECT_NEAR(ODHAD(100), 0.5226075162, 1e-10);
    EXPECT_NEAR(ODHAD(-100), 0.2273924837, 1e-10);
    EXPECT_NEAR(ODHAD(400), 0.8562146456, 1e-10);
}

TEST(RatingModel, OdhadIsTheFormulaWithTheExactlyRoundedExp) {
    int wrong = 0;
    for (const auto& [R, expected] : kExactOdhad) {
        const double argument = std::bit_cast<double>(R);
        const double result = ODHAD(argument);
        if (std::bit_cast<std::uint64_t>(result) != expected && ++wrong <= 10)
            ADD_FAILURE() << std::hexfloat << "ODHAD(" << argument << ") = " << result << ", exactly "
                          << std::bit_cast<double>(expected);
    }
    EXPECT_EQ(wrong, 0) << "of " << std::size(kExactOdhad) << " arguments";
}

TEST(RatingModel, SymmetriesHold) {
    for (double x : {1.0, 34.6, 57.25, 100.0, 399.9, 1234.5}) {
        EXPECT_DOUBLE_EQ(ODHAD(x) + ODHAD(-x), 0.75) << x;
        EXPECT_DOUBLE_EQ(ZISK(x) + ZISK(-x), 0.75) << x;
    }
}

TEST(RatingModel, OdhadKeepsGrowingThroughItsMarginTerm) {
    // Far out the logistic part is saturated and only the margin term moves.
    EXPECT_NEAR(ODHAD(10001) - ODHAD(10000), 0.00044194127, 1e-11);
    EXPECT_NEAR(ODHAD(-10000) - ODHAD(-10001), 0.00044194127, 1e-11);
}

}  // namespace
