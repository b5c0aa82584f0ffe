#pragma once
#include <cstdint>

// Reads a decimal number with an optional exponent ("-12.5e-3"), or one of
// the special words the float printer writes ("1.INF", "1.IND", "1.QNaN#p",
// "1.SNaN#p", letter case ignored, optional leading '-'), into an x87
// double-extended value (10 bytes, little-endian). The mantissa digits are
// gathered in a 64-bit integer (digits beyond 2^63 - 1 are dropped), which is
// multiplied once by Pow10 of the decimal exponent, so the result is not
// always the correctly rounded one. Too large values become infinity,
// too small ones subnormals or zero. Exponents (written or combined) beyond
// MaxDecimalExponent in either direction are errors.
// Returns true on error, and then out is all zero (+0.0). Restores the x87
// control word; touches nothing but out.
bool ParseFloat(const char* text, uint8_t* out);

// The largest decimal exponent ParseFloat takes, written or combined.
constexpr int32_t MaxDecimalExponent = 4932;
