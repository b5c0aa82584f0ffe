#pragma once
#include <windows.h>

#include <cstdint>

// The window's colours under the user's choices. Light mode at standard
// contrast is the window as it always was: only the text colour of the
// fields is set (black, or red RGB 255, 0, 0 for a field in error) and
// everything else is the system's. Dark mode (the user's app mode, when
// "AppsUseLightTheme" is 0) draws the client area, labels, buttons and
// fields dark with light text and a dark title bar where the system offers
// one; the system menu stays as the system draws it. High contrast takes
// every colour from the system colours, marks a field in error with the
// selection colours (a sign that does not depend on hue) and keeps the
// window opaque.

enum Scheme : uint8_t {
    SchemeLight = 0,
    SchemeDark = 1,
    SchemeHighContrast = 2,
};

struct AppearanceRecord {
    uint8_t Scheme;  // the colours in force: light, dark or high contrast
    HBRUSH WindowBrush;  // dark mode's client-area brush, none otherwise
    HBRUSH FieldBrush;  // dark mode's field brush, none otherwise
};

extern AppearanceRecord AppearanceState;

// Dark mode's colours. The error red on the field background has a
// contrast of 5.1:1 (at least 4.5:1 for legible text).
constexpr COLORREF DarkWindow = RGB(32, 32, 32);
constexpr COLORREF DarkField = RGB(43, 43, 43);
constexpr COLORREF DarkText = RGB(240, 240, 240);
constexpr COLORREF DarkErrorText = RGB(255, 107, 107);

// The bit toggles of bits outside the chosen format (above it or its
// padding): a neutral grey apart from every role's hue. High contrast
// draws them in the system's colour of unavailable text.
constexpr COLORREF LightIgnoredBit = RGB(214, 214, 214);
constexpr COLORREF DarkIgnoredBit = RGB(82, 82, 82);

// The scheme the user's settings ask for: high contrast when it is on,
// else dark when the app mode is dark, else light.
Scheme SystemScheme();

// Makes the dialog draw in scheme (title bar, button themes, brushes) and
// repaints it.
void ApplyScheme(HWND dialog, Scheme scheme);

// WM_SETTINGCHANGE and WM_SYSCOLORCHANGE: follows a change of the app mode
// ("ImmersiveColorSet"), of high contrast or of the system colours (the
// scheme is read anew for every such message). Returns the scheme before.
Scheme FollowSystemScheme(HWND dialog);

// WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN and WM_CTLCOLORDLG:
// the brush (as a dialog procedure's result), or 0 to leave the control to
// the default colours.
INT_PTR OnCtlColor(UINT message, HDC dc, HWND control);

// Deletes the brushes; at close.
void ReleaseSchemeBrushes();
