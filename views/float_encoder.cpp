#include "views/float_encoder.h"

#include <cstring>

#include "views/text_rounding.h"

namespace {

void WriteNumberFields(const FloatFormat& format, uint8_t* value, bool negative, uint16_t exponent,
                       uint64_t fraction, bool integerBit)
{
    WriteSignBit(format, value, negative && format.HasSign);
    WriteBiasedExponent(format, value, exponent);
    WriteFraction(format, value, fraction);
    WriteIntegerBit(format, value, integerBit);
}

void WriteLargestFinite(const FloatFormat& format, uint8_t* value, bool negative)
{
    WriteNumberFields(format, value, negative, LargestFiniteField(format), LargestFiniteFraction(format),
                      true);
}

void WriteInfinity(const FloatFormat& format, uint8_t* value, bool negative)
{
    WriteNumberFields(format, value, negative, AllOnesExponent(format), 0, true);
}

// The format's NaN: Fn keeps the sign, Fnuz's one NaN is the negative zero's
// encoding; Ieee and X87 take the given fraction (quiet bit and payload).
void WriteNaN(const FloatFormat& format, uint8_t* value, bool negative, uint64_t fraction)
{
    switch (format.Specials) {
    case SpecialValues::Fn:
        WriteNumberFields(format, value, negative, AllOnesExponent(format), FractionMask(format), true);
        break;
    case SpecialValues::Fnuz: WriteNumberFields(format, value, true, 0, 0, false); break;
    case SpecialValues::Ieee:
    case SpecialValues::X87:
        WriteNumberFields(format, value, negative, AllOnesExponent(format), fraction, true);
        break;
    }
}

void WriteZero(const FloatFormat& format, uint8_t* value, bool negative)
{
    WriteNumberFields(format, value, negative && HasNegativeZero(format), 0, 0, false);
}

// Where IEEE 754 sends an overflow in this mode: to the infinity of the
// sign, or to the largest finite value.
bool OverflowsToInfinity(RoundingMode mode, bool negative)
{
    switch (mode) {
    case RoundingMode::Even:
    case RoundingMode::Away: return true;
    case RoundingMode::Zero: return false;
    case RoundingMode::Up: return !negative;
    case RoundingMode::Down: return negative;
    }
    return true;
}

// An overflow, an infinity or a NaN where the format has none: the
// infinity, else the NaN, else the largest finite value, as allowed.
void WriteBeyondRange(const FloatFormat& format, uint8_t* value, bool negative, bool saturate)
{
    if (saturate)
        WriteLargestFinite(format, value, negative);
    else if (HasInfinity(format))
        WriteInfinity(format, value, negative);
    else if (HasNaN(format))
        WriteNaN(format, value, negative, 0);
    else
        WriteLargestFinite(format, value, negative);
}

// The NaN the words name. False when the format cannot hold it.
bool EncodeNaN(const ValueText& text, const FloatFormat& format, uint8_t* value, EncodeOutcome* outcome)
{
    if (text.PayloadTooLarge)
        return false;
    if (!HasInfinity(format)) {
        // Fn and Fnuz NaNs carry no payload.
        if (text.Payload != 0)
            return false;
        if (HasNaN(format)) {
            WriteNaN(format, value, text.Negative, 0);
        } else {
            WriteZero(format, value, false);
            outcome->Finite = true;
            outcome->Flags = FlagInvalid;
        }
        return true;
    }
    const uint64_t quiet = QuietBitOf(format);
    if (text.Payload >= quiet)
        return false;
    uint64_t fraction = text.Payload;
    if (text.Word == NaNWord::Signalling) {
        if (fraction == 0)
            return false;
    } else {
        fraction |= quiet;
    }
    WriteNaN(format, value, text.Negative, fraction);
    return true;
}

// An infinity is exact where the format has one; elsewhere it is invalid
// and gives the NaN, or the largest finite value by choice or for want of a
// NaN.
void EncodeInfinity(bool negative, const FloatFormat& format, EncodeOptions options, uint8_t* value,
                    EncodeOutcome* outcome)
{
    negative = negative && format.HasSign;
    if (HasInfinity(format)) {
        WriteInfinity(format, value, negative);
        return;
    }
    outcome->Flags = FlagInvalid;
    if (HasNaN(format) && !options.Saturate) {
        WriteNaN(format, value, negative, 0);
        return;
    }
    WriteLargestFinite(format, value, negative);
    const int32_t p = Precision(format);
    *outcome =
        EncodeOutcome{FlagInvalid, true, negative, (uint64_t{1} << (p - 1)) | LargestFiniteFraction(format),
                      LargestFiniteExponent(format) - p + 1};
}

void EncodeFinite(const ValueText& text, const FloatFormat& format, EncodeOptions options, uint8_t* value,
                  EncodeOutcome* outcome)
{
    const int32_t p = Precision(format);
    const RoundingTarget target{p, SmallestNormalExponent(format)};
    const int32_t maxExponent = LargestFiniteExponent(format);
    RoundedValue rounded = RoundValueText(text, target, maxExponent, options.Mode);
    const bool negative = text.Negative && format.HasSign;

    // Step 1: beyond the largest finite value, compared at its exponent.
    const uint64_t largest = (uint64_t{1} << (p - 1)) | LargestFiniteFraction(format);
    const int32_t largestExponent = maxExponent - p + 1;
    if (rounded.Exponent > largestExponent ||
        (rounded.Exponent == largestExponent && rounded.Significand > largest)) {
        outcome->Flags = FlagOverflow | FlagInexact;
        if (options.Saturate || !OverflowsToInfinity(options.Mode, negative) ||
            (!HasInfinity(format) && !HasNaN(format))) {
            WriteLargestFinite(format, value, negative);
            *outcome = EncodeOutcome{outcome->Flags, true, negative, largest, largestExponent};
        } else {
            WriteBeyondRange(format, value, negative, false);
        }
        return;
    }

    // Step 2: a number: normal with the leading bit hidden (or stored),
    // subnormal or zero below it.
    outcome->Flags = rounded.Inexact ? FlagInexact : 0;
    if (rounded.Inexact && rounded.Tiny)
        outcome->Flags |= FlagUnderflow;
    const bool normal = rounded.Significand >> (p - 1) != 0;
    const bool signBit = rounded.Significand == 0 ? negative && HasNegativeZero(format) : negative;
    const int32_t biased = normal ? rounded.Exponent + p - 1 + format.Bias : 0;
    WriteNumberFields(format, value, signBit, static_cast<uint16_t>(biased),
                      rounded.Significand & FractionMask(format), normal);
    *outcome = EncodeOutcome{outcome->Flags, true, signBit, rounded.Significand, rounded.Exponent};
}

}  // namespace

bool EncodeValueText(const char* text, int32_t maxLength, const FloatFormat& format, EncodeOptions options,
                     uint8_t* value, EncodeOutcome* outcome)
{
    *outcome = EncodeOutcome{};
    ValueText read;
    if (!ReadValueText(text, maxLength, &read))
        return false;
    switch (read.Kind) {
    case ValueTextKind::NotANumber: return false;
    case ValueTextKind::NaN: return EncodeNaN(read, format, value, outcome);
    case ValueTextKind::Infinity: EncodeInfinity(read.Negative, format, options, value, outcome); return true;
    case ValueTextKind::Finite: EncodeFinite(read, format, options, value, outcome); return true;
    }
    return false;
}

char* WriteEncodeFlags(char* out, uint8_t flags)
{
    static const struct {
        uint8_t Flag;
        const char* Name;
    } Names[] = {{FlagInexact, "inexact"},
                 {FlagOverflow, "overflow"},
                 {FlagUnderflow, "underflow"},
                 {FlagInvalid, "invalid"}};
    char* start = out;
    for (const auto& entry : Names) {
        if ((flags & entry.Flag) == 0)
            continue;
        if (out != start)
            *out++ = ' ';
        size_t length = std::strlen(entry.Name);
        std::memcpy(out, entry.Name, length);
        out += length;
    }
    *out = '\0';
    return out;
}
