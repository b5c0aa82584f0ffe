#include "shell/inspector_pane.h"

#include "converter/inspector.h"
#include "converter/value_entry.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "core/float_format_names.h"
#include "core/float_presets.h"
#include "shell/appearance.h"
#include "shell/dpi_layout.h"
#include "shell/resource.h"
#include "shell/shell_state.h"

PaneRecord PaneState;

static_assert(IDC_PANE_FIRST == PaneUnsigned && IDC_BIT_FIRST == FirstBitToggle);
static_assert(IDC_PANE_BYTES == PaneBytes && IDC_PANE_BYTES_BE == PaneBytesBigEndian);
static_assert(IDC_PANE_LABEL_FIRST == 1050 && PaneClass - PaneUnsigned == 8);
static_assert(IDC_STEP_NEXT == ButtonStepNext && IDC_STEP_PREVIOUS == ButtonStepPrevious);
static_assert(IDC_FORMAT == PaneFormat && IDC_ROUNDING == PaneRounding && IDC_SATURATE == PaneSaturate);
static_assert(IDC_VALUE == PaneValue && IDC_ENTRY_ERROR == PaneError && IDC_ENTRY_FLAGS == PaneFlags);

namespace {

// Dialog 101's client area is 385 by 97 dialog units; the pane lies below.
constexpr int TemplateWidth = 385;
constexpr int TemplateHeight = 97;
constexpr int PaneHeight = 297;  // the client height with the pane shown

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
    int LabelId;
    const char* Label;
    Column Place;
    int Top;
};

// In tab order. The names are those the companion prints.
const PaneReading PaneReadings[] = {
    {PaneUnsigned, 1050, "unsigned", Column::Left, 143},
    {PaneClass, 1058, "class", Column::Right, 143},
    {PaneHalf, 1051, "half", Column::Left, 158},
    {PaneBfloat16, 1052, "bfloat16", Column::Right, 158},
    {PaneExact, 1053, "exact", Column::Both, 173},
    {PaneShortest, 1054, "shortest", Column::Left, 188},
    {PaneHexFloat, 1055, "hexfloat", Column::Right, 188},
    {PaneNext, 1056, "next", Column::Left, 203},
    {PanePrevious, 1057, "previous", Column::Right, 203},
    // Below the value entry: the width's bytes as they lie in memory.
    {PaneBytes, IDC_PANE_BYTES_LABEL, "bytes", Column::Left, 281},
    {PaneBytesBigEndian, IDC_PANE_BYTES_BE_LABEL, "bytes-be", Column::Right, 281},
};

struct UnitRect {
    int X, Y, W, H;
};

constexpr UnitRect StepPreviousRect = {270, 219, 54, 14};
constexpr UnitRect StepNextRect = {328, 219, 54, 14};

// The value entry below the steps, a label before each control: the
// format and the rounding on one line with the saturation's box at its
// end, the value across both columns, then the entry's error and flags.
struct EntryControl {
    int Control;
    const char* Label;
    const char* Kind;
    DWORD Style;
    UnitRect LabelPlace;
    UnitRect Place;  // a drop-down's height includes its list
};

// In tab order.
const EntryControl EntryControls[] = {
    {PaneFormat,
     "F&ormat",
     "COMBOBOX",
     CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
     {3, 238, 38, 8},
     {45, 236, 145, 120}},
    {PaneRounding,
     "&Rounding",
     "COMBOBOX",
     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
     {196, 238, 38, 8},
     {236, 236, 80, 80}},
    {PaneSaturate,
     "Sat&urate",
     "BUTTON",
     BS_AUTOCHECKBOX | WS_TABSTOP,
     {322, 238, 34, 8},
     {358, 237, 12, 10}},
    {PaneValue,
     "&Value",
     "EDIT",
     WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
     {3, 253, 38, 8},
     {45, 251, 337, 12}},
    {PaneError,
     "error",
     "EDIT",
     WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY,
     {3, 268, 38, 8},
     {45, 266, 145, 12}},
    {PaneFlags,
     "flags",
     "EDIT",
     WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY,
     {196, 268, 38, 8},
     {236, 266, 146, 12}},
};

// The rounding list's items, in the order of RoundingMode.
const RoundingMode RoundingModes[] = {RoundingMode::Even, RoundingMode::Away, RoundingMode::Zero,
                                      RoundingMode::Up, RoundingMode::Down};
constexpr int RoundingModeCount = sizeof RoundingModes / sizeof RoundingModes[0];

int EntryLabelOf(int control)
{
    return control - PaneFormat + IDC_ENTRY_LABEL_FIRST;
}

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
        visit(r.LabelId);
        visit(r.Control);
    }
    for (int bit = 0; bit < BitToggleCount; ++bit)
        visit(FirstBitToggle + bit);
    for (int group = 0; group < BitToggleCount / 4; ++group)
        visit(IDC_BIT_GROUP_FIRST + group);
    visit(ButtonStepNext);
    visit(ButtonStepPrevious);
    for (const EntryControl& e : EntryControls) {
        visit(EntryLabelOf(e.Control));
        visit(e.Control);
    }
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
    DWORD visible = PaneState.Shown ? WS_VISIBLE : 0;
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

// A reading's label and text; the label right before its text names it for
// screen readers.
void CreateReading(const PaneReading& r, HFONT dialogFont)
{
    CreateControl("STATIC", r.Label, SS_LEFT | WS_GROUP, r.LabelId, dialogFont);
    CreateControl("EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, r.Control,
                  ShellState.Font);
}

// The bytes lie below the value entry and come after it in the tab order.
bool IsMemoryReading(const PaneReading& r)
{
    return r.Control == PaneBytes || r.Control == PaneBytesBigEndian;
}

void CreateReadings(HFONT dialogFont)
{
    for (const PaneReading& r : PaneReadings) {
        if (!IsMemoryReading(r))
            CreateReading(r, dialogFont);
    }
    CreateControl("BUTTON", "&Previous", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, ButtonStepPrevious,
                  dialogFont);
    CreateControl("BUTTON", "&Next", BS_PUSHBUTTON | WS_TABSTOP, ButtonStepNext, dialogFont);
}

void CreateMemoryReadings(HFONT dialogFont)
{
    for (const PaneReading& r : PaneReadings) {
        if (IsMemoryReading(r))
            CreateReading(r, dialogFont);
    }
}

void CreateValueEntry(HFONT dialogFont)
{
    for (const EntryControl& e : EntryControls) {
        CreateControl("STATIC", e.Label, SS_LEFT | WS_GROUP, EntryLabelOf(e.Control), dialogFont);
        bool number = e.Control == PaneValue || e.Control == PaneError || e.Control == PaneFlags;
        CreateControl(e.Kind, "", e.Style, e.Control, number ? ShellState.Font : dialogFont);
    }
    // The value's text may be as long as the longest reading it reads back.
    SendMessageA(Item(PaneValue), EM_LIMITTEXT, ReadingCapacity - 1, 0);
    SendMessageA(Item(PaneFormat), CB_LIMITTEXT, FormatNameCapacity - 1, 0);
    EncodeOptions options = EntryOptions();
    for (RoundingMode mode : RoundingModes)
        SendMessageA(Item(PaneRounding), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RoundingModeName(mode)));
    SendMessageA(Item(PaneRounding), CB_SETCURSEL, static_cast<WPARAM>(options.Mode), 0);
    SendMessageA(Item(PaneSaturate), BM_SETCHECK, options.Saturate ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The rounding list's and the box's choices become the entry options.
void ReadEntryOptions()
{
    EncodeOptions options = EntryOptions();
    LRESULT selected = SendMessageA(Item(PaneRounding), CB_GETCURSEL, 0, 0);
    if (selected >= 0 && selected < RoundingModeCount)
        options.Mode = RoundingModes[selected];
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
    RepaintBitToggles();  // their colours follow the format
}

bool FocusIsIn(HWND control)
{
    HWND focus = GetFocus();
    return focus && (focus == control || GetParent(focus) == control);
}

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

void CreateInspectorPane(HWND dialog)
{
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    CreateGrid(dialogFont);
    CreateReadings(dialogFont);
    CreateValueEntry(dialogFont);
    CreateMemoryReadings(dialogFont);
    LayoutInspectorPane(dialog, DialogScaleOf(dialog));
}

void LayoutInspectorPane(HWND dialog, PaneScale scale)
{
    for (const PaneReading& r : PaneReadings) {
        Place(r.LabelId, LabelRect(r), scale);
        Place(r.Control, TextRect(r), scale);
    }
    for (int bit = 0; bit < BitToggleCount; ++bit)
        Place(FirstBitToggle + bit, BitRect(bit), scale);
    for (int group = 0; group < BitToggleCount / 4; ++group)
        Place(IDC_BIT_GROUP_FIRST + group, GroupNumberRect(group), scale);
    Place(ButtonStepPrevious, StepPreviousRect, scale);
    Place(ButtonStepNext, StepNextRect, scale);
    for (const EntryControl& e : EntryControls) {
        Place(EntryLabelOf(e.Control), e.LabelPlace, scale);
        Place(e.Control, e.Place, scale);
    }

    // The window around a client area of the template's width and the
    // pane's or the template's height.
    RECT frame = {0, 0, MulDiv(TemplateWidth, scale.X4, 4),
                  MulDiv(PaneState.Shown ? PaneHeight : TemplateHeight, scale.Y8, 8)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetInspectorShown(bool shown)
{
    PaneState.Shown = shown ? 1 : 0;
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
    if (!PaneState.Shown)
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
    if (AppearanceState.Scheme == SchemeHighContrast) {
        // Bits outside the format: the system's colour of unavailable text.
        face = GetSysColor(COLOR_BTNFACE);
        ink = GetSysColor(role == BitRole::Ignored ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    } else if (AppearanceState.Scheme == SchemeDark) {
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

bool OnInspectorSysCommand(WPARAM command)
{
    if (command != IDM_INSPECTOR)
        return false;
    SetInspectorShown(!PaneState.Shown);
    return true;
}

void RefillFormatList()
{
    HWND list = Item(PaneFormat);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const FloatFormat& preset : FloatPresets) {
        if (FormatFitsWidth(preset, ConverterState.Width))
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset.Name));
    }
    RefreshFormatName(PaneFormat);
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
