#include "views/float_readings.h"

#include <bit>

#include "core/field_formats.h"
#include "core/float_format.h"
#include "core/float_presets.h"
#include "core/number_text.h"
#include "core/x87_arith.h"
#include "views/float_decimal.h"
#include "views/float_neighbours.h"
#include "views/float_printer.h"

namespace {

constexpr char HexDigits[] = "0123456789abcdef";

// The value of a zero, subnormal or normal number as m * 2^q.
BinaryValue BinaryOf(const FloatFormat& format, const uint8_t* value, EncodingClass encoding)
{
    UnpackedFloat f = UnpackFloat(format, value);
    int fractionBits = format.FractionBits;
    BinaryValue binary{f.negative, f.significand >> (63 - fractionBits), f.exponent - fractionBits, false};
    if (encoding != EncodingClass::Normal)
        binary.Exponent = SmallestSubnormalExponent(format);
    binary.NarrowBelow = encoding == EncodingClass::Normal && f.significand == ExtendedIntegerBit &&
        f.exponent > SmallestNormalExponent(format);
    return binary;
}

// The words of an infinity or a NaN. The IEEE ones are the float field's,
// which the printer writes for an extended value with the same sign, quiet
// bit and payload; the one NaN of an fn format shows its sign, an fnuz
// format's NaN is the encoding of -0 and has none.
char* WriteSpecialWords(char* out, const FloatFormat& format, const uint8_t* value, EncodingClass encoding)
{
    UnpackedFloat f = UnpackFloat(format, value);
    if (encoding == EncodingClass::NaN)
        return WriteText(out, f.negative && HasNegativeZero(format) ? "-NaN" : "NaN");
    uint16_t signExponent =
        static_cast<uint16_t>(AllOnesExponent(ExtendedFormat) | (f.negative ? 0x8000 : 0));
    uint8_t extended[10];
    X87StoreBytes(Extended80{f.significand | ExtendedIntegerBit, signExponent}, extended);
    return PrintFloat(out, extended, 10, FloatTextBudget);
}

char* WriteBinaryExponent(char* out, int32_t exponent)
{
    *out++ = 'p';
    if (exponent >= 0)
        *out++ = '+';
    return WriteSignedDecimal(out, exponent);
}

// The leading digit, then the fraction (its binary point above bit 63) as
// hexadecimal digits after a point, trailing zero digits dropped, and the
// binary exponent.
char* WriteHexDigits(char* out, bool leadingOne, uint64_t fraction, int32_t exponent)
{
    *out++ = leadingOne ? '1' : '0';
    if (fraction != 0) {
        *out++ = '.';
        for (int shift = 60; fraction != 0; shift -= 4) {
            *out++ = HexDigits[(fraction >> shift) & 15];
            fraction &= (uint64_t{1} << shift) - 1;
        }
    }
    return WriteBinaryExponent(out, exponent);
}

// The double's exponent range: normal from 2^-1022, subnormal steps of 2^-1074.
constexpr int32_t DoubleSmallestNormal = -1022;
constexpr int32_t DoubleSmallestBit = -1074;
constexpr int32_t DoubleLargestExponent = 1023;
constexpr int DoublePrecision = 53;

// "%a" as the GNU C library writes a double for every value a double holds:
// 0x1.<fraction>p<exponent>, and 0x0.<fraction>p-1022 below the double's
// normal range, the fraction's trailing zero digits dropped. Values no
// double holds: 0x1.<fraction>p<exponent>, the fraction bits after the
// leading 1 in whole hexadecimal digits; the format's own subnormals below
// the double's range as 0x0.<fraction>p<smallest normal exponent>, as the
// x87's subnormals are written.
char* WriteHexFloat(char* out, const FloatFormat& format, const uint8_t* value, EncodingClass encoding)
{
    BinaryValue binary = BinaryOf(format, value, encoding);
    if (binary.Negative)
        *out++ = '-';
    out = WriteText(out, "0x");
    uint64_t m = binary.Significand;
    if (m == 0)
        return WriteText(out, "0p+0");
    int lead = 63 - std::countl_zero(m);
    int trail = std::countr_zero(m);
    int32_t top = binary.Exponent + lead;  // the exponent of the leading 1
    int32_t lowest = binary.Exponent + trail;  // the exponent of the last 1
    bool doubleHolds = top <= DoubleLargestExponent && lowest >= DoubleSmallestBit &&
        (top < DoubleSmallestNormal || lead - trail < DoublePrecision);
    if (top < DoubleSmallestNormal && doubleHolds) {
        // A subnormal double: its 52 fraction bits from 2^-1023 down, at the top.
        uint64_t fraction = (m >> trail) << (lowest - DoubleSmallestBit + 12);
        return WriteHexDigits(out, false, fraction, DoubleSmallestNormal);
    }
    if (top < DoubleSmallestNormal && encoding == EncodingClass::Subnormal) {
        uint64_t significand = m << (63 - format.FractionBits);  // the integer bit, 0, at 63
        return WriteHexDigits(out, false, significand << 1, SmallestNormalExponent(format));
    }
    return WriteHexDigits(out, true, m << (63 - lead) << 1, top);
}

char* WriteUnsigned(char* out, const uint8_t* value, int32_t width)
{
    uint8_t bits[10] = {};  // the width's bytes, zero above them
    for (int i = 0; i < width / 8; ++i)
        bits[i] = value[i];
    char digits[25];  // 2^80 - 1 has 25 decimal digits
    int count = ReversedDecimalDigits80(bits, digits);
    while (count > 0)
        *out++ = digits[--count];
    *out = '\0';
    return out;
}

// Two hexadecimal digits a byte, a space between bytes.
char* WriteBytes(char* out, const uint8_t* value, int32_t width, bool bigEndian)
{
    int count = width / 8;
    *out = '\0';
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            *out++ = ' ';
        out = WriteHexBytes(out, value + (bigEndian ? count - 1 - i : i), 1);
    }
    return out;
}

char* WriteNeighbour(char* out, const FloatFormat& format, const uint8_t* value, int32_t width, bool up)
{
    uint8_t bytes[10];
    int size = width / 8;
    for (int i = 0; i < size; ++i)
        bytes[i] = value[i];
    if (!StepFloat(format, bytes, up)) {
        *out = '\0';
        return out;
    }
    return WriteHexBytes(out, bytes, size);  // as the hex field writes the width
}

// The readings of the value in the format: class, decimal and hexadecimal
// forms, neighbours.
char* WriteValueReading(char* out, Reading reading, const FloatFormat& format, const uint8_t* value,
                        int32_t width)
{
    if (reading == Reading::Next || reading == Reading::Previous)
        return WriteNeighbour(out, format, value, width, reading == Reading::Next);
    EncodingClass encoding = ClassifyEncoding(format, value);
    if (reading == Reading::Class)
        return WriteText(out, EncodingClassName(encoding));
    if (IsRefusedEncoding(encoding))
        return WriteText(out, "1.INV");  // as the float field writes them
    if (IsInfinityOrNaN(encoding))
        return WriteSpecialWords(out, format, value, encoding);
    if (reading == Reading::HexFloat)
        return WriteHexFloat(out, format, value, encoding);
    BinaryValue binary = BinaryOf(format, value, encoding);
    return reading == Reading::Exact ? WriteExactDecimal(out, binary) : WriteShortestDecimal(out, binary);
}

}  // namespace

char* WriteFormatReading(char* out, Reading reading, const FloatFormat& format, const uint8_t* value,
                         int32_t width)
{
    switch (reading) {
    case Reading::Unsigned: return WriteUnsigned(out, value, width);
    case Reading::Format: return WriteText(out, format.Name);
    case Reading::Bytes: return WriteBytes(out, value, width, false);
    case Reading::BytesBigEndian: return WriteBytes(out, value, width, true);
    case Reading::Half: return WriteValueReading(out, Reading::Exact, HalfFormat, value, width);
    case Reading::Bfloat16: return WriteValueReading(out, Reading::Exact, Bfloat16Format, value, width);
    default: return WriteValueReading(out, reading, format, value, width);
    }
}

char* WriteReading(char* out, Reading reading, const uint8_t* value, int32_t width)
{
    const FloatFormat* layout = FloatFormatOf(width);
    if (layout)
        return WriteFormatReading(out, reading, *layout, value, width);
    if (reading == Reading::Unsigned || reading == Reading::Half || reading == Reading::Bfloat16 ||
        reading == Reading::Bytes || reading == Reading::BytesBigEndian)
        return WriteFormatReading(out, reading, HalfFormat, value, width);
    *out = '\0';
    return out;
}
