#pragma once
// The converter's side of the dialog: what a notification or a click does.
// Every front end routes its controls' events here, so the window shell and
// the companion run the same handlers.

// Edit-change notification of an edit field: runs its parser unless the
// updating guard is set (the program's own writes are not read back).
void OnFieldChange(int field);

// Focus loss of an edit field: clears its error flag, then re-renders it;
// the value it leaves joins the history (converter/value_history.h).
void OnFieldKillFocus(int field);

// Click of a width option button (ButtonWidth8 .. ButtonWidth80): the whole
// width change runs, also for the width in force; the value joins the
// history.
void OnWidthButton(int button);

// Click of an endianness option button (ButtonLittle or ButtonBig).
void OnEndianButton(int button);

// Click of the sign check box (its state has already toggled): the sign bit
// follows it and every other field is re-rendered.
void OnSignClick();
