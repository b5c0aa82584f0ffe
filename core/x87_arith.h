#pragma once
#include <cstdint>

// The processor's x87 double-extended arithmetic and its control word live
// behind this interface (the narrowing stores of core/x87_narrow are the only
// other x87 instructions of the program). Everything outside treats an 80-bit
// value as its image: a 64-bit significand with the integer bit at bit 63,
// and a 16-bit word holding the sign (bit 15) and the exponent biased by
// 16383 (bits 0-14).
struct Extended80 {
    uint64_t Significand;
    uint16_t SignExponent;
};

// Sets the x87 control word to a 64-bit significand and rounding to
// nearest-even, keeping the other bits (the exception masks); returns the
// caller's word for X87RestoreControl.
uint16_t X87EnterExtendedNearest();
void X87RestoreControl(uint16_t saved);
uint16_t X87ReadControl();

// Arithmetic under the control word in force; each result rounded once.
Extended80 X87Multiply(Extended80 a, Extended80 b);
Extended80 X87Divide(Extended80 a, Extended80 b);
Extended80 X87Subtract(Extended80 a, Extended80 b);
Extended80 X87FromUnsigned64(uint64_t value);  // exact for every value

// log10(x) as the unit computes it: its constant log10(2), rounded under the
// control word, times log2(x), rounded once. Meant for finite x > 0.
Extended80 X87Log10(Extended80 x);

// floor(x) as an integer: rounds toward minus infinity for the conversion
// only and puts the caller's rounding back. x must fit the result type; a
// value that does not gives the most negative integer (the x87's
// "indefinite").
int32_t X87FloorToInt32(Extended80 x);
int64_t X87FloorToInt64(Extended80 x);

// The 10-byte little-endian image (bytes 0-7 significand, 8-9 sign and
// exponent) and back.
Extended80 X87LoadBytes(const uint8_t* bytes);
void X87StoreBytes(Extended80 value, uint8_t* bytes);
