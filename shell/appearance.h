#pragma once
#include <windows.h>

#include <cstdint>

// The window's colours under the user's choices. Light mode at standard
// contrast is the window as it always was: only the text colour of the
// fields is set (black, or red RGB 255, 0, 0 for a field in error) and
// everything else is the system's. Dark mode (the user's app mode, when
// "AppsUseLightTheme" is 0) draws the client area, labels, buttons and
// fields dark with light text and a dark title bar where the system offers
// one; it draws option buttons, check boxes, push buttons and drop-downs
// itself, so that they are dark with or without visual styles (Windows'
// styles have no dark option buttons or check boxes; under Wine styles are
// usually off). The system menu and tooltips stay as the system draws them. High contrast takes
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

// What dark mode draws itself (option buttons, check boxes, push buttons
// and drop-downs) and the read-only texts: a read-only text has the
// window's colour behind it, as light mode gives it the dialog's face
// (COLOR_3DFACE); disabled text is a grey of 4.1:1 on the window.
constexpr COLORREF DarkReadOnlyField = DarkWindow;
constexpr COLORREF DarkDisabledText = RGB(128, 128, 128);
constexpr COLORREF DarkButtonFace = RGB(51, 51, 51);
constexpr COLORREF DarkButtonPressed = RGB(72, 72, 72);
constexpr COLORREF DarkControlBorder = RGB(110, 110, 110);

// The thin border of the flat bit tiles in light mode.
constexpr COLORREF LightTileBorder = RGB(150, 150, 150);

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

// Sent to the dialog once a scheme has been applied, for the controls that
// draw themselves from it to follow (the inspector's grid and legend).
constexpr UINT WM_SCHEME_APPLIED = WM_APP + 1;

// Gives a control made after the scheme was applied the scheme's drawing.
void ThemeNewControl(HWND control);

// WM_SETTINGCHANGE and WM_SYSCOLORCHANGE: follows a change of the app mode
// ("ImmersiveColorSet"), of high contrast or of the system colours (the
// scheme is read anew for every such message). Returns the scheme before.
Scheme FollowSystemScheme(HWND dialog);

// WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLORLISTBOX and
// WM_CTLCOLORDLG:
// the brush (as a dialog procedure's result), or 0 to leave the control to
// the default colours.
INT_PTR OnCtlColor(UINT message, HDC dc, HWND control);

// Deletes the brushes; at close.
void ReleaseSchemeBrushes();

// Fills or frames (one pixel) a rectangle in a colour, for what the
// program draws itself.
void FillWithColour(HDC dc, const RECT& r, COLORREF colour);
void FrameWithColour(HDC dc, const RECT& r, COLORREF colour);

// Moves each side of r outwards by dx and dy (inwards where negative).
void Grow(RECT& r, int dx, int dy);
