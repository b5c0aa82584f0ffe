#include "shell/appearance.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/accessibility.h"
#include "shell/optional_user32.h"
#include "shell/shell_state.h"

AppearanceRecord AppearanceState;

namespace {

constexpr COLORREF LightErrorText = RGB(255, 0, 0);
constexpr COLORREF LightText = RGB(0, 0, 0);

bool HighContrastOn()
{
    HIGHCONTRASTA contrast = {};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool AppModeDark()
{
    DWORD light = 1;
    DWORD size = sizeof light;
    LONG status =
        RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                     "AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
    return status == ERROR_SUCCESS && light == 0;
}

// The title bar: attribute 20 (DWMWA_USE_IMMERSIVE_DARK_MODE) from Windows
// 10 20H1 on, 19 before.
void SetDarkTitleBar(HWND dialog, bool dark)
{
    DwmSetWindowAttributeFunction set = DwmSetWindowAttributeOrNull();
    if (!set)
        return;
    BOOL value = dark ? TRUE : FALSE;
    if (FAILED(set(dialog, 20, &value, sizeof value)))
        set(dialog, 19, &value, sizeof value);
}

bool IsButtonClass(HWND control)
{
    char name[16];  // 16: longer than "Button"
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Button") == 0;
}

constexpr COLORREF DarkFrame = RGB(96, 96, 96);
constexpr UINT_PTR GroupBoxSubclass = 2;

bool IsGroupBox(HWND control)
{
    return (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// A group box in dark mode: neither its visual style nor the classic
// drawing takes its text colour from WM_CTLCOLORSTATIC everywhere, so it is
// drawn here, as the classic one is (a frame from the middle of the text
// down, the text over it), in dark mode's colours.
void PaintDarkGroupBox(HWND box)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(box, &paint);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
    char text[64] = {};  // 64: longer than "Bits" and "Endian"
    GetWindowTextA(box, text, sizeof text);
    RECT client;
    GetClientRect(box, &client);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2 - 1;
    HBRUSH frameBrush = CreateSolidBrush(DarkFrame);
    FrameRect(dc, &frame, frameBrush);
    DeleteObject(frameBrush);
    RECT label = {client.left + metrics.tmAveCharWidth, client.top, client.right,
                  client.top + metrics.tmHeight};
    DrawTextA(dc, text, -1, &label, DT_SINGLELINE | DT_CALCRECT);
    InflateRect(&label, 2, 0);
    FillRect(dc, &label, AppearanceState.WindowBrush);
    InflateRect(&label, -2, 0);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(box) ? DarkText : DarkFrame);
    DrawTextA(dc, text, -1, &label, DT_SINGLELINE);
    SelectObject(dc, oldFont);
    EndPaint(box, &paint);
}

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_PAINT && AppearanceState.Scheme == SchemeDark && AppearanceState.WindowBrush) {
        PaintDarkGroupBox(box);
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(box, GroupBoxProc, GroupBoxSubclass);
    return DefSubclassProc(box, message, wParam, lParam);
}

// Option buttons, check boxes and group boxes draw their text with the
// colours of WM_CTLCOLORSTATIC only without visual styles: off in dark
// mode and high contrast, on (the system's choice) in light mode.
void ThemeButtons(HWND dialog, Scheme scheme)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsButtonClass(child))
            continue;
        LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
        bool pushButton = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
        if (IsGroupBox(child))
            SetWindowSubclass(child, GroupBoxProc, GroupBoxSubclass, 0);
        if (scheme == SchemeLight)
            SetWindowTheme(child, nullptr, nullptr);
        else if (pushButton && scheme == SchemeDark)
            SetWindowTheme(child, L"DarkMode_Explorer", nullptr);
        else
            SetWindowTheme(child, L"", L"");
    }
}

void DeleteBrushes()
{
    if (AppearanceState.WindowBrush)
        DeleteObject(AppearanceState.WindowBrush);
    if (AppearanceState.FieldBrush)
        DeleteObject(AppearanceState.FieldBrush);
    AppearanceState.WindowBrush = nullptr;
    AppearanceState.FieldBrush = nullptr;
}

INT_PTR BrushResult(HBRUSH brush)
{
    return reinterpret_cast<INT_PTR>(brush);
}

// The id whose error flag colours the control: an editable list's own for
// the edit inside it.
int ColourIdOf(HWND control)
{
    HWND parent = GetParent(control);
    if (parent && parent != ShellState.Dialog)
        return GetDlgCtrlID(parent);
    return GetDlgCtrlID(control);
}

bool FieldInError(HWND control)
{
    const uint8_t* error = ErrorFlagOf(ColourIdOf(control));
    return error && *error;
}

// Light mode: only the fields' text colour, as the window always had it.
INT_PTR LightColours(UINT message, HDC dc, HWND control)
{
    if (message != WM_CTLCOLOREDIT)
        return 0;
    if (const uint8_t* error = ErrorFlagOf(ColourIdOf(control)))
        SetTextColor(dc, *error ? LightErrorText : LightText);
    return BrushResult(GetSysColorBrush(COLOR_WINDOW));
}

bool IsEditClass(HWND control)
{
    char name[16];  // 16: longer than "Edit"
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Edit") == 0;
}

// Read-only and disabled edits (the inspector's readings, the float fields
// at 8 and 16 bits) ask with WM_CTLCOLORSTATIC; they keep the field colours.
INT_PTR DarkColours(UINT message, HDC dc, HWND control)
{
    bool field = message == WM_CTLCOLOREDIT || IsEditClass(control);
    SetTextColor(dc, message == WM_CTLCOLOREDIT && FieldInError(control) ? DarkErrorText : DarkText);
    SetBkColor(dc, field ? DarkField : DarkWindow);
    return BrushResult(field ? AppearanceState.FieldBrush : AppearanceState.WindowBrush);
}

// High contrast: the system's colours only; a field in error is drawn in
// the selection colours.
INT_PTR HighContrastColours(UINT message, HDC dc, HWND control)
{
    if (message == WM_CTLCOLOREDIT) {
        bool error = FieldInError(control);
        SetTextColor(dc, GetSysColor(error ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(error ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        return BrushResult(GetSysColorBrush(error ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    }
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return BrushResult(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

Scheme SystemScheme()
{
    if (HighContrastOn())
        return SchemeHighContrast;
    return AppModeDark() ? SchemeDark : SchemeLight;
}

void ApplyScheme(HWND dialog, Scheme scheme)
{
    // The title bar is asked for only in dark mode and when leaving it, so
    // that light mode makes no call the window did not make before.
    if (scheme == SchemeDark || AppearanceState.Scheme == SchemeDark)
        SetDarkTitleBar(dialog, scheme == SchemeDark);
    AppearanceState.Scheme = scheme;
    DeleteBrushes();
    if (scheme == SchemeDark) {
        AppearanceState.WindowBrush = CreateSolidBrush(DarkWindow);
        AppearanceState.FieldBrush = CreateSolidBrush(DarkField);
    }
    ThemeButtons(dialog, scheme);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

Scheme FollowSystemScheme(HWND dialog)
{
    auto before = static_cast<Scheme>(AppearanceState.Scheme);
    Scheme scheme = SystemScheme();
    // A change of the system colours repaints in high contrast too.
    if (scheme != before || scheme == SchemeHighContrast)
        ApplyScheme(dialog, scheme);
    return before;
}

INT_PTR OnCtlColor(UINT message, HDC dc, HWND control)
{
    if (message == WM_CTLCOLOREDIT)
        NoteFieldErrorState(control, FieldInError(control));
    switch (AppearanceState.Scheme) {
    case SchemeDark: return DarkColours(message, dc, control);
    case SchemeHighContrast: return HighContrastColours(message, dc, control);
    default: return LightColours(message, dc, control);
    }
}

void ReleaseSchemeBrushes()
{
    DeleteBrushes();
}
