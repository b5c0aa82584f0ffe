#pragma once
#include <windows.h>

// The fixed-pitch font of the six number edits: "Lucida Console", 12 pixels
// high at 96 DPI and scaled with the window's DPI. Where the system has no
// Lucida Console and substitutes another face whose glyphs are wider, the
// font is made smaller until every field shows its widest text whole.

// The face the font asks for.
constexpr const char* FieldFontFace = "Lucida Console";

// Creates the font at dpi, gives it to the six edits of dialog (without
// redrawing them) and returns it; the caller deletes it.
HFONT ApplyFieldFont(HWND dialog, int dpi);

// True when the widest text each edit of dialog can hold (its longest text
// at 80 bits, every character the widest it may show) fits in its
// formatting rectangle with the edit's current font.
bool FieldTextsFit(HWND dialog);

// The DPI the dialog is shown at: GetDpiForWindow where the system offers
// it, otherwise the screen's.
int WindowDpi(HWND window);
