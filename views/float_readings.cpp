#include "views/float_readings.h"

#include "core/little_endian.h"
#include "core/number_text.h"
#include "views/decimal_big.h"
#include "views/float_decimal.h"
#include "views/float_layout.h"
#include "views/float_neighbours.h"
#include "views/float_printer.h"

namespace {

constexpr uint64_t IntegerBit = 0x8000000000000000u;
constexpr char HexDigits[] = "0123456789abcdef";

const Reading Readings8[] = {Reading::Unsigned};
const Reading Readings16[] = {Reading::Unsigned, Reading::Half, Reading::Bfloat16};
const Reading ReadingsFloat[] = {Reading::Unsigned, Reading::Exact, Reading::Shortest,
                                 Reading::HexFloat, Reading::Next,  Reading::Previous};

// A 16-bit format: binary16 (5 exponent bits, 10 fraction bits) or bfloat16
// (8 and 7).
struct SmallFormat {
    int ExponentBits;
    int FractionBits;
};

// The float field's words for infinities and NaNs: the printer writes them
// for a single whose payload is the same number.
char* WriteSmallSpecial(char* out, bool negative, uint32_t fraction, int fractionBits)
{
    uint32_t quiet = uint32_t{1} << (fractionBits - 1);
    uint32_t single = (negative ? 0x80000000u : 0) | 0x7F800000u | ((fraction & quiet) != 0 ? 0x400000u : 0) |
        (fraction & (quiet - 1));
    uint8_t bytes[4];
    StoreLittle(bytes, single, 4);
    return PrintFloat(out, bytes, 4, 28);
}

char* WriteSmallExact(char* out, uint32_t bits, SmallFormat format)
{
    uint32_t fraction = bits & ((1u << format.FractionBits) - 1);
    uint32_t allOnes = (1u << format.ExponentBits) - 1;
    uint32_t field = (bits >> format.FractionBits) & allOnes;
    bool negative = (bits & 0x8000) != 0;
    if (field == allOnes)
        return WriteSmallSpecial(out, negative, fraction, format.FractionBits);
    int32_t bias = static_cast<int32_t>(allOnes >> 1);
    BinaryValue value{negative, fraction, 1 - bias - format.FractionBits, false};
    if (field != 0) {
        value.Significand |= 1u << format.FractionBits;
        value.Exponent += static_cast<int32_t>(field) - 1;
    }
    return WriteExactDecimal(out, value);
}

// The value of a single, double or extended number as m * 2^q.
BinaryValue BinaryOf(const UnpackedFloat& f, const FloatFormat& layout)
{
    int fractionBits = layout.FractionBits;
    BinaryValue value{f.negative, f.significand >> (63 - fractionBits), f.exponent - fractionBits, false};
    if (f.floatClass == FloatClass::Subnormal)
        value.Exponent = 1 - layout.Bias - fractionBits;
    value.NarrowBelow =
        f.floatClass == FloatClass::Normal && f.significand == IntegerBit && f.exponent > 1 - layout.Bias;
    return value;
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
char* WriteHexFloat(char* out, const UnpackedFloat& f, const FloatFormat& layout)
{
    if (f.negative)
        *out++ = '-';
    out = WriteText(out, "0x");
    uint64_t significand = f.significand;  // integer bit at 63
    int32_t exponent = f.exponent;
    if (significand == 0)
        return WriteText(out, "0p+0");
    if (f.floatClass == FloatClass::Subnormal) {
        exponent = 1 - layout.Bias;
        if (layout.Width == 32) {
            // The double of a subnormal single is normal.
            while ((significand & IntegerBit) == 0) {
                significand <<= 1;
                --exponent;
            }
        }
    }
    *out++ = (significand & IntegerBit) != 0 ? '1' : '0';
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
    uint8_t size = static_cast<uint8_t>(layout->Bytes);
    UnpackedFloat f = UnpackFloat(value, size);
    if (f.floatClass == FloatClass::Invalid || f.floatClass == FloatClass::Special)
        return PrintFloat(out, value, size, 28);  // the float field's words
    if (reading == Reading::HexFloat)
        return WriteHexFloat(out, f, *layout);
    BinaryValue binary = BinaryOf(f, *layout);
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
    case 80: *list = ReadingsFloat; return 6;
    default: *list = nullptr; return 0;
    }
}

const char* ReadingName(Reading reading)
{
    switch (reading) {
    case Reading::Unsigned: return "unsigned";
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
    uint32_t bits16 = static_cast<uint32_t>(LoadLittle(value, 2));
    switch (reading) {
    case Reading::Unsigned: return WriteUnsigned(out, value, width);
    case Reading::Half: return WriteSmallExact(out, bits16, SmallFormat{5, 10});
    case Reading::Bfloat16: return WriteSmallExact(out, bits16, SmallFormat{8, 7});
    default: return WriteFloatReading(out, reading, value, width);
    }
}
