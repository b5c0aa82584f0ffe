#pragma once
#include <cstdint>

// The neighbouring values of a single, double or extended value (IEEE 754
// nextUp and nextDown in that format), on the value's bytes.
// Both zeros step to the smallest subnormals, the largest finite values to
// the infinities, an infinity toward its own sign stays, a NaN stays itself.
// Extended values keep the integer bit right across the subnormal/normal
// boundary.

// Replaces value (size 4, 8 or 10 bytes, little-endian) by its neighbour
// toward plus infinity (up) or minus infinity; returns false and leaves it
// unchanged for the extended encodings the x87 does not allow.
bool StepFloat(uint8_t* value, uint8_t size, bool up);
