#pragma once
#include <cstdint>

#include "views/float_rounding.h"

// The short texts' fast path: a decimal significand of up to 38 digits
// (below 2^127) times 10^e, multiplied by a 128-bit approximation of 10^e
// (the product exact in 256 bits), rounded where
// the approximation's error provably cannot cross a rounding decision; the
// exact path takes every other case. Results are identical to the exact
// path's.

// The most digits the fast path takes: 10^38 < 2^127.
constexpr int32_t ShortDecimalMaxDigits = 38;

// The powers of ten the table holds: every one a value of up to 38 digits
// needs to reach a normal extended value (2^-16382 to 2^16384).
constexpr int32_t ShortDecimalMinPower = -4990;
constexpr int32_t ShortDecimalMaxPower = 4934;

// 10^q as Mantissa * 2^Shift with 2^127 <= Mantissa < 2^128 (High, Low
// words): floor(10^q / 2^Shift), and Exact when that is 10^q itself.
struct Pow10Approximation {
    uint64_t High;
    uint64_t Low;
    int32_t Shift;
    bool Exact;
};

// The entry for 10^q, ShortDecimalMinPower <= q <= ShortDecimalMaxPower.
// The table is formed once, on first use, with the exact arithmetic.
Pow10Approximation ShortDecimalPow10(int32_t q);

// Rounds digits * 10^exponent (digits = digitsHigh * 2^64 + digitsLow, not
// zero, below 2^127) to the target in the mode,
// as RoundRational would. Returns false, result untouched, when the
// approximation cannot decide, the power lies outside the table, the value
// lies in the binade just below 2^MinExponent (whose tininess depends on
// rounding at full precision) or below about twice the smallest subnormal
// (2^(MinExponent - p + 1)).
bool RoundShortDecimal(uint64_t digitsHigh, uint64_t digitsLow, int64_t exponent, bool negative,
                       RoundingTarget target, RoundingMode mode, RoundedValue* result);
