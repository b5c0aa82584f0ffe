#pragma once
#include <cstdint>

// Decimal integer text as the "%i", "%I64i", "%0Ni" and "%0NI64u" formats
// write it: a minus sign for negative values, no plus sign, no blanks, leading
// zeros only up to a requested digit count. Each writes a NUL and returns its
// position so that callers can append.

// Writes at most 20 characters and a NUL.
char* WriteSignedDecimal(char* out, int64_t value);

// Writes max(minDigits, digits of value) characters (at most 20 for
// minDigits <= 20) and a NUL.
char* WriteUnsignedDecimal(char* out, uint64_t value, int minDigits);

// Copies text (NUL-terminated) to out and returns the position of the copied
// NUL.
char* WriteText(char* out, const char* text);

// Writes the n little-endian bytes as 2n upper-case hexadecimal digits, most
// significant first, and a NUL.
char* WriteHexBytes(char* out, const uint8_t* bytes, int n);
