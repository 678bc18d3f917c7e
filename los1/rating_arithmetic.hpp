// The arithmetic the ratings are computed in, as the running processor is set: long double at
// its full 64 bits on the x87 unit, every operation rounded to nearest. A program that computes
// ratings checks it first; the compiler's part is checked where the rating code is.
#pragma once

// True when the processor computes as the rating model needs. A driver or a library may have
// set the x87 unit to 53 or 24 bits, or another rounding: every rating would then differ in its
// last bits from every other computer's.
bool ratingArithmeticExact();

// The check above, first thing in los, poradi and stranky: without it, a message and exit
// code 1.
void requireRatingArithmetic();
