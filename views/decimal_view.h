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

// Clamps the low n bytes of acc (at least n + 1 bytes) by the byte just above
// them: below -1 gives the width's most negative value, above 0 its largest
// positive value. Returns true when it clamped. Bytes from n up are unchanged.
bool SaturateToWidth(uint8_t* acc, int n);

// Writes the signed 80-bit value (10 bytes, little-endian) in decimal:
// count 0 writes every digit; count > digits pads with leading zeros to count
// digits; 0 < count <= digits keeps the count most significant digits
// (truncated, not rounded); count < 0 keeps only the leading digit. A minus
// sign takes one of the counted positions. Writes at most a sign,
// max(count, 24) digits and a NUL (26 bytes for the counts in use, 0 to 19);
// returns the NUL's position.
char* PrintInt80(char* out, const uint8_t* value, int count);
