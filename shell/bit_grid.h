#pragma once
#include <windows.h>

#include "converter/inspector.h"

// The bit grid of the inspector pane: one window (IDC_BIT_GRID) that draws a
// tile for each bit of the width, most significant first, in rows under
// their group numbers, and toggles a bit when its tile is clicked or Space
// is pressed while the bit has the focus. The arrow keys move the focus
// from bit to bit, Home and End to the first and the last; Tab enters the
// grid at the bit that had the focus last.
//
// The converter reads and writes a toggle per bit by its id
// (FirstBitToggle + bit); the grid keeps their texts and which of them
// show, and reports a click to the dialog as a toggle's BN_CLICKED.

// Where the grid's rows lie in its client area, in pixels: each row's group
// numbers NumberHeight tall above its tiles, TileHeight tall, the rows
// RowPitch apart; the tiles of a group a pixel apart, the groups Gap apart.
struct BitGridShape {
    int BitsPerRow;
    int NumberHeight;
    int TileHeight;
    int RowPitch;
    int Gap;
};

// Forgets the bits of a grid before: every bit "0" and hidden. The
// converter may write them before the grid's window exists.
void ResetBitGrid();

// Makes the grid's window, shown at r, next in the tab order. The window
// goes with its dialog.
HWND CreateBitGrid(HWND dialog, const RECT& r);

// The grid's rows for its client width; repaints it.
void ShapeBitGrid(const BitGridShape& shape);

// A toggle's text ("0" or "1") and whether it shows, as the converter
// writes and reads them.
void SetBitText(int bit, const char* text);
int ReadBitText(int bit, char* buffer, int size);
void ShowBit(int bit, bool show);
bool BitShows(int bit);

// Repaints every tile and the group numbers: the role colours change with
// the width, the format and the scheme.
void RepaintBitGrid();

// A tile's fill, border and digit in the scheme now; the legend shows the
// roles' colours as the tiles have them.
struct TileColours {
    COLORREF Face, Border, Ink;
};
TileColours RoleTileColours(BitRole role);

// What the grid's accessible object reads: the number of bits shown, a
// tile in screen pixels, the bit with the focus (while the grid has it),
// and a click on a bit.
int ShownBitCount();
RECT BitTileOnScreen(int bit);
int BitAtScreenPoint(POINT p);  // -1 where no tile is
int FocusedBit();
void ClickBit(int bit);
