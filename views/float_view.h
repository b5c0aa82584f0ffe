#pragma once
#include <cstdint>

// The float field: the value as single (32 bits), double (64) or x87
// extended (80) precision text. Both operations do nothing at widths without
// a float format.

// Writes the float printer's text of the value (at most 28 characters).
void RenderFloat(int field);

// Reads at most 30 characters, parses them as an extended value into all 10
// bytes of ValueRegister and narrows it to the width: finite values and zeros
// are rounded to nearest, infinities and NaNs are moved by NarrowSpecial. A
// text the parser rejects, or a NaN payload too wide for the width, sets
// FloatError and leaves +0.0 within the width.
bool ParseFloatField(int field);

// Moves an extended infinity or NaN in value (10 bytes) into the format of
// width 32 or 64, in place: sign, quiet bit and payload. A payload that does
// not fit the narrower fraction zeroes the width's bytes and returns true.
// At width 80 it changes nothing and returns false. Bytes above the width
// stay as they were.
bool NarrowSpecial(uint8_t* value, int32_t width);
