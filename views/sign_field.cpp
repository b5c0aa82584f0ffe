#include "views/sign_field.h"

#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_formats.h"
#include "core/field_ids.h"
#include "core/float_format.h"

void ParseSign()
{
    bool negative = ReadFieldCheck(FieldSign);
    if (const FloatFormat* format = FloatFormatOf(ConverterState.Width))
        WriteSignBit(*format, ConverterState.ValueRegister, negative);
}

void RenderSign(int field)
{
    if (const FloatFormat* format = FloatFormatOf(ConverterState.Width))
        WriteFieldCheck(field, ReadSignBit(*format, ConverterState.ValueRegister));
}
