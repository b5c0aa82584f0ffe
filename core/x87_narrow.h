#pragma once
#include <cstdint>

#include "core/x87_arith.h"

// Narrowing of an extended value to IEEE double and single precision, each
// rounded once to nearest-even: magnitudes beyond the format's range become
// infinity, magnitudes below its normal range become subnormals or zero. The
// x87 control word is set to round to nearest for the store and restored.
// Meant for zeros and finite values; the float view moves infinities and NaNs
// bit by bit instead.

// Writes the 8-byte little-endian image of the double nearest to value.
void X87NarrowToDouble(Extended80 value, uint8_t* out);

// Writes the 4-byte little-endian image of the single nearest to value.
void X87NarrowToSingle(Extended80 value, uint8_t* out);
