// The pane's value entry on the real dialog: the format list and a typed
// format name, the rounding list, saturation, a typed value with its error
// and flags, and their settings in the registry and in dexolin.ini.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "converter/inspector.h"
#include "converter/value_entry.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "core/float_format_names.h"
#include "core/float_presets.h"
#include "shell/appearance.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/settings_key.h"
#include "shell/shell_state.h"
#include "tests/windows/dialog_harness.h"
#include "tests/windows/registry_helpers.h"
#include "views/float_readings.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);

class FormatControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (FloatFormat& saved : SettingsState.SavedFormats)
            saved = FloatFormat{};
        SetEntryOptions(EncodeOptions{});
    }
    void TearDown() override
    {
        CloseMainDialog();
        SetEntryOptions(EncodeOptions{});
    }
    static void SetHex(const char* hex)
    {
        SetWindowTextA(Control(FieldHex), hex);
        PumpMessages();
    }
    // A choice from a drop-down list as the list reports a user's choice.
    static void Choose(int list, const char* item)
    {
        LRESULT index = SendMessageA(Control(list), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(item));
        ASSERT_GE(index, 0) << item << " is not in list " << list;
        SendMessageA(Control(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Control(list)));
        PumpMessages();
    }
    // Replaces the text of an edit or of the format's text by keystrokes.
    static void TypeInto(int id, const char* text)
    {
        FocusControl(id);
        if (id == PaneFormat)
            SendMessageA(Control(id), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        else
            SendMessageA(Control(id), EM_SETSEL, 0, -1);
        TypeText(text);
    }
    // The shortest reading of the bits in the format chosen for the width.
    static std::string ShortestInChosenFormat()
    {
        static char text[ReadingCapacity];
        int32_t width = ConverterState.Width;
        WriteFormatReading(text, Reading::Shortest, *ChosenFormatOf(width), ConverterState.ValueRegister,
                           width);
        return text;
    }
    static int PresetsFitting(int width)
    {
        int count = 0;
        for (const FloatFormat& preset : FloatPresets)
            count += FormatFitsWidth(preset, width) ? 1 : 0;
        return count;
    }
};

// Each control after its label (id + 10), which names it; the lists hold
// the presets that fit the width and the five modes in order.
TEST_F(FormatControls, ControlsFollowTheirLabelsAndListTheirChoices)
{
    const struct {
        int control;
        const char* label;
    } controls[] = {
        {PaneFormat, "F&ormat"}, {PaneRounding, "&Rounding"}, {PaneSaturate, "Sat&urate"},
        {PaneValue, "&Value"},   {PaneError, "error"},        {PaneFlags, "flags"},
    };
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    for (const auto& c : controls) {
        HWND label = GetWindow(Control(c.control), GW_HWNDPREV);
        EXPECT_EQ(GetDlgCtrlID(label), c.control + 10) << c.label;
        char text[16];
        GetWindowTextA(label, text, sizeof text);
        EXPECT_STREQ(text, c.label);
        EXPECT_TRUE(IsWindowVisible(Control(c.control))) << c.label;
    }
    EXPECT_EQ(Style(PaneFormat) & 3, CBS_DROPDOWN);
    EXPECT_EQ(Style(PaneRounding) & 3, CBS_DROPDOWNLIST);
    EXPECT_TRUE(Style(PaneError) & ES_READONLY);
    EXPECT_TRUE(Style(PaneFlags) & ES_READONLY);
    EXPECT_FALSE(Style(PaneValue) & ES_READONLY);
    const char* modes[] = {"even", "away", "zero", "up", "down"};
    ASSERT_EQ(SendMessageA(Control(PaneRounding), CB_GETCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) {
        char text[16];
        SendMessageA(Control(PaneRounding), CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, modes[i]);
    }
    EXPECT_EQ(ControlText(PaneRounding), "even");
    EXPECT_FALSE(IsChecked(PaneSaturate));

    const struct {
        int button, width;
        const char* shown;
    } widths[] = {
        {ButtonWidth8, 8, "e4m3fn"},   {ButtonWidth16, 16, "half"}, {ButtonWidth32, 32, "single"},
        {ButtonWidth64, 64, "double"}, {ButtonWidth80, 80, "x87"},
    };
    for (const auto& w : widths) {
        ClickButton(w.button);
        EXPECT_EQ(ControlText(PaneFormat), w.shown);
        int count = static_cast<int>(SendMessageA(Control(PaneFormat), CB_GETCOUNT, 0, 0));
        EXPECT_EQ(count, PresetsFitting(w.width)) << "at " << w.width;
        for (int i = 0; i < count; ++i) {
            char name[FormatNameCapacity];
            SendMessageA(Control(PaneFormat), CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(name));
            FloatFormat format;
            ASSERT_EQ(ReadFormatName(name, &format), FormatNameResult::Ok) << name;
            EXPECT_TRUE(FormatFitsWidth(format, w.width)) << name << " listed at " << w.width;
        }
    }
}

// A choice from the list: the readings, the value, the bit roles and the
// steps follow it at 8 and 16 bits.
TEST_F(FormatControls, ChosenFormatDrivesTheReadingsRolesAndSteps)
{
    const struct {
        int button;
        const char* format;
        const char* hex;
        const char* value;  // the shortest reading of hex in the format
        int bit;
        BitRole role;
        const char* nextHex;
    } cases[] = {
        {ButtonWidth8, "e5m2", "3C", "1e0", 2, BitRole::Exponent, "3D"},
        {ButtonWidth8, "e4m3fn", "38", "1e0", 2, BitRole::Fraction, "39"},
        {ButtonWidth8, "e2m1fn", "02", "1e0", 4, BitRole::Ignored, "03"},
        {ButtonWidth16, "bfloat16", "3F80", "1e0", 7, BitRole::Exponent, "3F81"},
        {ButtonWidth16, "half", "3C00", "1e0", 7, BitRole::Fraction, "3C01"},
        {ButtonWidth16, "e5m2", "003C", "1e0", 9, BitRole::Ignored, "003D"},  // in the low byte
    };
    for (const auto& c : cases) {
        OpenMainDialog(c.button, ButtonLittle, true);
        SetHex(c.hex);
        Choose(PaneFormat, c.format);
        ASSERT_STREQ(ChosenFormatOf(ConverterState.Width)->Name, c.format);
        EXPECT_EQ(ControlText(PaneFormat), c.format);
        EXPECT_EQ(ControlText(PaneShortest), c.value) << c.format;
        EXPECT_EQ(ControlText(PaneValue), c.value) << c.format;
        EXPECT_EQ(RoleOfBit(c.bit, ConverterState.Width), c.role) << c.format << " bit " << c.bit;
        // Light mode: only bits outside the format show the neutral colour.
        EXPECT_EQ(CountTilePixels(c.bit, LightIgnoredBit) > 0, c.role == BitRole::Ignored)
            << c.format << " bit " << c.bit;
        ClickButton(ButtonStepNext);
        EXPECT_EQ(ControlText(FieldHex), c.nextHex) << c.format;
        CloseMainDialog();
    }
}

// A name of one's own, taken by Enter or by leaving the text; an unknown
// name or one too wide for the width stays red and changes nothing.
TEST_F(FormatControls, TypedNamesAreTakenOrRefused)
{
    const struct {
        const char* typed;
        bool byEnter;
        bool taken;
        const char* shown;  // the text afterwards
        const char* chosen;  // the width's format afterwards
    } cases[] = {
        {"e6m9", true, true, "e6m9", "e6m9"},
        {"E3M4", true, true, "e3m4", "e3m4"},
        {"bfloat16", false, true, "bfloat16", "bfloat16"},
        {"e99m1", true, false, "e99m1", "half"},
        {"single", true, false, "single", "half"},  // needs 32 bits
        {"nonsense", false, false, "nonsense", "half"},
    };
    for (const auto& c : cases) {
        OpenMainDialog(ButtonWidth16, ButtonLittle, true);
        SetHex("3E00");
        std::string before = ControlText(PaneShortest);
        TypeInto(PaneFormat, c.typed);
        EXPECT_STREQ(ChosenFormatOf(16)->Name, "half") << "typing alone chooses nothing: " << c.typed;
        if (c.byEnter)
            PressKey(VK_RETURN);
        else
            FocusControl(PaneValue);
        EXPECT_STREQ(ChosenFormatOf(16)->Name, c.chosen) << c.typed;
        EXPECT_EQ(ControlText(PaneFormat), c.shown) << c.typed;
        EXPECT_EQ(ConverterState.FormatError, c.taken ? 0 : 1) << c.typed;
        EXPECT_EQ(ControlText(FieldHex), "3E00") << "the bits stay: " << c.typed;
        if (c.taken) {
            EXPECT_EQ(ControlText(PaneShortest), ShortestInChosenFormat());
        } else {
            EXPECT_EQ(ControlText(PaneShortest), before) << c.typed;
        }
        HWND text = GetWindow(Control(PaneFormat), GW_CHILD);  // the list's own edit
        EXPECT_EQ(CountWindowPixels(text, Red) > 0, !c.taken) << c.typed;
        CloseMainDialog();
    }
}

// Every keystroke in "Value" encodes into the bits; error and flags tell
// what the entry did.
TEST_F(FormatControls, TypedValuesEncodeAtEveryKeystroke)
{
    const struct {
        int button;
        const char* typed;
        const char* hex;
        const char* flags;
        const char* error;  // null: a difference other than zero
    } cases[] = {
        {ButtonWidth32, "0.1", "3DCCCCCD", "inexact", nullptr},
        {ButtonWidth32, "-2.5", "C0200000", "", "0"},
        {ButtonWidth32, "1e39", "7F800000", "inexact overflow", ""},  // an infinity has no error
        {ButtonWidth16, "65504", "7BFF", "", "0"},
        {ButtonWidth16, "1e-8", "0000", "inexact underflow", "-1e-8"},
        {ButtonWidth64, "0.5", "3FE0000000000000", "", "0"},
        {ButtonWidth8, "1.25", "3A", "", "0"},  // e4m3fn
    };
    for (const auto& c : cases) {
        OpenMainDialog(c.button, ButtonLittle, true);
        TypeInto(PaneValue, c.typed);
        EXPECT_EQ(ControlText(FieldHex), c.hex) << c.typed;
        EXPECT_EQ(ControlText(PaneFlags), c.flags) << c.typed;
        std::string error = ControlText(PaneError);
        if (c.error) {
            EXPECT_EQ(error, c.error) << c.typed;
        } else {
            EXPECT_TRUE(error != "" && error != "0") << c.typed << ": " << error;
        }
        EXPECT_EQ(ControlText(PaneValue), c.typed) << "the typed text stays while typing";
        EXPECT_EQ(ConverterState.ValueError, 0);
        CloseMainDialog();
    }
}

TEST_F(FormatControls, ValueFieldFollowsTheBitsAndRefusesNotNumbers)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    TypeInto(PaneValue, "1.5");
    ASSERT_EQ(ControlText(FieldHex), "3FC00000");
    TypeText("x");  // "1.5x"
    EXPECT_EQ(ConverterState.ValueError, 1);
    EXPECT_GT(CountPixels(PaneValue, Red), 0) << "a text that is not a number is red";
    EXPECT_EQ(ControlText(FieldHex), "3FC00000") << "the bits stay";
    EXPECT_EQ(ControlText(PaneFlags), "not-a-number");
    EXPECT_EQ(ControlText(PaneError), "");

    // Leaving it: the value's shortest reading, black again, the bits as they were.
    FocusControl(FieldHex);
    EXPECT_EQ(ControlText(PaneValue), "1.5e0");
    EXPECT_EQ(ConverterState.ValueError, 0);
    EXPECT_EQ(CountPixels(PaneValue, Red), 0);
    EXPECT_EQ(ControlText(FieldHex), "3FC00000");

    TypeInto(PaneValue, "2.000");
    EXPECT_EQ(ControlText(FieldHex), "40000000");
    EXPECT_EQ(ControlText(PaneError), "0");
    FocusControl(FieldHex);
    EXPECT_EQ(ControlText(PaneValue), "2e0") << "rewritten as the shortest reading";
    EXPECT_EQ(ControlText(PaneError), "0") << "the entry's outcome stays until the bits change";

    // Another field changes the bits: the shortest reading, no error, no flags.
    ClickTile(31);
    EXPECT_EQ(ControlText(PaneValue), "-2e0");
    EXPECT_EQ(ControlText(PaneError), "");
    EXPECT_EQ(ControlText(PaneFlags), "");
    SetHex("3F800000");
    EXPECT_EQ(ControlText(PaneValue), "1e0");
}

// The rounding list decides a tie (half: 0.999755859375 lies halfway
// between 0x3BFF and 0x3C00) and the direction of an inexact value;
// saturation holds overflow at the largest finite value.
TEST_F(FormatControls, RoundingAndSaturationDecideTheBits)
{
    const struct {
        const char* mode;
        bool saturate;
        const char* typed;
        const char* hex;
    } cases[] = {
        {"even", false, "0.999755859375", "3C00"},
        {"away", false, "0.999755859375", "3C00"},
        {"zero", false, "0.999755859375", "3BFF"},
        {"up", false, "0.999755859375", "3C00"},
        {"down", false, "0.999755859375", "3BFF"},
        {"even", false, "-0.999755859375", "BC00"},
        {"zero", false, "-0.999755859375", "BBFF"},
        {"up", false, "-0.999755859375", "BBFF"},
        {"down", false, "-0.999755859375", "BC00"},
        {"even", false, "1.00048828125", "3C00"},  // tie, even below
        {"away", false, "1.00048828125", "3C01"},
        {"even", false, "70000", "7C00"},
        {"even", true, "70000", "7BFF"},
        {"even", true, "-70000", "FBFF"},
        {"zero", false, "70000", "7BFF"},
        {"up", true, "1e10", "7BFF"},
    };
    for (const auto& c : cases) {
        SetEntryOptions(EncodeOptions{});  // the box starts clear
        OpenMainDialog(ButtonWidth16, ButtonLittle, true);
        Choose(PaneRounding, c.mode);
        if (c.saturate)
            ClickButton(PaneSaturate);
        EXPECT_EQ(EntryOptions().Saturate, c.saturate);
        TypeInto(PaneValue, c.typed);
        EXPECT_EQ(ControlText(FieldHex), c.hex)
            << c.typed << " rounded " << c.mode << (c.saturate ? ", saturated" : "");
        CloseMainDialog();
    }
}

// ---- Settings ---------------------------------------------------------------

class FormatSettings : public ::testing::Test {
protected:
    char File[MAX_PATH] = {};

    void SetUp() override
    {
        DeleteTestKey();
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        wsprintfA(File, "%sdexolin-format-test.ini", folder);
        DeleteFileA(File);
        ShellState = {};
        SettingsState = {};
        ResetConverterState(false);
        SetEntryOptions(EncodeOptions{});
    }
    void TearDown() override
    {
        DeleteTestKey();
        DeleteFileA(File);
        ShellState = {};
        SettingsState = {};
        SetEntryOptions(EncodeOptions{});
    }
    static void ChooseAway()
    {
        FloatFormat format;
        const char* names[] = {"e5m2", "bfloat16", "tf32", "e8m40", "double"};
        const int widths[] = {8, 16, 32, 64, 80};
        for (int i = 0; i < 5; ++i) {
            ASSERT_EQ(ReadFormatName(names[i], &format), FormatNameResult::Ok);
            ASSERT_TRUE(ChooseFormatForWidth(widths[i], &format)) << names[i];
        }
        SetEntryOptions(EncodeOptions{RoundingMode::Down, true});
    }
    static void ExpectAwayRead()
    {
        const char* names[] = {"e5m2", "bfloat16", "tf32", "e8m40", "double"};
        for (int i = 0; i < 5; ++i)
            EXPECT_STREQ(SettingsState.SavedFormats[i].Name, names[i]);
        EXPECT_EQ(EntryOptions().Mode, RoundingMode::Down);
        EXPECT_TRUE(EntryOptions().Saturate);
    }
    static std::string StringValue(const char* name)
    {
        RawValue raw = GetRawValue(name);
        if (!raw.Present || raw.Type != REG_SZ)
            return Describe(raw);
        return std::string(reinterpret_cast<const char*>(raw.Data.data()));
    }
    std::string FileValue(const char* name)
    {
        char text[64];
        GetPrivateProfileStringA("Dexolin", name, "(missing)", text, sizeof text, File);
        return text;
    }
};

TEST_F(FormatSettings, RoundTripThroughTheRegistry)
{
    WriteSettings(TestKeyPath);  // every default
    EXPECT_EQ(StringValue("Format8"), "e4m3fn");
    EXPECT_EQ(StringValue("Format32"), "single");
    EXPECT_EQ(StringValue("Format80"), "x87");
    EXPECT_EQ(Describe(GetRawValue("Rounding")), "REG_DWORD 0x00000000");
    EXPECT_EQ(Describe(GetRawValue("Saturate")), "REG_DWORD 0x00000000");

    ChooseAway();
    WriteSettings(TestKeyPath);
    EXPECT_EQ(StringValue("Format8"), "e5m2");
    EXPECT_EQ(StringValue("Format16"), "bfloat16");
    EXPECT_EQ(StringValue("Format32"), "tf32");
    EXPECT_EQ(StringValue("Format64"), "e8m40");
    EXPECT_EQ(StringValue("Format80"), "double");
    EXPECT_EQ(Describe(GetRawValue("Rounding")), "REG_DWORD 0x00000004");
    EXPECT_EQ(Describe(GetRawValue("Saturate")), "REG_DWORD 0x00000001");
    ShellState = {};
    SettingsState = {};
    SetEntryOptions(EncodeOptions{});
    ReadSettings(TestKeyPath);
    ExpectAwayRead();
}

TEST_F(FormatSettings, BadValuesGiveTheDefaults)
{
    const uint32_t one = 1;
    const struct {
        const char* name;
        DWORD type;
        const void* data;
        DWORD size;
        int slot;  // the width whose format must stay the default, or -1
    } formats[] = {
        {"Format8", REG_SZ, "half", 5, 0},  // needs 16 bits
        {"Format16", REG_SZ, "nonsense", 9, 1}, {"Format32", REG_DWORD, &one, 4, 2},
        {"Format64", REG_SZ, "", 1, 3},         {"Format80", REG_BINARY, "x87", 4, 4},
    };
    for (const auto& f : formats)
        SetRawValue(f.name, f.type, f.data, f.size);
    const uint32_t nine = 9, two = 2;
    SetRawValue("Rounding", REG_DWORD, &nine, 4);
    SetRawValue("Saturate", REG_DWORD, &two, 4);
    SetEntryOptions(EncodeOptions{RoundingMode::Up, true});
    for (FloatFormat& saved : SettingsState.SavedFormats)
        ReadFormatName("e2m1fn", &saved);
    ReadSettings(TestKeyPath);
    for (const auto& f : formats)
        EXPECT_EQ(SettingsState.SavedFormats[f.slot].ExponentBits, 0) << f.name;
    EXPECT_EQ(EntryOptions().Mode, RoundingMode::Even);
    EXPECT_FALSE(EntryOptions().Saturate);

    // A missing key: the defaults as well.
    DeleteTestKey();
    SetEntryOptions(EncodeOptions{RoundingMode::Zero, true});
    ReadSettings(TestKeyPath);
    EXPECT_EQ(EntryOptions().Mode, RoundingMode::Even);
    EXPECT_FALSE(EntryOptions().Saturate);
    EXPECT_EQ(SettingsState.SavedFormats[1].ExponentBits, 0);
}

TEST_F(FormatSettings, RoundTripThroughTheFileWithoutTheRegistry)
{
    HANDLE handle = CreateFileA(File, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char text[] = "[Dexolin]\r\nFormat16=E5M2\r\nFormat32=e99m1\r\nRounding=2\r\nSaturate=1\r\n";
    DWORD written = 0;
    WriteFile(handle, text, sizeof text - 1, &written, nullptr);
    CloseHandle(handle);
    lstrcpyA(SettingsState.File, File);
    ReadSettings(TestKeyPath);
    EXPECT_STREQ(SettingsState.SavedFormats[1].Name, "e5m2") << "any spelling of a name";
    EXPECT_EQ(SettingsState.SavedFormats[2].ExponentBits, 0) << "not a format";
    EXPECT_EQ(EntryOptions().Mode, RoundingMode::Zero);
    EXPECT_TRUE(EntryOptions().Saturate);

    ChooseAway();
    WriteSettings(TestKeyPath);
    EXPECT_EQ(FileValue("Format8"), "e5m2");
    EXPECT_EQ(FileValue("Format16"), "bfloat16");
    EXPECT_EQ(FileValue("Format64"), "e8m40");
    EXPECT_EQ(FileValue("Rounding"), "4");
    EXPECT_EQ(FileValue("Saturate"), "1");
    ShellState = {};
    SettingsState = {};
    lstrcpyA(SettingsState.File, File);
    SetEntryOptions(EncodeOptions{});
    ReadSettings(TestKeyPath);
    ExpectAwayRead();
    EXPECT_FALSE(GetRawValue("Format16").Present)
        << "the registry was written while a settings file was named";
}

// The saved formats and options are those the window starts with.
TEST_F(FormatSettings, WindowStartsWithTheSavedChoices)
{
    ReadFormatName("bfloat16", &SettingsState.SavedFormats[1]);
    SetEntryOptions(EncodeOptions{RoundingMode::Up, true});
    OpenMainDialog(ButtonWidth16, ButtonLittle, true);
    EXPECT_EQ(ControlText(PaneFormat), "bfloat16");
    EXPECT_EQ(ControlText(PaneRounding), "up");
    EXPECT_TRUE(IsChecked(PaneSaturate));
    ClickButton(ButtonWidth32);
    EXPECT_EQ(ControlText(PaneFormat), "single");
    CloseMainDialog();
}

}  // namespace
