#pragma once
#include <windows.h>

#include <cstdint>

// The inspector pane below the fields of dialog 101: one read-only text per
// reading (1030..1038, each after its label), the bit toggles (1100 + bit,
// owner-drawn in the colour of the bit's role) under their group numbers,
// the "&Next" (1040) and "&Previous" (1041) steps, and the value entry: the
// width's format (1060, an editable list), the rounding (1061), saturation
// (1062), a value typed into the bits (1063) and that entry's error (1064)
// and flags (1065), each after its label (1070..1075). Its controls are
// created beside the template's, after them in the tab order, so that the
// template stays as it is; hidden, the window has exactly dialog 101's size.

struct PaneRecord {
    uint8_t Shown;  // the pane shows below the fields
};

extern PaneRecord PaneState;

// Pixels of 4 horizontal and 8 vertical dialog units (MapDialogRect's base):
// every position of the pane is in dialog units and laid out by this scale.
struct PaneScale {
    int X4;
    int Y8;
};

// The scale of the dialog's own font at the DPI the window is laid out for.
PaneScale DialogScaleOf(HWND dialog);

// Creates the pane's controls (hidden while ShellState says so) and lays
// them out; call after the number fields' font exists and before the first
// refresh.
void CreateInspectorPane(HWND dialog);

// Places every control of the pane by the scale and sizes the window to
// show the pane or only dialog 101's area, keeping its top-left corner.
void LayoutInspectorPane(HWND dialog, PaneScale scale);

// Shows or hides the pane (the "Inspector" item's check mark follows) and
// resizes the window.
void SetInspectorShown(bool shown);

// The converter's wish for a pane control (the bit toggles above the width
// are hidden); while the pane is hidden every control of it stays hidden.
void ShowInspectorControl(int control, bool show);

// The role colours of the toggles change with the width.
void RepaintBitToggles();

// WM_DRAWITEM of a bit toggle; false for any other control.
bool DrawBitToggle(const DRAWITEMSTRUCT* item);

// WM_SYSCOMMAND 40961: shows or hides the pane; false for other commands.
bool OnInspectorSysCommand(WPARAM command);

// Fills the format list with the presets that fit the width and shows the
// width's chosen format; after every width change.
void RefillFormatList();

// WM_COMMAND of the value entry's controls, and Enter (IDOK) while the
// format's text has the focus; false for anything else.
bool OnValueEntryCommand(int id, int code);
