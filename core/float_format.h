#pragma once
#include <cstdint>

// Every binary floating-point encoding the program reads, as one descriptor
// of a few defining numbers: whether there is a sign bit, the exponent and
// fraction widths, the x87's explicit integer bit, the bias, what the
// extreme encodings mean, and the padding below the format. Every mask,
// position and limit is derived from them by the constexpr functions below;
// the unpacking into sign, exponent and significand and the rules for zeros,
// subnormals, infinities and NaNs follow from them for every format alike.
//
// A format occupies the low bits of a width: from the bottom, its padding
// (bits that are not part of it), the fraction, the x87's integer bit, the
// exponent and the sign. The value pointers below point at byte 0 of that
// width; bits above the format are neither read nor written.

// What the all-ones exponent, the negative zero and the like stand for.
enum class SpecialValues : uint8_t {
    // The exponent all ones is an infinity with a zero fraction, else a NaN
    // whose quiet bit is the fraction's top bit, the payload below it.
    Ieee,
    // No infinity. From 8 bits on, the one encoding with the exponent and
    // the fraction all ones (either sign) is a NaN; narrower formats have no
    // NaN, every encoding is a number.
    Fn,
    // No infinity and no negative zero: sign 1 with every other bit 0 is the
    // one NaN. The default bias is one higher than the IEEE one.
    Fnuz,
    // The x87 double-extended format: as Ieee, with the integer bit stored;
    // the encodings whose integer bit disagrees with the exponent are
    // refused, a quiet NaN with an empty payload is the indefinite.
    X87,
};

// "e15m63b32767fnuz" and its NUL, the longest name, fit with room to spare.
constexpr int FormatNameCapacity = 20;

struct FloatFormat {
    char Name[FormatNameCapacity] = {};  // canonical, lower case
    bool HasSign = true;
    int ExponentBits = 0;  // X: 2 to 15
    int FractionBits = 0;  // Y: stored fraction bits below the integer bit, 1 to 63
    bool ExplicitIntegerBit = false;  // stored above the fraction (x87 only)
    int32_t Bias = 0;
    SpecialValues Specials = SpecialValues::Ieee;
    int PaddingBits = 0;  // low bits of the span that are not the format's
};

// ---- Derived facts ----

constexpr int SignBits(const FloatFormat& f)
{
    return f.HasSign ? 1 : 0;
}

// The format's own bits, without the padding.
constexpr int FormatBits(const FloatFormat& f)
{
    return SignBits(f) + f.ExponentBits + (f.ExplicitIntegerBit ? 1 : 0) + f.FractionBits;
}

// The bits the format spans from bit 0: its padding and its own bits.
constexpr int SpanBits(const FloatFormat& f)
{
    return f.PaddingBits + FormatBits(f);
}

constexpr int FractionPosition(const FloatFormat& f)
{
    return f.PaddingBits;
}

// The stored integer bit's position (x87); the hidden one's place elsewhere.
constexpr int IntegerBitPosition(const FloatFormat& f)
{
    return f.PaddingBits + f.FractionBits;
}

constexpr int ExponentPosition(const FloatFormat& f)
{
    return IntegerBitPosition(f) + (f.ExplicitIntegerBit ? 1 : 0);
}

constexpr int SignPosition(const FloatFormat& f)
{
    return ExponentPosition(f) + f.ExponentBits;
}

// The exponent field all ones.
constexpr uint16_t AllOnesExponent(const FloatFormat& f)
{
    return static_cast<uint16_t>((1u << f.ExponentBits) - 1);
}

constexpr uint64_t FractionMask(const FloatFormat& f)
{
    return (uint64_t{1} << f.FractionBits) - 1;
}

// A NaN's quiet bit within the fraction (Ieee and X87).
constexpr uint64_t QuietBitOf(const FloatFormat& f)
{
    return uint64_t{1} << (f.FractionBits - 1);
}

// Significant bits, the integer bit included.
constexpr int Precision(const FloatFormat& f)
{
    return f.FractionBits + 1;
}

constexpr bool HasInfinity(const FloatFormat& f)
{
    return f.Specials == SpecialValues::Ieee || f.Specials == SpecialValues::X87;
}

constexpr bool HasNaN(const FloatFormat& f)
{
    return f.Specials != SpecialValues::Fn || FormatBits(f) >= 8;
}

constexpr bool HasNegativeZero(const FloatFormat& f)
{
    return f.HasSign && f.Specials != SpecialValues::Fnuz;
}

// The largest exponent field of a finite value.
constexpr uint16_t LargestFiniteField(const FloatFormat& f)
{
    return static_cast<uint16_t>(HasInfinity(f) ? AllOnesExponent(f) - 1 : AllOnesExponent(f));
}

// The largest finite value's stored fraction (X87: below the integer bit).
constexpr uint64_t LargestFiniteFraction(const FloatFormat& f)
{
    return f.Specials == SpecialValues::Fn && HasNaN(f) ? FractionMask(f) - 1 : FractionMask(f);
}

// Unbiased exponents of the smallest and the largest normal binades.
constexpr int32_t SmallestNormalExponent(const FloatFormat& f)
{
    return 1 - f.Bias;
}

constexpr int32_t LargestFiniteExponent(const FloatFormat& f)
{
    return LargestFiniteField(f) - f.Bias;
}

// The smallest subnormal is 2^SmallestSubnormalExponent.
constexpr int32_t SmallestSubnormalExponent(const FloatFormat& f)
{
    return SmallestNormalExponent(f) - f.FractionBits;
}

// The bias a layout gets unless it names one: 2^(X-1) - 1, or 2^(X-1) for Fnuz.
constexpr int32_t DefaultBias(int exponentBits, SpecialValues specials)
{
    return (1 << (exponentBits - 1)) - (specials == SpecialValues::Fnuz ? 0 : 1);
}

// The narrowest of the widths 8, 16, 32, 64 and 80 that holds the format and
// its padding; 0 when none does.
constexpr int WidthHolding(const FloatFormat& f)
{
    constexpr int Widths[] = {8, 16, 32, 64, 80};
    for (int width : Widths) {
        if (SpanBits(f) <= width)
            return width;
    }
    return 0;
}

// Whether two descriptors are the same format: every defining number and
// the name alike.
bool SameFormat(const FloatFormat& a, const FloatFormat& b);

// ---- The significand ----

// The extended format's explicit integer bit and quiet bit within its 64-bit
// significand. Every unpacked significand below keeps the integer bit at bit
// 63 and a NaN's quiet bit at bit 62, whatever the format.
constexpr uint64_t ExtendedIntegerBit = 0x8000000000000000u;
constexpr uint64_t ExtendedQuietBit = 0x4000000000000000u;

// ---- The fields of a value ----

// False for a format without a sign bit; writing its sign changes nothing.
bool ReadSignBit(const FloatFormat& format, const uint8_t* value);
void WriteSignBit(const FloatFormat& format, uint8_t* value, bool negative);

// The biased exponent field.
uint16_t ReadBiasedExponent(const FloatFormat& format, const uint8_t* value);
// Replaces the exponent field (exponent <= AllOnesExponent); every other
// bit stays.
void WriteBiasedExponent(const FloatFormat& format, uint8_t* value, uint16_t exponent);

// The stored fraction bits.
uint64_t ReadFraction(const FloatFormat& format, const uint8_t* value);
// Replaces the fraction bits by the low FractionBits bits of fraction; every
// other bit of the value stays (the x87's integer bit included).
void WriteFraction(const FloatFormat& format, uint8_t* value, uint64_t fraction);

// The integer bit: stored in the x87 format, else the exponent field is not zero.
bool ReadIntegerBit(const FloatFormat& format, const uint8_t* value);
// Sets or clears a stored integer bit; nothing for a hidden one.
void WriteIntegerBit(const FloatFormat& format, uint8_t* value, bool one);

// ---- Unpacking ----

// A value in a format-independent form.
struct UnpackedFloat {
    bool negative;
    // Exponent field minus the bias: all zeros gives -Bias (-127, -1023,
    // -16383), all ones AllOnesExponent - Bias (128, 1024, 16384).
    int32_t exponent;
    // The integer bit (stored or hidden) at bit 63 and the fraction below it.
    // With the exponent field all ones in an Ieee format: the quiet bit at
    // bit 62 and the rest of the payload in the low bits, as the extended
    // format holds them. Fn and Fnuz encodings unpack as numbers, their NaN
    // included.
    uint64_t significand;
};

UnpackedFloat UnpackFloat(const FloatFormat& format, const uint8_t* value);

// ---- Classification ----

// What an encoding is. The sign does not change it (-0 is a Zero). The last
// four exist only in the x87 format: the encodings whose integer bit
// disagrees with the exponent field, which the x87 refuses as operands.
enum class EncodingClass : uint8_t {
    Zero,
    Subnormal,
    Normal,
    Infinity,
    QuietNaN,  // quiet bit set, payload not empty
    SignallingNaN,  // quiet bit clear, payload not empty
    Indefinite,  // quiet bit set, payload empty (the float field's "1.IND")
    NaN,  // the one NaN of an Fn or Fnuz format
    PseudoDenormal,  // exponent field 0, integer bit 1
    Unnormal,  // exponent field 1 to 32766, integer bit 0
    PseudoInfinity,  // exponent field all ones, integer bit 0, fraction 0
    PseudoNaN,  // exponent field all ones, integer bit 0, fraction not 0
};

EncodingClass ClassifyEncoding(const FloatFormat& format, const uint8_t* value);

// "zero", "subnormal", "normal", "infinity", "quiet NaN", "signalling NaN",
// "indefinite", "NaN", "pseudo-denormal", "unnormal", "pseudo-infinity",
// "pseudo-NaN".
const char* EncodingClassName(EncodingClass encoding);

// Infinities and NaNs: the exponent field all ones with a valid integer bit
// in the Ieee and X87 formats, and the NaN of the others.
bool IsInfinityOrNaN(EncodingClass encoding);

// The x87 encodings the x87 refuses (pseudo-denormal to pseudo-NaN).
bool IsRefusedEncoding(EncodingClass encoding);
