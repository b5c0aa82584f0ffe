#pragma once
#include <cstdint>

// The pure parts of reading a setting, without any platform header so that
// they are built and fuzzed natively too: the number text of a settings
// file, the bytes of a registry value as they were read, and the clamp
// every value read (from a file or the registry) passes.

// Reads a value's decimal text from a settings file: optional blanks, an
// optional minus sign, 1 to 10 digits, optional blanks; the number from
// -2147483648 to 4294967295 as its 32 bits. False for anything else.
bool ParseSettingsNumber(const char* text, uint32_t* value);

// The value held to min..max; equal bounds mean "no clamp": the value is
// returned as read.
int32_t ClampSetting(int32_t value, int32_t min, int32_t max);
uint32_t ClampSetting(uint32_t value, uint32_t min, uint32_t max);

// A registry value as read: its type, its bytes and how many there are.
// A value longer than the reader's buffer never gets here.
struct RegistryValue {
    uint32_t Type;
    const uint8_t* Data;
    uint32_t Size;
};
constexpr uint32_t RegistryTypeText = 1;  // REG_SZ
constexpr uint32_t RegistryTypeDword = 4;  // REG_DWORD

// A number setting: a value of exactly 4 bytes gives their 32 bits
// (little-endian), whatever its type unless dwordOnly asks for REG_DWORD;
// anything else is no number and *number is left alone.
bool DecodeRegistryNumber(const RegistryValue& value, bool dwordOnly, uint32_t* number);

// A text setting: a REG_SZ whose characters before its first NUL (or its
// end, when it has none) number 1 to size - 2, copied with a NUL (a text
// that fills the buffer may have been cut and counts as too long). Anything
// else gives false and an empty text.
bool DecodeRegistryText(const RegistryValue& value, char* text, int size);
