#pragma once
// Drives the real main dialog, created from the real resources, the way a
// person would: keystrokes through the system's input queue (so they pass
// the key filter), clicks, focus changes. The dialog is modeless here and
// runs in the harness's own message loop, which behaves like the modal one
// (IsDialogMessage) and also records which keystrokes got through.
#include <windows.h>

#include <string>
#include <vector>

// Creates, shows and activates the dialog as start-up would with these
// initial buttons, with the inspector pane below dialog 101's fields or
// without it. Returns the dialog.
HWND OpenMainDialog(int widthButton, int endianButton, bool inspector = false);

// Closes the dialog by WM_CLOSE and destroys what is left of it.
void CloseMainDialog();

// Handles every pending message and stops when the queue has stayed empty
// for a short while.
void PumpMessages();

// One keystroke (down and up) sent with SendInput, not pumped: for callers
// inside another message loop, or sending many keys before one pump.
void SendKeyStroke(WORD virtualKey);

// Keystrokes by virtual-key code, sent with SendInput and then pumped.
void PressKey(WORD virtualKey);
void PressKeyWith(WORD modifier, WORD virtualKey);
// Types text on a US layout (Shift where the character needs it).
void TypeText(const char* text);

// Key-down and key-up codes that reached the message loop, in order; the
// key filter's discarded keystrokes never do.
struct SeenKey {
    UINT Message;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    WPARAM Key;
};
const std::vector<SeenKey>& SeenKeys();
void ClearSeenKeys();
bool KeyWasSeen(WPARAM virtualKey);

// Puts text on the clipboard as CF_TEXT, owned by the dialog.
void SetClipboardText(const char* text);

// Focus a control and pump.
void FocusControl(int id);
// BM_CLICK on a button, then pump.
void ClickButton(int id);

HWND Dialog();
HWND Control(int id);
std::string ControlText(int id);
int TextLimit(int id);
bool IsEnabled(int id);
bool IsChecked(int id);
LONG Style(int id);
LONG ExStyle(int id);

// Pixels of the control's client area whose colour is exactly colour, as
// drawn on the screen.
int CountPixels(int id, COLORREF colour);
// The same for any window (the edit inside an editable list), or for an
// area of its client area.
int CountWindowPixels(HWND control, COLORREF colour, const RECT* area = nullptr);

// The bit grid as a user sees it: a bit's digit ("" while its tile is not
// shown), whether its tile shows, the tile in the grid's client pixels, a
// click on it (the mouse pressed and released over its centre) and the
// pixels of a colour in it.
HWND BitGrid();
std::string BitText(int bit);
bool TileShows(int bit);
RECT TileRect(int bit);
void ClickTile(int bit);
int CountTilePixels(int bit, COLORREF colour);
