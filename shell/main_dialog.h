#pragma once
#include <windows.h>

// The main dialog (template IDD_MAIN). Its procedure routes every message to
// a small handler; the converter's handlers do the work on the fields.

// Dialog procedure for DialogBoxParamA/CreateDialogParamA with IDD_MAIN.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// WM_INITDIALOG: hooks, icon, font, styles and limits, the initial width and
// endianness clicks from ShellState, the saved position. Returns FALSE: the
// dialog manager sets no default focus.
BOOL InitMainDialog(HWND dialog);
