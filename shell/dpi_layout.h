#pragma once
#include <windows.h>

// The window at the DPI of the monitor it is on. The program declares
// per-monitor awareness: when the window moves to a monitor of another
// scale, WM_DPICHANGED brings the new DPI and the rectangle the system
// suggests, and the window lays itself out anew instead of being
// stretched. Layouts are always computed from the one recorded at
// initialisation, so a return to the first DPI restores it exactly.

// A control's rectangle in the dialog's client area, as created.
struct ControlPlace {
    HWND Control;
    RECT Rect;
};

// 256: room for every control of the dialog, its pane and its bit grid.
constexpr int MaxLayoutControls = 256;

struct DpiLayoutRecord {
    int Dpi;  // the DPI the window is laid out for now
    int LayoutDpi;  // the DPI the dialog was created at; Layout holds its places
    HFONT ScaledDialogFont;  // the template's font at Dpi, none while Dpi is LayoutDpi
    int LayoutCount;  // controls in Layout
    ControlPlace Layout[MaxLayoutControls];  // every control's place at LayoutDpi
};

extern DpiLayoutRecord DpiLayoutState;

// Records every control's rectangle and the DPI the dialog was created at,
// and takes over the system's own rescaling of dialogs where it has one
// (it would scale the controls a second time).
void RecordLayout(HWND dialog);

// WM_DPICHANGED, first: the dialog font and the field font at dpi, every
// recorded control moved and sized by dpi / the recorded DPI. False, and
// nothing changed, before the layout is recorded or for no DPI.
bool OnDpiChanged(HWND dialog, int dpi);

// WM_DPICHANGED, last (after the pane has laid itself out at the new
// scale): the rectangle the system suggests, and a repaint.
void TakeSuggestedRect(HWND dialog, const RECT* suggested);

// Deletes the fonts made for other DPIs; at close.
void ReleaseLayoutFonts();
