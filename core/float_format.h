#pragma once
#include <cstdint>

// Every binary floating-point encoding the program reads: IEEE 754 single
// (32 bits), double (64) and x87 double-extended (80), the formats of the
// float fields, and IEEE 754 binary16 and bfloat16 for the readings. Their
// field positions, biases, the extended format's explicit integer bit, the
// unpacking into sign, exponent and significand, and the rules for zeros,
// subnormals, infinities and NaNs live here; every unit that needs one of
// them reads it here.
//
// The sign and the exponent always share the value's top 16-bit word: the
// sign is its bit 15 and the exponent ends right below it. The fraction
// starts at bit 0.
struct FloatFormat {
    int Width;  // 16, 32, 64 or 80
    int Bytes;  // 2, 4, 8 or 10
    int SignByte;  // the byte holding the sign bit (its bit 7): 1, 3, 7 or 9
    int TopWord;  // index of the low byte of the top 16-bit word
    int ExponentShift;  // position of the exponent's lowest bit in that word
    uint16_t ExponentMax;  // the all-ones exponent field: 0x1F, 0xFF, 0x7FF or 0x7FFF
    int32_t Bias;  // 15, 127, 1023 or 16383
    // Stored fraction bits below the integer bit: 10, 7, 23, 52 or 63. At 80
    // bits the integer bit is stored above them (bit 63); elsewhere it is
    // hidden, 1 exactly when the exponent field is not zero.
    int FractionBits;
    bool ExplicitIntegerBit;
    // The float printer's facts (zero for binary16 and bfloat16, which it does
    // not print). The smallest normal value times 10^56, 10^326 or 10^4950,
    // rounded to an integer: scales a subnormal's significand to nineteen
    // decimal digits.
    uint64_t SubnormalScale;
    // Exponent suffix of the printer's subnormal form ("0." and nineteen
    // digits stand for R * 10^-19, that is value * 10^37, 10^307, 10^4931).
    const char* SubnormalSuffix;
    // Digits after the point in the printer's scientific form; 0: no limit.
    int ScientificDigits;
};

extern const FloatFormat HalfFormat;  // IEEE 754 binary16
extern const FloatFormat Bfloat16Format;  // the top half of a single
extern const FloatFormat SingleFormat;
extern const FloatFormat DoubleFormat;
extern const FloatFormat ExtendedFormat;

// The float fields' format of a width (single, double, extended), or null
// for a width without one (8, 16).
const FloatFormat* FloatFormatOf(int32_t width);

// The extended format's explicit integer bit and quiet bit within its 64-bit
// significand. Every unpacked significand below keeps the integer bit at bit
// 63 and a NaN's quiet bit at bit 62, whatever the format.
constexpr uint64_t ExtendedIntegerBit = 0x8000000000000000u;
constexpr uint64_t ExtendedQuietBit = 0x4000000000000000u;

// ---- The fields of a value (format.Bytes bytes, little-endian) ----

bool ReadSignBit(const FloatFormat& format, const uint8_t* value);
void WriteSignBit(const FloatFormat& format, uint8_t* value, bool negative);

// The biased exponent field.
uint16_t ReadBiasedExponent(const FloatFormat& format, const uint8_t* value);
// Replaces the exponent field (exponent <= ExponentMax); sign and fraction stay.
void WriteBiasedExponent(const FloatFormat& format, uint8_t* value, uint16_t exponent);

// Fraction bits 0 to FractionBits - 1.
uint64_t ReadFraction(const FloatFormat& format, const uint8_t* value);
// Replaces the fraction bits by the low FractionBits bits of fraction; every
// other bit of the value stays (the integer bit at 80 bits included).
void WriteFraction(const FloatFormat& format, uint8_t* value, uint64_t fraction);

// The integer bit: stored at 80 bits, else the exponent field is not zero.
bool ReadIntegerBit(const FloatFormat& format, const uint8_t* value);

// ---- Unpacking ----

// A value in a format-independent form.
struct UnpackedFloat {
    bool negative;
    // Exponent field minus the bias: all zeros gives -Bias (-127, -1023,
    // -16383), all ones Bias + 1 (128, 1024, 16384).
    int32_t exponent;
    // The integer bit (stored or hidden) at bit 63 and the fraction below it.
    // With the exponent field all ones and a hidden integer bit: the quiet
    // bit at bit 62 and the rest of the payload in the low bits, as the
    // extended format holds them.
    uint64_t significand;
};

UnpackedFloat UnpackFloat(const FloatFormat& format, const uint8_t* value);

// ---- Classification ----

// What an encoding is. The sign does not change it (-0 is a Zero). The last
// four exist only in the extended format: the encodings whose integer bit
// disagrees with the exponent field, which the x87 refuses as operands.
enum class EncodingClass : uint8_t {
    Zero,
    Subnormal,
    Normal,
    Infinity,
    QuietNaN,  // quiet bit set, payload not empty
    SignallingNaN,  // quiet bit clear, payload not empty
    Indefinite,  // quiet bit set, payload empty (the float field's "1.IND")
    PseudoDenormal,  // exponent field 0, integer bit 1
    Unnormal,  // exponent field 1 to 32766, integer bit 0
    PseudoInfinity,  // exponent field all ones, integer bit 0, fraction 0
    PseudoNaN,  // exponent field all ones, integer bit 0, fraction not 0
};

EncodingClass ClassifyEncoding(const FloatFormat& format, const uint8_t* value);

// "zero", "subnormal", "normal", "infinity", "quiet NaN", "signalling NaN",
// "indefinite", "pseudo-denormal", "unnormal", "pseudo-infinity", "pseudo-NaN".
const char* EncodingClassName(EncodingClass encoding);

// Infinities and NaNs: the exponent field all ones with a valid integer bit.
bool IsInfinityOrNaN(EncodingClass encoding);

// The extended encodings the x87 refuses (pseudo-denormal to pseudo-NaN).
bool IsRefusedEncoding(EncodingClass encoding);

// ---- Narrowing of infinities and NaNs ----

// Moves an extended infinity or NaN in value (10 bytes) into the format of
// width 32 or 64, in place: sign, quiet bit and payload. A payload that does
// not fit the narrower fraction zeroes the width's bytes and returns true.
// At width 80 it changes nothing and returns false. Bytes above the width
// stay as they were.
bool NarrowSpecial(uint8_t* value, int32_t width);
