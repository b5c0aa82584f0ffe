#pragma once
#include <cstdint>

// Exact unsigned binary integers of fixed capacity, the numerator and the
// denominator of the values the encoder rounds: a decimal text's digits, a
// power of five, and both shifted left so that their quotient has the bits of
// a significand. Plain arrays, no heap; every operation states its range.

// The largest numbers formed: a text's digits (at most 11,523 decimal digits,
// the readings' capacity: under 2^38,281; hexadecimal digits are cut to a
// few more than a significand's), or a power of five 5^k with k up to
// ExactIntMaxPowerOfFive (the digits, the smallest extended subnormal's
// decimal exponent 4,951 and a margin: under 2^38,403; log2 5 < 2.322),
// shifted left by at most 64 + 2 + 31 bits for the quotient's bits, the
// rounding bit and the divisor's normalisation, plus one limb for the
// division's extra top limb. An operation whose result would not fit is
// asserted.
constexpr int32_t ExactIntMaxPowerOfFive = 11523 + 4952 + 64;
constexpr int32_t ExactIntLimbs = (ExactIntMaxPowerOfFive * 2322 / 1000 + 1 + 64 + 2 + 31) / 32 + 2;

struct ExactInt {
    uint32_t Limb[ExactIntLimbs];  // little-endian
    int32_t Count;  // limbs in use; 0 for zero, never a zero top limb
};

void ExactSet(ExactInt* x, uint64_t value);

bool ExactIsZero(const ExactInt& x);

// The number of significant bits (0 for zero).
int32_t ExactBitLength(const ExactInt& x);

// x <- x * factor + addend for factor and addend below 2^32.
void ExactMulAddSmall(ExactInt* x, uint32_t factor, uint32_t addend);

// x <- x * 5^n, n >= 0.
void ExactMulPow5(ExactInt* x, int32_t n);

// x <- x * 2^n, n >= 0.
void ExactShiftLeft(ExactInt* x, int32_t n);

// -1, 0 or 1 as a < b, a == b, a > b.
int ExactCompare(const ExactInt& a, const ExactInt& b);

// x <- x - y for y <= x.
void ExactSub(ExactInt* x, const ExactInt& y);

// -1, 0 or 1 as a < b * 2^shift, equal, greater (shift >= 0).
int ExactCompareShifted(const ExactInt& a, const ExactInt& b, int32_t shift);

// quotient <- floor(dividend / divisor), remainder left in dividend, for a
// divisor whose top limb has its top bit set (normalised) and a quotient
// below 2^64 (asserted). Knuth's algorithm D: one pass over the divisor per
// 32-bit quotient digit.
uint64_t ExactDivSmallQuotient(ExactInt* dividend, const ExactInt& divisor);
