#pragma once
#include <windows.h>

#include <cstdint>

#include "shell/snap_geometry.h"

// Snapping of the dialog to the monitors' work areas while it is dragged,
// and the placement of the dialog at start-up. The window manager's move
// loop proposes a rectangle on every WM_MOVING; the dialog replaces it by
// the grab rectangle moved to the cursor, snapped (SnapMoving).

struct SnapRecord {
    HWND Window;  // the dialog; set before the start-up placement
    WorkAreaList WorkAreas;  // work areas from the monitor enumeration (count zero until filled)
    SnapRect Grab;  // window rectangle at the start of the move minus the cursor then
};

// Zero (no window, no area) from static construction on.
extern SnapRecord SnapState;

// Refills the work-area list (the primary screen alone when the system cannot
// enumerate monitors) and returns true when the title bar lies strictly
// inside one of the areas.
bool TitleBarOnScreen(SnapRecord* state);

// out <- the window's rectangle centred on the primary screen, its size held
// to the screen's.
void CenterOnPrimaryScreen(SnapRecord* state, RECT* out);

// Start of a move with the cursor at (mx, my): records the grab rectangle
// and collects the work areas (none when monitors cannot be enumerated).
void SnapBeginMove(SnapRecord* state, int32_t mx, int32_t my);

// Rewrites the WM_MOVING rectangle for the cursor at (mx, my).
void SnapMoving(SnapRecord* state, RECT* rect, int32_t mx, int32_t my);

// Monitor enumeration callback; state is a SnapRecord*. Appends the
// monitor's work area; returns FALSE, ending the enumeration, once the list
// holds MaxWorkAreas areas.
BOOL CALLBACK AddMonitorWorkArea(HMONITOR monitor, HDC dc, LPRECT monitorRect, LPARAM state);

// Thread mouse hook, installed for the span of a move: keeps the last cursor
// position in ShellState up to date before each WM_MOVING.
LRESULT CALLBACK MoveMouseHookProc(int code, WPARAM message, LPARAM mouse);

// The dialog's handling of the move messages and its start-up placement.
void PlaceMainWindow(HWND dialog);  // at the saved position, or centred when that hides the title bar
void OnNcLButtonDown(LPARAM point);  // records the cursor (screen coordinates)
void OnEnterSizeMove();  // hooks the mouse, begins the move
void OnMoving(LPARAM rect);  // rewrites the proposed rectangle
void OnExitSizeMove();  // unhooks the mouse
