#pragma once
#include <cstdint>

// The exponent field: the unbiased exponent of the width's float format as a
// signed decimal number. Zeros and subnormals show the all-zeros exponent
// (-127, -1023, -16383), infinities and NaNs the all-ones one (128, 1024,
// 16384). Both operations do nothing at widths without a float format.

// Writes the unbiased exponent (at most 6 characters).
void RenderExponent(int field);

// Reads at most 7 characters as the C library's atoi reads them (leading
// white space, an optional sign, then digits up to the first other
// character; no digits gives 0), biases the number and writes the exponent
// bits; sign and significand stay. Out of range exponents are clamped to the
// nearer end and set ExponentError.
bool ParseExponent(int field);
