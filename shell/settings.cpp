#include "shell/settings.h"

#include <cstring>

#include "converter/value_entry.h"
#include "core/byte_arith.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "core/float_format_names.h"
#include "shell/inspector_pane.h"
#include "shell/optional_user32.h"
#include "shell/settings_key.h"
#include "shell/shell_state.h"

SettingsRecord SettingsState;

namespace {

// The width option button for a width in bits; widths without a button
// (such as 24) select the 32-bit one.
int WidthButtonForBits(int32_t bits)
{
    int button = ButtonOfWidth(bits);
    return button != 0 ? button : ButtonWidth32;
}

// "Position" packs x into the low and y into the high 16 bits, each as a
// signed 16-bit number; coordinates outside -32768..32767 wrap.
uint32_t PackPosition(int32_t x, int32_t y)
{
    return (static_cast<uint32_t>(y) << 16) | (static_cast<uint32_t>(x) & 0xFFFFu);
}

void UnpackPosition(uint32_t packed, int32_t* x, int32_t* y)
{
    *x = static_cast<int16_t>(packed & 0xFFFFu);
    *y = static_cast<int16_t>(packed >> 16);
}

// "Transparency": the alpha, negative when translucency applies while the
// window is active too.
void ReadTransparency(const SettingsKey& key)
{
    ShellState.AlwaysTransparent = 0;
    ShellState.Alpha = 255;
    if (!OptionalUser32.SetLayeredWindowAttributes)
        return;
    int32_t stored = key.ReadSigned("Transparency", 255, -255, 255);
    ShellState.AlwaysTransparent = static_cast<uint8_t>(stored < 0);
    int32_t alpha = AbsInt(stored);
    ShellState.Alpha = alpha < MinTransparencyAlpha ? MinTransparencyAlpha : alpha;
}

// "Format8" .. "Format80": the canonical name of each width's format.
void FormatValueName(char* name, int width)
{
    wsprintfA(name, "Format%d", width);
}

// Each width's format: a name that does not read as a format, or a format
// that does not fit its width, leaves the width's default.
void ReadFormats(const SettingsKey& key)
{
    for (int i = 0; i < 5; ++i) {
        FloatFormat& saved = SettingsState.SavedFormats[i];
        saved = FloatFormat{};
        char name[16];  // "Format80" and a NUL
        char text[FormatNameCapacity + 1];  // a longer text is no canonical name
        FormatValueName(name, WidthButtons[i].Width);
        FloatFormat format;
        if (key.ReadString(name, text, sizeof text) &&
            ReadFormatName(text, &format) == FormatNameResult::Ok &&
            FormatFitsWidth(format, WidthButtons[i].Width))
            saved = format;
    }
}

void ReadEntryOptions(const SettingsKey& key)
{
    EncodeOptions options;
    uint32_t rounding = key.ReadDword("Rounding", 0);
    options.Mode = rounding <= static_cast<uint32_t>(RoundingMode::Down) ? static_cast<RoundingMode>(rounding)
                                                                         : RoundingMode::Even;
    uint32_t saturate = key.ReadDword("Saturate", 0);
    options.Saturate = saturate == 1;
    SetEntryOptions(options);
}

}  // namespace

void FindPortableSettingsFile()
{
    char* file = SettingsState.File;
    const DWORD capacity = sizeof SettingsState.File;
    DWORD length = GetModuleFileNameA(nullptr, file, capacity);
    // The folder ends at the last backslash; the name must fit after it.
    DWORD folder = length;
    while (folder > 0 && file[folder - 1] != '\\')
        --folder;
    if (length == 0 || length >= capacity ||
        folder + static_cast<DWORD>(std::strlen(PortableSettingsName)) >= capacity) {
        file[0] = '\0';
        return;
    }
    std::strcpy(file + folder, PortableSettingsName);
    DWORD attributes = GetFileAttributesA(file);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        file[0] = '\0';
}

void ReadSettings(const char* keyPath)
{
    SettingsKey key;
    key.UseFile(SettingsState.File);
    key.OpenForRead(keyPath);  // a missing key leaves every value at its default
    ShellState.InitialWidthButton = WidthButtonForBits(key.ReadSigned("Bits", 32, 8, 80));
    ShellState.InitialEndianButton = key.ReadSigned("BigEndian", 0, 0, 0) != 0 ? ButtonBig : ButtonLittle;
    // Only the low byte of "OnTop" counts.
    ShellState.OnTop = static_cast<uint8_t>(key.ReadSigned("OnTop", 0, 0, 0) & 0xFF);
    ReadTransparency(key);
    UnpackPosition(key.ReadUnsigned("Position", 0, 0, 0xFFFFFFFFu), &ShellState.SavedX, &ShellState.SavedY);
    // Unlike the others, "Inspector" must be a REG_DWORD: any other value
    // shows the pane.
    PaneState.Shown = static_cast<uint8_t>(key.ReadDword("Inspector", 1) != 0);
    ReadFormats(key);
    ReadEntryOptions(key);
    key.Close();
}

void WriteSettings(const char* keyPath)
{
    SettingsKey key;
    key.UseFile(SettingsState.File);
    if (key.OpenForWrite(keyPath)) {
        int32_t alpha = ShellState.AlwaysTransparent ? -ShellState.Alpha : ShellState.Alpha;
        key.WriteDword("Bits", static_cast<uint32_t>(ConverterState.Width));
        key.WriteFlag("BigEndian", ConverterState.BigEndian);
        key.WriteFlag("OnTop", ShellState.OnTop);
        key.WriteSignedDword("Transparency", alpha);
        key.WriteDword("Position", PackPosition(ShellState.SavedX, ShellState.SavedY));
        key.WriteFlag("Inspector", PaneState.Shown);
        for (const WidthButtonPair& pair : WidthButtons) {
            char name[16];  // "Format80" and a NUL
            FormatValueName(name, pair.Width);
            key.WriteString(name, ChosenFormatOf(pair.Width)->Name);
        }
        EncodeOptions options = EntryOptions();
        key.WriteDword("Rounding", static_cast<uint32_t>(options.Mode));
        key.WriteFlag("Saturate", options.Saturate ? 1 : 0);
    }
    key.Close();
}
