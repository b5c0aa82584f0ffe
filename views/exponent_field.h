#pragma once
#include <cstdint>

// The exponent field: the unbiased exponent of the width's float format as a
// signed decimal number. Zeros and subnormals show the all-zeros exponent
// (-127, -1023, -16383), infinities and NaNs the all-ones one (128, 1024,
// 16384). Both operations do nothing at widths without a float format.

// Writes the unbiased exponent (at most 6 characters).
void RenderExponent(int field);

// Reads at most 7 characters as a leading integer, biases it and writes the
// exponent bits; sign and significand stay. Out of range exponents are
// clamped to the nearer end and set ExponentError.
bool ParseExponent(int field);

// The leading integer of text as the C library's atoi reads it: leading
// white space, an optional sign, then digits up to the first other
// character; no digits gives 0. Magnitudes beyond 100000000 saturate there
// instead of overflowing.
int32_t ReadLeadingInteger(const char* text);
