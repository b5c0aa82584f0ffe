#pragma once
#include <windows.h>

#include <cstdint>

#include "core/float_format.h"

// A control's rectangle in the dialog's client area, as created.
struct ControlPlace {
    HWND Control;
    RECT Rect;
};

// 256: room for every control of the dialog, its pane and its bit grid.
constexpr int MaxLayoutControls = 256;

// The window shell's one global record.
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
    uint8_t InspectorShown;  // the inspector pane shows below the fields
    // The format of each width from the settings, in the order of
    // WidthButtons; none (ExponentBits 0) for the width's default.
    FloatFormat SavedFormats[5];
    // The portable settings file beside the program, or empty when the
    // settings live in the registry. MAX_PATH: a path the ANSI file
    // functions take.
    char SettingsFile[MAX_PATH];
    uint8_t Scheme;  // the colours in force: light, dark or high contrast (shell/appearance.h)
    HBRUSH WindowBrush;  // dark mode's client-area brush, none otherwise
    HBRUSH FieldBrush;  // dark mode's field brush, none otherwise
    int Dpi;  // the DPI the window is laid out for now
    int LayoutDpi;  // the DPI the dialog was created at; Layout holds its places
    HFONT ScaledDialogFont;  // the template's font at Dpi, none while Dpi is LayoutDpi
    int LayoutCount;  // controls in Layout
    ControlPlace Layout[MaxLayoutControls];  // every control's place at LayoutDpi
};

extern ShellRecord ShellState;
