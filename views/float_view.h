#pragma once
#include <cstdint>

// The float field: the value as single (32 bits), double (64) or x87
// extended (80) precision text. Both operations do nothing at widths without
// a float format.

// Writes the float printer's text of the value (at most FloatTextBudget
// characters).
void RenderFloat(int field);

// Reads at most 30 characters, parses them as an extended value into all 10
// bytes of ValueRegister and narrows it to the width: finite values and zeros
// are rounded to nearest, infinities and NaNs are moved by NarrowSpecial
// (core/float_format). A text the parser rejects, or a NaN payload too wide
// for the width, sets FloatError and leaves +0.0 within the width.
bool ParseFloatField(int field);
