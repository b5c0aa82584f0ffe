#include "core/float_format.h"

#include <cstring>

#include "core/little_endian.h"
#include "core/register_bits.h"

bool SameFormat(const FloatFormat& a, const FloatFormat& b)
{
    return std::strcmp(a.Name, b.Name) == 0 && a.HasSign == b.HasSign && a.ExponentBits == b.ExponentBits &&
        a.FractionBits == b.FractionBits && a.ExplicitIntegerBit == b.ExplicitIntegerBit &&
        a.Bias == b.Bias && a.Specials == b.Specials && a.PaddingBits == b.PaddingBits;
}

bool ReadSignBit(const FloatFormat& format, const uint8_t* value)
{
    return format.HasSign && ReadBits(value, SignPosition(format), 1) != 0;
}

void WriteSignBit(const FloatFormat& format, uint8_t* value, bool negative)
{
    if (format.HasSign)
        WriteBits(value, SignPosition(format), 1, negative ? 1 : 0);
}

uint16_t ReadBiasedExponent(const FloatFormat& format, const uint8_t* value)
{
    return static_cast<uint16_t>(ReadBits(value, ExponentPosition(format), format.ExponentBits));
}

void WriteBiasedExponent(const FloatFormat& format, uint8_t* value, uint16_t exponent)
{
    WriteBits(value, ExponentPosition(format), format.ExponentBits, exponent);
}

uint64_t ReadFraction(const FloatFormat& format, const uint8_t* value)
{
    return ReadBits(value, FractionPosition(format), format.FractionBits);
}

void WriteFraction(const FloatFormat& format, uint8_t* value, uint64_t fraction)
{
    WriteBits(value, FractionPosition(format), format.FractionBits, fraction);
}

bool ReadIntegerBit(const FloatFormat& format, const uint8_t* value)
{
    if (format.ExplicitIntegerBit)
        return ReadBits(value, IntegerBitPosition(format), 1) != 0;
    return ReadBiasedExponent(format, value) != 0;
}

void WriteIntegerBit(const FloatFormat& format, uint8_t* value, bool one)
{
    if (format.ExplicitIntegerBit)
        WriteBits(value, IntegerBitPosition(format), 1, one ? 1 : 0);
}

UnpackedFloat UnpackFloat(const FloatFormat& format, const uint8_t* value)
{
    UnpackedFloat f{};
    uint16_t field = ReadBiasedExponent(format, value);
    f.negative = ReadSignBit(format, value);
    f.exponent = static_cast<int32_t>(field) - format.Bias;
    uint64_t fraction = ReadFraction(format, value);
    if (format.ExplicitIntegerBit) {
        f.significand = (ReadIntegerBit(format, value) ? ExtendedIntegerBit : 0) | fraction;
        return f;
    }
    if (field == AllOnesExponent(format) && format.Specials == SpecialValues::Ieee) {
        uint64_t quiet = QuietBitOf(format);
        f.significand = (fraction & (quiet - 1)) | ((fraction & quiet) != 0 ? ExtendedQuietBit : 0);
    } else {
        f.significand = fraction << (63 - format.FractionBits);
        if (field != 0)
            f.significand |= ExtendedIntegerBit;
    }
    return f;
}

namespace {

// The one NaN of an Fn or Fnuz format, by its defining rule.
bool IsLoneNaN(const FloatFormat& format, uint16_t field, uint64_t fraction, const uint8_t* value)
{
    switch (format.Specials) {
    case SpecialValues::Fn:
        return HasNaN(format) && field == AllOnesExponent(format) && fraction == FractionMask(format);
    case SpecialValues::Fnuz: return field == 0 && fraction == 0 && ReadSignBit(format, value);
    default: return false;
    }
}

}  // namespace

EncodingClass ClassifyEncoding(const FloatFormat& format, const uint8_t* value)
{
    uint16_t field = ReadBiasedExponent(format, value);
    uint64_t fraction = ReadFraction(format, value);
    bool allOnes = field == AllOnesExponent(format);
    if (IsLoneNaN(format, field, fraction, value))
        return EncodingClass::NaN;
    if (ReadIntegerBit(format, value) != (field != 0)) {  // only a stored integer bit can disagree
        if (field == 0)
            return EncodingClass::PseudoDenormal;
        if (!allOnes)
            return EncodingClass::Unnormal;
        return fraction == 0 ? EncodingClass::PseudoInfinity : EncodingClass::PseudoNaN;
    }
    if (field == 0)
        return fraction == 0 ? EncodingClass::Zero : EncodingClass::Subnormal;
    if (!allOnes || !HasInfinity(format))
        return EncodingClass::Normal;
    if (fraction == 0)
        return EncodingClass::Infinity;
    uint64_t quiet = QuietBitOf(format);
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
    case EncodingClass::NaN: return "NaN";
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
        encoding == EncodingClass::SignallingNaN || encoding == EncodingClass::Indefinite ||
        encoding == EncodingClass::NaN;
}

bool IsRefusedEncoding(EncodingClass encoding)
{
    return encoding >= EncodingClass::PseudoDenormal;
}
