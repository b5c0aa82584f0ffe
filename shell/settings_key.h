#pragma once
#include <windows.h>

#include <cstdint>

// Holder of one open registry key under HKEY_CURRENT_USER. Every value it
// reads or writes is a 32-bit number; reads never fail, they fall back to a
// default instead.
struct SettingsKey {
    HKEY Handle = nullptr;  // the open key, or none

    // Opens the key for querying values; closes any key held before.
    bool OpenForRead(const char* path);
    // Opens the key for setting values, creating it when it does not exist;
    // closes any key held before.
    bool OpenForWrite(const char* path);

    // The 4-byte value name, whatever its registry type, clamped to min..max
    // (no clamp when min equals max). A missing value, a value of another
    // size or a key that is not open gives def, unclamped.
    int32_t ReadSigned(const char* name, int32_t def, int32_t min, int32_t max) const;
    uint32_t ReadUnsigned(const char* name, uint32_t def, uint32_t min, uint32_t max) const;
    // A REG_DWORD value as read; def for a missing value or one of another
    // type or size.
    uint32_t ReadDword(const char* name, uint32_t def) const;

    // REG_DWORD 1 for a nonzero flag, 0 otherwise.
    void WriteFlag(const char* name, uint8_t flag) const;
    // REG_DWORD holding value.
    void WriteDword(const char* name, uint32_t value) const;

    // Releases the key; does nothing when none is held.
    void Close();
};
