#pragma once
#include <cstdint>

// A bit pattern as people copy it from debuggers and data sheets: an
// optional prefix "0x"/"0X" (hexadecimal) or "0b"/"0B" (binary), then digits
// with the separators '_', '\'', ' ', ':' and '-' between them. Read by the
// companion's --bits and by a paste into the binary or hexadecimal field.

// 80 binary digits and a NUL: the widest pattern in either base.
constexpr int BitsDigitsCapacity = 81;

// Reads text; digits without a prefix are binary when unprefixedBinary is
// true, hexadecimal otherwise. At most maxBits bits' worth of digits
// (maxBits binary digits or maxBits / 4 hexadecimal ones) are taken. On
// success writes the digits alone and a NUL to digits (BitsDigitsCapacity
// bytes), sets *binary to their base and returns null. Otherwise returns the
// problem in a few words: no digit, more digits than maxBits holds, a
// separator that is not between digits, or any other character.
const char* ReadBitsText(const char* text, bool unprefixedBinary, int32_t maxBits, bool* binary,
                         char* digits);

// What a paste into the binary (toBinary) or hexadecimal field is, once the
// blanks and line ends around it are dropped. A pattern is a bit pattern of
// at most 80 bits as ReadBitsText reads it, with unprefixed digits in the
// field's own base; its digits go in in the field's base: 4 binary digits
// per hexadecimal one, binary digits padded on the left to whole
// hexadecimal digits.
enum class BitFieldPaste : uint8_t {
    Pattern,  // a bit pattern: out holds its digits in the field's base
    Digits,  // only digits of the field's base, too many for a pattern: out holds them
    Refused,  // anything else: nothing may be pasted
};

// Classifies text as above, writing the digits to paste and a NUL to out
// (size bytes) for the first two kinds; a text of digits that does not fit
// in size is Refused. *hexInBinary is set when a refused text would be a
// hexadecimal pattern, so that the field can say where it belongs.
BitFieldPaste ReadBitFieldPaste(const char* text, bool toBinary, char* out, int size, bool* hexInBinary);
