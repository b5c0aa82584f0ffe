#pragma once
#include <cstdint>

// Where the sign, exponent and fraction of the width's floating-point format
// lie in a value of 4, 8 or 10 bytes. The sign and the exponent always share
// the value's top 16-bit word: the sign is its bit 15 and the exponent ends
// right below it.
struct FloatLayout {
    int Width;  // 32, 64 or 80
    int Bytes;  // 4, 8 or 10
    int TopWord;  // index of the low byte of the top 16-bit word
    int ExponentShift;  // position of the exponent's lowest bit in that word
    uint16_t ExponentMax;  // the all-ones exponent: 0xFF, 0x7FF or 0x7FFF
    int32_t Bias;  // 127, 1023 or 16383
    int FractionBits;  // 23, 52 or 63 (at 80 bits the bits below the integer bit)
};

// The layout of a width, or null for a width without a float format (8, 16).
const FloatLayout* FloatLayoutOf(int32_t width);

// The biased exponent field of value.
uint16_t ReadBiasedExponent(const FloatLayout& layout, const uint8_t* value);

// Replaces the exponent field (exponent <= ExponentMax); sign and fraction stay.
void WriteBiasedExponent(const FloatLayout& layout, uint8_t* value, uint16_t exponent);

// Fraction bits 0 to FractionBits - 1 of value.
uint64_t ReadFraction(const FloatLayout& layout, const uint8_t* value);

// Replaces the fraction bits by the low FractionBits bits of fraction; every
// other bit of the value stays (the integer bit at 80 bits included).
void WriteFraction(const FloatLayout& layout, uint8_t* value, uint64_t fraction);

// Little-endian load and store of n bytes (n <= 8) as an unsigned integer.
uint64_t LoadLittle(const uint8_t* bytes, int n);
void StoreLittle(uint8_t* bytes, uint64_t value, int n);
