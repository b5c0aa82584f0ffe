#include "shell/appearance.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/accessibility.h"
#include "shell/dpi_layout.h"
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

// Whether the control is of the window class (case as Windows ignores it).
bool IsOfClass(HWND control, const char* wanted)
{
    char name[16];  // 16: longer than "Button", "Edit" and "ComboBox"
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, wanted) == 0;
}

bool IsButtonClass(HWND control)
{
    return IsOfClass(control, "Button");
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
    FrameWithColour(dc, frame, DarkFrame);
    RECT label = {client.left + metrics.tmAveCharWidth, client.top, client.right,
                  client.top + metrics.tmHeight};
    DrawTextA(dc, text, -1, &label, DT_SINGLELINE | DT_CALCRECT);
    Grow(label, 2, 0);
    FillRect(dc, &label, AppearanceState.WindowBrush);
    Grow(label, -2, 0);
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

bool IsComboClass(HWND control)
{
    return IsOfClass(control, "ComboBox");
}
// ---- Controls dark mode draws itself -------------------------------------------------

constexpr UINT_PTR DarkButtonSubclass = 3;
constexpr UINT_PTR DarkComboSubclass = 4;

bool DarkDrawing()
{
    return AppearanceState.Scheme == SchemeDark && AppearanceState.WindowBrush;
}

// The keyboard cues the user's last input asks for: focus rectangles and
// underlined access keys show once the keyboard was used.
LRESULT CuesOf(HWND control)
{
    return SendMessageA(control, WM_QUERYUISTATE, 0, 0);
}

// An option button's circle or a check box's square, GlyphSize pixels at
// 96 DPI as the system's, on the field colour; the mark in the text colour.
constexpr int GlyphSize = 13;

// Draws with the DC's own brush and pen (DC_BRUSH and DC_PEN, selected by
// PaintDarkButton), whose colours are set for each shape.
void DrawGlyph(HDC dc, const RECT& box, bool radio, bool checked, bool pushed, bool enabled)
{
    COLORREF ink = enabled ? DarkText : DarkDisabledText;
    SetDCBrushColor(dc, pushed ? DarkButtonPressed : DarkField);
    SetDCPenColor(dc, enabled ? DarkText : DarkControlBorder);
    if (radio)
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
    else
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
    if (!checked)
        return;
    SetDCBrushColor(dc, ink);
    SetDCPenColor(dc, ink);
    const int size = box.right - box.left;
    if (radio) {
        const int inset = size * 3 / 10;
        Ellipse(dc, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset);
        return;
    }
    // The tick, a line a seventh of the box thick.
    for (int i = 0; i <= size / 7; ++i) {
        const POINT mark[] = {{box.left + size / 4, box.top + size / 2 + i},
                              {box.left + size * 5 / 12, box.top + size * 2 / 3 + i},
                              {box.left + size * 3 / 4, box.top + size / 3 + i}};
        Polyline(dc, mark, 3);
    }
}

// A push button: a flat face in a thin border (the text colour's while it
// has the focus), lighter while pressed, the focus rectangle inside it. An
// option button or check box: the glyph at the left, centred in height,
// the text after it, the focus rectangle around the text (around the
// glyph when there is none).
void PaintDarkButton(HWND button, HDC dc)
{
    RECT client;
    GetClientRect(button, &client);
    char text[64] = {};  // 64: longer than every button's text
    GetWindowTextA(button, text, sizeof text);
    const LRESULT state = SendMessageA(button, BM_GETSTATE, 0, 0);
    const LRESULT cues = CuesOf(button);
    const bool enabled = IsWindowEnabled(button) != FALSE;
    const LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
    RECT label = client;
    RECT focus = client;
    if (push) {
        FillWithColour(dc, client, (state & BST_PUSHED) ? DarkButtonPressed : DarkButtonFace);
        FrameWithColour(dc, client, (state & BST_FOCUS) ? DarkText : DarkControlBorder);
        Grow(focus, -3, -3);
    } else {
        FillRect(dc, &client, AppearanceState.WindowBrush);
        int size = MulDiv(GlyphSize, DpiLayoutState.Dpi > 0 ? DpiLayoutState.Dpi : 96, 96);
        if (size > client.bottom - client.top)
            size = client.bottom - client.top;
        if (size > client.right - client.left)
            size = client.right - client.left;
        const int top = client.top + (client.bottom - client.top - size) / 2;
        const RECT box = {client.left, top, client.left + size, top + size};
        DrawGlyph(dc, box, type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON, (state & 3) == BST_CHECKED,
                  (state & BST_PUSHED) != 0, enabled);
        label.left = box.right + size / 3;
        focus = text[0] != '\0' ? label : box;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled ? DarkText : DarkDisabledText);
    DrawTextA(dc, text, -1, &label,
              DT_SINGLELINE | DT_VCENTER | (push ? DT_CENTER : 0) |
                  ((cues & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0));
    if ((state & BST_FOCUS) && !(cues & UISF_HIDEFOCUS))
        DrawFocusRect(dc, &focus);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

// Messages on which a button or list draws itself at once rather than
// through WM_PAINT (pressing, checking, focus, keyboard cues): dark mode
// draws over that straight after.
bool DrawsAtOnce(UINT message)
{
    switch (message) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case CB_SHOWDROPDOWN:
    case CB_SETCURSEL: return true;
    default: return false;
    }
}

void RepaintDarkButtonNow(HWND button)
{
    if (!IsWindowVisible(button))
        return;
    HDC dc = GetDC(button);
    PaintDarkButton(button, dc);
    ReleaseDC(button, dc);
}

LRESULT CALLBACK DarkButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(button, DarkButtonProc, DarkButtonSubclass);
    if (!DarkDrawing())
        return DefSubclassProc(button, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(button, &paint);
        PaintDarkButton(button, dc);
        EndPaint(button, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: PaintDarkButton(button, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    default: break;
    }
    LRESULT result = DefSubclassProc(button, message, wParam, lParam);
    if (DrawsAtOnce(message))
        RepaintDarkButtonNow(button);
    return result;
}

// A drop-down's frame and arrow button in dark colours, over what the
// list drew (its text area takes the field colours from WM_CTLCOLOREDIT).
void PaintDarkComboFrame(HWND combo)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (!IsWindowVisible(combo) || !GetComboBoxInfo(combo, &info))
        return;
    HDC dc = GetDC(combo);
    RECT client;
    GetClientRect(combo, &client);
    FrameWithColour(dc, client, DarkControlBorder);
    RECT inner = client;
    Grow(inner, -1, -1);
    FrameWithColour(dc, inner, DarkField);
    // The system frames the text area in the light window colour: its
    // ring goes dark too, around the edit of an editable list (which
    // WS_CLIPCHILDREN keeps out of the list's drawing).
    RECT text = info.rcItem;
    if (info.hwndItem && info.hwndItem != combo) {
        Grow(text, 1, 1);
        FillWithColour(dc, text, DarkField);
    } else {
        FrameWithColour(dc, text, DarkField);
    }
    RECT button = info.rcButton;
    const bool dropped = SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
    FillWithColour(dc, button, dropped ? DarkButtonPressed : DarkButtonFace);
    const int size = (button.right - button.left) / 4;
    const int cx = (button.left + button.right) / 2;
    const int cy = (button.top + button.bottom) / 2;
    const POINT arrow[] = {{cx - size, cy - size / 2}, {cx + size, cy - size / 2}, {cx, cy + size / 2 + 1}};
    COLORREF ink = IsWindowEnabled(combo) ? DarkText : DarkDisabledText;
    SetDCBrushColor(dc, ink);
    SetDCPenColor(dc, ink);
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SelectObject(dc, GetStockObject(DC_PEN));
    Polygon(dc, arrow, 3);
    ReleaseDC(combo, dc);
}

LRESULT CALLBACK DarkComboProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(combo, DarkComboProc, DarkComboSubclass);
    LRESULT result = DefSubclassProc(combo, message, wParam, lParam);
    if (DarkDrawing() && (message == WM_PAINT || DrawsAtOnce(message)))
        PaintDarkComboFrame(combo);
    return result;
}

// Dark mode draws the option buttons, check boxes, push buttons and
// drop-downs itself (with the classic drawing underneath switched off by
// an empty theme); light mode and high contrast leave them to the system.
void DrawControlsDark(HWND child, bool pushButton, bool choice)
{
    if (pushButton || choice)
        SetWindowSubclass(child, DarkButtonProc, DarkButtonSubclass, 0);
    else if (IsComboClass(child))
        SetWindowSubclass(child, DarkComboProc, DarkComboSubclass, 0);
}

// Option buttons, check boxes and group boxes draw their text with the
// colours of WM_CTLCOLORSTATIC only without visual styles: off in dark
// mode and high contrast, on (the system's choice) in light mode. On
// Windows the "DarkMode_Explorer" and "DarkMode_CFD" styles would darken
// only push buttons and drop-downs; drawing all of them here gives one
// look with or without visual styles, and under Wine.
void ThemeControl(HWND child, Scheme scheme)
{
    bool combo = IsComboClass(child);
    if (!IsButtonClass(child) && !combo)
        return;
    LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
    bool pushButton = !combo && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
    bool choice = !combo &&
        (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON || type == BS_AUTOCHECKBOX ||
         type == BS_CHECKBOX);
    if (!combo && IsGroupBox(child))
        SetWindowSubclass(child, GroupBoxProc, GroupBoxSubclass, 0);
    if (scheme == SchemeDark)
        DrawControlsDark(child, pushButton, choice);
    if (scheme == SchemeLight)
        SetWindowTheme(child, nullptr, nullptr);
    else if (!combo || scheme == SchemeDark)
        SetWindowTheme(child, L"", L"");
}

BOOL CALLBACK ThemeChild(HWND child, LPARAM scheme)
{
    ThemeControl(child, static_cast<Scheme>(scheme));  // a drop-down's own edit is no button
    return TRUE;
}

// One call lists the controls, where a walk with GetWindow would ask the
// server once for each.
void ThemeButtons(HWND dialog, Scheme scheme)
{
    EnumChildWindows(dialog, ThemeChild, static_cast<LPARAM>(scheme));
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
    return IsOfClass(control, "Edit");
}
bool IsReadOnlyEdit(HWND control)
{
    return IsEditClass(control) && (GetWindowLongA(control, GWL_STYLE) & ES_READONLY) != 0;
}

// Editable and disabled edits (the float fields at 8 and 16 bits), lists
// and drop-downs take the field colours; read-only texts (the inspector's
// readings) the window's, as light mode gives them the dialog's face.
// Disabled controls' text is grey; Windows and Wine draw a disabled
// static's or edit's text in their own grey whatever is set here.
INT_PTR DarkColours(UINT message, HDC dc, HWND control)
{
    bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX || IsComboClass(control) ||
        (IsEditClass(control) && !IsReadOnlyEdit(control));
    COLORREF text = DarkText;
    if (!IsWindowEnabled(control))
        text = DarkDisabledText;
    else if (message == WM_CTLCOLOREDIT && FieldInError(control))
        text = DarkErrorText;
    SetTextColor(dc, text);
    SetBkColor(dc, field ? DarkField : DarkReadOnlyField);
    return BrushResult(field ? AppearanceState.FieldBrush : AppearanceState.WindowBrush);
}

// High contrast: the system's colours only; a field in error is drawn in
// the selection colours.
INT_PTR HighContrastColours(UINT message, HDC dc, HWND control)
{
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
        bool error = message == WM_CTLCOLOREDIT && FieldInError(control);
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
    auto before = static_cast<Scheme>(AppearanceState.Scheme);
    if (scheme == SchemeDark || before == SchemeDark)
        SetDarkTitleBar(dialog, scheme == SchemeDark);
    AppearanceState.Scheme = scheme;
    DeleteBrushes();
    if (scheme == SchemeDark) {
        AppearanceState.WindowBrush = CreateSolidBrush(DarkWindow);
        AppearanceState.FieldBrush = CreateSolidBrush(DarkField);
    }
    // Light after light is the start: the controls have the system's look
    // and nothing is painted yet.
    if (scheme == SchemeLight && before == SchemeLight)
        return;
    ThemeButtons(dialog, scheme);
    SendMessageA(dialog, WM_SCHEME_APPLIED, 0, 0);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void ThemeNewControl(HWND control)
{
    // A new control has the system's look, which is the light scheme's.
    if (AppearanceState.Scheme != SchemeLight)
        ThemeControl(control, static_cast<Scheme>(AppearanceState.Scheme));
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

// The DC's own brush: no brush to make and delete for each rectangle.
void FillWithColour(HDC dc, const RECT& r, COLORREF colour)
{
    SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Grow(RECT& r, int dx, int dy)
{
    r.left -= dx;
    r.top -= dy;
    r.right += dx;
    r.bottom += dy;
}

void FrameWithColour(HDC dc, const RECT& r, COLORREF colour)
{
    SetDCBrushColor(dc, colour);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}
