// The window on today's displays: a change of DPI (WM_DPICHANGED, as the
// system sends it when the window moves to a monitor of another scale),
// dark mode and high contrast.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/appearance.h"
#include "shell/dpi_layout.h"
#include "shell/field_font.h"
#include "shell/inspector_pane.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "shell/transparency.h"
#include "tests/windows/dialog_harness.h"

namespace {

class Display : public ::testing::Test {
protected:
    void TearDown() override
    {
        CloseMainDialog();
    }
};

struct Place {
    HWND Control;
    RECT Rect;  // in the dialog's client area
};

std::vector<Place> Places()
{
    std::vector<Place> places;
    for (HWND child = GetWindow(Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&r), 2);
        places.push_back({child, r});
    }
    return places;
}

RECT WindowRectOf(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

bool IsGroupBox(HWND control)
{
    return (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
        GetDlgCtrlID(control) >= 1013 && GetDlgCtrlID(control) <= 1019;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
        inner.bottom <= outer.bottom;
}

// No two controls overlap (a group box holds its buttons), and each lies in
// the client area.
void ExpectNoOverlap(const char* where)
{
    RECT client;
    GetClientRect(Dialog(), &client);
    std::vector<Place> places = Places();
    // Hidden controls (the inspector's while it is hidden, bits above the
    // width) take no room.
    places.erase(std::remove_if(places.begin(), places.end(),
                                [](const Place& p) { return !IsWindowVisible(p.Control); }),
                 places.end());
    for (size_t i = 0; i < places.size(); ++i) {
        EXPECT_TRUE(Inside(places[i].Rect, client))
            << where << ": control " << GetDlgCtrlID(places[i].Control) << " leaves the client area";
        for (size_t j = i + 1; j < places.size(); ++j) {
            RECT both;
            if (!IntersectRect(&both, &places[i].Rect, &places[j].Rect))
                continue;
            bool grouped = (IsGroupBox(places[i].Control) && Inside(places[j].Rect, places[i].Rect)) ||
                (IsGroupBox(places[j].Control) && Inside(places[i].Rect, places[j].Rect));
            EXPECT_TRUE(grouped) << where << ": controls " << GetDlgCtrlID(places[i].Control) << " and "
                                 << GetDlgCtrlID(places[j].Control) << " overlap";
        }
    }
}

LONG FontHeight(HFONT font)
{
    LOGFONTA logical = {};
    GetObjectA(font, sizeof logical, &logical);
    return logical.lfHeight;
}

// The field font at a DPI: -MulDiv(12, dpi, 96) with Lucida Console; where
// another face stands in (Wine) at most that, and every widest text fits.
void ExpectFieldFontAt(int dpi)
{
    LONG height = FontHeight(ShellState.Font);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ShellState.Font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    if (lstrcmpiA(face, FieldFontFace) == 0)
        EXPECT_EQ(height, -MulDiv(12, dpi, 96)) << "at " << dpi << " DPI";
    else
        EXPECT_TRUE(height < 0 && height >= -MulDiv(12, dpi, 96)) << height << " at " << dpi << " DPI";
    EXPECT_TRUE(FieldTextsFit(Dialog())) << "at " << dpi << " DPI with " << face;
    for (int id : {FieldBinary, FieldHex, FieldMantissa})
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Control(id), WM_GETFONT, 0, 0)), ShellState.Font);
}

void SendDpiChange(int dpi, const RECT& suggested)
{
    SendMessageA(Dialog(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
}

// The pane's labels and numbers in the fonts of the template's, whether
// the pane was made at the start or first shown at this DPI.
void ExpectPaneFontsLikeTheTemplates(const char* where)
{
    auto font = [](int id) { return SendMessageA(Control(id), WM_GETFONT, 0, 0); };
    EXPECT_EQ(font(LabelExact), font(IDC_LABEL_BINARY)) << where;
    EXPECT_EQ(font(PaneExact), font(FieldBinary)) << where;
}

class DpiChange : public Display, public ::testing::WithParamInterface<bool> { };

// With the inspector hidden and shown.
TEST_P(DpiChange, TakesTheSuggestedRectangleScalesTheLayoutAndComesBackExactly)
{
    OpenMainDialog(ButtonWidth80, ButtonLittle, GetParam());
    const int start = DpiLayoutState.Dpi;
    ASSERT_GT(start, 0);
    const RECT window = WindowRectOf(Dialog());
    const std::vector<Place> before = Places();
    ExpectNoOverlap("at the start");
    ExpectFieldFontAt(start);

    const int larger = start * 3 / 2;
    RECT suggested = {window.left, window.top,
                      window.left + MulDiv(window.right - window.left, larger, start),
                      window.top + MulDiv(window.bottom - window.top, larger, start)};
    SendDpiChange(larger, suggested);
    RECT now = WindowRectOf(Dialog());
    EXPECT_TRUE(EqualRect(&suggested, &now)) << "the suggested rectangle was not taken";
    EXPECT_EQ(DpiLayoutState.Dpi, larger);
    ExpectNoOverlap("at 1.5 times the DPI");
    ExpectFieldFontAt(larger);
    const std::vector<Place> scaled = Places();
    ASSERT_EQ(scaled.size(), before.size());
    // The template's controls within a pixel of their scaled places (the
    // inspector's lay themselves out in dialog units at the new scale; the
    // overlap check above covers them).
    for (size_t i = 0; i < before.size(); ++i) {
        if (GetDlgCtrlID(scaled[i].Control) >= 1030)
            continue;
        EXPECT_NEAR(scaled[i].Rect.left, MulDiv(before[i].Rect.left, larger, start), 1);
        EXPECT_NEAR(scaled[i].Rect.bottom, MulDiv(before[i].Rect.bottom, larger, start), 1);
    }
    // The inspector hidden and shown again keeps the new scale.
    OnInspectorSysCommand(40961);
    OnInspectorSysCommand(40961);
    PumpMessages();
    ExpectNoOverlap("after the inspector was hidden and shown again");

    // The labels' font grew with them.
    LOGFONTA label = {}, dialog = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Control(IDC_LABEL_BINARY), WM_GETFONT, 0, 0)),
               sizeof label, &label);
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Dialog(), WM_GETFONT, 0, 0)), sizeof dialog, &dialog);
    EXPECT_EQ(label.lfHeight, MulDiv(dialog.lfHeight, larger, start));
    ExpectPaneFontsLikeTheTemplates("at 1.5 times the DPI");

    SendDpiChange(start, window);
    now = WindowRectOf(Dialog());
    EXPECT_TRUE(EqualRect(&window, &now));
    ExpectFieldFontAt(start);
    // Every control there at the start back in its place; the bit toggles
    // that showing the pane made since are laid out by the pane.
    const std::vector<Place> after = Places();
    for (const Place& old : before) {
        const Place* found = nullptr;
        for (const Place& p : after)
            found = p.Control == old.Control ? &p : found;
        ASSERT_NE(found, nullptr) << "control " << GetDlgCtrlID(old.Control);
        EXPECT_TRUE(EqualRect(&found->Rect, &old.Rect)) << "control " << GetDlgCtrlID(old.Control);
    }
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Control(IDC_LABEL_BINARY), WM_GETFONT, 0, 0)),
              reinterpret_cast<HFONT>(SendMessageA(Dialog(), WM_GETFONT, 0, 0)));
    ExpectPaneFontsLikeTheTemplates("back at the first DPI");
}

INSTANTIATE_TEST_SUITE_P(Inspector, DpiChange, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "Shown" : "Hidden"; });

// ---- Dark mode and high contrast ---------------------------------------------------

constexpr const char* PersonalizeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

void SetAppMode(bool light)
{
    DWORD value = light ? 1 : 0;
    RegSetKeyValueA(HKEY_CURRENT_USER, PersonalizeKey, "AppsUseLightTheme", REG_DWORD, &value, sizeof value);
}

// WCAG 2 relative luminance and contrast ratio.
double Luminance(COLORREF colour)
{
    auto channel = [](int value) {
        double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) +
        0.0722 * channel(GetBValue(colour));
}
double Contrast(COLORREF a, COLORREF b)
{
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class Colours : public Display {
protected:
    void TearDown() override
    {
        Display::TearDown();
        RegDeleteKeyValueA(HKEY_CURRENT_USER, PersonalizeKey, "AppsUseLightTheme");
    }
    static void TypeOver(int field, const char* text)
    {
        FocusControl(field);
        SendMessageA(Control(field), EM_SETSEL, 0, -1);
        TypeText(text);
    }
};

TEST_F(Colours, DarkModeDrawsDarkWithLegibleErrorsAndFollowsTheAppMode)
{
    SetAppMode(false);
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    ASSERT_EQ(AppearanceState.Scheme, SchemeDark);
    // The inspector: its read-only readings on the window's colour (as
    // light mode puts them on the dialog's face), not the fields', its bits
    // in dark role colours (bit 0 is fraction) with light digits.
    EXPECT_GT(CountPixels(PaneShortest, DarkReadOnlyField), 0);
    EXPECT_EQ(CountPixels(PaneShortest, DarkField), 0);
    EXPECT_GT(CountPixels(PaneShortest, DarkText), 0);
    EXPECT_GT(CountTilePixels(0, RGB(40, 90, 40)), 0);
    EXPECT_GT(CountTilePixels(0, DarkText), 0);
    EXPECT_GE(Contrast(DarkText, RGB(40, 90, 40)), 4.5);
    EXPECT_GT(CountPixels(FieldBinary, DarkField), 0);
    EXPECT_GT(CountPixels(FieldBinary, DarkText), 0) << "the digits are not drawn light";
    for (int id : {IDC_LABEL_BINARY, int(ButtonBig), int(ButtonWidth32), IDC_HINT})
        EXPECT_GT(CountPixels(id, DarkWindow), 0) << "control " << id << " is not dark";
    for (int id : {IDC_LABEL_BINARY, int(ButtonBig), IDC_BITS_GROUP, IDC_ENDIAN_GROUP})
        EXPECT_GT(CountPixels(id, DarkText), 0) << "control " << id << " has no light text";

    TypeOver(FieldFloat, "QQ");
    ASSERT_EQ(ConverterState.FloatError, 1);
    EXPECT_GT(CountPixels(FieldFloat, DarkErrorText), 0);
    EXPECT_EQ(CountPixels(FieldFloat, RGB(255, 0, 0)), 0);
    EXPECT_GE(Contrast(DarkErrorText, DarkField), 4.5);
    EXPECT_GE(Contrast(DarkText, DarkField), 4.5);

    // The user switches to light mode while the window runs.
    SetAppMode(true);
    SendMessageA(Dialog(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"));
    PumpMessages();
    EXPECT_EQ(AppearanceState.Scheme, SchemeLight);
    EXPECT_GT(CountPixels(FieldFloat, RGB(255, 0, 0)), 0);
    EXPECT_EQ(CountPixels(FieldFloat, DarkField), 0);
    EXPECT_EQ(CountPixels(IDC_LABEL_BINARY, DarkWindow), 0);
    EXPECT_GT(CountPixels(IDC_LABEL_BINARY, GetSysColor(COLOR_BTNFACE)), 0);

    SetAppMode(false);
    SendMessageA(Dialog(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"));
    PumpMessages();
    EXPECT_EQ(AppearanceState.Scheme, SchemeDark);
    EXPECT_GT(CountPixels(FieldFloat, DarkErrorText), 0);
}

// Wine cannot switch high contrast on (SPI_SETHIGHCONTRAST is not kept), so
// the scheme is applied as the window applies it when the system reports it.
TEST_F(Colours, HighContrastUsesSystemColoursMarksErrorsByHighlightAndStaysOpaque)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    ApplyScheme(Dialog(), SchemeHighContrast);
    PumpMessages();
    EXPECT_GT(CountTilePixels(0, GetSysColor(COLOR_BTNFACE)), 0) << "the bits drop their role colours";
    EXPECT_EQ(CountTilePixels(0, RGB(200, 240, 200)), 0);
    EXPECT_FALSE(IsWindowVisible(Control(PaneLegendId))) << "a legend of colours the bits do not show";
    FocusControl(ButtonBig);  // no selection drawn in the float field
    EXPECT_GT(CountPixels(FieldFloat, GetSysColor(COLOR_WINDOW)), 0);
    EXPECT_EQ(CountPixels(FieldFloat, GetSysColor(COLOR_HIGHLIGHT)), 0);
    TypeOver(FieldFloat, "QQ");
    EXPECT_GT(CountPixels(FieldFloat, GetSysColor(COLOR_HIGHLIGHT)), 0) << "the error is not marked";
    EXPECT_EQ(CountPixels(FieldFloat, RGB(255, 0, 0)), 0);
    PressKey(VK_TAB);
    EXPECT_EQ(CountPixels(FieldFloat, GetSysColor(COLOR_HIGHLIGHT)), 0);

    // Translucency chosen while high contrast is on is not applied.
    OnTransparencySysCommand(40011);  // "Always"
    OnTransparencySysCommand(40005);  // 50%
    BYTE alpha = 0;
    DWORD flags = 0;
    bool layered = GetLayeredWindowAttributes(Dialog(), nullptr, &alpha, &flags) && (flags & LWA_ALPHA);
    EXPECT_TRUE(!layered || alpha == 255) << "alpha " << int(alpha);
}

}  // namespace
