#include "shell/bit_grid.h"

#include <cstdint>

#include "converter/inspector.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/appearance.h"

namespace {

constexpr const char* GridClass = "DexolinBitGrid";

struct BitGridRecord {
    HWND Window;
    HFONT Font;  // the group numbers' and digits' font (WM_SETFONT)
    BitGridShape Shape;
    char Bits[BitToggleCount];  // '0' or '1'
    uint8_t Shown[BitToggleCount];
    int Focus;  // the bit the focus cue is on while the grid has the focus
    int Pressed;  // the bit held down by the mouse or Space, or -1
    bool PressedByKey;
};

BitGridRecord Grid;

// ---- Geometry ---------------------------------------------------------------------

// A bit's tile in client pixels: the bits of a group a pixel apart, the
// groups Gap apart, the columns sharing the grid's width so that the last
// one ends at its right edge at every width.
RECT TileRect(int bit)
{
    const int count = ShownBitCount();
    const int perRow = Grid.Shape.BitsPerRow > 0 ? Grid.Shape.BitsPerRow : 1;
    RECT client;
    GetClientRect(Grid.Window, &client);
    const int index = count - 1 - bit;  // 0: the most significant bit
    const int row = index / perRow;
    const int column = index % perRow;
    const int groups = perRow / 4 > 0 ? perRow / 4 : 1;
    const int room = client.right - (groups - 1) * Grid.Shape.Gap;
    const int shift = column / 4 * Grid.Shape.Gap;
    int right = shift + (column + 1) * room / perRow;
    if (column % 4 != 3)
        --right;
    const int top = row * Grid.Shape.RowPitch + Grid.Shape.NumberHeight;
    return {shift + column * room / perRow, top, right, top + Grid.Shape.TileHeight};
}

// The bit whose tile holds a point of the client area, or -1.
int BitAt(POINT p)
{
    const int count = ShownBitCount();
    for (int bit = 0; bit < count; ++bit) {
        RECT r = TileRect(bit);
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)
            return bit;
    }
    return -1;
}

// Tells screen readers that a bit changed or took the focus: the grid's
// accessible object has a child for each bit shown, child 1 the most
// significant.
void NotifyBitEvent(DWORD event, int bit)
{
    const int count = ShownBitCount();
    if (Grid.Window && bit >= 0 && bit < count)
        NotifyWinEvent(event, Grid.Window, static_cast<LONG>(OBJID_CLIENT), count - bit);
}

void InvalidateBit(int bit)
{
    if (!Grid.Window || bit < 0 || bit >= ShownBitCount())
        return;
    RECT r = TileRect(bit);
    InvalidateRect(Grid.Window, &r, FALSE);
}

// ---- Drawing -----------------------------------------------------------------------

// Dark mode's role colours: the same hues, dark enough for light text.
COLORREF DarkRoleColour(BitRole role)
{
    switch (role) {
    case BitRole::Sign: return RGB(120, 50, 50);
    case BitRole::Exponent: return RGB(40, 70, 120);
    case BitRole::IntegerBit: return RGB(115, 90, 25);
    case BitRole::Fraction: return RGB(40, 90, 40);
    case BitRole::Ignored: return DarkIgnoredBit;
    default: return RGB(60, 60, 60);
    }
}

COLORREF RoleColour(BitRole role)
{
    switch (role) {
    case BitRole::Sign: return RGB(255, 196, 196);
    case BitRole::Exponent: return RGB(190, 220, 255);
    case BitRole::IntegerBit: return RGB(255, 224, 150);
    case BitRole::Fraction: return RGB(200, 240, 200);
    case BitRole::Ignored: return LightIgnoredBit;
    default: return GetSysColor(COLOR_BTNFACE);
    }
}

// A pressed tile is a shade towards the text colour (1/steps of the way):
// subtle, as a flat button's states are.
COLORREF Shade(COLORREF colour, COLORREF towards, int steps)
{
    return RGB((GetRValue(colour) * (steps - 1) + GetRValue(towards)) / steps,
               (GetGValue(colour) * (steps - 1) + GetGValue(towards)) / steps,
               (GetBValue(colour) * (steps - 1) + GetBValue(towards)) / steps);
}

TileColours TileColoursOf(BitRole role, bool pressed)
{
    if (AppearanceState.Scheme == SchemeHighContrast) {
        if (pressed)
            return {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_BTNTEXT),
                    GetSysColor(COLOR_HIGHLIGHTTEXT)};
        return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT),
                GetSysColor(role == BitRole::Ignored ? COLOR_GRAYTEXT : COLOR_BTNTEXT)};
    }
    const bool dark = AppearanceState.Scheme == SchemeDark;
    COLORREF face = dark ? DarkRoleColour(role) : RoleColour(role);
    if (pressed)
        face = Shade(face, dark ? DarkText : RGB(0, 0, 0), 6);
    return {face, dark ? DarkControlBorder : LightTileBorder, dark ? DarkText : RGB(0, 0, 0)};
}

bool FocusCueShows()
{
    return GetFocus() == Grid.Window && !(SendMessageA(Grid.Window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

// A flat tile: its role's colour inside a thin border, the digit centred,
// the focus rectangle inside the border while the focus is on its bit.
void DrawTile(HDC dc, int bit, bool focusCue)
{
    RECT r = TileRect(bit);
    const bool pressed = Grid.Pressed == bit;
    TileColours colours = TileColoursOf(RoleOfBit(bit, ConverterState.Width), pressed);
    FillWithColour(dc, r, colours.Face);
    FrameWithColour(dc, r, colours.Border);
    char digit[2] = {Grid.Bits[bit], '\0'};
    SetTextColor(dc, colours.Ink);
    DrawTextA(dc, digit, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (focusCue && bit == Grid.Focus) {
        Grow(r, -2, -2);
        SetBkColor(dc, colours.Face);
        DrawFocusRect(dc, &r);
    }
}

// The number of each group's top bit, over the group's first tile, in the
// colours the dialog gives its labels.
void DrawGroupNumbers(HDC dc)
{
    const int count = ShownBitCount();
    for (int bit = count - 1; bit >= 0; bit -= 4) {
        char number[4];  // "79" and a NUL
        wsprintfA(number, "%d", bit);
        RECT tile = TileRect(bit);
        RECT text = {tile.left + 1, tile.top - Grid.Shape.NumberHeight, tile.right + 40, tile.top};
        DrawTextA(dc, number, -1, &text, DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    }
}

// The background in the colours the dialog gives its labels, then the
// numbers and the tiles over it; a change of a bit repaints only its tile,
// which covers every pixel of it.
void Paint(HWND grid)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(grid, &ps);
    HGDIOBJ oldFont = SelectObject(dc, Grid.Font ? Grid.Font : GetStockObject(DEFAULT_GUI_FONT));
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        GetParent(grid), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(grid)));
    FillRect(dc, &ps.rcPaint, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    DrawGroupNumbers(dc);
    const bool focusCue = FocusCueShows();
    const int count = ShownBitCount();
    for (int bit = 0; bit < count; ++bit)
        DrawTile(dc, bit, focusCue);
    SelectObject(dc, oldFont);
    EndPaint(grid, &ps);
}

// ---- Input ---------------------------------------------------------------------------

void MoveFocusTo(int bit)
{
    const int count = ShownBitCount();
    if (count == 0 || bit < 0 || bit >= count || bit == Grid.Focus)
        return;
    InvalidateBit(Grid.Focus);
    Grid.Focus = bit;
    InvalidateBit(bit);
    NotifyBitEvent(EVENT_OBJECT_FOCUS, bit);
}

// Left and Up go towards the most significant bit, Right and Down towards
// bit 0, wrapping round as the arrow keys do in a group of buttons; Up and
// Down move a whole row where the width has more than one.
void OnArrowKey(WPARAM key)
{
    const int count = ShownBitCount();
    if (count == 0)
        return;
    const int perRow = Grid.Shape.BitsPerRow;
    const bool rows = perRow > 0 && count > perRow;
    int target = Grid.Focus;
    switch (key) {
    case VK_LEFT: target = (Grid.Focus + 1) % count; break;
    case VK_RIGHT: target = (Grid.Focus + count - 1) % count; break;
    case VK_UP: target = rows ? Grid.Focus + perRow : (Grid.Focus + 1) % count; break;
    case VK_DOWN: target = rows ? Grid.Focus - perRow : (Grid.Focus + count - 1) % count; break;
    case VK_HOME: target = count - 1; break;
    case VK_END: target = 0; break;
    default: return;
    }
    MoveFocusTo(target);
}

void Press(int bit, bool byKey)
{
    Grid.Pressed = bit;
    Grid.PressedByKey = byKey;
    InvalidateBit(bit);
}

// Ends a press, with a click or without. A press of the mouse ends before
// its capture goes, so that WM_CAPTURECHANGED finds none to cancel.
void Release(bool click, bool releaseCapture)
{
    const int bit = Grid.Pressed;
    Grid.Pressed = -1;
    if (releaseCapture)
        ReleaseCapture();
    InvalidateBit(bit);
    if (click && bit >= 0)
        ClickBit(bit);
}

POINT PointOf(LPARAM where)
{
    return {static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
}

void OnButtonDown(HWND grid, LPARAM where)
{
    const int bit = BitAt(PointOf(where));
    if (GetFocus() != grid)
        SetFocus(grid);
    if (bit < 0)
        return;
    MoveFocusTo(bit);
    SetCapture(grid);
    Press(bit, false);
}

LRESULT CALLBACK GridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: Paint(grid); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_SETFONT:
        Grid.Font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(grid, nullptr, FALSE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(Grid.Font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFOCUS:
        if (Grid.Focus >= ShownBitCount())
            Grid.Focus = 0;
        InvalidateBit(Grid.Focus);
        NotifyBitEvent(EVENT_OBJECT_FOCUS, Grid.Focus);
        return 0;
    case WM_KILLFOCUS:
        if (Grid.Pressed >= 0 && Grid.PressedByKey)
            Release(false, false);
        InvalidateBit(Grid.Focus);
        return 0;
    case WM_UPDATEUISTATE:
        DefWindowProcA(grid, message, wParam, lParam);
        InvalidateBit(Grid.Focus);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            if (Grid.Pressed < 0)
                Press(Grid.Focus, true);
        } else {
            OnArrowKey(wParam);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && Grid.Pressed >= 0 && Grid.PressedByKey)
            Release(true, false);
        return 0;
    case WM_LBUTTONDOWN: OnButtonDown(grid, lParam); return 0;
    case WM_LBUTTONUP:
        // A click where the button comes up over the tile it went down on.
        if (Grid.Pressed >= 0 && !Grid.PressedByKey)
            Release(BitAt(PointOf(lParam)) == Grid.Pressed, true);
        return 0;
    case WM_CAPTURECHANGED:
        if (Grid.Pressed >= 0 && !Grid.PressedByKey)
            Release(false, false);  // the capture is gone already
        return 0;
    case WM_NCDESTROY: Grid.Window = nullptr; break;
    default: break;
    }
    return DefWindowProcA(grid, message, wParam, lParam);
}

void RegisterGridClass(HINSTANCE instance)
{
    WNDCLASSA c = {};
    c.lpfnWndProc = GridProc;
    c.hInstance = instance;
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.lpszClassName = GridClass;
    RegisterClassA(&c);
}

}  // namespace

void ResetBitGrid()
{
    for (int bit = 0; bit < BitToggleCount; ++bit) {
        Grid.Bits[bit] = '0';
        Grid.Shown[bit] = 0;
    }
    Grid.Window = nullptr;
    Grid.Focus = 0;
    Grid.Pressed = -1;
}

HWND CreateBitGrid(HWND dialog, const RECT& r)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterGridClass(instance);
    Grid.Window =
        CreateWindowExA(0, GridClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_BIT_GRID)), instance, nullptr);
    return Grid.Window;
}

void ShapeBitGrid(const BitGridShape& shape)
{
    Grid.Shape = shape;
    RepaintBitGrid();
}

void SetBitText(int bit, const char* text)
{
    if (bit < 0 || bit >= BitToggleCount || Grid.Bits[bit] == text[0])
        return;
    Grid.Bits[bit] = text[0] == '1' ? '1' : '0';
    InvalidateBit(bit);
    NotifyBitEvent(EVENT_OBJECT_STATECHANGE, bit);
}

int ReadBitText(int bit, char* buffer, int size)
{
    if (size <= 0)
        return 0;
    buffer[0] = '\0';
    if (bit < 0 || bit >= BitToggleCount || size < 2)
        return 0;
    buffer[0] = Grid.Bits[bit];
    buffer[1] = '\0';
    return 1;
}

void ShowBit(int bit, bool show)
{
    if (bit < 0 || bit >= BitToggleCount || (Grid.Shown[bit] != 0) == show)
        return;
    Grid.Shown[bit] = show ? 1 : 0;
    if (!show && Grid.Focus == bit)
        Grid.Focus = 0;
    RepaintBitGrid();  // every tile's place follows the count
}

bool BitShows(int bit)
{
    return bit >= 0 && bit < BitToggleCount && Grid.Shown[bit] != 0;
}

void RepaintBitGrid()
{
    if (Grid.Window)
        InvalidateRect(Grid.Window, nullptr, FALSE);
}

TileColours RoleTileColours(BitRole role)
{
    return TileColoursOf(role, false);
}

int ShownBitCount()
{
    int count = 0;
    while (count < BitToggleCount && Grid.Shown[count])
        ++count;
    return count;
}

int BitAtScreenPoint(POINT p)
{
    ScreenToClient(Grid.Window, &p);
    return BitAt(p);
}

RECT BitTileOnScreen(int bit)
{
    RECT r = TileRect(bit);
    MapWindowPoints(Grid.Window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int FocusedBit()
{
    return Grid.Focus;
}

void ClickBit(int bit)
{
    if (!Grid.Window || !BitShows(bit))
        return;
    SendMessageA(GetParent(Grid.Window), WM_COMMAND, MAKEWPARAM(FirstBitToggle + bit, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Grid.Window));
}
