#include "views/float_view.h"

#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/little_endian.h"
#include "core/x87_narrow.h"
#include "views/float_layout.h"
#include "views/float_parser.h"
#include "views/float_printer.h"

namespace {

// The field's text limit: the printer's text always fits the field.
constexpr int32_t FloatTextBudget = 28;

constexpr uint64_t IntegerBit = 0x8000000000000000ull;
constexpr uint64_t QuietBit = 0x4000000000000000ull;

// An extended infinity or NaN: all-ones exponent with the integer bit set.
bool IsExtendedSpecial(const uint8_t* value)
{
    uint64_t signExponent = LoadLittle(value + 8, 2);
    return (signExponent & 0x7FFF) == 0x7FFF && (value[7] & 0x80) != 0;
}

}  // namespace

bool NarrowSpecial(uint8_t* value, int32_t width)
{
    const FloatFormat* layout = FloatFormatOf(width);
    if (!layout || layout->Width == 80)
        return false;
    uint64_t significand = LoadLittle(value, 8);
    uint64_t payloadMask = (uint64_t{1} << (layout->FractionBits - 1)) - 1;
    // Everything between the narrow payload and the quiet bit must be clear.
    uint64_t lostBits = ~(IntegerBit | QuietBit | payloadMask);
    if ((significand & lostBits) != 0) {
        StoreLittle(value, 0, layout->Bytes);
        return true;
    }
    int top = layout->Width - 1;
    uint64_t sign = (value[9] & 0x80) != 0 ? 1 : 0;
    uint64_t quiet = (significand & QuietBit) != 0 ? 1 : 0;
    uint64_t narrow = (sign << top) | (uint64_t{layout->ExponentMax} << layout->FractionBits) |
        (quiet << (layout->FractionBits - 1)) | (significand & payloadMask);
    StoreLittle(value, narrow, layout->Bytes);
    return false;
}

void RenderFloat(int field)
{
    const FloatFormat* layout = FloatFormatOf(ConverterState.Width);
    if (!layout)
        return;
    char text[32];  // the printer's text: at most 28 characters and the NUL
    PrintFloat(text, ConverterState.ValueRegister, static_cast<uint8_t>(layout->Bytes), FloatTextBudget);
    SetFieldText(field, text);
}

bool ParseFloatField(int field)
{
    const FloatFormat* layout = FloatFormatOf(ConverterState.Width);
    if (!layout)
        return false;
    // Read with the count 31: at most 30 characters and the NUL (one spare).
    char text[32];
    ReadFieldText(field, text, 31);

    // The parser writes all 10 bytes; the bytes above a narrower width keep
    // the extended value, which no view shows.
    uint8_t* reg = ConverterState.ValueRegister;
    bool error = ParseFloat(text, reg);
    if (layout->Width != 80) {
        if (IsExtendedSpecial(reg))
            error = NarrowSpecial(reg, layout->Width) || error;
        else if (layout->Width == 64)
            X87NarrowToDouble(X87LoadBytes(reg), reg);
        else
            X87NarrowToSingle(X87LoadBytes(reg), reg);
    }
    UpdateErrorFlag(&ConverterState.FloatError, error, field);
    return true;
}
