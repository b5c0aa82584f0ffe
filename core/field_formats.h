#pragma once
// The formats the float fields show: single at 32 bits, double at 64, the
// x87's extended format at 80; the narrower widths have no float fields.
#include <cstdint>

#include "core/float_format.h"

// The float fields' format of a width, or null for a width without float
// fields (8, 16).
const FloatFormat* FloatFormatOf(int32_t width);

// Moves an extended infinity or NaN in value (10 bytes) into the float
// fields' format of width 32 or 64, in place: sign, quiet bit and payload. A
// payload that does not fit the narrower fraction zeroes the width's bytes
// and returns true. At width 80 it changes nothing and returns false. Bytes
// above the width stay as they were.
bool NarrowSpecial(uint8_t* value, int32_t width);
