#pragma once
#include <windows.h>

#include <cstdint>

#include "core/float_format.h"

// The program's settings under HKEY_CURRENT_USER: "Bits", "BigEndian",
// "OnTop", "Transparency", "Position", "Inspector", "Rounding" and
// "Saturate", each a 32-bit value, and "Format8", "Format16", "Format32",
// "Format64" and "Format80", each width's format by its canonical name
// (REG_SZ). They are read once before the dialog exists and written once
// after it has ended.

struct SettingsRecord {
    // The format of each width from the settings, in the order of
    // WidthButtons; none (ExponentBits 0) for the width's default.
    FloatFormat SavedFormats[5];
    // The portable settings file beside the program, or empty when the
    // settings live in the registry. MAX_PATH: a path the ANSI file
    // functions take.
    char File[MAX_PATH];
};

extern SettingsRecord SettingsState;

// Where the program keeps its settings.
constexpr const char* SettingsKeyPath = "Software\\Brevlund\\Dexolin";

// Lowest opacity the program uses (10%): a stored alpha below it is raised.
constexpr int32_t MinTransparencyAlpha = 25;

// Name of the portable settings file: when it stands beside the program,
// the settings are read from and written to its section [Dexolin] (the same
// value names, decimal numbers and format names) instead of the registry.
constexpr const char* PortableSettingsName = "dexolin.ini";

// SettingsState.File := the portable settings file beside the running
// program when it exists, else empty (the registry).
void FindPortableSettingsFile();

// Reads the settings from keyPath (or SettingsState.File when one is
// named) into ShellState: initial width and endian buttons, on-top flag,
// "Always" flag and alpha, saved position, whether the inspector pane
// shows, each width's format (SettingsState.SavedFormats, none where a name
// reads as no format or does not fit its width) and the value entry's
// rounding and saturation (SetEntryOptions). Missing or malformed values
// give the defaults; the transparency
// value is read only when OptionalUser32 offers SetLayeredWindowAttributes.
void ReadSettings(const char* keyPath);

// Writes the current width, endianness and each width's chosen format
// (ConverterState), the on-top, transparency, position and inspector
// settings (ShellState) and the entry options to keyPath (or
// to SettingsState.File when one is named), creating the key when
// needed. Writes nothing when the key can be neither opened nor created, or
// the file cannot be written.
void WriteSettings(const char* keyPath);
