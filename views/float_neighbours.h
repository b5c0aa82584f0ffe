#pragma once
#include <cstdint>

#include "core/float_format.h"

// The neighbouring values of a value in its format (IEEE 754 nextUp and
// nextDown), on the value's bytes. Both zeros step to the smallest
// subnormals; the largest finite values step to the infinities where the
// format has them, else stay; an infinity toward its own sign stays, a NaN
// stays itself. A format without a negative zero steps from the smallest
// subnormals to +0. x87 values keep the integer bit right across the
// subnormal/normal boundary.

// Replaces the format's bits of value (the width's bytes, little-endian) by
// its neighbour toward plus infinity (up) or minus infinity; every bit
// outside the format stays. Returns false and leaves the value unchanged for
// the x87 encodings the x87 does not allow.
bool StepFloat(const FloatFormat& format, uint8_t* value, bool up);

// The same in the float fields' format of a size of 4, 8 or 10 bytes.
bool StepFloat(uint8_t* value, uint8_t size, bool up);
