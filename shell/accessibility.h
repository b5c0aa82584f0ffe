#pragma once
#include <windows.h>

// What the dialog tells assistive technology beyond what its controls say
// themselves: a name for the sign box, which has no text of its own (its
// label "S" stands before it), a description for a field whose text was
// not taken (its error flag is set), and the bits of the bit grid, which
// draws them all in one window, as check boxes of their own ("Bit 31").
// Each such control answers WM_GETOBJECT with the system's own accessible
// object, wrapped so that these properties come from the program.

// Wraps the accessible objects of the sign box and the number fields.
void StartAccessibility(HWND dialog);

// Wraps the accessible object of the bit grid: its bits become its simple
// children, child 1 the most significant bit shown, the last child bit 0.
void WrapBitGridAccessible(HWND grid);

// Tells listeners that a field's description changed when its error flag
// differs from the last one seen; called whenever the field is painted.
void NoteFieldErrorState(HWND field, bool error);

// The description of a field in error; a field without error has none.
constexpr const wchar_t* FieldErrorDescription = L"Not taken: the text is not a number in range";
