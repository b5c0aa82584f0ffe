#pragma once
// The one table of the fields the converter renders and parses, in the order
// RefreshViews renders them: binary, decimal, hexadecimal; then, while the
// float controls are enabled, float, the sign box, exponent and mantissa. The
// handlers route the fields' events by it too.

struct FieldRoute {
    int Field;
    bool FloatControl;  // enabled only at widths with a float format
    bool (*Parse)(int field);  // null for the sign box, whose click has its own handler
    void (*Render)(int field);
};

constexpr int FieldRouteCount = 7;
extern const FieldRoute FieldRoutes[FieldRouteCount];

// The route of an edit field (one with a parser), or null for any other id.
const FieldRoute* FindEditRoute(int field);
