#pragma once
#include <windows.h>
//
#include <oleacc.h>

// Functions looked up at run time: window-manager functions that older
// systems lack, and the functions of modules that only some runs need,
// loaded when first needed. An absent entry (null) switches its feature off
// silently. Tests clear entries to simulate older systems.
struct OptionalUser32Table {
    BOOL(WINAPI* EnumDisplayMonitors)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
    BOOL(WINAPI* SetLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD);
    UINT(WINAPI* GetDpiForWindow)(HWND);  // Windows 10 1607 on
    BOOL(WINAPI* SetDialogDpiChangeBehavior)(HWND, int, int);  // Windows 10 1703 on
};

extern OptionalUser32Table OptionalUser32;

// Fills OptionalUser32 from USER32 (every entry absent without the module).
void LookUpOptionalUser32();

// The dark title bar's function, from dwmapi.dll, loaded on the first call;
// null where the system has none.
using DwmSetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
DwmSetWindowAttributeFunction DwmSetWindowAttributeOrNull();

// What the program's accessible objects need from oleacc.dll and
// oleaut32.dll, which only a screen reader or another client of the
// accessibility interfaces calls for: loaded on the first request.
struct AccessibilityFunctionTable {
    HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**);
    LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN);
    BSTR(WINAPI* SysAllocString)(const OLECHAR*);
};

// The table, or null where either module or function is missing.
const AccessibilityFunctionTable* AccessibilityFunctions();
