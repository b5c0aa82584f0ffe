#pragma once
#include <cstdint>

#include "views/float_decimal.h"

// Readings of the value beyond the fields, for any front end: the width's
// bits as an unsigned integer; at 16 bits the exact values of a binary16 and
// a bfloat16; at 32, 64 and 80 bits the class of the float's encoding, the
// exact and the shortest decimal value of the float, C's hexadecimal float
// notation, and the neighbouring values.
// Computed from the register and the width only, with exact integer
// arithmetic (the same on every build) and no state.

enum class Reading : uint8_t {
    Unsigned,  // the width's bits as an unsigned decimal integer
    Class,  // widths 32, 64, 80: EncodingClassName of the float's encoding
    Half,  // width 16: the bits as an IEEE 754 binary16, exact
    Bfloat16,  // width 16: the bits as the top half of a single, exact
    Exact,  // every significant digit of the float
    Shortest,  // the fewest digits that read back to these bits
    HexFloat,  // printf's "%a" form
    Next,  // nextUp, written as the hex field writes the width
    Previous,  // nextDown, likewise
};

// The readings of a width, in the order they are shown; returns their count
// (1 at width 8, 3 at 16, 7 at 32, 64 and 80, 0 for any other width).
int ReadingsOfWidth(int32_t width, const Reading** list);

// The reading's name: "unsigned", "class", "half", "bfloat16", "exact",
// "shortest", "hexfloat", "next", "previous".
const char* ReadingName(Reading reading);

// The capacity a reading's text needs, NUL included: the exact value of an
// extended number is the longest; every other reading fits in 32 (an
// extended "%a" text is at most 28 characters, an 80-bit unsigned integer 25
// digits).
constexpr int ReadingCapacity = FloatDecimalCapacity;

// Writes the reading of the register's low width/8 bytes (value: the 10-byte
// little-endian register) and a NUL at out; returns the NUL's position.
// Decimal forms are '[-]D.DDDe[-]N'; zeros '0' and '-0'; infinities and NaNs
// are the float field's words ("1.INF", "1.IND", "1.QNaN#p", "1.SNaN#p");
// the extended encodings the x87 does not allow read '1.INV', and their
// neighbours are empty.
char* WriteReading(char* out, Reading reading, const uint8_t* value, int32_t width);
