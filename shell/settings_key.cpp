#include "shell/settings_key.h"

#include <cstring>

#include "core/number_text.h"

static_assert(RegistryTypeText == REG_SZ && RegistryTypeDword == REG_DWORD);

namespace {

// 64 bytes: the longest value a setting takes (a format name) with room to
// spare; a longer value is refused by the registry as too long for it.
constexpr DWORD RegistryValueCapacity = 64;

// Reads a value's type and bytes into buffer; false when it is missing or
// longer than the buffer.
bool QueryRaw(HKEY key, const char* name, uint8_t* buffer, RegistryValue* value)
{
    if (!key)
        return false;
    DWORD type = REG_NONE;
    DWORD size = RegistryValueCapacity;
    if (RegQueryValueExA(key, name, nullptr, &type, buffer, &size) != ERROR_SUCCESS)
        return false;
    *value = {type, buffer, size};
    return true;
}

// Reads a value of exactly 4 bytes (of REG_DWORD only, when dwordOnly)
// into *number; false for anything else.
bool QueryDword(HKEY key, const char* name, uint32_t* number, bool dwordOnly = false)
{
    uint8_t buffer[RegistryValueCapacity];
    RegistryValue value;
    return QueryRaw(key, name, buffer, &value) && DecodeRegistryNumber(value, dwordOnly, number);
}

// Reads a value's decimal text from the settings file into *value.
bool QueryFileNumber(const char* file, const char* name, uint32_t* value)
{
    // 32 characters: room for the longest accepted text (a sign, ten digits
    // and blanks); a longer text is cut and then fails to parse or is too
    // long to be a number of 32 bits anyway.
    char text[32];
    GetPrivateProfileStringA(SettingsFileSection, name, "", text, sizeof text, file);
    return ParseSettingsNumber(text, value);
}

}  // namespace

void SettingsKey::UseFile(const char* file)
{
    Close();
    File[0] = '\0';
    if (file)
        WriteTextBounded(File, file, sizeof File);
}

bool SettingsKey::OpenForRead(const char* path)
{
    Close();
    if (File[0]) {
        DWORD attributes = GetFileAttributesA(File);
        FileOpen = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        return FileOpen;
    }
    return RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &Handle) == ERROR_SUCCESS;
}

bool SettingsKey::OpenForWrite(const char* path)
{
    Close();
    if (File[0]) {
        FileOpen = true;
        return true;
    }
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_WRITE, &Handle) == ERROR_SUCCESS)
        return true;
    Handle = nullptr;
    return RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                           &Handle, nullptr) == ERROR_SUCCESS;
}

int32_t SettingsKey::ReadSigned(const char* name, int32_t def, int32_t min, int32_t max) const
{
    uint32_t raw = 0;
    bool found = FileOpen ? QueryFileNumber(File, name, &raw) : QueryDword(Handle, name, &raw);
    if (!found)
        return def;
    return ClampSetting(static_cast<int32_t>(raw), min, max);
}

uint32_t SettingsKey::ReadUnsigned(const char* name, uint32_t def, uint32_t min, uint32_t max) const
{
    uint32_t value = 0;
    bool found = FileOpen ? QueryFileNumber(File, name, &value) : QueryDword(Handle, name, &value);
    if (!found)
        return def;
    return ClampSetting(value, min, max);
}

void SettingsKey::WriteFlag(const char* name, uint8_t flag) const
{
    WriteDword(name, flag ? 1u : 0u);
}

void SettingsKey::WriteDword(const char* name, uint32_t value) const
{
    if (FileOpen) {
        char text[16];  // 16: ten digits and a NUL, with room to spare
        wsprintfA(text, "%lu", static_cast<unsigned long>(value));
        WritePrivateProfileStringA(SettingsFileSection, name, text, File);
        return;
    }
    RegSetValueExA(Handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void SettingsKey::WriteSignedDword(const char* name, int32_t value) const
{
    if (FileOpen) {
        char text[16];  // 16: a sign, ten digits and a NUL, with room to spare
        wsprintfA(text, "%ld", static_cast<long>(value));
        WritePrivateProfileStringA(SettingsFileSection, name, text, File);
        return;
    }
    WriteDword(name, static_cast<uint32_t>(value));
}

void SettingsKey::Close()
{
    FileOpen = false;
    if (!Handle)
        return;
    RegCloseKey(Handle);
    Handle = nullptr;
}

uint32_t SettingsKey::ReadDword(const char* name, uint32_t def) const
{
    uint32_t value = 0;
    // A file has no types: its number is the value.
    if (FileOpen)
        return QueryFileNumber(File, name, &value) ? value : def;
    return QueryDword(Handle, name, &value, true) ? value : def;
}

bool SettingsKey::ReadString(const char* name, char* text, int size) const
{
    text[0] = '\0';
    if (size < 2)
        return false;
    if (FileOpen) {
        // A text that fills the buffer may have been cut: it counts as one
        // that does not fit.
        DWORD length =
            GetPrivateProfileStringA(SettingsFileSection, name, "", text, static_cast<DWORD>(size), File);
        if (length == 0 || length >= static_cast<DWORD>(size - 1)) {
            text[0] = '\0';
            return false;
        }
        return true;
    }
    uint8_t buffer[RegistryValueCapacity];
    RegistryValue value;
    if (!QueryRaw(Handle, name, buffer, &value))
        return false;
    return DecodeRegistryText(value, text, size);
}

void SettingsKey::WriteString(const char* name, const char* text) const
{
    if (FileOpen) {
        WritePrivateProfileStringA(SettingsFileSection, name, text, File);
        return;
    }
    RegSetValueExA(Handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text) + 1));
}
