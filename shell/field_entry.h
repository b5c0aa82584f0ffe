#pragma once
#include <windows.h>

// Typing beyond what the edit control does itself: overwriting in a full
// binary or hexadecimal field.

// Before a typed digit reaches the binary or hexadecimal field edit (id
// field): when the field is full and nothing is selected, selects the digit
// after the caret, so that the digit typed replaces it as in a hex editor
// instead of being refused by the text limit. Other fields, a selection,
// room left, the caret at the end, Ctrl or Alt held: nothing happens.
void PrepareOverwrite(HWND edit, int field);
