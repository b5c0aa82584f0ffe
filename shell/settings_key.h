#pragma once
#include <windows.h>

#include <cstdint>

#include "shell/settings_number.h"

// Holder of the settings' store: one open registry key under
// HKEY_CURRENT_USER, or, when a settings file is named, the section
// [Dexolin] of that file (a portable program keeps its settings beside
// itself). Every value it reads or writes is a 32-bit number or a short
// text; reads never fail, they fall back to a default instead.
struct SettingsKey {
    HKEY Handle = nullptr;  // the open key, or none
    // The settings file, or empty for the registry. MAX_PATH: a path the
    // ANSI file functions take.
    char File[MAX_PATH] = {};
    bool FileOpen = false;  // File stands for an open key

    // Keeps the settings in file instead of the registry from the next open
    // on; an empty or null file returns to the registry.
    void UseFile(const char* file);

    // Opens the key (or the file, when it exists) for querying values;
    // closes any key held before.
    bool OpenForRead(const char* path);
    // Opens the key for setting values, creating it when it does not exist
    // (a file is written as it is: a write that fails is lost silently);
    // closes any key held before.
    bool OpenForWrite(const char* path);

    // The 4-byte value name, whatever its registry type, clamped to min..max
    // (no clamp when min equals max). A missing value, a value of another
    // size or a key that is not open gives def, unclamped. In a file a value
    // is a decimal number from -2147483648 to 4294967295 (its 32 bits are
    // taken); anything else counts as a value of another size.
    int32_t ReadSigned(const char* name, int32_t def, int32_t min, int32_t max) const;
    uint32_t ReadUnsigned(const char* name, uint32_t def, uint32_t min, uint32_t max) const;
    // A REG_DWORD value as read; def for a missing value or one of another
    // type or size. In a file, the value's number as ReadUnsigned reads it.
    uint32_t ReadDword(const char* name, uint32_t def) const;

    // A REG_SZ value (a file's value as written) into text, at most size - 1
    // characters and a NUL. False, text empty, for a missing value, one of
    // another type, one that does not fit or a key that is not open.
    bool ReadString(const char* name, char* text, int size) const;
    // A REG_SZ value; in a file the text as it is.
    void WriteString(const char* name, const char* text) const;

    // REG_DWORD 1 for a nonzero flag, 0 otherwise.
    void WriteFlag(const char* name, uint8_t flag) const;
    // REG_DWORD holding value; in a file its unsigned decimal text, as
    // written by WriteDword, or the signed text by WriteSignedDword.
    void WriteDword(const char* name, uint32_t value) const;
    void WriteSignedDword(const char* name, int32_t value) const;

    // Releases the key; does nothing when none is held.
    void Close();
};

// Section of a settings file that holds the values.
constexpr const char* SettingsFileSection = "Dexolin";
