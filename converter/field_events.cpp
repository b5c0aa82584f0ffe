#include "converter/field_events.h"

#include "converter/refresh_views.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "views/binary_hex_view.h"
#include "views/decimal_view.h"
#include "views/exponent_field.h"
#include "views/float_view.h"
#include "views/mantissa_field.h"
#include "views/sign_field.h"

const WidthLimitRow WidthLimits[5] = {
    // width, binary, decimal, hex, exponent, mantissa (0: not changed)
    {8, 8, 4, 2, 0, 0},      {16, 16, 6, 4, 0, 0},    {32, 32, 11, 8, 4, 9},
    {64, 64, 20, 16, 5, 18}, {80, 80, 25, 20, 6, 21},
};

namespace {

// What each edit field's notifications run.
struct FieldRoute {
    int Field;
    bool (*Parse)(int field);
    void (*Render)(int field);
};

const FieldRoute Routes[] = {
    {FieldBinary, ParseBinary, RenderBinary},
    {FieldDecimal, ParseDecimal, RenderDecimal},
    {FieldHex, ParseHex, RenderHex},
    {FieldFloat, ParseFloatField, RenderFloat},
    {FieldExponent, ParseExponent, RenderExponent},
    {FieldMantissa, ParseMantissa, RenderMantissa},
};

const FieldRoute* FindRoute(int field)
{
    for (const FieldRoute& route : Routes) {
        if (route.Field == field)
            return &route;
    }
    return nullptr;
}

}  // namespace

void OnFieldChange(int field)
{
    if (ConverterState.Updating)
        return;
    const FieldRoute* route = FindRoute(field);
    if (route && route->Parse(field))
        RefreshViews(field);
}

void OnFieldKillFocus(int field)
{
    const FieldRoute* route = FindRoute(field);
    if (!route)
        return;
    if (uint8_t* error = ErrorFlagOf(field))
        *error = 0;
    route->Render(field);
}

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

void OnWidthButton(int button)
{
    int width = WidthOfButton(button);
    if (width == 0)
        return;
    SetWidth(width);
    ApplyWidthLimits(width);
    EnableFloatFields(width >= 32);
    RefreshViews(FieldNone);
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

void EnableFloatFields(bool enable)
{
    if ((ConverterState.FloatFieldsEnabled != 0) == enable)
        return;
    ConverterState.FloatFieldsEnabled = enable ? 1 : 0;
    if (!enable) {
        ConverterState.Updating = 1;
        WriteFieldText(FieldFloat, "");
        WriteFieldCheck(FieldSign, false);
        WriteFieldText(FieldExponent, "");
        WriteFieldText(FieldMantissa, "");
        ConverterState.Updating = 0;
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
