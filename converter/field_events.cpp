#include "converter/field_events.h"

#include "converter/field_routes.h"
#include "converter/refresh_views.h"
#include "converter/value_history.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "views/sign_field.h"

namespace {

// Text limits a width sets, per field; 0 means "not changed".
struct WidthLimitRow {
    int Width;
    int Binary, Decimal, Hex, Exponent, Mantissa;
};

const WidthLimitRow WidthLimits[] = {
    // width, binary, decimal, hex, exponent, mantissa (0: not changed)
    {8, 8, 4, 2, 0, 0},      {16, 16, 6, 4, 0, 0},    {32, 32, 11, 8, 4, 9},
    {64, 64, 20, 16, 5, 18}, {80, 80, 25, 20, 6, 21},
};

// Sends the text limits of the given width to the fields.
void ApplyWidthLimits(int width)
{
    for (const WidthLimitRow& row : WidthLimits) {
        if (row.Width != width)
            continue;
        LimitFieldText(FieldBinary, row.Binary);
        LimitFieldText(FieldDecimal, row.Decimal);
        LimitFieldText(FieldHex, row.Hex);
        if (row.Exponent != 0) {
            LimitFieldText(FieldExponent, row.Exponent);
            LimitFieldText(FieldMantissa, row.Mantissa);
        }
    }
}

// Enables or disables the float, sign, exponent and mantissa controls and
// their labels; when disabling, empties the three edit fields and unticks the
// sign box. Does nothing when the state is already in force.
void EnableFloatFields(bool enable)
{
    if ((ConverterState.FloatFieldsEnabled != 0) == enable)
        return;
    ConverterState.FloatFieldsEnabled = enable ? 1 : 0;
    if (!enable) {
        SetFieldText(FieldFloat, "");
        WriteFieldCheck(FieldSign, false);  // raises no notification
        SetFieldText(FieldExponent, "");
        SetFieldText(FieldMantissa, "");
    }
    const int pairs[4][2] = {
        {LabelFloat, FieldFloat},
        {LabelSign, FieldSign},
        {LabelExponent, FieldExponent},
        {LabelMantissa, FieldMantissa},
    };
    for (const auto& pair : pairs) {
        EnableControl(pair[0], enable);
        EnableControl(pair[1], enable);
    }
}

}  // namespace

void OnFieldChange(int field)
{
    if (ConverterState.Updating)
        return;
    const FieldRoute* route = FindEditRoute(field);
    if (route && route->Parse(field))
        RefreshViews(field);
}

void OnFieldKillFocus(int field)
{
    const FieldRoute* route = FindEditRoute(field);
    if (!route)
        return;
    if (uint8_t* error = ErrorFlagOf(field))
        *error = 0;
    route->Render(field);
    RecordSettledValue();  // a value the same as the last one adds nothing
}

void OnWidthButton(int button)
{
    int width = WidthOfButton(button);
    if (width == 0)
        return;
    SetWidth(width);
    ApplyWidthLimits(width);
    EnableFloatFields(width >= 32);
    RefreshViews(FieldNone);
    RecordSettledValue();
}

void OnEndianButton(int button)
{
    if (button == ButtonLittle)
        SetBigEndian(false);
    else if (button == ButtonBig)
        SetBigEndian(true);
}

void OnSignClick()
{
    ParseSign();
    RefreshViews(FieldSign);
}
