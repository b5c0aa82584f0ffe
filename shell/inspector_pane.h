#pragma once
#include <windows.h>

#include <cstdint>

#include "core/field_ids.h"

// The inspector pane below the fields of dialog 101, on the template's
// columns: the bit grid (1180, shell/bit_grid.h) across the pane's width,
// a legend of the bits' role colours, one read-only text per reading
// (1030..1038, 1090 and 1091, each after its label), the "&Previous" (1041) and "&Next" (1040) steps, and
// the value entry: the width's format (1060, an editable list), the
// rounding (1061), saturation (1062), a value typed into the bits (1063)
// and that entry's error (1064) and flags (1065), each after its label
// (1070..1075). Its rows are computed from tables of entries, each in the
// left or right column or across both; a row takes room only while one of
// its controls applies, so the window's height follows the width and the
// format. Its controls are created beside the template's, after them in
// the tab order, so that the template stays as it is, each when its row
// first shows; hidden, the window has exactly dialog 101's size.

// The legend of the bits' role colours.
constexpr int PaneLegendId = IDC_BIT_LEGEND;

// Sent to the dialog when a layout has made controls: the pane makes each
// control when it first shows.
constexpr UINT WM_PANE_CONTROLS_MADE = WM_APP + 2;

struct PaneRecord {
    uint8_t Shown;  // the pane shows below the fields
    uint8_t Held;  // the converter leaves the pane alone (while it starts)
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

// Forgets the pane of a dialog before and holds the layout: the converter
// may start and refresh before the pane's controls exist, and what it
// enables and disables is kept for them.
void HoldInspectorPane();

// Makes the pane's controls where the rows that apply put them, sizes the
// window and lays the pane out from then on whenever its rows change; call
// after the converter's first refresh, and refresh again to fill them. A
// hidden pane makes nothing until it first shows.
void CreateInspectorPane(HWND dialog);

// Places every control of the pane by the scale, shows the rows that apply
// and sizes the window to show the pane or only dialog 101's area, keeping
// its top-left corner.
void LayoutInspectorPane(HWND dialog, PaneScale scale);

// Shows or hides the pane (the "Inspector" item's check mark follows) and
// resizes the window; makes and fills the pane's controls when it first
// shows.
void SetInspectorShown(bool shown);

// The converter's wish for a bit's tile (the bits above the width are
// hidden); the layout shows or hides the rest of the pane.
void ShowInspectorControl(int control, bool show);

// A pane control was enabled or disabled (the converter's wish): its label
// follows it, and the rows are laid out anew when one starts or stops
// applying.
void OnPaneControlEnabled(int control, bool enabled);

// The role colours of the bits and the legend change with the width and
// the format.
void RepaintBitRoles();

// The pointer over an edit of the pane: the tip of the read-only texts is
// made on the first hover over one too long for its box.
void OnPaneEditMouseMove(HWND edit);

// WM_NOTIFY: the tooltip of the read-only texts asks for the text of the
// one under the pointer (its whole text when its box cannot show it);
// false for any other notification.
bool OnPaneNotify(const NMHDR* header);

// WM_DRAWITEM of the legend; false for any other control.
bool DrawPaneItem(const DRAWITEMSTRUCT* item);

// WM_SYSCOMMAND 40961: shows or hides the pane; false for other commands.
bool OnInspectorSysCommand(WPARAM command);

// Fills the format list with the presets that fit the width and shows the
// width's chosen format; after every width change.
void RefillFormatList();

// WM_COMMAND of the value entry's controls, and Enter (IDOK) while the
// format's text has the focus; false for anything else.
bool OnValueEntryCommand(int id, int code);
