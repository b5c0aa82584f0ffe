#pragma once
#include <windows.h>

// Pastes into the binary and hexadecimal fields (Ctrl+V, Shift+Insert, the
// context menu: WM_PASTE): a bit pattern as people copy it ("0x3DCC_CCCD",
// "0b1010 0101") goes in as its digits in the field's own base
// (views/bits_text.h), then the field's limit cuts it as any paste. Any
// other clipboard text is pasted by the edit control as always.

// Subclasses the two fields of the dialog.
void HandleBitFieldPastes(HWND dialog);
