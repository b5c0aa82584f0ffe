#pragma once
#include <windows.h>

// Copying the value in the forms other programs read, pasting it as bytes,
// and Back and Forward through the values settled on:
// - "Copy as" (IDM_COPY_HEX..IDM_COPY_JSON): the copy forms of
//   views/copy_forms.h, the readings lines and the JSON object the companion
//   prints, to the clipboard as Unicode text; a popup of them in the system
//   menu and in the context menus of the edit fields, the readings and the
//   bit grid. Ctrl+Shift+C copies the literal from anywhere in the window.
// - "Paste bytes" in the binary and hexadecimal fields' context menus: the
//   clipboard's text read as a run of the width's bytes, little- or
//   big-endian; another count or no run changes nothing and a balloon tip
//   on the field says what was found.
// - Back and Forward: Alt+Left and Alt+Right, the mouse's back and forward
//   buttons (WM_APPCOMMAND) and the system menu's items.

// Capacity of a copied text, NUL included: the readings lines of an
// extended subnormal (its exact value has 11514 digits) with room to spare.
constexpr int CopyTextCapacity = 16384;

// Puts the text of a "Copy as" command on the clipboard as CF_UNICODETEXT;
// false for any other command or when the clipboard cannot be opened.
bool CopyAs(int command);

// A new popup of the "Copy as" commands.
HMENU CopyAsPopup();

// A command of these items (WM_SYSCOMMAND, or WM_COMMAND from the system
// menu's popup where the system sends that); false for other commands.
bool OnCopyOrHistoryCommand(WPARAM command);

// Keys down on the dialog's thread, from the keyboard filter: Ctrl+Shift+C,
// Alt+Left and Alt+Right. True when the key was taken.
bool OnCopyOrHistoryKey(WPARAM virtualKey, bool ctrl, bool shift, bool alt);

// WM_APPCOMMAND's command (GET_APPCOMMAND_LPARAM): browser back and
// forward. True when taken.
bool OnAppCommand(int command);

// A context menu on an edit control of the window (a field or a reading):
// the edit's own items, "Copy as", and for the binary and hexadecimal
// fields "Paste bytes". screen: the point from WM_CONTEXTMENU (-1, -1 from
// the keyboard).
void ShowEditContextMenu(HWND edit, LPARAM screen);

// The edit context menu's items as they stand now, and a command of it run
// on the edit (0: none), apart from showing it; the tests use them.
HMENU BuildEditContextMenu(HWND edit);
void RunEditMenuCommand(HWND edit, int command);

// A context menu with "Copy as" alone (the bit grid, the dialog's face).
void ShowCopyContextMenu(HWND owner, LPARAM screen);

// Pastes the clipboard's bytes into the width (IDM_PASTE_BYTES_LE or _BE)
// for the field; false, with a tip on the field, when they are no run of
// the width's byte count.
bool PasteBytes(int field, bool bigEndian);

// Subclasses the pane's readings and the value entry's edits made so far
// so that their context menus offer "Copy as" and a text too long for its
// box has a tip; again for those made later.
void StartReadingMenus(HWND dialog);
