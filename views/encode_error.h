#pragma once
#include <cstdint>

#include "views/float_encoder.h"
#include "views/float_readings.h"

// The error of an entered value: the stored value minus the typed one,
// exact, in the readings' decimal form '[-]D.DDDe[-]N' ("0" when exact).
// When that text would not fit the readings' capacity (a typed 1e-100000),
// the difference rounded to 40 significant digits, ties to even, after a
// '~'.

// A '~', a sign, 40 digits and a point, "e" and an exponent of up to the
// text's own length plus 21 digits: the readings' capacity and 64 more.
constexpr int EncodeErrorCapacity = ReadingCapacity + 64;

// Writes the error of the finite stored value (outcome, from
// EncodeValueText) against the finite text (as ReadValueText read it, at
// most maxLength characters), and a NUL; returns the NUL's position.
// A hexadecimal text's value, m * 2^e, is exact in decimal too and counts as
// that decimal text. Writes only the NUL when either is not finite or the
// hexadecimal text's decimal form is beyond the readings' decimal integers
// (about 11,500 digits: 2^-16445, the extended format's smallest subnormal,
// has 11,495; 2^-16600 is beyond).
char* WriteEncodeError(char* out, const char* text, int32_t maxLength, const EncodeOutcome& outcome);
