#pragma once
#include <windows.h>

// Two kinds of typing that the key filter lets through besides a field's
// own keys: a label's mnemonic (Alt+letter moves the focus to the label's
// field) and overwriting in a full binary or hexadecimal field.

// True when virtualKey (A to Z) is the mnemonic letter ("&B" in "&Binary")
// of one of the dialog's labels or buttons.
bool IsDialogMnemonic(HWND dialog, WPARAM virtualKey);

// Before a typed digit reaches the binary or hexadecimal field edit (id
// field): when the field is full and nothing is selected, selects the digit
// after the caret, so that the digit typed replaces it as in a hex editor
// instead of being refused by the text limit. Other fields, a selection,
// room left, the caret at the end, Ctrl or Alt held: nothing happens.
void PrepareOverwrite(HWND edit, int field);
