#pragma once
#include <cstdint>

#include "core/float_format.h"

// Reads and writes the sign, exponent and fraction fields of a value in
// one of the floating-point formats (4, 8 or 10 bytes, little-endian).

// The biased exponent field of value.
uint16_t ReadBiasedExponent(const FloatFormat& layout, const uint8_t* value);

// Replaces the exponent field (exponent <= ExponentMax); sign and fraction stay.
void WriteBiasedExponent(const FloatFormat& layout, uint8_t* value, uint16_t exponent);

// Fraction bits 0 to FractionBits - 1 of value.
uint64_t ReadFraction(const FloatFormat& layout, const uint8_t* value);

// Replaces the fraction bits by the low FractionBits bits of fraction; every
// other bit of the value stays (the integer bit at 80 bits included).
void WriteFraction(const FloatFormat& layout, uint8_t* value, uint64_t fraction);
