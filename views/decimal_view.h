#pragma once
#include <cstdint>

// The decimal field: the width's bits as a two's-complement signed integer.
// Text that is not a number clears the value, and a number outside the width
// is clamped; both set DecimalError.

// Writes the signed value of the width (at most 25 characters).
void RenderDecimal(int field);

// Reads at most 29 characters: an optional leading "-" and digits. Updates
// DecimalError.
bool ParseDecimal(int field);
