#pragma once
#include <windows.h>

// The edit fields' own handling, beyond what the edit control does, so that
// nothing but an edit changes the value and refused input says why:
// - Ctrl+A selects the whole text; no other control character reaches a
//   field (an edit control may take one as a change of its text);
// - undo (Ctrl+Z, WM_UNDO, the context menu) brings back the value the
//   restored text stood for (converter/field_undo.h);
// - a paste into the binary or hexadecimal field takes a bit pattern as
//   its digits (views/bits_text.h) or digits of the field's own base; any
//   other text changes nothing and a balloon tip says why;
// - a text cut at the field's limit is said in a balloon tip.

// Subclasses the dialog's six edit fields, once start-up has written them:
// under Wine each message through a subclass costs round trips to the
// server.
void StartFieldEditing(HWND dialog);

// EN_MAXTEXT from a field: typed or pasted text did not fit its limit.
void OnFieldTextCut(int field);
