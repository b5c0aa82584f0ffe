#pragma once
#include "views/float_rounding.h"

// Entering a value in the companion: --encode TEXT, --each encode and the
// script's encode, round and saturate. The mode and the saturation hold for
// every later encoding; the last encoding's flags and error are printed
// after the format's readings.

// The pseudo-field of --encode and --each encode (no dialog id is 1).
constexpr int CompanionEncodeField = 1;

void CompanionSetEncoding(RoundingMode mode, bool saturate);

// Encodes text into the format chosen for the width (its bits only; the
// fields are refreshed with no source). Returns false, the register
// unchanged and the flags "not-a-number", when the text is not a number.
bool CompanionEncode(const char* text);

// Whether an encoding has run, so that blocks end with its lines.
bool CompanionEncoded();

// The "flags" and "error" texts of the last encoding.
const char* CompanionEncodeFlags();
const char* CompanionEncodeError();

// Script commands "round MODE" and "saturate on|off".
int CompanionRound(const char* rest, const char** reason);
int CompanionSaturate(const char* rest, const char** reason);
