#pragma once
#include <cstdint>

#include "core/float_format.h"

// The forms in which the value is copied for use elsewhere: in C source, in
// a hex dump, in memory order. Each is one line of text computed from the
// register, the width and the format the width is read in; no state.

enum class CopyForm : uint8_t {
    Hex,  // "0x3DCCCCCD": a C integer literal of the width's bits
    Literal,  // "0.1f": a C literal that reads back to the same bits
    HexFloat,  // "0x1.99999ap-4f": the hexfloat reading with C's suffix
    Bytes,  // "CD CC CC 3D": the bytes in memory order, little-endian
    BytesBigEndian,  // "3D CC CC CD": most significant byte first
    Array,  // "{0xCD, 0xCC, 0xCC, 0x3D}": a C initialiser of the bytes above
};

// Every form, in the order "all" lists them.
inline constexpr CopyForm CopyForms[] = {CopyForm::Hex,   CopyForm::Literal,        CopyForm::HexFloat,
                                         CopyForm::Bytes, CopyForm::BytesBigEndian, CopyForm::Array};
constexpr int CopyFormCount = sizeof CopyForms / sizeof CopyForms[0];

// Capacity of a form's text, NUL included. The longest is the array of 10
// bytes: a brace, ten "0xCD", nine ", " and a brace, 60 characters; a
// literal is at most a sign, 21 digits, "0." and three more zeros, or an
// exponent of "e-4951", and a suffix; a hexfloat reading at most 28 and "L".
constexpr int CopyFormCapacity = 64;

// "hex", "literal", "hexfloat", "bytes", "bytes-be", "array".
const char* CopyFormName(CopyForm form);

// The form named exactly by name; false for any other name.
bool CopyFormNamed(const char* name, CopyForm* form);

// Writes the form of the value (value: the 10-byte little-endian register;
// format: the one the width is read in, held in its low bits) and a NUL at
// out (CopyFormCapacity bytes); returns the NUL's position.
//
// The literal is the shortest reading in C's syntax for the formats C has a
// type for (single: float with "f", double, x87: long double with "L"):
// positional from 1e-4 up to below 1e16 ("0.1f", "1.0"), else with a
// signed exponent ("1e-45f", "3.4028235e+38f"); the infinities are
// INFINITY and -INFINITY, the quiet NaNs with an empty payload NAN and -NAN.
// Every other format, NaN and refused x87 encoding gives the Hex form.
char* WriteCopyForm(char* out, CopyForm form, const FloatFormat& format, const uint8_t* value, int32_t width);
