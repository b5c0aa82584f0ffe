#include "views/float_readings.h"

#include "core/float_format.h"
#include "core/float_presets.h"
#include "core/little_endian.h"
#include "core/number_text.h"
#include "core/x87_arith.h"
#include "views/decimal_big.h"
#include "views/float_decimal.h"
#include "views/float_neighbours.h"
#include "views/float_printer.h"

namespace {

constexpr char HexDigits[] = "0123456789abcdef";

const Reading Readings8[] = {Reading::Unsigned};
const Reading Readings16[] = {Reading::Unsigned, Reading::Half, Reading::Bfloat16};
const Reading ReadingsFloat[] = {Reading::Unsigned, Reading::Class, Reading::Exact,   Reading::Shortest,
                                 Reading::HexFloat, Reading::Next,  Reading::Previous};

// The value of a zero, subnormal or normal number as m * 2^q.
BinaryValue BinaryOf(const FloatFormat& format, const uint8_t* value, EncodingClass encoding)
{
    UnpackedFloat f = UnpackFloat(format, value);
    int fractionBits = format.FractionBits;
    BinaryValue binary{f.negative, f.significand >> (63 - fractionBits), f.exponent - fractionBits, false};
    if (encoding != EncodingClass::Normal)
        binary.Exponent = 1 - format.Bias - fractionBits;
    binary.NarrowBelow = encoding == EncodingClass::Normal && f.significand == ExtendedIntegerBit &&
        f.exponent > 1 - format.Bias;
    return binary;
}

// binary16 and bfloat16: the exact value, or the float field's words for
// infinities and NaNs, which the printer writes for an extended value with
// the same quiet bit and payload.
char* WriteSmallExact(char* out, const FloatFormat& format, const uint8_t* value)
{
    EncodingClass encoding = ClassifyEncoding(format, value);
    if (!IsInfinityOrNaN(encoding))
        return WriteExactDecimal(out, BinaryOf(format, value, encoding));
    UnpackedFloat f = UnpackFloat(format, value);
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

// "%a" as the GNU C library writes a double: 0x1.<fraction>p<exponent> for
// normal doubles, 0x0.<fraction>p-1022 for subnormal ones, with the fraction's
// trailing zero digits dropped. Singles are written as the double of the
// same value (always normal). Extended values take the 63 fraction bits and
// a 0 bit as 16 digits: 0x1.<digits>p<exponent>, 0x0.<digits>p-16382.
char* WriteHexFloat(char* out, const FloatFormat& layout, const uint8_t* value, EncodingClass encoding)
{
    UnpackedFloat f = UnpackFloat(layout, value);
    if (f.negative)
        *out++ = '-';
    out = WriteText(out, "0x");
    uint64_t significand = f.significand;  // integer bit at 63
    int32_t exponent = f.exponent;
    if (significand == 0)
        return WriteText(out, "0p+0");
    if (encoding == EncodingClass::Subnormal) {
        exponent = 1 - layout.Bias;
        if (SpanBits(layout) == 32) {
            // The double of a subnormal single is normal.
            while ((significand & ExtendedIntegerBit) == 0) {
                significand <<= 1;
                --exponent;
            }
        }
    }
    *out++ = (significand & ExtendedIntegerBit) != 0 ? '1' : '0';
    // The fraction below the integer bit, 63 bits: a double's 52 bits come
    // first, so 16 digits of (fraction << 1) cover every format.
    uint64_t fraction = significand << 1;
    if (fraction != 0) {
        *out++ = '.';
        for (int shift = 60; fraction != 0; shift -= 4) {
            *out++ = HexDigits[(fraction >> shift) & 15];
            fraction &= (uint64_t{1} << shift) - 1;
        }
    }
    return WriteBinaryExponent(out, exponent);
}

char* WriteUnsigned(char* out, const uint8_t* value, int32_t width)
{
    int bytes = width / 8;
    if (bytes <= 8)
        return WriteUnsignedDecimal(out, LoadLittle(value, bytes), 0);
    DecimalBig big;
    DecimalBig scratch;
    BigSet(&big, LoadLittle(value + 8, bytes - 8));
    BigMulPow2(&big, 64);
    DecimalBig low;
    BigSet(&low, 1);
    BigMul64(&low, LoadLittle(value, 8), &scratch);
    BigAdd(&big, low);
    int32_t count = BigDigitCount(big);
    for (int32_t i = count - 1; i >= 0; --i)
        *out++ = static_cast<char>('0' + BigDigitAt(big, i));
    *out = '\0';
    return out;
}

char* WriteNeighbour(char* out, const uint8_t* value, int32_t width, bool up)
{
    uint8_t bytes[10];
    int size = width / 8;
    for (int i = 0; i < size; ++i)
        bytes[i] = value[i];
    if (!StepFloat(bytes, static_cast<uint8_t>(size), up)) {
        *out = '\0';
        return out;
    }
    return WriteHexBytes(out, bytes, size);  // as the hex field writes the width
}

char* WriteFloatReading(char* out, Reading reading, const uint8_t* value, int32_t width)
{
    const FloatFormat* layout = FloatFormatOf(width);
    if (!layout) {
        *out = '\0';
        return out;
    }
    if (reading == Reading::Next || reading == Reading::Previous)
        return WriteNeighbour(out, value, width, reading == Reading::Next);
    EncodingClass encoding = ClassifyEncoding(*layout, value);
    if (reading == Reading::Class)
        return WriteText(out, EncodingClassName(encoding));
    if (IsRefusedEncoding(encoding) || IsInfinityOrNaN(encoding))  // the float field's words
        return PrintFloat(out, value, static_cast<uint8_t>(SpanBits(*layout) / 8), FloatTextBudget);
    if (reading == Reading::HexFloat)
        return WriteHexFloat(out, *layout, value, encoding);
    BinaryValue binary = BinaryOf(*layout, value, encoding);
    return reading == Reading::Exact ? WriteExactDecimal(out, binary) : WriteShortestDecimal(out, binary);
}

}  // namespace

int ReadingsOfWidth(int32_t width, const Reading** list)
{
    switch (width) {
    case 8: *list = Readings8; return 1;
    case 16: *list = Readings16; return 3;
    case 32:
    case 64:
    case 80: *list = ReadingsFloat; return 7;
    default: *list = nullptr; return 0;
    }
}

const char* ReadingName(Reading reading)
{
    switch (reading) {
    case Reading::Unsigned: return "unsigned";
    case Reading::Class: return "class";
    case Reading::Half: return "half";
    case Reading::Bfloat16: return "bfloat16";
    case Reading::Exact: return "exact";
    case Reading::Shortest: return "shortest";
    case Reading::HexFloat: return "hexfloat";
    case Reading::Next: return "next";
    case Reading::Previous: return "previous";
    }
    return "";
}

char* WriteReading(char* out, Reading reading, const uint8_t* value, int32_t width)
{
    switch (reading) {
    case Reading::Unsigned: return WriteUnsigned(out, value, width);
    case Reading::Half: return WriteSmallExact(out, HalfFormat, value);
    case Reading::Bfloat16: return WriteSmallExact(out, Bfloat16Format, value);
    default: return WriteFloatReading(out, reading, value, width);
    }
}
