#pragma once
#include "views/bits_text.h"

// --bits TEXT: a bit pattern as it is copied from elsewhere, read by the
// reader the window's pastes share (views/bits_text.h): an optional prefix
// "0x"/"0X" (hexadecimal, also without a prefix) or "0b"/"0B" (binary), then
// digits with the separators '_', '\'', ' ', ':' and '-' between them.

// On success writes the digits without prefix and separators to digits
// (BitsDigitsCapacity bytes), sets *field to FieldHex or FieldBinary and
// returns null. Otherwise returns the problem in a few words: no digit, more
// digits than the width holds, a separator that is not between digits, or
// any other character.
const char* ParseBitsText(const char* text, int width, int* field, char* digits);
