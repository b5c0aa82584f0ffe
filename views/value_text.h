#pragma once
#include <cstdint>

// Reading a typed number: decimal or hexadecimal digits, the words for
// infinities and NaNs, and every text the readings write, so that each of
// them reads back. Only the text's syntax is checked here; its value is
// formed exactly by the encoder.

enum class ValueTextKind : uint8_t {
    NotANumber,
    Finite,
    Infinity,
    NaN,
};

enum class NaNWord : uint8_t {
    Plain,  // "nan", "NaN", "1.IND": the quiet NaN with an empty payload
    Quiet,  // "1.QNaN#p"
    Signalling,  // "1.SNaN#p"
};

// Written exponents beyond this magnitude are held at it: any value with one
// is far outside every format's range, so only the exponent's text (kept for
// the error reading) still matters.
constexpr int64_t ValueTextExponentClamp = 1000000000000;  // 10^12

struct ValueText {
    ValueTextKind Kind;
    bool Negative;
    // Finite: the value is the integer of Count significant digits (base
    // Radix, no leading or trailing zeros; Count 0 for a zero) starting at
    // First in the text, a '.' possibly among them, times 10^Exponent
    // (Radix 10) or 2^Exponent (Radix 16).
    int32_t Radix;
    const char* First;
    int32_t Count;
    int64_t Exponent;  // clamped at +-ValueTextExponentClamp plus the digit count
    // The written exponent's digits without leading zeros (null, 0 when
    // there are none) and its sign: Exponent is that number plus Shift,
    // unless it was clamped.
    const char* WrittenDigits;
    int32_t WrittenCount;
    bool WrittenNegative;
    int64_t Shift;
    // NaN: the word and its payload; PayloadTooLarge when it needs more than
    // 64 bits.
    NaNWord Word;
    uint64_t Payload;
    bool PayloadTooLarge;
};

// Reads text (NUL-terminated; blanks, space or tab, around it are ignored; at
// most maxLength characters between them) into value. Returns false, with
// Kind NotANumber, for any other text.
bool ReadValueText(const char* text, int32_t maxLength, ValueText* value);

// The value of a decimal or hexadecimal digit character, -1 for any other.
int DigitValue(char c);

// Writes the decimal exponent Exponent + adjust exactly, from the written
// digits when the exponent was clamped, and a NUL; returns the NUL's
// position. At most WrittenCount + 21 characters and the NUL.
char* WriteExponentSum(char* out, const ValueText& value, int64_t adjust);
