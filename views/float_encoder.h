#pragma once
#include <cstdint>

#include "core/float_format.h"
#include "views/float_rounding.h"
#include "views/value_text.h"

// Entering a value: a typed number, correctly rounded into any float format
// by the mode, with IEEE 754's flags, and written into the format's bits of
// the register. Overflow follows the format's convention: an infinity where
// IEEE 754 gives one and the format has one, else the format's NaN or its
// largest finite value.

struct EncodeOptions {
    RoundingMode Mode = RoundingMode::Even;
    // Overflow gives the largest finite value; so does an infinity's text
    // where the format has no infinity (where it has one, it is exact).
    bool Saturate = false;
};

enum EncodeFlag : uint8_t {
    FlagInexact = 1,
    FlagOverflow = 2,
    FlagUnderflow = 4,  // inexact and tiny after rounding
    FlagInvalid = 8,
};

struct EncodeOutcome {
    uint8_t Flags;
    // The stored value when it is a number: Significand * 2^Exponent with
    // the sign; Finite is false for an infinity or a NaN.
    bool Finite;
    bool Negative;
    uint64_t Significand;
    int32_t Exponent;
};

// Encodes the text (as ReadValueText reads it, at most maxLength characters)
// into the format's bits of value (the register's bytes from byte 0); every
// other bit stays. Returns false, value untouched, when the text is not a
// number or names a NaN the format cannot hold (a payload too wide, an
// empty signalling one, a payload in a format without payloads).
bool EncodeValueText(const char* text, int32_t maxLength, const FloatFormat& format, EncodeOptions options,
                     uint8_t* value, EncodeOutcome* outcome);

// The flags' names in the order inexact, overflow, underflow, invalid,
// space-separated (empty for none): at most 35 characters and a NUL;
// returns the NUL's position.
char* WriteEncodeFlags(char* out, uint8_t flags);
