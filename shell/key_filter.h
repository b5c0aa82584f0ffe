#pragma once
#include <windows.h>

// The keyboard filter: a thread keyboard hook that discards every keystroke
// that makes no sense in the focused number field, before the edit control
// sees it. Only virtual-key codes are looked at; keys down and up, repeats,
// Shift, Ctrl and Caps Lock states are not. Alt counts only for a label's
// mnemonic letter, which passes from every field. While a menu or a window
// move by keyboard runs, every key passes. A digit typed into a full
// binary or hexadecimal field overwrites the digit after the caret.

// Hook procedure for SetWindowsHookExA(WH_KEYBOARD, ...) on the dialog's
// thread: returns 1 to discard the keystroke, otherwise passes it on.
LRESULT CALLBACK KeyFilterProc(int code, WPARAM virtualKey, LPARAM flags);

// True when virtualKey may reach the control with id focusedId: editing and
// caret keys always, any key outside the six number fields, and in a field
// the keys of its row.
bool KeyPassesFilter(int focusedId, WPARAM virtualKey);
