#pragma once
#include <windows.h>

// The keyboard filter: a thread keyboard hook that discards every keystroke
// that makes no sense in the focused number field, before the edit control
// sees it. A key pressed with Ctrl or with Alt, but not both, passes, so
// that the edit and window shortcuts (Ctrl+C, V, X, Z, A; Alt+F4,
// Alt+Space, Alt+letter) work in every field; Ctrl+Alt (AltGr, which types
// characters) and plain keys are filtered by their virtual-key codes alone:
// keys down and up, repeats, Shift and Caps Lock states are not looked at.
// While a menu or a window move by keyboard runs, every key passes. A digit
// typed into a full binary or hexadecimal field overwrites the digit after
// the caret.

// Hook procedure for SetWindowsHookExA(WH_KEYBOARD, ...) on the dialog's
// thread: returns 1 to discard the keystroke, otherwise passes it on.
LRESULT CALLBACK KeyFilterProc(int code, WPARAM virtualKey, LPARAM flags);
