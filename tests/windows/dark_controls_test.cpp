// Dark mode on the real dialog: the colours each kind of control is drawn
// with, read back from the screen. Wine draws without visual styles, as
// Windows does with the "classic" look; the controls the system would draw
// in light colours (option buttons, check boxes, push buttons, drop-downs)
// must come out dark.
#include <gtest/gtest.h>

#include "core/field_access.h"
#include "core/field_ids.h"
#include "shell/appearance.h"
#include "shell/inspector_pane.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "tests/windows/dialog_harness.h"

namespace {

constexpr const char* PersonalizeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

void SetAppMode(bool light)
{
    DWORD value = light ? 1 : 0;
    RegSetKeyValueA(HKEY_CURRENT_USER, PersonalizeKey, "AppsUseLightTheme", REG_DWORD, &value, sizeof value);
}

class DarkControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetAppMode(false);
        OpenMainDialog(ButtonWidth32, ButtonLittle, true);
        ASSERT_EQ(AppearanceState.Scheme, SchemeDark);
        FocusControl(FieldHex);  // no control of the table holds the focus
    }
    void TearDown() override
    {
        CloseMainDialog();
        RegDeleteKeyValueA(HKEY_CURRENT_USER, PersonalizeKey, "AppsUseLightTheme");
    }
};

// The light colours the classic drawing would use.
const COLORREF White = RGB(255, 255, 255);
const COLORREF LightFace = GetSysColor(COLOR_BTNFACE);

void ExpectEachKindDark()
{
    const struct {
        const char* kind;
        int id;
        COLORREF drawn[2];  // each shows
        COLORREF absent[2];  // neither shows
    } cases[] = {
        {"checked option button", ButtonWidth32, {DarkWindow, DarkText}, {White, LightFace}},
        {"option button", ButtonWidth8, {DarkField, DarkText}, {White, LightFace}},
        {"check box", FieldSign, {DarkField, DarkWindow}, {White, LightFace}},
        {"labelled check box", PaneSaturate, {DarkField, DarkText}, {White, LightFace}},
        {"push button", ButtonStepNext, {DarkButtonFace, DarkText}, {White, LightFace}},
        {"drop-down list", PaneRounding, {DarkField, DarkButtonFace}, {White, LightFace}},
        {"editable drop-down", PaneFormat, {DarkButtonFace, DarkText}, {White, LightFace}},
        {"value field", PaneValue, {DarkField, DarkText}, {White, LightFace}},
        // Read-only: the window's colour, as a read-only text has the
        // dialog's face in light mode, not the field colour.
        {"read-only reading", PaneShortest, {DarkReadOnlyField, DarkText}, {DarkField, White}},
        {"bits and group numbers", IDC_BIT_GRID, {DarkWindow, DarkText}, {White, LightFace}},
        {"legend", PaneLegendId, {RGB(120, 50, 50), RGB(40, 70, 120)}, {RGB(255, 196, 196), White}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(IsWindowVisible(Control(c.id))) << c.kind;
        for (COLORREF colour : c.drawn)
            EXPECT_GT(CountPixels(c.id, colour), 0) << c.kind << " lacks colour " << std::hex << colour;
        for (COLORREF colour : c.absent)
            EXPECT_EQ(CountPixels(c.id, colour), 0) << c.kind << " shows colour " << std::hex << colour;
    }
    // Bit 0's tile, a fraction bit: its role's dark colour inside a border.
    EXPECT_GT(CountTilePixels(0, RGB(40, 90, 40)), 0);
    EXPECT_GT(CountTilePixels(0, DarkControlBorder), 0);
    EXPECT_EQ(CountTilePixels(0, RGB(200, 240, 200)), 0);
}

TEST_F(DarkControls, EachKindIsDrawnInDarkColours)
{
    ExpectEachKindDark();
}

// A pane hidden at start makes its controls when first shown, after the
// scheme was applied: they take it too.
TEST_F(DarkControls, PaneFirstShownLaterIsDrawnDarkToo)
{
    CloseMainDialog();
    OpenMainDialog(ButtonWidth32, ButtonLittle, false);
    SendMessageA(Dialog(), WM_SYSCOMMAND, IDM_INSPECTOR, 0);
    PumpMessages();
    FocusControl(FieldHex);
    ExpectEachKindDark();
}

// What the system draws at once, outside WM_PAINT (a check, a press, the
// focus), comes out dark too; the focus still shows.
TEST_F(DarkControls, ChecksPressesAndFocusStayDark)
{
    const struct {
        const char* what;
        int id;
        UINT message;
        WPARAM wParam;
    } cases[] = {
        {"checked", PaneSaturate, BM_SETCHECK, BST_CHECKED},
        {"unchecked", PaneSaturate, BM_SETCHECK, BST_UNCHECKED},
        {"pressed", ButtonStepNext, BM_SETSTATE, TRUE},
        {"released", ButtonStepNext, BM_SETSTATE, FALSE},
        {"option checked", ButtonWidth64, BM_SETCHECK, BST_CHECKED},
    };
    for (const auto& c : cases) {
        SendMessageA(Control(c.id), c.message, c.wParam, 0);
        // Read at once, before any WM_PAINT could repaint it.
        HDC dc = GetDC(Control(c.id));
        RECT r;
        GetClientRect(Control(c.id), &r);
        int light = 0;
        for (LONG y = r.top; y < r.bottom; ++y) {
            for (LONG x = r.left; x < r.right; ++x) {
                COLORREF pixel = GetPixel(dc, x, y);
                light += pixel == White || pixel == LightFace ? 1 : 0;
            }
        }
        ReleaseDC(Control(c.id), dc);
        EXPECT_EQ(light, 0) << c.what;
    }
    SendMessageA(Control(ButtonWidth64), BM_SETCHECK, BST_UNCHECKED, 0);

    // The focused push button is framed in the text colour.
    const int unfocused = CountPixels(ButtonStepNext, DarkText);
    FocusControl(ButtonStepNext);
    EXPECT_GT(CountPixels(ButtonStepNext, DarkText), unfocused) << "the focus does not show";
}

// A disabled reading's label is greyed with it, and drawn in the grey.
TEST_F(DarkControls, DisabledReadingGreysItsLabel)
{
    const int label = IDC_PANE_LABEL_FIRST + (PaneHexFloat - PaneUnsigned);
    EXPECT_GT(CountPixels(label, DarkText), 0);
    EnableControl(PaneHexFloat, false);
    PumpMessages();
    EXPECT_FALSE(IsEnabled(label));
    EXPECT_TRUE(IsWindowVisible(Control(label))) << "its row holds another reading that applies";
    EXPECT_EQ(CountPixels(label, DarkText), 0) << "the label stays bright";
    EnableControl(PaneHexFloat, true);
    PumpMessages();
    EXPECT_TRUE(IsEnabled(label));
}

}  // namespace
