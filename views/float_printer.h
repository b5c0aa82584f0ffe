#pragma once
#include <cstdint>

// Decimal text of a single, double or extended value (4, 8 or 10 bytes): the
// stored value to about twenty significant digits, positional when that fits
// the budget, scientific otherwise; subnormals by integer arithmetic;
// infinities and NaNs as the words the float parser reads back.

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

// The printer's own facts of each float field's format, by the width.
struct PrinterFacts {
    int Width;  // 32, 64 or 80
    // The smallest normal value times 10^56, 10^326 or 10^4950, rounded to
    // an integer: scales a subnormal's significand to nineteen decimal digits.
    uint64_t SubnormalScale;
    // Exponent suffix of the subnormal form ("0." and nineteen digits stand
    // for R * 10^-19, that is value * 10^37, 10^307, 10^4931).
    const char* SubnormalSuffix;
    // Digits after the point in the scientific form; 0: no limit.
    int ScientificDigits;
};
extern const PrinterFacts FloatPrinterFacts[3];

// The float field's text limit and the budget every caller passes: the
// longest positional text the printer writes for a double, "1e27" as
// '1000000000000000013200000000', just fits.
constexpr int32_t FloatTextBudget = 28;

// Writes the text of the value and a NUL at out and returns the NUL's
// position. The floating-point control word is the caller's again on return.
// Length: at most max(budget, 27) characters for the sizes 4, 8 and 10, so at
// most FloatTextBudget with that budget (FloatTextBudget + 1 bytes); for any
// other size the message "PrintFloat - Invalid 'size' (N)", at most 33
// characters.
char* PrintFloat(char* out, const uint8_t* value, uint8_t size, int32_t budget);
