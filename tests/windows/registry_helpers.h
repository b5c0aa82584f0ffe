#pragma once
// A registry key of the tests' own under HKEY_CURRENT_USER, emptied before
// and after each test, and raw access to its values.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr const char* TestKeyPath = "Software\\Dexolin Tests\\Settings";

void DeleteTestKey();

// Stores name with any type and any bytes.
void SetRawValue(const char* name, DWORD type, const void* data, DWORD size);
void SetDwordValue(const char* name, uint32_t value);

struct RawValue {
    bool Present = false;
    DWORD Type = 0;
    std::vector<unsigned char> Data;
};
RawValue GetRawValue(const char* name);

// "REG_DWORD 0x0000001e" for messages.
std::string Describe(const RawValue& value);
