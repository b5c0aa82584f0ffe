#pragma once
#include <cstdint>

// Bit fields of a little-endian byte string such as ValueRegister (bit 0 is
// the least significant bit of byte 0): any run of up to 64 bits at any
// position of the 80, so that every float format's fields, wherever the
// format puts them, are read and written the same way.

// The bits position .. position + count - 1 as an unsigned integer; count 0
// to 64, position + count at most 80.
uint64_t ReadBits(const uint8_t* bytes, int position, int count);

// Replaces those bits by the low count bits of value; every other bit stays.
void WriteBits(uint8_t* bytes, int position, int count, uint64_t value);
