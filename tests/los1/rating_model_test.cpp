// ZISK and ODHAD at their reference values and the identities that hold exactly; ODHAD bit
// for bit against a table worked out exactly, which every build must give; the processor check.
#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cstdint>
#include <cstring>
#include <cmath>
#include <iterator>
#include <vector>

#include "rating_arithmetic.hpp"
#include "rating_model.hpp"

namespace {

struct OdhadBits {
    std::uint64_t R, result;
    std::uint64_t expMantissa, expExponent;  // the rounded exp; 0, 0 where |x| >= 46
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

bool sameLongDouble(long double value, std::uint64_t mantissa, std::uint64_t exponent) {
    unsigned char bytes[10];
    std::memcpy(bytes, &value, sizeof bytes);
    std::uint64_t m = 0, e = 0;
    std::memcpy(&m, bytes, 8);
    std::memcpy(&e, bytes + 8, 2);
    return m == mantissa && e == exponent;
}

bool candidatesRight(const ExpCandidates& exp, std::uint64_t mantissa, std::uint64_t exponent) {
    return sameLongDouble(exp.nearest, mantissa, exponent) ||
           (!exp.sure && sameLongDouble(exp.other, mantissa, exponent));
}

// The fast exp is either sure and right, or has the right one among its two candidates;
// a slip of one unit there seldom shows in ODHAD's double, so it is checked on its own, with
// the reduction step taken from x and, as ODHAD takes it, from R (near a half step the two
// may choose neighbouring steps); and the exact decision between the candidates is right.
bool expRight(double R, std::uint64_t mantissa, std::uint64_t exponent) {
    using namespace rating_model_detail;
    if (exponent == 0) return true;
    const long double x = kLogisticSlope * R;
    const bool fromR = std::fabs(R) >= kFastRange ||
                       candidatesRight(expCandidatesAt(x, expStep(R * kStepsPerPoint)), mantissa, exponent);
    return fromR && candidatesRight(expCandidates(x), mantissa, exponent) &&
           sameLongDouble(roundedExp(x), mantissa, exponent);
}

TEST(RatingModel, OdhadIsTheFormulaWithTheExactlyRoundedExp) {
    std::vector<double> many;  // every argument, for the rating passes' way of taking them
    for (const auto& entry : kExactOdhad) many.push_back(std::bit_cast<double>(entry.R));
    replaceByOdhad(many);
    int wrong = 0;
    for (std::size_t n = 0; n < std::size(kExactOdhad); ++n) {
        const auto& [R, expected, mantissa, exponent] = kExactOdhad[n];
        const double argument = std::bit_cast<double>(R);
        const double result = ODHAD(argument);
        const bool right = std::bit_cast<std::uint64_t>(result) == expected &&
                           std::bit_cast<std::uint64_t>(many[n]) == expected && expRight(argument, mantissa, exponent);
        if (!right && ++wrong <= 10)
            ADD_FAILURE() << std::hexfloat << "ODHAD(" << argument << ") = " << result << ", exactly "
                          << std::bit_cast<double>(expected) << std::hex << ", exp 0x" << mantissa << " 0x" << exponent;
    }
    EXPECT_EQ(wrong, 0) << "of " << std::size(kExactOdhad) << " arguments";
}

// Where x*256/ln2 lies within rounding of a half step, the reduction taken from R and the one
// taken from x may choose neighbouring steps; either way the exp and ODHAD must come out
// exactly rounded.
TEST(RatingModel, ReductionStepsEitherSideOfAHalfStepAgree) {
    using namespace rating_model_detail;
    std::vector<double> arguments;
    for (int k = -16900; k <= 16900; k += 97) {
        double R = (k + 0.5) * (0.693147180559945309 / 256) / 0.0056619409183007261;
        for (int n = 0; n < 40; ++n) R = std::nextafter(R, -1e9);
        for (int n = 0; n < 80; ++n, R = std::nextafter(R, 1e9))
            if (std::fabs(R) < kFastRange) arguments.push_back(R);
    }
    std::vector<double> many = arguments;
    replaceByOdhad(many);
    int wrong = 0;
    for (std::size_t n = 0; n < arguments.size(); ++n) {
        const double R = arguments[n];
        const long double x = kLogisticSlope * R;
        const long double exact = roundedExp(x);
        const long double margin = static_cast<long double>(VAHA) * kMarginPerPoint * R / kScoreScale;
        const double expected = odhadFrom(exact, margin);
        const ExpStep fromR = expStep(R * kStepsPerPoint);
        const ExpStep fromX = expStep(static_cast<double>(x) * rounded_exp_detail::kStepsPerLn);
        for (const ExpStep step : {fromR, fromX}) {
            const ExpCandidates exp = expCandidatesAt(x, step);
            if (exp.nearest != exact && (exp.sure || exp.other != exact)) ++wrong;
        }
        if (ODHAD(R) != expected || many[n] != expected) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << "of " << arguments.size() << " arguments";
}

// The check must be made by the processor as it is set, not worked out by the compiler: the
// x87 unit at 53 bits, and rounding upwards, both fail it.
TEST(RatingModel, ArithmeticCheckSeesTheProcessorsSettings) {
    EXPECT_TRUE(ratingArithmeticExact());
    std::uint16_t saved = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(saved));
    const std::uint16_t doublePrecision = static_cast<std::uint16_t>((saved & ~0x300) | 0x200);
    __asm__ __volatile__("fldcw %0" : : "m"(doublePrecision));
    const bool at53Bits = ratingArithmeticExact();
    __asm__ __volatile__("fldcw %0" : : "m"(saved));
    EXPECT_FALSE(at53Bits);
    std::fesetround(FE_UPWARD);
    const bool upwards = ratingArithmeticExact();
    std::fesetround(FE_TONEAREST);
    EXPECT_FALSE(upwards);
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
