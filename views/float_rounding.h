#pragma once
#include <cstdint>

#include "views/exact_rational.h"

// Rounding an exact positive rational to a binary floating-point precision,
// the one step every entered value goes through (and any arithmetic on
// exact operands can reuse). The exponent is unbounded above: what counts as
// overflow, and what it gives, is the format's convention and the caller's.

enum class RoundingMode : uint8_t {
    Even,  // to nearest, ties to the even significand (the default)
    Away,  // to nearest, ties away from zero
    Zero,  // toward zero
    Up,  // toward +infinity
    Down,  // toward -infinity
};

// "even", "away", "zero", "up", "down".
const char* RoundingModeName(RoundingMode mode);
// The mode of a name above; false for any other text.
bool RoundingModeByName(const char* name, RoundingMode* mode);

struct RoundingTarget {
    int32_t Precision;  // significand bits with the leading one, 1 to 64
    int32_t MinExponent;  // the smallest normal value is 2^MinExponent
};

struct RoundedValue {
    // value = Significand * 2^Exponent. A normal result has Precision bits;
    // below 2^MinExponent the exponent is MinExponent - Precision + 1 (the
    // subnormal spacing) and the significand shorter, 0 for a zero.
    uint64_t Significand;
    int32_t Exponent;
    bool Inexact;
    // The value rounded to Precision bits with no lower exponent bound is
    // below 2^MinExponent: IEEE 754's tininess after rounding.
    bool Tiny;
};

// Whether a magnitude with the given last kept bit (odd), the remainder's
// comparison with half a unit (-1 below, 0 at, 1 above) and a nonzero
// remainder (sticky) goes up one unit in this mode; negative: the value's
// sign.
bool RoundsUp(RoundingMode mode, bool negative, bool odd, int half, bool sticky);

// Rounds v = numerator / denominator * 2^scale (a zero numerator gives an
// exact zero; the denominator is not zero) to the target in the mode;
// negative gives the direction of Up and Down. Both numbers are overwritten
// (the division's workspace). Contract: the shifted numbers stay within
// ExactInt's capacity (asserted), which holds when v lies between
// 2^(MinExponent - Precision - 2) and about 2^16400 and the numbers are no
// longer than the capacity's comment allows.
RoundedValue RoundRational(ExactInt* numerator, ExactInt* denominator, int32_t scale, bool negative,
                           RoundingTarget target, RoundingMode mode);
