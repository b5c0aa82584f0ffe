#pragma once
#include <windows.h>

// Window-manager functions looked up at run time because older systems lack
// them. An absent entry (null) switches its feature off silently. Tests
// clear entries to simulate older systems.
struct OptionalUser32Table {
    BOOL(WINAPI* EnumDisplayMonitors)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
    BOOL(WINAPI* SetLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD);
};

extern OptionalUser32Table OptionalUser32;

// Fills OptionalUser32 from USER32 (every entry absent without the module).
void LookUpOptionalUser32();
