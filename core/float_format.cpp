#include "core/float_format.h"

#include "core/little_endian.h"

// Each row: width, bytes, sign byte, top word, exponent shift, all-ones
// exponent, bias, fraction bits, explicit integer bit; then the printer's
// subnormal scale, subnormal suffix and scientific digits.
const FloatFormat HalfFormat{16, 2, 1, 0, 10, 0x1F, 15, 10, false, 0, "", 0};
const FloatFormat Bfloat16Format{16, 2, 1, 0, 7, 0xFF, 127, 7, false, 0, "", 0};
// Subnormal scale 2^-126 * 10^56.
const FloatFormat SingleFormat{32, 4, 3, 2, 7, 0xFF, 127, 23, false, 0x105031E2503DA894u, "e-37", 7};
// Subnormal scale 2^-1022 * 10^326.
const FloatFormat DoubleFormat{64, 8, 7, 6, 4, 0x7FF, 1023, 52, false, 0x1EE10CE2A7545B67u, "e-307", 16};
// Subnormal scale 2^-16382 * 10^4950.
const FloatFormat ExtendedFormat{80, 10, 9, 8, 0, 0x7FFF, 16383, 63, true, 0x2EA896FED76BAF42u, "e-4931", 0};

const FloatFormat* FloatFormatOf(int32_t width)
{
    switch (width) {
    case 32: return &SingleFormat;
    case 64: return &DoubleFormat;
    case 80: return &ExtendedFormat;
    default: return nullptr;
    }
}

namespace {

// The fraction lies in the low 8 bytes at every width (in all of them below 64 bits).
int FractionBytes(const FloatFormat& format)
{
    return format.Bytes < 8 ? format.Bytes : 8;
}

uint64_t FractionMask(const FloatFormat& format)
{
    return (uint64_t{1} << format.FractionBits) - 1;
}

}  // namespace

bool ReadSignBit(const FloatFormat& format, const uint8_t* value)
{
    return (value[format.SignByte] & 0x80) != 0;
}

void WriteSignBit(const FloatFormat& format, uint8_t* value, bool negative)
{
    uint8_t& top = value[format.SignByte];
    top = static_cast<uint8_t>(negative ? (top | 0x80) : (top & 0x7F));
}

uint16_t ReadBiasedExponent(const FloatFormat& format, const uint8_t* value)
{
    uint64_t word = LoadLittle(value + format.TopWord, 2);
    return static_cast<uint16_t>((word >> format.ExponentShift) & format.ExponentMax);
}

void WriteBiasedExponent(const FloatFormat& format, uint8_t* value, uint16_t exponent)
{
    uint64_t mask = uint64_t{format.ExponentMax} << format.ExponentShift;
    uint64_t word = LoadLittle(value + format.TopWord, 2);
    word = (word & ~mask) | ((uint64_t{exponent} << format.ExponentShift) & mask);
    StoreLittle(value + format.TopWord, word, 2);
}

uint64_t ReadFraction(const FloatFormat& format, const uint8_t* value)
{
    return LoadLittle(value, FractionBytes(format)) & FractionMask(format);
}

void WriteFraction(const FloatFormat& format, uint8_t* value, uint64_t fraction)
{
    uint64_t mask = FractionMask(format);
    int n = FractionBytes(format);
    uint64_t bits = LoadLittle(value, n);
    StoreLittle(value, (bits & ~mask) | (fraction & mask), n);
}

bool ReadIntegerBit(const FloatFormat& format, const uint8_t* value)
{
    if (format.ExplicitIntegerBit)
        return (LoadLittle(value, 8) & ExtendedIntegerBit) != 0;
    return ReadBiasedExponent(format, value) != 0;
}

UnpackedFloat UnpackFloat(const FloatFormat& format, const uint8_t* value)
{
    UnpackedFloat f{};
    uint16_t field = ReadBiasedExponent(format, value);
    f.negative = ReadSignBit(format, value);
    f.exponent = static_cast<int32_t>(field) - format.Bias;
    if (format.ExplicitIntegerBit) {
        f.significand = LoadLittle(value, 8);
        return f;
    }
    uint64_t fraction = ReadFraction(format, value);
    if (field == format.ExponentMax) {
        uint64_t quiet = uint64_t{1} << (format.FractionBits - 1);
        f.significand = (fraction & (quiet - 1)) | ((fraction & quiet) != 0 ? ExtendedQuietBit : 0);
    } else {
        f.significand = fraction << (63 - format.FractionBits);
        if (field != 0)
            f.significand |= ExtendedIntegerBit;
    }
    return f;
}

EncodingClass ClassifyEncoding(const FloatFormat& format, const uint8_t* value)
{
    uint16_t field = ReadBiasedExponent(format, value);
    uint64_t fraction = ReadFraction(format, value);
    bool allOnes = field == format.ExponentMax;
    if (ReadIntegerBit(format, value) != (field != 0)) {  // only a stored integer bit can disagree
        if (field == 0)
            return EncodingClass::PseudoDenormal;
        if (!allOnes)
            return EncodingClass::Unnormal;
        return fraction == 0 ? EncodingClass::PseudoInfinity : EncodingClass::PseudoNaN;
    }
    if (field == 0)
        return fraction == 0 ? EncodingClass::Zero : EncodingClass::Subnormal;
    if (!allOnes)
        return EncodingClass::Normal;
    if (fraction == 0)
        return EncodingClass::Infinity;
    uint64_t quiet = uint64_t{1} << (format.FractionBits - 1);
    if ((fraction & quiet) == 0)
        return EncodingClass::SignallingNaN;
    return (fraction & (quiet - 1)) == 0 ? EncodingClass::Indefinite : EncodingClass::QuietNaN;
}

const char* EncodingClassName(EncodingClass encoding)
{
    switch (encoding) {
    case EncodingClass::Zero: return "zero";
    case EncodingClass::Subnormal: return "subnormal";
    case EncodingClass::Normal: return "normal";
    case EncodingClass::Infinity: return "infinity";
    case EncodingClass::QuietNaN: return "quiet NaN";
    case EncodingClass::SignallingNaN: return "signalling NaN";
    case EncodingClass::Indefinite: return "indefinite";
    case EncodingClass::PseudoDenormal: return "pseudo-denormal";
    case EncodingClass::Unnormal: return "unnormal";
    case EncodingClass::PseudoInfinity: return "pseudo-infinity";
    case EncodingClass::PseudoNaN: return "pseudo-NaN";
    }
    return "";
}

bool IsInfinityOrNaN(EncodingClass encoding)
{
    return encoding == EncodingClass::Infinity || encoding == EncodingClass::QuietNaN ||
        encoding == EncodingClass::SignallingNaN || encoding == EncodingClass::Indefinite;
}

bool IsRefusedEncoding(EncodingClass encoding)
{
    return encoding >= EncodingClass::PseudoDenormal;
}

bool NarrowSpecial(uint8_t* value, int32_t width)
{
    const FloatFormat* format = FloatFormatOf(width);
    if (!format || format->ExplicitIntegerBit)
        return false;
    uint64_t significand = LoadLittle(value, 8);
    uint64_t payloadMask = (uint64_t{1} << (format->FractionBits - 1)) - 1;
    // Everything between the narrow payload and the quiet bit must be clear.
    uint64_t lostBits = ~(ExtendedIntegerBit | ExtendedQuietBit | payloadMask);
    if ((significand & lostBits) != 0) {
        StoreLittle(value, 0, format->Bytes);
        return true;
    }
    int top = format->Width - 1;
    uint64_t sign = ReadSignBit(ExtendedFormat, value) ? 1 : 0;
    uint64_t quiet = (significand & ExtendedQuietBit) != 0 ? 1 : 0;
    uint64_t narrow = (sign << top) | (uint64_t{format->ExponentMax} << format->FractionBits) |
        (quiet << (format->FractionBits - 1)) | (significand & payloadMask);
    StoreLittle(value, narrow, format->Bytes);
    return false;
}
