#include "converter/field_routes.h"

#include "core/field_ids.h"
#include "views/binary_hex_view.h"
#include "views/decimal_view.h"
#include "views/exponent_field.h"
#include "views/float_view.h"
#include "views/mantissa_field.h"
#include "views/sign_field.h"

const FieldRoute FieldRoutes[FieldRouteCount] = {
    {FieldBinary, false, ParseBinary, RenderBinary},
    {FieldDecimal, false, ParseDecimal, RenderDecimal},
    {FieldHex, false, ParseHex, RenderHex},
    {FieldFloat, true, ParseFloatField, RenderFloat},
    {FieldSign, true, nullptr, RenderSign},
    {FieldExponent, true, ParseExponent, RenderExponent},
    {FieldMantissa, true, ParseMantissa, RenderMantissa},
};

const FieldRoute* FindEditRoute(int field)
{
    for (const FieldRoute& route : FieldRoutes) {
        if (route.Field == field && route.Parse)
            return &route;
    }
    return nullptr;
}
