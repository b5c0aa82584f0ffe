#include "tests/windows/registry_helpers.h"

#include <cstdio>

void DeleteTestKey()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, TestKeyPath);
}

void SetRawValue(const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, TestKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void SetDwordValue(const char* name, uint32_t value)
{
    SetRawValue(name, REG_DWORD, &value, sizeof value);
}

RawValue GetRawValue(const char* name)
{
    RawValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, TestKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return value;
    unsigned char buffer[64];  // 64: far more than any value the program writes (4 bytes)
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name, nullptr, &value.Type, buffer, &size) == ERROR_SUCCESS) {
        value.Present = true;
        value.Data.assign(buffer, buffer + size);
    }
    RegCloseKey(key);
    return value;
}

std::string Describe(const RawValue& value)
{
    if (!value.Present)
        return "missing";
    char text[64];
    if (value.Type == REG_DWORD && value.Data.size() == 4) {
        uint32_t number = value.Data[0] | value.Data[1] << 8 | value.Data[2] << 16 |
            static_cast<uint32_t>(value.Data[3]) << 24;
        std::snprintf(text, sizeof text, "REG_DWORD 0x%08x", number);
    } else {
        std::snprintf(text, sizeof text, "type %lu, %u bytes", static_cast<unsigned long>(value.Type),
                      static_cast<unsigned>(value.Data.size()));
    }
    return text;
}
