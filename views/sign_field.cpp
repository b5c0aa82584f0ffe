#include "views/sign_field.h"

#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"

void ParseSign()
{
    bool negative = ReadFieldCheck(FieldSign);
    int signByte = SignByteIndex();
    if (signByte >= 0) {
        uint8_t& top = ConverterState.ValueRegister[signByte];
        top = static_cast<uint8_t>(negative ? (top | 0x80) : (top & 0x7F));
    }
}

void RenderSign(int field)
{
    int signByte = SignByteIndex();
    if (signByte >= 0)
        WriteFieldCheck(field, (ConverterState.ValueRegister[signByte] & 0x80) != 0);
}
