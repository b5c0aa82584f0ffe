#pragma once
#include <cstdint>

// The facts of the three floating-point formats the value can be read in:
// IEEE 754 single (32 bits), double (64) and x87 double-extended (80). Every
// unit that needs one of them reads it here.
//
// The sign and the exponent always share the value's top 16-bit word: the
// sign is its bit 15 and the exponent ends right below it.
struct FloatFormat {
    int Width;  // 32, 64 or 80
    int Bytes;  // 4, 8 or 10
    int SignByte;  // the byte holding the sign bit (its bit 7): 3, 7 or 9
    int TopWord;  // index of the low byte of the top 16-bit word
    int ExponentShift;  // position of the exponent's lowest bit in that word
    uint16_t ExponentMax;  // the all-ones exponent: 0xFF, 0x7FF or 0x7FFF
    int32_t Bias;  // 127, 1023 or 16383
    int FractionBits;  // 23, 52 or 63 (at 80 bits the bits below the integer bit)
    // The smallest normal value times 10^56, 10^326 or 10^4950, rounded to an
    // integer: scales a subnormal's significand to nineteen decimal digits.
    uint64_t SubnormalScale;
    // Exponent suffix of the printer's subnormal form ("0." and nineteen
    // digits stand for R * 10^-19, that is value * 10^37, 10^307, 10^4931).
    const char* SubnormalSuffix;
    // Digits after the point in the printer's scientific form; 0: no limit.
    int ScientificDigits;
};

// The format of a width, or null for a width without one (8, 16).
const FloatFormat* FloatFormatOf(int32_t width);

// The format of a value of 4, 8 or 10 bytes, or null for another size.
const FloatFormat* FloatFormatOfSize(int bytes);
