#include "shell/inspector_pane.h"

#include <array>
#include <cstring>

#include <commctrl.h>

#include "converter/inspector.h"
#include "converter/value_entry.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "core/float_format_names.h"
#include "core/float_presets.h"
#include "core/number_text.h"
#include "shell/accessibility.h"
#include "shell/appearance.h"
#include "shell/bit_grid.h"
#include "shell/dpi_layout.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "views/reading_table.h"

PaneRecord PaneState;

namespace {

// ---- The grid the pane shares with dialog 101 (dialog units) --------------

// Dialog 101's client area is 385 by 97 dialog units; the pane lies below.
constexpr int TemplateWidth = 385;
constexpr int TemplateHeight = 97;

// The template's columns: its controls start at 3, 131, 194, 237 and 304
// and end at 382. A reading's label and text take the columns of the
// "Mantissa" label and the "Bits" group on the right, and the same label
// width from the left edge on the left, so that both text columns start
// one label after their label.
constexpr int EdgeLeft = 3;
constexpr int EdgeRight = 382;
constexpr int RightLabelX = 194;
constexpr int RightTextX = 237;
constexpr int TailX = 304;  // the "Endian" group's column
constexpr int LabelWidth = RightTextX - RightLabelX;
constexpr int LeftTextX = EdgeLeft + LabelWidth;

// Windows' spacing: 4 units between related controls, 7 at an edge the
// pane owns (its bottom); a text box, a label and a push button as tall as
// the template's and as the guidelines have them.
constexpr int RelatedGap = 4;
constexpr int PaneEdge = 7;
constexpr int TextHeight = 12;
constexpr int LabelHeight = 8;
constexpr int CheckSize = 10;
constexpr int CheckTextGap = 2;  // from a check box's square to its label
constexpr int ButtonWidth = 50;
constexpr int ButtonHeight = 14;

// The bits: most significant first, in rows of at most 40 (80 bits make
// two rows of 40, 64 two of 32); each row under a line of group numbers,
// four bits to a group, the groups apart by GroupGap.
constexpr int MaxBitsPerRow = 40;
constexpr int TileHeight = 12;
constexpr int NumberHeight = 8;
constexpr int GroupGap = 2;
constexpr int LegendHeight = 8;

constexpr int LegendId = PaneLegendId;

// ---- The tables the layout is computed from ---------------------------------

// An entry's place on its row: label and control in the left or the right
// column or across both; Tail is a check box in the "Endian" group's column
// with its label after it. A Left or Across entry begins a row; a Right
// entry joins a Left one, a Tail entry a Left or Right one.
enum class Place { Left, Right, Across, Tail };

struct PaneEntry {
    int Control;
    int LabelId;
    const char* Label;
    Place Where;
};
using PaneReading = PaneEntry;

// The readings' entries, in tab order: the rows of the table of readings
// that have a text in the pane, in their places.
constexpr int CountPaneReadings()
{
    int count = 0;
    for (const ReadingRow& row : ReadingTable)
        count += row.Place != ReadingPlace::None ? 1 : 0;
    return count;
}

constexpr Place PlaceOf(ReadingPlace place)
{
    switch (place) {
    case ReadingPlace::Right: return Place::Right;
    case ReadingPlace::Across: return Place::Across;
    default: return Place::Left;
    }
}

constexpr std::array<PaneReading, CountPaneReadings()> MakePaneReadings()
{
    std::array<PaneReading, CountPaneReadings()> entries{};
    size_t n = 0;
    for (const ReadingRow& row : ReadingTable) {
        if (row.Place != ReadingPlace::None)
            entries[n++] = {row.Control, row.LabelControl, row.Label, PlaceOf(row.Place)};
    }
    return entries;
}

constexpr std::array<PaneReading, CountPaneReadings()> PaneReadings = MakePaneReadings();

// The bytes lie below the value entry and come after it in the tab order.
bool IsMemoryReading(const PaneEntry& r)
{
    const ReadingRow* row = RowOfControl(r.Control);
    return row && (row->Scope & InMemory) != 0;
}

// The value entry below the steps, a label before each control: the
// format and the rounding with the saturation's box at the row's end, the
// value across both columns, then the entry's error and flags.
struct EntryControl : PaneEntry {
    const char* Kind;
    DWORD Style;
};

// In tab order.
const EntryControl EntryControls[] = {
    // WS_CLIPCHILDREN: a repaint of the list leaves its edit as drawn.
    {{PaneFormat, IDC_ENTRY_LABEL_FIRST + 0, "F&ormat", Place::Left},
     "COMBOBOX",
     CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_CLIPCHILDREN},
    {{PaneRounding, IDC_ENTRY_LABEL_FIRST + 1, "&Rounding", Place::Right},
     "COMBOBOX",
     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {{PaneSaturate, IDC_ENTRY_LABEL_FIRST + 2, "Sat&urate", Place::Tail},
     "BUTTON",
     BS_AUTOCHECKBOX | WS_TABSTOP},
    {{PaneValue, IDC_ENTRY_LABEL_FIRST + 3, "&Value", Place::Across},
     "EDIT",
     WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {{PaneError, IDC_ENTRY_LABEL_FIRST + 4, "error", Place::Left},
     "EDIT",
     WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY},
    {{PaneFlags, IDC_ENTRY_LABEL_FIRST + 5, "flags", Place::Right},
     "EDIT",
     WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY},
};

// The steps' row: "Previous" and "Next" at the right edge.
const int StepButtons[] = {ButtonStepPrevious, ButtonStepNext};

// The rounding list's items are the modes in the order of RoundingMode: an
// item's index is its mode.
constexpr int RoundingModeCount = static_cast<int>(RoundingMode::Down) + 1;

// The legend's roles, in the order of the bits they name.
const struct {
    BitRole Role;
    const char* Name;
} LegendRoles[] = {
    {BitRole::Sign, "sign"},         {BitRole::Exponent, "exponent"}, {BitRole::IntegerBit, "integer bit"},
    {BitRole::Fraction, "fraction"}, {BitRole::Ignored, "ignored"},
};

HWND Item(int id)
{
    return DialogItem(id);
}

// Whether each reading, entry control and step is enabled, as the converter
// last set it: its first refresh comes before the pane's controls exist,
// which are then made as it wants them.
constexpr int FirstPaneId = IDC_PANE_UNSIGNED;
constexpr int PaneIdCount = IDC_BIT_FIRST - FirstPaneId;
uint8_t PaneDisabled[PaneIdCount];

bool IsPaneId(int id)
{
    return id >= FirstPaneId && id < FirstPaneId + PaneIdCount;
}

bool IsEnabled(int id)
{
    return IsPaneId(id) ? PaneDisabled[id - FirstPaneId] == 0 : IsWindowEnabled(Item(id)) != FALSE;
}

// ---- Rows ------------------------------------------------------------------------

// A row below the grid: a Left or Across entry begins it, a Right entry
// joins a Left one, a Tail entry a Left or Right one; the steps' row has
// no entries.
struct PaneRow {
    const PaneEntry* Entries[3];
    int Count;
};

// 20: room for every reading and entry control on a row of its own and
// the steps' row.
constexpr int MaxPaneRows = 20;
PaneRow PaneRows[MaxPaneRows];
int PaneRowCount;  // 0 until the rows are first needed

// Adds the rows of a table's entries: those that are (memory true) or are
// not memory readings, or all of them.
template <typename Table> void AddRows(const Table& table, bool all, bool memory)
{
    PaneRow* row = nullptr;
    for (const PaneEntry& e : table) {
        if (!all && IsMemoryReading(e) != memory)
            continue;
        Place last = row ? row->Entries[row->Count - 1]->Where : Place::Across;
        bool joins = (e.Where == Place::Right && last == Place::Left) ||
            (e.Where == Place::Tail && (last == Place::Left || last == Place::Right));
        if (!joins && PaneRowCount < MaxPaneRows)
            row = &PaneRows[PaneRowCount++];
        row->Entries[row->Count++] = &e;
    }
}

// The rows below the grid, top to bottom: the readings, the steps, the
// value entry and the bytes in memory.
void BuildPaneRows()
{
    if (PaneRowCount > 0)
        return;
    AddRows(PaneReadings, false, false);
    PaneRows[PaneRowCount++] = {{}, 0};
    AddRows(EntryControls, true, false);
    AddRows(PaneReadings, false, true);
}

// A row takes room only while one of its controls applies: the converter
// disables the readings a width or format lacks, and the steps where the
// value has no neighbours.
bool RowApplies(const PaneRow& row)
{
    if (row.Count == 0)
        return IsEnabled(ButtonStepNext) || IsEnabled(ButtonStepPrevious);
    for (int i = 0; i < row.Count; ++i) {
        if (IsEnabled(row.Entries[i]->Control))
            return true;
    }
    return false;
}

// The number of bits in each row of the grid at a width.
int BitsPerRowOf(int width)
{
    return width <= MaxBitsPerRow ? width : width / 2;
}

int WidthBits()
{
    int width = ConverterState.Width;
    return width > 0 && width <= BitToggleCount ? width : 8;
}

// The legend shows while the width reads a format (its bits have roles)
// and colours tell the roles apart (not in high contrast).
bool LegendShows()
{
    return AppearanceState.Scheme != SchemeHighContrast && RoleOfBit(0, WidthBits()) != BitRole::Plain;
}

// What decides the pane's rows: the layout is computed anew when it changes
// and at every change of scale.
struct PaneShape {
    int Width;
    uint32_t Rows;  // bit n: PaneRows[n] applies
    bool Legend;
    bool Shown;
};

bool SameShape(const PaneShape& a, const PaneShape& b)
{
    return a.Width == b.Width && a.Rows == b.Rows && a.Legend == b.Legend && a.Shown == b.Shown;
}

PaneShape CurrentShape()
{
    BuildPaneRows();
    PaneShape shape = {WidthBits(), 0, LegendShows(), PaneState.Shown != 0};
    for (int n = 0; n < PaneRowCount; ++n) {
        if (RowApplies(PaneRows[n]))
            shape.Rows |= 1u << n;
    }
    return shape;
}

PaneShape LaidOutShape;  // the shape of the last layout
// From the pane's creation until the converter's first refresh has set
// what applies: one layout at start instead of one per change.
bool LayoutHeld;
// A pane hidden at start is made when it first shows.
bool PaneMade;

// ---- Placing ----------------------------------------------------------------------

// Dialog units in pixels at the scale the pane is laid out for.
struct Units {
    PaneScale Scale;
    int X(int units) const
    {
        return MulDiv(units, Scale.X4, 4);
    }
    int Y(int units) const
    {
        return MulDiv(units, Scale.Y8, 8);
    }
};

// The labels' and buttons' font at the window's DPI now.
HFONT CurrentDialogFont()
{
    if (DpiLayoutState.ScaledDialogFont)
        return DpiLayoutState.ScaledDialogFont;
    return reinterpret_cast<HFONT>(SendMessageA(ShellState.Dialog, WM_GETFONT, 0, 0));
}

HWND CreatePaneControl(int id, const RECT& r);
bool TakesNumberFont(int id);

// The font of a control of the pane at the DPI now: the number fields' for
// the texts of numbers, the labels' for the rest.
HFONT PaneFont(bool number)
{
    return number ? ShellState.Font : CurrentDialogFont();
}

HFONT PaneFontOf(int id)
{
    return PaneFont(TakesNumberFont(id));
}

// Each layout puts the pane's controls in the same order, the tab order. A
// control is made when it first shows, after the control put before it, so
// that the tab order stays the same whenever it is made.
HWND LastPut;  // the control put last in this layout
bool LastPutIsLast;  // it was made last in the z-order and stayed there
bool MadeInLayout;  // this layout made a control

void StartPutting()
{
    LastPut = nullptr;
    LastPutIsLast = false;
    MadeInLayout = false;
}

// A control made now goes to the end of the z-order, which is the tab
// order: right after the control before it when that one is last there
// (so nothing need be asked at start, when every control is made in
// order), else it moves there.
void MakeControl(int id, const RECT& r)
{
    HWND control = CreatePaneControl(id, r);
    if (!control)
        return;
    MadeInLayout = true;
    const bool moves = LastPut && !LastPutIsLast && GetWindow(LastPut, GW_HWNDNEXT) != control;
    if (moves)
        SetWindowPos(control, LastPut, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    LastPut = control;
    LastPutIsLast = !moves;
}

// Puts a control of the pane at r, shown or hidden, in one move; a control
// not made yet is made there once it shows. Nothing moves where nothing
// changes. A control put `again` (a label centred on its row) keeps its
// place in the order.
void PutControl(int id, const RECT& r, bool visible, bool again = false)
{
    HWND control = Item(id);
    if (!control) {
        if (visible)
            MakeControl(id, r);
        return;
    }
    if (!again) {
        LastPut = control;
        LastPutIsLast = false;
    }
    // After a change of DPI: the fonts there, which controls made since the
    // layout was recorded for changes of DPI do not get otherwise.
    HFONT font = PaneFontOf(id);
    if (reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)) != font)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    RECT now;
    GetWindowRect(control, &now);
    MapWindowPoints(nullptr, ShellState.Dialog, reinterpret_cast<POINT*>(&now), 2);
    const bool shown = (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (now.left == r.left && now.top == r.top && now.right == r.right && now.bottom == r.bottom &&
        shown == visible)
        return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (shown != visible)
        flags |= visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
}

// The grid spans the pane, its rows under their group numbers, with the
// labels' font at the DPI now.
int LayOutGrid(const Units& u, int top, bool shown)
{
    const int width = WidthBits();
    const BitGridShape shape = {BitsPerRowOf(width), u.Y(NumberHeight), u.Y(TileHeight),
                                u.Y(NumberHeight + TileHeight + RelatedGap), u.X(GroupGap)};
    const int rows = width / shape.BitsPerRow;
    ShapeBitGrid(shape);
    const RECT r = {u.X(EdgeLeft), top, u.X(EdgeRight),
                    top + (rows - 1) * shape.RowPitch + shape.NumberHeight + shape.TileHeight};
    PutControl(IDC_BIT_GRID, r, shown);  // its font too; the shape repainted it
    return top + rows * shape.RowPitch;
}

// A span of dialog units from Left to Right.
struct Span {
    int Left, Right;
};

// Puts a control across a span of dialog units, top and height in pixels.
void PutSpan(int id, Span span, int top, int height, const Units& u, bool shown, bool again = false)
{
    PutControl(id, {u.X(span.Left), top, u.X(span.Right), top + height}, shown, again);
}

int LayOutLegend(const Units& u, int top, bool shown)
{
    PutSpan(LegendId, {EdgeLeft, EdgeRight}, top, u.Y(LegendHeight), u, shown);
    return shown ? top + u.Y(LegendHeight + RelatedGap) : top;
}

Span LabelSpan(Place where)
{
    switch (where) {
    case Place::Right: return {RightLabelX, RightTextX - RelatedGap};
    case Place::Tail: return {TailX + CheckSize + CheckTextGap, EdgeRight};
    default: return {EdgeLeft, LeftTextX - RelatedGap};
    }
}

// A Right control shortens to leave the "Endian" column to a Tail one.
Span ControlSpan(Place where, bool rowHasTail)
{
    switch (where) {
    case Place::Left: return {LeftTextX, RightLabelX - RelatedGap};
    case Place::Right: return {RightTextX, rowHasTail ? TailX - RelatedGap : EdgeRight};
    case Place::Tail: return {TailX, TailX + CheckSize};
    default: return {LeftTextX, EdgeRight};
    }
}

// A drop-down's height includes its list (dialog units); 0 for the others.
int ListHeightOf(int control)
{
    switch (control) {
    case PaneFormat: return 120;
    case PaneRounding: return 80;
    default: return 0;
    }
}

// 0 for a drop-down not made yet (its row is hidden).
int ClosedHeight(int control)
{
    RECT r;
    if (!GetWindowRect(Item(control), &r))
        return 0;
    return r.bottom - r.top;
}

int FontHeightOf(HFONT font)
{
    HDC dc = GetDC(ShellState.Dialog);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(ShellState.Dialog, dc);
    return metrics.tmHeight;
}

// A single-line edit draws its text below its border and a pixel of margin
// and leaves the rest of its height below the text: a box that high above
// and below the text holds it in the middle. Never taller than the row.
int TextBoxHeight(int control, const Units& u)
{
    const int around = 2 * (GetSystemMetrics(SM_CYBORDER) + 1);
    const int fitted = FontHeightOf(PaneFontOf(control)) + around;
    return fitted < u.Y(TextHeight) ? fitted : u.Y(TextHeight);
}

// One row of a table: as tall as a text box or its tallest drop-down, each
// control and label centred on it. Returns the next row's top.
int LayOutRow(const PaneRow& row, const Units& u, int top, bool shown)
{
    const int count = row.Count;
    const bool tail = row.Entries[count - 1]->Where == Place::Tail;
    int height = u.Y(TextHeight);
    // A drop-down's closed height is known once it exists: the lists come
    // first, each after its label (placed again below, on the row's
    // middle), so that the tab order stays label, control.
    for (int i = 0; i < count; ++i) {
        const PaneEntry& e = *row.Entries[i];
        if (ListHeightOf(e.Control) == 0)
            continue;
        PutSpan(e.LabelId, LabelSpan(e.Where), top, u.Y(LabelHeight), u, shown);
        PutSpan(e.Control, ControlSpan(e.Where, tail), top, u.Y(ListHeightOf(e.Control)), u, shown);
        if (ClosedHeight(e.Control) > height)
            height = ClosedHeight(e.Control);
    }
    for (int i = 0; i < count; ++i) {
        const PaneEntry& e = *row.Entries[i];
        PutSpan(e.LabelId, LabelSpan(e.Where), top + (height - u.Y(LabelHeight)) / 2, u.Y(LabelHeight), u,
                shown, ListHeightOf(e.Control) != 0);
        if (ListHeightOf(e.Control) == 0) {
            int boxHeight = e.Where == Place::Tail ? u.Y(CheckSize) : TextBoxHeight(e.Control, u);
            PutSpan(e.Control, ControlSpan(e.Where, tail), top + (height - boxHeight) / 2, boxHeight, u,
                    shown);
        }
    }
    return shown ? top + height + u.Y(RelatedGap) : top;
}

// "Previous" and "Next" at the right edge, a related gap apart.
int LayOutSteps(const Units& u, int top, bool shown)
{
    constexpr int count = sizeof StepButtons / sizeof StepButtons[0];
    int left = EdgeRight - count * ButtonWidth - (count - 1) * RelatedGap;
    for (int button : StepButtons) {
        PutSpan(button, {left, left + ButtonWidth}, top, u.Y(ButtonHeight), u, shown);
        left += ButtonWidth + RelatedGap;
    }
    return shown ? top + u.Y(ButtonHeight + RelatedGap) : top;
}

// The window around a client area of the template's width and the given
// height, its top-left corner where it is.
void SizeWindow(HWND dialog, const Units& u, int clientHeight)
{
    RECT frame = {0, 0, u.X(TemplateWidth), clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A control hidden with its row cannot keep the focus: the first field
// takes it.
void KeepFocusVisible(HWND dialog)
{
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus) && IsWindowVisible(dialog) && !IsWindowVisible(focus))
        SetFocus(Item(FieldBinary));
}

// Every row top to bottom from the tables: the grid, its legend, the
// readings, the steps, the value entry and the bytes in memory.
int LayOutRows(const Units& u, const PaneShape& shape)
{
    int y = u.Y(TemplateHeight + RelatedGap);
    y = LayOutGrid(u, y, shape.Shown);
    y = LayOutLegend(u, y, shape.Shown && shape.Legend);
    for (int n = 0; n < PaneRowCount; ++n) {
        bool shown = shape.Shown && ((shape.Rows >> n) & 1) != 0;
        y = PaneRows[n].Count == 0 ? LayOutSteps(u, y, shown) : LayOutRow(PaneRows[n], u, y, shown);
    }
    // The last row's gap gives way to the pane's bottom edge.
    return y - u.Y(RelatedGap) + u.Y(PaneEdge);
}

// Lays the pane out anew when its rows change: a width with another number
// of bit rows, a format with other readings.
void UpdatePaneLayout()
{
    if (ShellState.Dialog && !LayoutHeld && !SameShape(CurrentShape(), LaidOutShape))
        LayoutInspectorPane(ShellState.Dialog, DialogScaleOf(ShellState.Dialog));
}

// ---- The pane's edits: a tip for a text too long for its box ------------------

constexpr int MinTipLineLength = 32;
// A reading has no spaces a tip could wrap at: it is cut into lines of as
// many digits as fit three quarters of the screen's width, so that even
// the exact value of the smallest extended subnormal fits the screen.
int TipLineLength = MinTipLineLength;
// The tip of the read-only texts: made on the first hover over a text too
// long for its box, with a tool for each read-only text of the pane, whose
// text it asks for (TTN_GETDISPINFO) whenever it shows.
HWND ReadingTip;

bool TextOverflows(HWND edit, const char* text, int length)
{
    RECT area = {};
    SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, length, &size);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    return size.cx > area.right - area.left;
}

// The box's whole text in lines when the box cannot show it, else none (no
// tip).
const char* TipTextOf(HWND edit)
{
    static char text[ReadingCapacity];  // the longest reading
    static char lines[ReadingCapacity + ReadingCapacity / MinTipLineLength + 1];  // and a break per line
    int length = GetWindowTextA(edit, text, sizeof text);
    if (length == 0 || !TextOverflows(edit, text, length))
        return "";
    char* out = lines;
    for (int i = 0; i < length; ++i) {
        if (i > 0 && i % TipLineLength == 0)
            *out++ = '\n';
        *out++ = text[i];
    }
    *out = '\0';
    return lines;
}

void AddTipTool(int id)
{
    if (!Item(id))
        return;  // gets its tool when it is made
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ShellState.Dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(ReadingTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CreateReadingTip()
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    ReadingTip =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, ShellState.Dialog,
                        nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!ReadingTip)
        return;
    const int lineWidth = GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
    HDC dc = GetDC(ReadingTip);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(ReadingTip, WM_GETFONT, 0, 0)));
    SIZE digits = {};
    GetTextExtentPoint32A(dc, "0123456789", 10, &digits);
    SelectObject(dc, old);
    ReleaseDC(ReadingTip, dc);
    if (digits.cx > 0 && lineWidth * 10 / digits.cx > MinTipLineLength)
        TipLineLength = lineWidth * 10 / digits.cx;
    SendMessageA(ReadingTip, TTM_SETMAXTIPWIDTH, 0, lineWidth + digits.cx);
    SendMessageA(ReadingTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 32000);  // time to read hundreds of digits
    for (const PaneReading& r : PaneReadings)
        AddTipTool(r.Control);
    for (const EntryControl& e : EntryControls) {
        if (e.Style & ES_READONLY)
            AddTipTool(e.Control);
    }
}

// ---- Creating ------------------------------------------------------------------------

// What a control of the pane is made as: its class, text and style, and
// whether it shows a number (in the number fields' font).
struct ControlBlueprint {
    const char* Kind;
    const char* Text;
    DWORD Style;
    bool Number;
};

constexpr ControlBlueprint LabelBlueprint(const char* text)
{
    return {"STATIC", text, SS_LEFT | WS_GROUP, false};
}

bool BlueprintOf(int id, ControlBlueprint* blueprint)
{
    for (const PaneReading& r : PaneReadings) {
        if (r.LabelId == id || r.Control == id) {
            *blueprint = r.LabelId == id
                ? LabelBlueprint(r.Label)
                : ControlBlueprint{"EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, true};
            return true;
        }
    }
    for (const EntryControl& e : EntryControls) {
        if (e.LabelId == id || e.Control == id) {
            *blueprint = e.LabelId == id
                ? LabelBlueprint(e.Label)
                : ControlBlueprint{e.Kind, "", e.Style,
                                   id == PaneValue || id == PaneError || id == PaneFlags};
            return true;
        }
    }
    switch (id) {
    case ButtonStepPrevious:
        *blueprint = {"BUTTON", "&Previous", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, false};
        return true;
    case ButtonStepNext: *blueprint = {"BUTTON", "&Next", BS_PUSHBUTTON | WS_TABSTOP, false}; return true;
    case LegendId: *blueprint = {"STATIC", "", SS_OWNERDRAW, false}; return true;
    default: return false;
    }
}

bool TakesNumberFont(int id)
{
    ControlBlueprint blueprint;
    return BlueprintOf(id, &blueprint) && blueprint.Number;
}

// The presets that fit the width, and the chosen format's name.
void FillFormatList(HWND list)
{
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const FloatFormat& preset : FloatPresets) {
        if (FormatFitsWidth(preset, ConverterState.Width))
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset.Name));
    }
    RefreshFormatName(PaneFormat);
}

// What the value entry's controls hold from the start.
void FillEntryControl(int id, HWND control)
{
    const EncodeOptions options = EntryOptions();
    switch (id) {
    case PaneValue:
        // The value's text may be as long as the longest reading it reads back.
        SendMessageA(control, EM_LIMITTEXT, ReadingCapacity - 1, 0);
        break;
    case PaneFormat:
        SendMessageA(control, CB_LIMITTEXT, FormatNameCapacity - 1, 0);
        FillFormatList(control);
        break;
    case PaneRounding:
        for (int mode = 0; mode < RoundingModeCount; ++mode) {
            SendMessageA(control, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(RoundingModeName(static_cast<RoundingMode>(mode))));
        }
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(options.Mode), 0);
        break;
    case PaneSaturate:
        SendMessageA(control, BM_SETCHECK, options.Saturate ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    default: break;
    }
}

// A control of the pane, made shown at r as the converter last set it
// (enabled or not), with what it holds from the start.
HWND CreatePaneControl(int id, const RECT& r)
{
    if (id == IDC_BIT_GRID) {
        HWND grid = CreateBitGrid(ShellState.Dialog, r);
        NoteDialogItem(id, grid);
        SendMessageA(grid, WM_SETFONT, reinterpret_cast<WPARAM>(PaneFont(false)), 0);
        WrapBitGridAccessible(grid);
        return grid;
    }
    ControlBlueprint blueprint;
    if (!BlueprintOf(id, &blueprint))
        return nullptr;
    const DWORD style = WS_CHILD | WS_VISIBLE | blueprint.Style | (IsEnabled(id) ? 0 : WS_DISABLED);
    HWND control = CreateWindowExA(0, blueprint.Kind, blueprint.Text, style, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, ShellState.Dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    NoteDialogItem(id, control);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(PaneFont(blueprint.Number)), 0);
    if (ReadingTip && (blueprint.Style & ES_READONLY) && lstrcmpiA(blueprint.Kind, "EDIT") == 0)
        AddTipTool(id);
    ThemeNewControl(control);
    FillEntryControl(id, control);
    return control;
}

// The label of a reading or entry control; 0 for any other control.
int LabelOf(int control)
{
    for (const PaneReading& r : PaneReadings) {
        if (r.Control == control)
            return r.LabelId;
    }
    for (const EntryControl& e : EntryControls) {
        if (e.Control == control)
            return e.LabelId;
    }
    return 0;
}

// ---- The value entry ------------------------------------------------------------------

// The rounding list's and the box's choices become the entry options.
void ReadEntryOptions()
{
    EncodeOptions options = EntryOptions();
    LRESULT selected = SendMessageA(Item(PaneRounding), CB_GETCURSEL, 0, 0);
    if (selected >= 0 && selected < RoundingModeCount)
        options.Mode = static_cast<RoundingMode>(selected);
    options.Saturate = SendMessageA(Item(PaneSaturate), BM_GETCHECK, 0, 0) == BST_CHECKED;
    SetEntryOptions(options);
}

// The format list's choice, or the text typed into it.
void EnterFormat(bool fromList)
{
    char name[FormatNameCapacity + 64];  // a longer typed text is no name
    name[0] = '\0';
    HWND list = Item(PaneFormat);
    LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (fromList && selected >= 0 &&
        SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0) <
            static_cast<LRESULT>(sizeof name))
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(name));
    else
        GetWindowTextA(list, name, sizeof name);
    OnFormatNameEntered(PaneFormat, name);
    RepaintBitRoles();  // their colours follow the format
}

bool FocusIsIn(HWND control)
{
    HWND focus = GetFocus();
    return focus && (focus == control || GetParent(focus) == control);
}

// ---- Drawing the grid ---------------------------------------------------------------------

// The colours and brush of a label in the scheme, as the dialog gives them
// to its statics.
void PrepareStatic(HWND control, HDC dc)
{
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(ShellState.Dialog, WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(control)));
    RECT r;
    GetClientRect(control, &r);
    FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
}

bool RoleShows(BitRole role)
{
    const int width = WidthBits();
    for (int bit = 0; bit < width; ++bit) {
        if (RoleOfBit(bit, width) == role)
            return true;
    }
    return false;
}

// A swatch in each role's colour before its name, for the roles the width
// and format have.
void DrawLegend(const DRAWITEMSTRUCT* item)
{
    PrepareStatic(item->hwndItem, item->hDC);
    RECT area = item->rcItem;
    const int box = area.bottom - area.top - 2;
    int x = area.left;
    for (const auto& entry : LegendRoles) {
        if (!RoleShows(entry.Role))
            continue;
        RECT swatch = {x, area.top + 1, x + box, area.top + 1 + box};
        TileColours colours = RoleTileColours(entry.Role);
        FillWithColour(item->hDC, swatch, colours.Face);
        FrameWithColour(item->hDC, swatch, colours.Border);
        RECT text = {swatch.right + box / 2, area.top, area.right, area.bottom};
        DrawTextA(item->hDC, entry.Name, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        DrawTextA(item->hDC, entry.Name, -1, &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        x = text.right + 2 * box;
    }
}

// The legend's text names its roles for screen readers; written only when
// it changes, as a write repaints it.
void UpdateLegendText()
{
    char text[64] = {};  // 64: all five names and their separators
    char* end = text;
    for (const auto& entry : LegendRoles) {
        if (!RoleShows(entry.Role))
            continue;
        if (end != text)
            end = WriteText(end, ", ");
        end = WriteText(end, entry.Name);
    }
    char now[64] = {};
    GetWindowTextA(Item(LegendId), now, sizeof now);
    if (std::strcmp(now, text) != 0)
        SetWindowTextA(Item(LegendId), text);
}

}  // namespace

PaneScale DialogScaleOf(HWND dialog)
{
    RECT base = {0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    // The dialog's own font stays that of the DPI it was created at; after
    // a change of DPI the units scale with the window.
    if (DpiLayoutState.LayoutDpi > 0 && DpiLayoutState.Dpi != DpiLayoutState.LayoutDpi)
        return {MulDiv(base.right, DpiLayoutState.Dpi, DpiLayoutState.LayoutDpi),
                MulDiv(base.bottom, DpiLayoutState.Dpi, DpiLayoutState.LayoutDpi)};
    return {base.right, base.bottom};
}

void HoldInspectorPane()
{
    LayoutHeld = true;
    PaneMade = false;
    ReadingTip = nullptr;  // went with the dialog before
    for (uint8_t& disabled : PaneDisabled)
        disabled = 0;
    ResetBitGrid();
}

void CreateInspectorPane(HWND dialog)
{
    LayoutHeld = false;
    LayoutInspectorPane(dialog, DialogScaleOf(dialog));
}

void LayoutInspectorPane(HWND dialog, PaneScale scale)
{
    LaidOutShape = CurrentShape();
    const Units u = {scale};
    if (!LaidOutShape.Shown && !PaneMade) {
        SizeWindow(dialog, u, u.Y(TemplateHeight));  // nothing to make until the pane first shows
        return;
    }
    PaneMade = true;
    StartPutting();
    int bottom = LayOutRows(u, LaidOutShape);
    SizeWindow(dialog, u, LaidOutShape.Shown ? bottom : u.Y(TemplateHeight));
    KeepFocusVisible(dialog);
    if (MadeInLayout)
        SendMessageA(dialog, WM_PANE_CONTROLS_MADE, 0, 0);
}

void SetInspectorShown(bool shown)
{
    PaneState.Shown = shown ? 1 : 0;
    CheckMenuItem(ShellState.SystemMenu, IDM_INSPECTOR, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
    const bool made = PaneMade;  // before a refresh lays the pane out
    if (shown)
        RefreshInspector();  // its texts were not kept up while hidden
    LayoutInspectorPane(ShellState.Dialog, DialogScaleOf(ShellState.Dialog));
    if (shown && !made)
        RefreshInspector();  // fills the controls made just now
}

void ShowInspectorControl(int control, bool show)
{
    const int bit = BitOfToggle(control);
    if (bit < 0)
        return;  // the layout shows the rest of the pane
    if (show && !BitShows(bit))
        UpdatePaneLayout();  // a new width's rows before its bits show
    ShowBit(bit, show);
}

void OnPaneControlEnabled(int control, bool enabled)
{
    const int label = LabelOf(control);
    // As with the control itself, only a change reaches the label's window.
    const bool changed = label && IsEnabled(label) != enabled;
    for (int id : {control, label}) {
        if (IsPaneId(id))
            PaneDisabled[id - FirstPaneId] = enabled ? 0 : 1;
    }
    if (changed && Item(label))
        EnableWindow(Item(label), enabled ? TRUE : FALSE);
    // Only the readings, the value entry and the steps decide rows.
    if (label || control == ButtonStepNext || control == ButtonStepPrevious)
        UpdatePaneLayout();
}

void RepaintBitRoles()
{
    UpdatePaneLayout();
    UpdateLegendText();
    RepaintBitGrid();
    InvalidateRect(Item(LegendId), nullptr, FALSE);
}

void OnPaneEditMouseMove(HWND edit)
{
    if (!ReadingTip && (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) && TipTextOf(edit)[0] != '\0')
        CreateReadingTip();
}

bool OnPaneNotify(const NMHDR* header)
{
    if (!ReadingTip || header->hwndFrom != ReadingTip || header->code != TTN_GETDISPINFOA)
        return false;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(header));
    info->lpszText = const_cast<char*>(TipTextOf(reinterpret_cast<HWND>(header->idFrom)));
    return true;
}

bool DrawPaneItem(const DRAWITEMSTRUCT* item)
{
    const int id = static_cast<int>(item->CtlID);
    if (id != LegendId)
        return false;
    DrawLegend(item);
    return true;
}

bool OnInspectorSysCommand(WPARAM command)
{
    if (command != IDM_INSPECTOR)
        return false;
    SetInspectorShown(!PaneState.Shown);
    return true;
}

void RefillFormatList()
{
    FillFormatList(Item(PaneFormat));
}

bool OnValueEntryCommand(int id, int code)
{
    switch (id) {
    case PaneFormat:
        if (code == CBN_SELCHANGE)
            EnterFormat(true);
        else if (code == CBN_KILLFOCUS)
            EnterFormat(false);
        return true;
    case PaneRounding:
        if (code == CBN_SELCHANGE)
            ReadEntryOptions();
        return true;
    case PaneSaturate:
        if (code == BN_CLICKED)
            ReadEntryOptions();
        return true;
    case PaneValue:
        if (code == EN_CHANGE)
            OnValueEntryChange(PaneValue, PaneError, PaneFlags);
        else if (code == EN_KILLFOCUS)
            OnValueEntryKillFocus(PaneValue);
        return true;
    case IDOK:
        // Enter in the format's text takes the name typed there.
        if (!FocusIsIn(Item(PaneFormat)))
            return false;
        EnterFormat(false);
        return true;
    default: return false;
    }
}
