// The processor's precision and rounding, tested by sums the compiler cannot work out itself.
#include "rating_arithmetic.hpp"

#include "run_error.hpp"

bool ratingArithmeticExact() {
    // volatile: the sums are made by the processor at run time, as it is set now.
    volatile long double one = 1, last = 0x1p-63L, quarter = 0x1p-65L, threeQuarters = 0x1.8p-64L;
    volatile double oneDouble = 1, quarterDouble = 0x1p-54, threeQuartersDouble = 0x1.8p-53;
    // 1 + 2^-63 is the long double after 1: lost at 53 or 24 bits.
    const bool fullPrecision = one + last != one;
    // A quarter of the last place goes down, three quarters go up: only rounding to nearest.
    const bool nearest = one + quarter == one && one + threeQuarters == one + last;
    const bool nearestDouble = oneDouble + quarterDouble == oneDouble &&
                               oneDouble + threeQuartersDouble == oneDouble + 0x1p-52;
    return fullPrecision && nearest && nearestDouble;
}

void requireRatingArithmetic() {
    if (!ratingArithmeticExact())
        stopWithMessage("Procesor nepocita s plnou presnosti, ratingy by nebyly spravne");
}
