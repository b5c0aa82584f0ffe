#include "core/converter_state.h"

#include "core/byte_arith.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "core/float_format_names.h"
#include "core/float_presets.h"

ConverterRecord ConverterState;

void ResetConverterState(bool savedBigEndian)
{
    for (uint8_t& byte : ConverterState.ValueRegister)
        byte = 0;
    ConverterState.Width = 0;
    ConverterState.BigEndian = savedBigEndian ? 0 : 1;
    ConverterState.Updating = 0;
    ConverterState.FloatFieldsEnabled = 1;
    ConverterState.DecimalError = 0;
    ConverterState.FloatError = 0;
    ConverterState.ExponentError = 0;
    ConverterState.MantissaError = 0;
    ConverterState.ValueError = 0;
    ConverterState.FormatError = 0;
    for (FloatFormat& chosen : ConverterState.ChosenFormats)
        chosen = FloatFormat{};  // none: the width's default
}

namespace {

// Big-endian narrowing and widening: the new width holds the old value shifted
// by the width difference, so the top bits survive.
void AlignTopBits(int32_t oldWidth, int32_t newWidth)
{
    uint8_t* reg = ConverterState.ValueRegister;
    int newBytes = newWidth / 8;
    if (oldWidth > newWidth) {
        // Narrowing: the old top bytes move down; bytes above the new width
        // are left as they were.
        int from = oldWidth / 8 - newBytes;
        for (int i = 0; i < newBytes; ++i)
            reg[i] = reg[i + from];
        return;
    }
    // Widening: every byte of the new width takes part, so whatever lay
    // between the old and the new width leaves at the top.
    ShiftBytes(reg, newWidth - oldWidth, newBytes);
}

// Little-endian widening zero-extends; narrowing changes nothing.
void ClearAboveWidth(int32_t oldWidth, int32_t newWidth)
{
    if (newWidth <= oldWidth)
        return;
    for (int i = oldWidth / 8; i < 10; ++i)
        ConverterState.ValueRegister[i] = 0;
}

}  // namespace

void SetWidth(int32_t newWidth)
{
    int32_t oldWidth = ConverterState.Width;
    if (newWidth == oldWidth)
        return;
    if (ConverterState.BigEndian)
        AlignTopBits(oldWidth, newWidth);
    else
        ClearAboveWidth(oldWidth, newWidth);
    ConverterState.Width = newWidth;
}

void SetBigEndian(bool flag)
{
    if ((ConverterState.BigEndian != 0) == flag)
        return;
    ConverterState.BigEndian = flag ? 1 : 0;
    AlignEntryFields(flag);
}

uint8_t* ErrorFlagOf(int field)
{
    switch (field) {
    case FieldDecimal: return &ConverterState.DecimalError;
    case FieldFloat: return &ConverterState.FloatError;
    case FieldExponent: return &ConverterState.ExponentError;
    case FieldMantissa: return &ConverterState.MantissaError;
    case PaneValue: return &ConverterState.ValueError;
    case PaneFormat: return &ConverterState.FormatError;
    default: return nullptr;
    }
}

void SetFieldText(int field, const char* text)
{
    ConverterState.Updating = 1;
    WriteFieldText(field, text);
    ConverterState.Updating = 0;
}

void UpdateErrorFlag(uint8_t* flag, bool error, int field)
{
    if ((*flag != 0) == error)
        return;
    *flag = error ? 1 : 0;
    RepaintField(field);
}

namespace {

constexpr int WidthCount = sizeof WidthButtons / sizeof WidthButtons[0];
static_assert(sizeof ConverterState.ChosenFormats / sizeof(FloatFormat) == WidthCount);

FloatFormat* ChosenFormatSlot(int32_t width)
{
    for (int i = 0; i < WidthCount; ++i) {
        if (WidthButtons[i].Width == width)
            return &ConverterState.ChosenFormats[i];
    }
    return nullptr;
}

}  // namespace

const FloatFormat* ChosenFormatOf(int32_t width)
{
    const FloatFormat* chosen = ChosenFormatSlot(width);
    if (chosen && chosen->ExponentBits == 0)
        return DefaultFormatOf(width);
    return chosen;
}

bool ChooseFormat(const FloatFormat* format)
{
    return ChooseFormatForWidth(ConverterState.Width, format);
}

bool ChooseFormatForWidth(int32_t width, const FloatFormat* format)
{
    FloatFormat* slot = ChosenFormatSlot(width);
    if (!slot)
        return false;
    if (!format)
        format = DefaultFormatOf(width);
    if (!FormatFitsWidth(*format, width))
        return false;
    *slot = *format;
    return true;
}
