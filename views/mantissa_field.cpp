#include "views/mantissa_field.h"

#include "core/byte_arith.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/float_format.h"
#include "core/little_endian.h"
#include "core/number_text.h"

namespace {

// The fraction is kept as a 19-place decimal fixed-point number, which needs
// 9 bytes (10^19 is above 2^63); products of two such numbers take 18.
constexpr int FixedBytes = 9;
constexpr int FixedPlaces = 19;
constexpr uint64_t TenPow19 = 10000000000000000000ull;
// 10^16 * 2^4: the 52-bit fraction times this is the 16-digit decimal
// fraction shifted left by 56 bits.
constexpr uint64_t DoubleFractionScale = 160000000000000000ull;

// Single: f * 10^7 / 2^23 rounded half up, from the 1-bit-wider quotient.
char* WriteSingleFraction(char* out, uint64_t fraction)
{
    uint64_t twice = (fraction * 10000000u) >> 22;
    if (twice & 1)
        ++twice;
    return WriteUnsignedDecimal(out, twice >> 1, 7);
}

// Double: f * 10^16 / 2^52 rounded half up.
char* WriteDoubleFraction(char* out, uint64_t fraction)
{
    uint8_t f[8], scale[8];
    uint8_t product[16];  // 8-byte by 8-byte product
    StoreLittle(f, fraction, 8);
    StoreLittle(scale, DoubleFractionScale, 8);
    ByteMul(f, scale, product, 8);
    uint64_t digits = LoadLittle(product + 7, 8);  // product >> 56
    if (product[6] & 0x80)  // bit 55: the half
        ++digits;
    return WriteUnsignedDecimal(out, digits, 16);
}

// Extended: the 63 fraction bits * 10^19 / 2^63 rounded half up.
char* WriteExtendedFraction(char* out, uint64_t significand)
{
    uint8_t f[FixedBytes] = {}, scale[FixedBytes] = {};
    uint8_t product[2 * FixedBytes];
    StoreLittle(f, significand << 1, 8);  // the integer bit drops out
    StoreLittle(scale, TenPow19, 8);
    ByteMul(f, scale, product, FixedBytes);
    uint8_t digits[10];  // product >> 64, PrintInt80's operand
    for (int i = 0; i < 10; ++i)
        digits[i] = product[8 + i];
    if (product[7] & 0x80) {  // bit 63: the half
        const uint8_t one[10] = {1};
        ByteAdd(digits, one, 10);
    }
    return PrintInt80(out, digits, FixedPlaces);
}

// acc <- acc * 10 + digit, over the 9-byte accumulator.
void AppendDigit(uint8_t* acc, int digit)
{
    const uint8_t ten[FixedBytes] = {10};
    uint8_t product[2 * FixedBytes];
    ByteMul(acc, ten, product, FixedBytes);
    uint8_t addend[FixedBytes] = {static_cast<uint8_t>(digit)};
    for (int i = 0; i < FixedBytes; ++i)
        acc[i] = product[i];
    ByteAdd(acc, addend, FixedBytes);
}

// Reads the fraction digits of text (after "d.") as a 19-place fixed-point
// number. False for a non-digit or for more digits than the places, which
// the field's limits keep out but a program's write can bring: they would
// make a quotient wider than the fraction bits.
bool ReadFixedFraction(const char* digits, int count, uint8_t* acc)
{
    if (count > FixedPlaces)
        return false;
    for (int i = 0; i < count; ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            return false;
        AppendDigit(acc, digits[i] - '0');
    }
    for (int i = count; i < FixedPlaces; ++i)
        AppendDigit(acc, 0);
    return true;
}

// fixed * 2^bits / 10^19, truncated.
uint64_t FixedToBinary(const uint8_t* fixed, int bits)
{
    uint8_t power[FixedBytes] = {};
    power[bits / 8] = static_cast<uint8_t>(1 << (bits % 8));
    uint8_t product[2 * FixedBytes];
    ByteMul(fixed, power, product, FixedBytes);
    uint8_t divisor[FixedBytes] = {};
    StoreLittle(divisor, TenPow19, 8);
    uint8_t quotient[FixedBytes], remainder[FixedBytes];
    ByteDivMod(product, divisor, quotient, remainder, FixedBytes);
    return LoadLittle(quotient, 8);  // below 2^bits, as fixed is below 10^19
}

bool LeadingDigitAccepted(const FloatFormat& layout, char digit)
{
    return digit == '1' || (layout.ExplicitIntegerBit && digit == '0');
}

}  // namespace

void RenderMantissa(int field)
{
    const FloatFormat* layout = FloatFormatOf(ConverterState.Width);
    if (!layout)
        return;
    const uint8_t* reg = ConverterState.ValueRegister;
    // "d." and at most PrintInt80's 24 digits and its NUL; 21 characters in use.
    char text[32];
    text[0] = ReadIntegerBit(*layout, reg) ? '1' : '0';
    text[1] = '.';
    uint64_t fraction = ReadFraction(*layout, reg);
    if (layout->Width == 32)
        WriteSingleFraction(text + 2, fraction);
    else if (layout->Width == 64)
        WriteDoubleFraction(text + 2, fraction);
    else
        WriteExtendedFraction(text + 2, fraction);
    SetFieldText(field, text);
}

bool ParseMantissa(int field)
{
    const FloatFormat* layout = FloatFormatOf(ConverterState.Width);
    if (!layout)
        return false;
    char text[24];  // read with the count 24: at most 23 characters and the NUL
    int length = ReadFieldText(field, text, sizeof text);

    uint8_t fixed[FixedBytes] = {};
    bool error = length < 3 || !LeadingDigitAccepted(*layout, text[0]) || text[1] != '.' ||
        !ReadFixedFraction(text + 2, length - 2, fixed);

    uint8_t* reg = ConverterState.ValueRegister;
    if (error) {
        WriteFraction(*layout, reg, 0);
        if (layout->ExplicitIntegerBit)
            StoreLittle(reg, ExtendedIntegerBit, 8);
    } else {
        WriteFraction(*layout, reg, FixedToBinary(fixed, layout->FractionBits));
        if (layout->ExplicitIntegerBit) {
            uint64_t significand = LoadLittle(reg, 8);
            bool one = text[0] == '1';
            StoreLittle(reg, one ? significand | ExtendedIntegerBit : significand & ~ExtendedIntegerBit, 8);
        }
    }
    UpdateErrorFlag(&ConverterState.MantissaError, error, field);
    return true;
}
