#include "shell/inspector_pane.h"

#include "converter/inspector.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/appearance.h"
#include "shell/resource.h"
#include "shell/shell_state.h"

static_assert(IDC_PANE_FIRST == PaneUnsigned && IDC_BIT_FIRST == FirstBitToggle);
static_assert(IDC_STEP_NEXT == ButtonStepNext && IDC_STEP_PREVIOUS == ButtonStepPrevious);

namespace {

// Dialog 101's client area is 385 by 97 dialog units; the pane lies below.
constexpr int TemplateWidth = 385;
constexpr int TemplateHeight = 97;
constexpr int PaneHeight = 236;  // the client height with the pane shown

// Bits: two rows of 40 (79..40 above 39..0), right-aligned under the
// fields, four to a group with the group's top bit number above it.
constexpr int BitWidth = 8;
constexpr int BitHeight = 11;
constexpr int GroupGap = 2;
constexpr int BitsPerRow = 40;
constexpr int GridRight = 382;
constexpr int GridRowTop[2] = {107, 128};  // rows of bits 79..40 and 39..0
constexpr int GroupNumberHeight = 8;

// A reading's place: label and text on one line, in the left or the right
// column or across both.
enum class Column { Left, Right, Both };

struct PaneReading {
    int Control;
    const char* Label;
    Column Place;
    int Top;
};

// In tab order. The names are those the companion prints.
const PaneReading PaneReadings[] = {
    {PaneUnsigned, "unsigned", Column::Left, 143},  {PaneClass, "class", Column::Right, 143},
    {PaneHalf, "half", Column::Left, 158},          {PaneBfloat16, "bfloat16", Column::Right, 158},
    {PaneExact, "exact", Column::Both, 173},        {PaneShortest, "shortest", Column::Left, 188},
    {PaneHexFloat, "hexfloat", Column::Right, 188}, {PaneNext, "next", Column::Left, 203},
    {PanePrevious, "previous", Column::Right, 203},
};

struct UnitRect {
    int X, Y, W, H;
};

constexpr UnitRect StepPreviousRect = {270, 219, 54, 14};
constexpr UnitRect StepNextRect = {328, 219, 54, 14};

HWND Item(int id)
{
    return GetDlgItem(ShellState.Dialog, id);
}

UnitRect BitRect(int bit)
{
    int row = bit >= BitsPerRow ? 0 : 1;
    int fromRight = bit % BitsPerRow;  // 0 is the row's rightmost bit
    int x = GridRight - (fromRight + 1) * BitWidth - (fromRight / 4) * GroupGap;
    return {x, GridRowTop[row], BitWidth, BitHeight};
}

UnitRect GroupNumberRect(int group)
{
    UnitRect top = BitRect(group * 4 + 3);
    return {top.X, top.Y - GroupNumberHeight, 4 * BitWidth, GroupNumberHeight};
}

UnitRect LabelRect(const PaneReading& r)
{
    return {r.Place == Column::Right ? 196 : 3, r.Top + 2, 38, 8};
}

UnitRect TextRect(const PaneReading& r)
{
    switch (r.Place) {
    case Column::Left: return {45, r.Top, 145, 12};
    case Column::Right: return {236, r.Top, 146, 12};
    default: return {45, r.Top, 337, 12};
    }
}

void Place(int id, UnitRect r, PaneScale scale)
{
    SetWindowPos(Item(id), nullptr, MulDiv(r.X, scale.X4, 4), MulDiv(r.Y, scale.Y8, 8),
                 MulDiv(r.W, scale.X4, 4), MulDiv(r.H, scale.Y8, 8), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every control of the pane, for showing and hiding it as a whole.
template <typename Visit> void ForEachPaneControl(Visit visit)
{
    for (const PaneReading& r : PaneReadings) {
        visit(IDC_PANE_LABEL_FIRST + (r.Control - PaneUnsigned));
        visit(r.Control);
    }
    for (int bit = 0; bit < BitToggleCount; ++bit)
        visit(FirstBitToggle + bit);
    for (int group = 0; group < BitToggleCount / 4; ++group)
        visit(IDC_BIT_GROUP_FIRST + group);
    visit(ButtonStepNext);
    visit(ButtonStepPrevious);
}

// Bit toggles and group numbers above the width stay hidden.
bool WidthShows(int id)
{
    int bit = BitOfToggle(id);
    if (id >= IDC_BIT_GROUP_FIRST && id < IDC_BIT_GROUP_FIRST + BitToggleCount / 4)
        bit = (id - IDC_BIT_GROUP_FIRST) * 4;
    return bit < 0 || bit < ConverterState.Width;
}

void SetVisible(HWND control, bool visible)
{
    bool now = (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (now != visible)
        ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}

HWND CreateControl(const char* kind, const char* text, DWORD style, int id, HFONT font)
{
    DWORD visible = ShellState.InspectorShown ? WS_VISIBLE : 0;
    HWND control = CreateWindowExA(0, kind, text, WS_CHILD | visible | style, 0, 0, 0, 0, ShellState.Dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    // Children are created at the top of the z-order; the tab order is the
    // z-order, and the pane comes after the template's controls.
    SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return control;
}

void CreateGrid(HFONT dialogFont)
{
    // Group numbers first, then the bits from 79 down: the bits form one
    // dialog group, so the arrow keys move between them; Tab stops at bit 0,
    // which every width shows.
    for (int group = BitToggleCount / 4 - 1; group >= 0; --group) {
        char number[4];  // "79" and a NUL
        wsprintfA(number, "%d", group * 4 + 3);
        CreateControl("STATIC", number, SS_LEFT, IDC_BIT_GROUP_FIRST + group, dialogFont);
    }
    for (int bit = BitToggleCount - 1; bit >= 0; --bit) {
        DWORD style = BS_OWNERDRAW | (bit == BitToggleCount - 1 ? WS_GROUP : 0) | (bit == 0 ? WS_TABSTOP : 0);
        CreateControl("BUTTON", "0", style, FirstBitToggle + bit, dialogFont);
    }
}

void CreateReadings(HFONT dialogFont)
{
    for (const PaneReading& r : PaneReadings) {
        // The label right before its text names it for screen readers.
        CreateControl("STATIC", r.Label, SS_LEFT | WS_GROUP,
                      IDC_PANE_LABEL_FIRST + (r.Control - PaneUnsigned), dialogFont);
        CreateControl("EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, r.Control,
                      ShellState.Font);
    }
    CreateControl("BUTTON", "&Previous", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, ButtonStepPrevious,
                  dialogFont);
    CreateControl("BUTTON", "&Next", BS_PUSHBUTTON | WS_TABSTOP, ButtonStepNext, dialogFont);
}

// Dark mode's role colours: the same hues, dark enough for light text.
COLORREF DarkRoleColour(BitRole role)
{
    switch (role) {
    case BitRole::Sign: return RGB(120, 50, 50);
    case BitRole::Exponent: return RGB(40, 70, 120);
    case BitRole::IntegerBit: return RGB(115, 90, 25);
    case BitRole::Fraction: return RGB(40, 90, 40);
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
    default: return GetSysColor(COLOR_BTNFACE);
    }
}

}  // namespace

PaneScale DialogScaleOf(HWND dialog)
{
    RECT base = {0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    // The dialog's own font stays that of the DPI it was created at; after
    // a change of DPI the units scale with the window.
    if (ShellState.LayoutDpi > 0 && ShellState.Dpi != ShellState.LayoutDpi)
        return {MulDiv(base.right, ShellState.Dpi, ShellState.LayoutDpi),
                MulDiv(base.bottom, ShellState.Dpi, ShellState.LayoutDpi)};
    return {base.right, base.bottom};
}

void CreateInspectorPane(HWND dialog)
{
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    CreateGrid(dialogFont);
    CreateReadings(dialogFont);
    LayoutInspectorPane(dialog, DialogScaleOf(dialog));
}

void LayoutInspectorPane(HWND dialog, PaneScale scale)
{
    for (const PaneReading& r : PaneReadings) {
        Place(IDC_PANE_LABEL_FIRST + (r.Control - PaneUnsigned), LabelRect(r), scale);
        Place(r.Control, TextRect(r), scale);
    }
    for (int bit = 0; bit < BitToggleCount; ++bit)
        Place(FirstBitToggle + bit, BitRect(bit), scale);
    for (int group = 0; group < BitToggleCount / 4; ++group)
        Place(IDC_BIT_GROUP_FIRST + group, GroupNumberRect(group), scale);
    Place(ButtonStepPrevious, StepPreviousRect, scale);
    Place(ButtonStepNext, StepNextRect, scale);

    // The window around a client area of the template's width and the
    // pane's or the template's height.
    RECT frame = {0, 0, MulDiv(TemplateWidth, scale.X4, 4),
                  MulDiv(ShellState.InspectorShown ? PaneHeight : TemplateHeight, scale.Y8, 8)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetInspectorShown(bool shown)
{
    ShellState.InspectorShown = shown ? 1 : 0;
    CheckMenuItem(ShellState.SystemMenu, IDM_INSPECTOR, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
    HWND focus = GetFocus();
    ForEachPaneControl([shown](int id) { SetVisible(Item(id), shown && WidthShows(id)); });
    if (shown)
        RefreshInspector();  // its texts were not kept up while hidden
    // A hidden control cannot keep the focus: give it to the first field.
    if (!shown && focus && !IsWindowVisible(focus) && GetParent(focus) == ShellState.Dialog)
        SetFocus(Item(FieldBinary));
    LayoutInspectorPane(ShellState.Dialog, DialogScaleOf(ShellState.Dialog));
}

void ShowInspectorControl(int control, bool show)
{
    if (!ShellState.InspectorShown)
        return;
    SetVisible(Item(control), show);
    int bit = BitOfToggle(control);
    if (bit >= 0 && bit % 4 == 0)
        SetVisible(Item(IDC_BIT_GROUP_FIRST + bit / 4), show);
}

void RepaintBitToggles()
{
    for (int bit = 0; bit < ConverterState.Width && bit < BitToggleCount; ++bit)
        InvalidateRect(Item(FirstBitToggle + bit), nullptr, FALSE);
}

bool DrawBitToggle(const DRAWITEMSTRUCT* item)
{
    int bit = BitOfToggle(static_cast<int>(item->CtlID));
    if (bit < 0)
        return false;
    RECT r = item->rcItem;
    // High contrast: the system's button colours only; dark mode: dark role
    // colours with light text.
    BitRole role = RoleOfBit(bit, ConverterState.Width);
    COLORREF face = RoleColour(role);
    COLORREF ink = RGB(0, 0, 0);
    if (ShellState.Scheme == SchemeHighContrast) {
        face = GetSysColor(COLOR_BTNFACE);
        ink = GetSysColor(COLOR_BTNTEXT);
    } else if (ShellState.Scheme == SchemeDark) {
        face = DarkRoleColour(role);
        ink = DarkText;
    }
    HBRUSH fill = CreateSolidBrush(face);
    FillRect(item->hDC, &r, fill);
    DeleteObject(fill);
    DrawEdge(item->hDC, &r, (item->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    char text[4];  // "0" or "1"
    GetWindowTextA(item->hwndItem, text, sizeof text);
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, ink);
    DrawTextA(item->hDC, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item->itemState & ODS_FOCUS) {
        InflateRect(&r, -2, -2);
        DrawFocusRect(item->hDC, &r);
    }
    return true;
}

void AddInspectorMenuItem()
{
    char text[] = "Inspector";  // MENUITEMINFOA wants a writable text
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.fState = ShellState.InspectorShown ? MFS_CHECKED : MFS_UNCHECKED;
    item.wID = IDM_INSPECTOR;
    item.dwTypeData = text;
    item.cch = sizeof text - 1;
    // Position 3: right after the separator that ends "Always on top" and
    // "Transparency", which keep their places; a separator of its own
    // parts it from the standard items.
    InsertMenuItemA(ShellState.SystemMenu, 3, TRUE, &item);
    MENUITEMINFOA separator{};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_TYPE;
    separator.fType = MFT_SEPARATOR;
    InsertMenuItemA(ShellState.SystemMenu, 4, TRUE, &separator);
}

bool OnInspectorSysCommand(WPARAM command)
{
    if (command != IDM_INSPECTOR)
        return false;
    SetInspectorShown(!ShellState.InspectorShown);
    return true;
}
