#pragma once
#include <windows.h>

#include <cstdint>

// The window shell's global record: the window, its hooks, menus and
// placement, and the on-top and translucency state. The modules added
// around it keep their own: the colours (AppearanceState), the layout at
// each DPI (DpiLayoutState), the settings file and saved formats
// (SettingsState) and the inspector pane (PaneState).
struct ShellRecord {
    HWND Dialog;  // the main dialog; every shell operation reaches the controls through it
    HFONT Font;  // fixed-pitch font of the six edits, from initialisation to close
    HHOOK KeyboardHook;  // thread keyboard hook (key filter), from initialisation to close
    HHOOK MouseHook;  // thread mouse hook, installed for the span of each window move
    int32_t LastMouseX;  // last cursor position, screen coordinates
    int32_t LastMouseY;
    RECT SavedWindowRect;  // window rectangle at close
    int32_t SavedX;  // window position: from the settings at start, from the window at close
    int32_t SavedY;
    int InitialWidthButton;  // 1014..1018, from the settings
    int InitialEndianButton;  // 1020 or 1021, from the settings
    HICON Icon;  // icon 104
    HMENU TransparencyMenu;  // menu 102, its first popup goes into the system menu
    HMENU SystemMenu;  // the dialog's system menu
    uint8_t OnTop;  // always on top
    uint8_t AlwaysTransparent;  // translucent while active too
    uint8_t TransparencyStep;  // 1..10, 0 before the first selection
    int32_t Alpha;  // 25..255, opacity while translucent
    uint8_t LayeredApplied;  // the dialog carries WS_EX_LAYERED
};

extern ShellRecord ShellState;

// A control of the main dialog by its identifier, or none. Under Wine every
// GetDlgItem is a round trip to the server and a refresh looks up a
// hundred controls, so each is looked up once; the controls live as long
// as the dialog. A control made later (the pane's) must be noted when made.
HWND DialogItem(int id);
void NoteDialogItem(int id, HWND control);
void ForgetDialogItems();  // a new dialog: its controls are other windows
