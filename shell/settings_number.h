#pragma once
#include <cstdint>

// The pure parts of reading a setting, without any platform header so that
// they are built and fuzzed natively too: the number text of a settings
// file and the clamp every value read (from a file or the registry) passes.

// Reads a value's decimal text from a settings file: optional blanks, an
// optional minus sign, 1 to 10 digits, optional blanks; the number from
// -2147483648 to 4294967295 as its 32 bits. False for anything else.
bool ParseSettingsNumber(const char* text, uint32_t* value);

// The value held to min..max; equal bounds mean "no clamp": the value is
// returned as read.
int32_t ClampSetting(int32_t value, int32_t min, int32_t max);
uint32_t ClampSetting(uint32_t value, uint32_t min, uint32_t max);
