#pragma once
#include <cstdint>

// Integers wider than any native type, as little-endian byte strings of n
// bytes (byte 0 least significant) that the caller owns. The converter uses
// n up to 11 (products up to 22 bytes). Nothing here allocates or keeps
// state.

// dst <- (dst + src) mod 256^n; returns the carry out of the top byte.
// dst and src may be the same buffer.
int ByteAdd(uint8_t* dst, const uint8_t* src, int n);

// buf <- (0 - buf) mod 256^n: the two's-complement negation, in place.
void ByteNegate(uint8_t* buf, int n);

// product (2n bytes) <- a * b, exact. product must not overlap a or b.
void ByteMul(const uint8_t* a, const uint8_t* b, uint8_t* product, int n);

// quotient <- floor(dividend / divisor) mod 256^n and remainder <-
// dividend mod divisor, for a 2n-byte dividend and n-byte divisor; true when
// the full quotient needs more than n bytes. Outputs must not overlap inputs.
// A zero divisor gives an all-ones quotient, true, and the dividend's low n
// bytes as remainder. n is at most ByteDivModMaxBytes (asserted): a divisor
// of 2^32 or more is divided bit by bit in 7 limbs of 32 bits, which hold the
// 8n + 1 bits of the remainder up to n = 27.
constexpr int ByteDivModMaxBytes = (7 * 32 - 1) / 8;
bool ByteDivMod(const uint8_t* dividend, const uint8_t* divisor, uint8_t* quotient, uint8_t* remainder,
                int n);

// Shifts buf by count bits: towards the top for count > 0 (zeros enter),
// arithmetically towards the bottom for count < 0 (copies of the top bit
// enter).
void ShiftBytes(uint8_t* buf, int32_t count, int n);

// Returns floor(dividend / divisor) and writes dividend mod divisor; exact for
// every divisor (callers divide by 10 and 10^9). divisor must not be 0.
uint64_t DivMod64(uint64_t dividend, uint64_t divisor, uint64_t* remainder);

// product <- the low 64 bits of a * b; for non-negative operands, true when
// a * b is 2^63 or more (it no longer fits a signed 64-bit integer).
bool MulCheck64(uint64_t a, uint64_t b, uint64_t* product);

// |x|; the most negative value maps to itself.
int32_t AbsInt(int32_t x);
