#pragma once
#include <cstdint>

#include "views/float_rounding.h"
#include "views/value_text.h"

// The exact value of a finite typed number, rounded to a binary precision:
// the text's digits and exponent become numerator / denominator * 2^scale
// (a decimal digit string d * 10^e is d * 5^e * 2^e), and the rounding step
// does the rest. The result's exponent is unbounded above; the caller
// decides overflow.

// Rounds the finite text (Kind Finite) in the mode. maxExponent: the
// format's largest finite value is below 2^(maxExponent + 1). A value far
// beyond it (at least 2^(maxExponent + 2)) or far below the smallest
// subnormal (under a quarter of it) is decided without its digits: it is
// replaced by a power of two of the same fate, so that huge written
// exponents cost nothing. Contract: the format's range lies within the
// extended format's (MinExponent - Precision >= -16446, maxExponent <=
// 16383), which the arithmetic's capacity covers.
RoundedValue RoundValueText(const ValueText& text, RoundingTarget target, int32_t maxExponent,
                            RoundingMode mode);

// The same, always by the exact arithmetic: the reference the short texts'
// fast path is held to.
RoundedValue RoundValueTextExact(const ValueText& text, RoundingTarget target, int32_t maxExponent,
                                 RoundingMode mode);
