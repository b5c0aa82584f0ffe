// The inspector pane of the real dialog from the real resources: readings
// under their ids, bit toggles, steps, pastes of copied bit patterns, the
// "Inspector" system-menu item and setting.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <cstring>
#include <string>

#include "converter/inspector.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/bit_grid.h"
#include "shell/inspector_pane.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "tests/windows/dialog_harness.h"
#include "tests/windows/registry_helpers.h"
#include "views/float_readings.h"

namespace {

class Inspector : public ::testing::Test {
protected:
    void TearDown() override
    {
        CloseMainDialog();
    }
    // Replaces the hexadecimal field's text as the program writes it.
    static void SetHex(const char* hex)
    {
        SetWindowTextA(Control(FieldHex), hex);
        PumpMessages();
    }
};

// The pane's texts are the readings unit's, under the published ids; the
// readings a width lacks are empty and disabled, or not made while their
// row has never shown; each text's label comes right before it, so that
// screen readers name it.
TEST_F(Inspector, PaneShowsTheReadingsOfTheWidth)
{
    const struct {
        int button;
        const char* hex;
    } cases[] = {
        {ButtonWidth8, "A5"},
        {ButtonWidth16, "3BFF"},
        {ButtonWidth32, "3DCCCCCD"},
        {ButtonWidth64, "8000000000000001"},
        {ButtonWidth80, "00000000000000000001"},  // the slowest exact reading
    };
    const struct {
        int control;
        Reading reading;
        const char* label;
    } pane[] = {
        {PaneUnsigned, Reading::Unsigned, "unsigned"},
        {PaneHalf, Reading::Half, "half"},
        {PaneBfloat16, Reading::Bfloat16, "bfloat16"},
        {PaneExact, Reading::Exact, "exact"},
        {PaneShortest, Reading::Shortest, "shortest"},
        {PaneHexFloat, Reading::HexFloat, "hexfloat"},
        {PaneNext, Reading::Next, "next"},
        {PanePrevious, Reading::Previous, "previous"},
        {PaneClass, Reading::Class, "class"},
    };
    for (const auto& c : cases) {
        OpenMainDialog(c.button, ButtonLittle, true);
        SetHex(c.hex);
        // The pane reads the value in the format chosen for the width (every
        // width has one); half and bfloat16, the 16 bits' own, in theirs.
        int32_t width = ConverterState.Width;
        const FloatFormat& format = *ChosenFormatOf(width);
        for (const auto& p : pane) {
            bool ofFormat = p.reading != Reading::Half && p.reading != Reading::Bfloat16;
            bool applies = ofFormat || width == 16;
            if (!Control(p.control)) {
                EXPECT_FALSE(applies) << p.label << " at " << width;
                continue;
            }
            static char want[ReadingCapacity];
            want[0] = '\0';
            if (applies)
                WriteFormatReading(want, p.reading, format, ConverterState.ValueRegister, width);
            static char shown[ReadingCapacity];
            GetWindowTextA(Control(p.control), shown, sizeof shown);
            EXPECT_STREQ(shown, want) << p.label << " at " << ConverterState.Width;
            EXPECT_EQ(IsEnabled(p.control), applies) << p.label << " at " << ConverterState.Width;
            HWND labelControl = GetWindow(Control(p.control), GW_HWNDPREV);
            char label[16];
            GetWindowTextA(labelControl, label, sizeof label);
            EXPECT_STREQ(label, p.label);
            EXPECT_EQ(IsWindowEnabled(labelControl) != FALSE, applies)
                << p.label << "'s label is not greyed with it at " << ConverterState.Width;
            EXPECT_TRUE(Style(p.control) & ES_READONLY);
        }
        CloseMainDialog();
    }
}

TEST_F(Inspector, BitTogglesShowTheWidthAndFlipTheirBit)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    SetHex("3F800000");
    for (int bit = 0; bit < 80; ++bit) {
        ASSERT_EQ(TileShows(bit), bit < 32) << "bit " << bit;
        if (bit < 32) {
            EXPECT_EQ(BitText(bit), (0x3F800000u >> bit & 1) ? "1" : "0") << "bit " << bit;
        }
    }
    // A press released over another tile clicks nothing, as a button's.
    const RECT down = TileRect(0), up = TileRect(5);
    SendMessageA(BitGrid(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.left + 2, down.top + 2));
    SendMessageA(BitGrid(), WM_LBUTTONUP, 0, MAKELPARAM(up.left + 2, up.top + 2));
    EXPECT_EQ(ControlText(FieldHex), "3F800000");
    ClickTile(31);
    EXPECT_EQ(ControlText(FieldHex), "BF800000");
    EXPECT_TRUE(IsChecked(FieldSign));
    EXPECT_EQ(BitText(31), "1");

    // By keyboard: Tab from the last number field reaches the grid at the
    // bit clicked last; End goes to bit 0, Left to bit 1, Space toggles it.
    FocusControl(FieldMantissa);
    for (int tab = 0; tab < 8 && GetFocus() != BitGrid(); ++tab)
        PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), BitGrid());
    EXPECT_EQ(FocusedBit(), 31);
    PressKey(VK_END);
    PressKey(VK_LEFT);
    EXPECT_EQ(FocusedBit(), 1);
    PressKey(VK_SPACE);
    EXPECT_EQ(ControlText(FieldHex), "BF800002");
    PressKey(VK_RIGHT);
    PressKey(VK_RIGHT);
    EXPECT_EQ(FocusedBit(), 31) << "Right from bit 0 wraps round";

    // At 80 bits, two rows of 40: Down moves a row towards bit 0.
    ClickButton(ButtonWidth80);
    EXPECT_TRUE(TileShows(79));
    FocusControl(IDC_BIT_GRID);
    PressKey(VK_HOME);
    PressKey(VK_DOWN);
    EXPECT_EQ(FocusedBit(), 39);
    ClickButton(ButtonWidth8);
    EXPECT_FALSE(TileShows(8));
    EXPECT_TRUE(TileShows(7));
}

TEST_F(Inspector, StepsGoToTheNeighboursWhereTheyExist)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    SetHex("3F800000");
    ClickButton(ButtonStepNext);
    EXPECT_EQ(ControlText(FieldHex), "3F800001");
    ClickButton(ButtonStepPrevious);
    ClickButton(ButtonStepPrevious);
    EXPECT_EQ(ControlText(FieldHex), "3F7FFFFF");
    ClickButton(ButtonWidth80);
    SetHex("3FFF0000000000000000");  // integer bit clear: no neighbours
    EXPECT_FALSE(IsEnabled(ButtonStepNext));
    EXPECT_FALSE(IsEnabled(ButtonStepPrevious));
    ClickButton(ButtonWidth16);  // read as a half
    SetHex("3C00");
    ClickButton(ButtonStepNext);
    EXPECT_EQ(ControlText(FieldHex), "3C01");
}

// Pastes by Ctrl+V (through the key filter) and by WM_PASTE.
TEST_F(Inspector, CopiedBitPatternsPasteAsTheirDigits)
{
    const struct {
        int button, field;
        const char* clipboard;
        bool byShortcut;
        const char* text;
    } cases[] = {
        {ButtonWidth32, FieldHex, "0x3DCC_CCCD", true, "3DCCCCCD"},
        {ButtonWidth8, FieldBinary, "0x3d", true, "00111101"},
        {ButtonWidth16, FieldHex, "0b1_0000", false, "10"},
        {ButtonWidth16, FieldHex, "0x3DCC_CCCD", false, "3DCC"},  // the limit cuts as for any paste
        {ButtonWidth32, FieldHex, "12.5", false, "00000000"},  // neither pattern nor digits: refused
    };
    for (const auto& c : cases) {
        OpenMainDialog(c.button, ButtonLittle, true);
        SetClipboardText(c.clipboard);
        FocusControl(c.field);
        SendMessageA(Control(c.field), EM_SETSEL, 0, -1);
        if (c.byShortcut) {
            PressKeyWith(VK_CONTROL, 'V');
        } else {
            SendMessageA(Control(c.field), WM_PASTE, 0, 0);
            PumpMessages();
        }
        EXPECT_EQ(ControlText(c.field), c.text) << c.clipboard;
        CloseMainDialog();
    }
}

// A pane hidden at start makes no control until it first shows; then its
// controls come after the template's, filled as if they had been there.
TEST_F(Inspector, HiddenPaneIsMadeWhenFirstShown)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, false);
    SetHex("40000000");
    EXPECT_EQ(Control(IDC_BIT_GRID), nullptr);
    EXPECT_EQ(Control(PaneUnsigned), nullptr);
    SendMessageA(Dialog(), WM_SYSCOMMAND, IDM_INSPECTOR, 0);
    PumpMessages();
    EXPECT_EQ(ControlText(PaneUnsigned), "1073741824");
    EXPECT_EQ(BitText(30), "1");
    EXPECT_TRUE(TileShows(31));
    EXPECT_EQ(ControlText(PaneFormat), "single");
    EXPECT_GT(SendMessageA(Control(PaneFormat), CB_GETCOUNT, 0, 0), 1) << "the formats that fit 32 bits";
    EXPECT_EQ(GetWindow(Control(LabelExact), GW_HWNDNEXT), Control(PaneExact))
        << "label right before its text";
    EXPECT_EQ(SendMessageA(Control(PaneValue), EM_GETLIMITTEXT, 0, 0), ReadingCapacity - 1);
}

// A row the width does not show is made when it first shows, filled and
// in its place in the tab order.
TEST_F(Inspector, RowIsMadeWhenItFirstShows)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    EXPECT_EQ(Control(PaneHalf), nullptr);
    EXPECT_EQ(Control(LabelBfloat16), nullptr);
    ClickButton(ButtonWidth16);
    SetHex("3C00");
    EXPECT_EQ(ControlText(PaneHalf), "1e0");
    EXPECT_EQ(ControlText(PaneBfloat16), "7.8125e-3");
    EXPECT_TRUE(IsWindowVisible(Control(PaneHalf)));
    EXPECT_EQ(GetWindow(Control(PaneClass), GW_HWNDNEXT), Control(LabelHalf));
    EXPECT_EQ(GetWindow(Control(PaneBfloat16), GW_HWNDNEXT), Control(LabelExact));
}

TEST_F(Inspector, MenuItemHidesAndShowsThePaneKeepingTheCorner)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    HMENU menu = GetSystemMenu(Dialog(), FALSE);
    EXPECT_EQ(GetMenuItemID(menu, 3), static_cast<UINT>(IDM_INSPECTOR));
    EXPECT_EQ(GetMenuState(menu, IDM_INSPECTOR, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    RECT shown, hidden, client, unit = {0, 0, 385, 97};
    GetWindowRect(Dialog(), &shown);
    MapDialogRect(Dialog(), &unit);

    SendMessageA(Dialog(), WM_SYSCOMMAND, IDM_INSPECTOR, 0);
    PumpMessages();
    GetWindowRect(Dialog(), &hidden);
    GetClientRect(Dialog(), &client);
    EXPECT_EQ(client.right, unit.right);
    EXPECT_EQ(client.bottom, unit.bottom) << "hidden, the window has dialog 101's size";
    EXPECT_EQ(hidden.left, shown.left);
    EXPECT_EQ(hidden.top, shown.top);
    EXPECT_FALSE(IsWindowVisible(Control(PaneExact)));
    EXPECT_FALSE(TileShows(0));
    EXPECT_EQ(GetMenuState(menu, IDM_INSPECTOR, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(PaneState.Shown, 0);
    SetHex("40000000");  // the hidden pane is not kept up to date ...

    SendMessageA(Dialog(), WM_SYSCOMMAND, IDM_INSPECTOR, 0);
    PumpMessages();
    RECT again;
    GetWindowRect(Dialog(), &again);
    EXPECT_TRUE(EqualRect(&again, &shown));
    EXPECT_EQ(ControlText(PaneUnsigned), "1073741824");  // ... but brought up to date when shown
    EXPECT_EQ(BitText(30), "1");
    EXPECT_TRUE(IsWindowVisible(Control(PaneExact)));
    EXPECT_TRUE(TileShows(31));
    EXPECT_FALSE(TileShows(32));
}

struct TipSearch {
    HWND Box, Tip;
};

// A callback of its own: on x86 a lambda does not convert to WNDENUMPROC's
// calling convention.
BOOL CALLBACK FindTipOf(HWND window, LPARAM lParam)
{
    auto* s = reinterpret_cast<TipSearch*>(lParam);
    char name[32];  // longer than "tooltips_class32"
    GetClassNameA(window, name, sizeof name);
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = Dialog();
    tool.uId = reinterpret_cast<UINT_PTR>(s->Box);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 &&
        SendMessageA(window, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)))
        s->Tip = window;
    return s->Tip == nullptr;
}

// The tooltip the pane made for a box, found among the thread's windows by
// its tool for the box; none before the pane needed one.
HWND TipFor(HWND box)
{
    TipSearch search = {box, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindTipOf, reinterpret_cast<LPARAM>(&search));
    return search.Tip;
}

void HoverOver(int id)
{
    SendMessageA(Control(id), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    PumpMessages();
}

// The exact value of the smallest double subnormal, hundreds of digits: its
// box shows the start, and a hover shows it whole in a tooltip, which a
// text that fits does not get. (Wine's tooltips hold at most 1,023
// characters, fewer than the extended subnormals' thousands of digits.)
TEST_F(Inspector, LongReadingShowsItsStartAndWholeInATooltip)
{
    OpenMainDialog(ButtonWidth64, ButtonLittle, true);
    SetHex("0000000000000001");
    static char exact[ReadingCapacity];
    GetWindowTextA(Control(PaneExact), exact, sizeof exact);
    ASSERT_GT(strlen(exact), 700u);
    EXPECT_EQ(SendMessageA(Control(PaneExact), EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the start is not shown";
    EXPECT_EQ(TipFor(Control(PaneExact)), nullptr) << "a tip before any was needed";
    HoverOver(PaneClass);
    EXPECT_EQ(TipFor(Control(PaneClass)), nullptr) << "a tip for a text that fits";

    HoverOver(PaneExact);
    HWND tip = TipFor(Control(PaneExact));
    ASSERT_NE(tip, nullptr);
    // The wide message: the narrow one copies 80 characters at most.
    static wchar_t shown[ReadingCapacity * 2];  // the reading and its line breaks
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = Dialog();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(PaneExact));
    tool.lpszText = shown;
    SendMessageW(tip, TTM_GETTEXTW, sizeof shown / sizeof shown[0], reinterpret_cast<LPARAM>(&tool));
    std::string joined;
    for (const wchar_t* c = shown; *c; ++c) {
        if (*c != L'\n')
            joined += static_cast<char>(*c);
    }
    EXPECT_EQ(joined, exact);
}

// ---- The sixth setting -----------------------------------------------------

class InspectorSetting : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestKey();
    }
    void TearDown() override
    {
        DeleteTestKey();
    }
};

TEST_F(InspectorSetting, OnlyADwordZeroHidesThePane)
{
    const unsigned char zero[8] = {};
    const unsigned char five[4] = {5};
    const struct {
        const char* name;
        DWORD type;
        const unsigned char* data;
        DWORD size;
        uint8_t shown;
    } cases[] = {
        {"missing", REG_NONE, nullptr, 0, 1},  {"zero", REG_DWORD, zero, 4, 0},
        {"five", REG_DWORD, five, 4, 1},       {"binary zero", REG_BINARY, zero, 4, 1},
        {"qword zero", REG_QWORD, zero, 8, 1}, {"string", REG_SZ, zero, 1, 1},
    };
    for (const auto& c : cases) {
        DeleteTestKey();
        SetDwordValue("Bits", 32);  // the key exists in every case
        if (c.data)
            SetRawValue("Inspector", c.type, c.data, c.size);
        ShellState = {};
        ReadSettings(TestKeyPath);
        EXPECT_EQ(PaneState.Shown, c.shown) << c.name;
    }
    const uint8_t written[] = {0, 1};
    for (uint8_t shown : written) {
        PaneState.Shown = shown;
        WriteSettings(TestKeyPath);
        EXPECT_EQ(Describe(GetRawValue("Inspector")),
                  shown ? "REG_DWORD 0x00000001" : "REG_DWORD 0x00000000");
    }
}

}  // namespace
