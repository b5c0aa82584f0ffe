#include "views/mantissa_field.h"

#include "core/byte_arith.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_formats.h"
#include "core/float_format.h"
#include "core/little_endian.h"
#include "core/number_text.h"

namespace {

// The fraction is kept as a 19-place decimal fixed-point number, which needs
// 9 bytes (10^19 is above 2^63); products of two such numbers take 18.
constexpr int FixedBytes = 9;
constexpr int FixedPlaces = 19;
constexpr uint64_t TenPow19 = 10000000000000000000ull;

// The fraction f as f * 10^places / 2^FractionBits rounded half up, in
// exactly `places` digits: the fewest places with 10^places at least
// 2^FractionBits, so that every fraction has its own text (7 for a single,
// 16 for a double, 19 for the x87; 10^19 is the most a 63-bit fraction needs).
char* WriteFractionDigits(char* out, uint64_t fraction, const FloatFormat& layout)
{
    int places = 0;
    uint64_t scale = 1;
    for (; scale < (uint64_t{1} << layout.FractionBits); scale *= 10)
        ++places;
    uint8_t f[FixedBytes] = {}, s[FixedBytes] = {};
    uint8_t product[2 * FixedBytes];
    StoreLittle(f, fraction, 8);
    StoreLittle(s, scale, 8);
    ByteMul(f, s, product, FixedBytes);
    // Twice the quotient, plus one: halved, that rounds half up. The result
    // stays below 10^places (f < 2^FractionBits), well inside PrintInt80's
    // 10 bytes.
    ShiftBytes(product, -(layout.FractionBits - 1), 2 * FixedBytes);
    const uint8_t one[2 * FixedBytes] = {1};
    ByteAdd(product, one, 2 * FixedBytes);
    ShiftBytes(product, -1, 2 * FixedBytes);
    return PrintInt80(out, product, places);
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
    WriteFractionDigits(text + 2, ReadFraction(*layout, reg), *layout);
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
        WriteIntegerBit(*layout, reg, true);
    } else {
        WriteFraction(*layout, reg, FixedToBinary(fixed, layout->FractionBits));
        WriteIntegerBit(*layout, reg, text[0] == '1');
    }
    UpdateErrorFlag(&ConverterState.MantissaError, error, field);
    return true;
}
