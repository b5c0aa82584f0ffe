#pragma once
#include <cstdint>

// Exact unsigned integers in base 10^9 for the readings: a float value
// m * 2^q is m * 2^q itself for q >= 0 and m * 5^-q scaled by 10^q for q < 0,
// so its every decimal digit comes out of one of these without division.

// 1284 limbs of nine digits (11,556 digits): the largest number the readings
// form is about 2^67 * 5^16447 (the extended format's smallest subnormal
// spacing, 2^-16445, a quarter of it for the rounding interval, times a
// 64-bit significand scaled by four plus two), which has 11,516 digits.
// Contract of every operation below: its result stays below 10^(9 * 1284);
// a carry past the last limb is asserted, not kept.
constexpr int DecimalBigLimbs = 1284;
constexpr uint32_t DecimalBigBase = 1000000000;

struct DecimalBig {
    uint32_t Limb[DecimalBigLimbs];  // little-endian, each below 10^9
    int32_t Count;  // limbs in use; 0 for zero, never a zero top limb
};

void BigSet(DecimalBig* big, uint64_t value);

// dst <- src, the limbs in use only (a whole copy moves 5 KB).
void BigCopy(DecimalBig* dst, const DecimalBig& src);

// big <- big * factor for factor <= 2^32 (a limb times it, plus a carry,
// stays below 2^64).
void BigMulSmall(DecimalBig* big, uint64_t factor);

// big <- big * 2^n and big * 5^n, n >= 0.
void BigMulPow2(DecimalBig* big, int32_t n);
void BigMulPow5(DecimalBig* big, int32_t n);

// Bounds on base^n (base 2 or 5, n >= 1) to about 40 significant digits:
// big * 10^(9 * shift) <= base^n when upper is false, >= base^n when it is
// true; returns shift. Formed by squaring with the low limbs cut after every
// step (the upper bound adds one to what it keeps), so it costs a few
// hundred limb products whatever n.
int32_t BigPowerBound(DecimalBig* big, uint32_t base, int32_t n, bool upper);

// big <- big * value for any 64-bit value; scratch is overwritten.
void BigMul64(DecimalBig* big, uint64_t value, DecimalBig* scratch);

// dst <- dst + src, and dst <- dst - src for src <= dst.
void BigAdd(DecimalBig* dst, const DecimalBig& src);
void BigSub(DecimalBig* dst, const DecimalBig& src);

// The number of decimal digits (1 for zero).
int32_t BigDigitCount(const DecimalBig& big);

// The digit of weight 10^position (0 beyond the number).
int BigDigitAt(const DecimalBig& big, int32_t position);
