#include "converter/refresh_views.h"

#include "converter/inspector.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "views/binary_hex_view.h"
#include "views/decimal_view.h"
#include "views/exponent_field.h"
#include "views/float_view.h"
#include "views/mantissa_field.h"

namespace {

void RefreshFields(int sourceId)
{
    if (sourceId != FieldBinary)
        RenderBinary(FieldBinary);
    if (sourceId != FieldDecimal)
        RenderDecimal(FieldDecimal);
    if (sourceId != FieldHex)
        RenderHex(FieldHex);
    if (!ConverterState.FloatFieldsEnabled)
        return;
    if (sourceId != FieldFloat)
        RenderFloat(FieldFloat);
    if (sourceId != FieldSign) {
        // Setting a check box raises no notification: no guard needed.
        int signByte = SignByteIndex();
        if (signByte >= 0)
            WriteFieldCheck(FieldSign, (ConverterState.ValueRegister[signByte] & 0x80) != 0);
    }
    if (sourceId != FieldExponent)
        RenderExponent(FieldExponent);
    if (sourceId != FieldMantissa)
        RenderMantissa(FieldMantissa);
}

}  // namespace

void RefreshViews(int sourceId)
{
    RefreshFields(sourceId);
    RefreshInspector();
}
