#include "views/exponent_field.h"

#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_formats.h"
#include "core/float_format.h"
#include "core/number_text.h"

namespace {

// Far above every exponent range (at most 32767 after biasing), so the
// saturation never changes which end a clamped exponent goes to.
constexpr int32_t LeadingIntegerLimit = 100000000;

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The leading integer of text as atoi reads it. Magnitudes beyond
// LeadingIntegerLimit saturate there instead of overflowing.
int32_t ReadLeadingInteger(const char* text)
{
    const char* p = text;
    while (IsWhiteSpace(*p))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    int32_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > LeadingIntegerLimit)
            value = LeadingIntegerLimit;
    }
    return negative ? -value : value;
}

}  // namespace

void RenderExponent(int field)
{
    const FloatFormat* layout = FloatFormatOf(ConverterState.Width);
    if (!layout)
        return;
    int32_t exponent = ReadBiasedExponent(*layout, ConverterState.ValueRegister) - layout->Bias;
    char text[8];  // "-16383" at most: 6 characters and the NUL
    WriteSignedDecimal(text, exponent);
    SetFieldText(field, text);
}

bool ParseExponent(int field)
{
    const FloatFormat* layout = FloatFormatOf(ConverterState.Width);
    if (!layout)
        return false;
    char text[8];  // read with the count 8: at most 7 characters and the NUL
    ReadFieldText(field, text, sizeof text);

    int32_t biased = ReadLeadingInteger(text) + layout->Bias;
    bool error = true;
    if (biased < 0)
        biased = 0;
    else if (biased > AllOnesExponent(*layout))
        biased = AllOnesExponent(*layout);
    else
        error = false;  // the all-ones exponent is taken as typed
    WriteBiasedExponent(*layout, ConverterState.ValueRegister, static_cast<uint16_t>(biased));
    UpdateErrorFlag(&ConverterState.ExponentError, error, field);
    return true;
}
