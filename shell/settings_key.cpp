#include "shell/settings_key.h"

namespace {

// Reads a value of exactly 4 bytes into *value; false for anything else.
bool QueryDword(HKEY key, const char* name, uint32_t* value)
{
    if (!key)
        return false;
    DWORD size = sizeof *value;
    LONG status = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    return status == ERROR_SUCCESS && size == sizeof *value;
}

// Equal bounds mean "no clamp": the value is returned as read.
template <typename T> T ClampToRange(T value, T min, T max)
{
    if (min == max)
        return value;
    if (value < min)
        return min;
    if (value > max)
        return max;
    return value;
}

}  // namespace

bool SettingsKey::OpenForRead(const char* path)
{
    Close();
    return RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &Handle) == ERROR_SUCCESS;
}

bool SettingsKey::OpenForWrite(const char* path)
{
    Close();
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_WRITE, &Handle) == ERROR_SUCCESS)
        return true;
    Handle = nullptr;
    return RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                           &Handle, nullptr) == ERROR_SUCCESS;
}

int32_t SettingsKey::ReadSigned(const char* name, int32_t def, int32_t min, int32_t max) const
{
    uint32_t raw = 0;
    if (!QueryDword(Handle, name, &raw))
        return def;
    return ClampToRange(static_cast<int32_t>(raw), min, max);
}

uint32_t SettingsKey::ReadUnsigned(const char* name, uint32_t def, uint32_t min, uint32_t max) const
{
    uint32_t value = 0;
    if (!QueryDword(Handle, name, &value))
        return def;
    return ClampToRange(value, min, max);
}

void SettingsKey::WriteFlag(const char* name, uint8_t flag) const
{
    WriteDword(name, flag ? 1u : 0u);
}

void SettingsKey::WriteDword(const char* name, uint32_t value) const
{
    RegSetValueExA(Handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void SettingsKey::Close()
{
    if (!Handle)
        return;
    RegCloseKey(Handle);
    Handle = nullptr;
}

uint32_t SettingsKey::ReadDword(const char* name, uint32_t def) const
{
    uint32_t value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    if (!Handle ||
        RegQueryValueExA(Handle, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS)
        return def;
    return type == REG_DWORD && size == sizeof value ? value : def;
}
