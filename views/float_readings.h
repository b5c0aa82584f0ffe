#pragma once
#include <cstdint>

#include "core/float_format.h"
#include "views/float_decimal.h"

// Readings of the value beyond the fields, for any front end: the width's
// bits as an unsigned integer and as bytes in memory order, and the value in
// a float format: the class of its encoding, the exact and the shortest
// decimal value, C's hexadecimal float notation and the neighbouring values;
// at 16 bits also the exact values of a binary16 and a bfloat16. Which
// readings a width or a format has, their names and their places in the
// pane are views/reading_table.h's.
// Computed from the register, the width and the format only, with exact
// integer arithmetic (the same on every build) and no state.

enum class Reading : uint8_t {
    Unsigned,  // the width's bits as an unsigned decimal integer
    Class,  // EncodingClassName of the float's encoding
    Half,  // width 16: the bits as an IEEE 754 binary16, exact
    Bfloat16,  // width 16: the bits as the top half of a single, exact
    Exact,  // every significant digit of the float
    Shortest,  // the fewest digits that read back to these bits
    HexFloat,  // printf's "%a" form
    Next,  // nextUp, written as the hex field writes the width
    Previous,  // nextDown, likewise
    Format,  // the format's canonical name
    Bytes,  // "CD CC CC 3D": the width's bytes in memory order, little-endian
    BytesBigEndian,  // "3D CC CC CD": the same bytes, most significant first
};

// The capacity a reading's text needs, NUL included: the exact value of an
// extended number is the longest; every other reading fits in 32 (an
// extended "%a" text is at most 28 characters, an 80-bit unsigned integer 25
// digits, ten bytes 29 characters).
constexpr int ReadingCapacity = FloatDecimalCapacity;

// Writes the reading of the value in format (value: the 10-byte
// little-endian register; the format in the low bits of the width, which
// must hold it) and a NUL at out; returns the NUL's position. Decimal forms
// are '[-]D.DDDe[-]N'; zeros '0' and '-0'; infinities and IEEE NaNs are the
// float field's words ("1.INF", "1.IND", "1.QNaN#p", "1.SNaN#p"), the NaN of
// an fn format "NaN" or "-NaN", of an fnuz format "NaN"; the x87 encodings
// the x87 does not allow read '1.INV', and their neighbours are empty. The
// shortest form is the one that reads back under round-to-nearest-even with
// the exponent range unbounded above. Half and Bfloat16 read the bits in
// their own formats whatever format is given.
char* WriteFormatReading(char* out, Reading reading, const FloatFormat& format, const uint8_t* value,
                         int32_t width);

// The same in the float fields' format of the width (no text at 8 and 16
// bits but for unsigned, half, bfloat16 and the bytes).
char* WriteReading(char* out, Reading reading, const uint8_t* value, int32_t width);
