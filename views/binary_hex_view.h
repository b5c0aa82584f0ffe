#pragma once
// The binary and hexadecimal fields: always as many digits as the width has.
// Their parsers accept every text; the endianness decides from which end the
// typed digits fill the value.
//
// Every parser of the views reads its field into ValueRegister and updates
// the field's error flag; it returns true when it took the text, false when
// the width has no such field (the float fields at 8 and 16 bits). Refreshing
// the other fields is the caller's (the converter's handlers).

// Writes Width binary digits, most significant first.
void RenderBinary(int field);
// Reads at most 80 characters: each "1" sets the bit of its position counted
// from the end, any other character is a 0 bit.
bool ParseBinary(int field);

// Writes Width/4 upper-case hexadecimal digits, most significant first.
void RenderHex(int field);
// Reads at most 20 characters; hexadecimal digits of either case fill
// half-bytes from the end, other characters are skipped.
bool ParseHex(int field);
