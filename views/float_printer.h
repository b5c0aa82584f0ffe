#pragma once
#include <cstdint>

// Decimal text of a single, double or extended value (4, 8 or 10 bytes): the
// stored value to about twenty significant digits, positional when that fits
// the budget, scientific otherwise; subnormals by integer arithmetic;
// infinities and NaNs as the words the float parser reads back.

enum class FloatClass : uint8_t {
    Zero,  // sizes 4 and 8: +0 and -0; size 10: +0 only
    Subnormal,  // exponent field all zeros (and the extended -0)
    Normal,
    Special,  // exponent field all ones: infinity, indefinite, NaNs
    Invalid,  // extended encodings the x87 does not allow
};

// The value in a size-independent form.
struct UnpackedFloat {
    bool negative;
    // Exponent field minus the bias (127, 1023, 16383): all zeros gives
    // -127, -1023 or -16383, all ones 128, 1024 or 16384.
    int32_t exponent;
    // Integer bit at bit 63 for every size. For sizes 4 and 8 with the
    // exponent field all ones: the quiet bit at bit 62 and the rest of the
    // payload in the low bits.
    uint64_t significand;
    FloatClass floatClass;
};

// value: size bytes, little-endian; size must be 4, 8 or 10.
UnpackedFloat UnpackFloat(const uint8_t* value, uint8_t size);

// The smallest normal value of the format of the given size (4, 8, 10) times
// 10^56, 10^326 or 10^4950, rounded to an integer: scales a subnormal's
// significand to nineteen decimal digits (1175494350822287508,
// 2225073858507201383, 3362103143112093506).
uint64_t SubnormalScale(uint8_t size);

// The integer part of 10^4932 / 2^16324 (969060253600051052): brings the
// smallest extended exponents up to where the scaling powers of ten stay
// normal.
constexpr int64_t TinyScale = 0x0D72CB2A95C7EF6C;

// Step 7 of the printer for a normal value, the magnitude significand *
// 2^(exponent - 63) with the integer bit set and exponent -16382..16383 (any
// normal value of the three formats): D = floor(log10 x) as the x87 logarithm
// finds it, N = floor(x / Pow10(D - 17)) and G = floor(100 * (that quotient -
// N)), with x first pre-scaled by TinyScale * 2^16324 for exponents up to
// -16324 (and D then lowered by 4932). N has 18 digits, or 17 or 19 where the
// logarithm lands on the other side of an integer than log10 x. Each sets the
// control word it needs and restores the caller's.
struct ScaledDecimal {
    int64_t Digits;  // N
    int32_t Extra;  // G, 0..99
    int32_t Exponent;  // D
};
// D by the logarithm itself, every time.
ScaledDecimal ScaleByLogarithm(uint64_t significand, int32_t exponent);
// The same result; D from the binary exponent where that is provably the
// logarithm's, the logarithm only within a margin of a power of ten.
ScaledDecimal ScaleToDecimal(uint64_t significand, int32_t exponent);

// Writes the text of the value and a NUL at out and returns the NUL's
// position. The floating-point control word is the caller's again on return.
// Length: at most max(budget, 27) characters for the sizes 4, 8 and 10, so at
// most 28 with the float view's budget of 28 (a 29-byte buffer); for any other
// size the message "PrintFloat - Invalid 'size' (N)", at most 33 characters.
char* PrintFloat(char* out, const uint8_t* value, uint8_t size, int32_t budget);
