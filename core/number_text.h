#pragma once
#include <cstdint>

// Decimal integer text as the "%i", "%I64i", "%0Ni" and "%0NI64u" formats
// write it: a minus sign for negative values, no plus sign, no blanks, leading
// zeros only up to a requested digit count. Each writes a NUL and returns its
// position so that callers can append.

// The decimal digits of value, least significant first, into reversed (room
// for 20, the digits of 2^64 - 1); returns their count, 1 for 0. With the
// 80-bit form below, the only places decimal digits are peeled off a binary
// integer.
int ReversedDecimalDigits(uint64_t value, char* reversed);

// The same for the unsigned 80-bit value (10 bytes, little-endian): room for
// 25 digits, those of 2^80 - 1.
int ReversedDecimalDigits80(const uint8_t* value, char* reversed);

// Writes at most 20 characters and a NUL.
char* WriteSignedDecimal(char* out, int64_t value);

// Writes max(minDigits, digits of value) characters (at most 20 for
// minDigits <= 20) and a NUL.
char* WriteUnsignedDecimal(char* out, uint64_t value, int minDigits);

// Copies text (NUL-terminated) to out and returns the position of the copied
// NUL.
char* WriteText(char* out, const char* text);

// The same for at most capacity - 1 characters of text (capacity > 0); the
// NUL always follows.
char* WriteTextBounded(char* out, const char* text, int capacity);

// Writes the n little-endian bytes as 2n upper-case hexadecimal digits, most
// significant first, and a NUL.
char* WriteHexBytes(char* out, const uint8_t* bytes, int n);

// Writes the signed 80-bit value (10 bytes, little-endian) in decimal:
// count 0 writes every digit; count > digits pads with leading zeros to count
// digits; 0 < count <= digits keeps the count most significant digits
// (truncated, not rounded); count < 0 keeps only the leading digit. A minus
// sign takes one of the counted positions. Writes at most a sign,
// max(count, 24) digits and a NUL (26 bytes for the counts in use, 0 to 19);
// returns the NUL's position.
char* PrintInt80(char* out, const uint8_t* value, int count);

// Clamps the low n bytes of acc (at least n + 1 bytes) by the byte just above
// them: below -1 gives the width's most negative value, above 0 its largest
// positive value. Returns true when it clamped. Bytes from n up are unchanged.
bool SaturateToWidth(uint8_t* acc, int n);
