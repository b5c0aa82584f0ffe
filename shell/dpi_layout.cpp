#include "shell/dpi_layout.h"

#include "shell/field_font.h"
#include "shell/optional_user32.h"
#include "shell/shell_state.h"

DpiLayoutRecord DpiLayoutState;

namespace {

LONG Scale(LONG value, int dpi)
{
    return MulDiv(value, dpi, DpiLayoutState.LayoutDpi);
}

// The template's font at dpi (labels, buttons and group boxes use it).
HFONT CreateDialogFontAt(HWND dialog, int dpi)
{
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight = Scale(font.lfHeight, dpi);
    font.lfWidth = Scale(font.lfWidth, dpi);
    return CreateFontIndirectA(&font);
}

// The system's rescaling of a dialog (Windows 10 1703 on): switched off
// where present, as the program lays itself out.
void DisableSystemDialogScaling(HWND dialog)
{
    constexpr int DisableAll = 1 | 2 | 4;  // DDC_DISABLE_ALL: no resize, no font change, no relayout
    if (OptionalUser32.SetDialogDpiChangeBehavior)
        OptionalUser32.SetDialogDpiChangeBehavior(dialog, DisableAll, DisableAll);
}

// The dialog's own controls in z-order; one call lists them, where a walk
// with GetWindow would ask the server once for each.
BOOL CALLBACK RecordPlace(HWND child, LPARAM parent)
{
    HWND dialog = reinterpret_cast<HWND>(parent);
    if (GetParent(child) != dialog)
        return TRUE;  // a drop-down's own edit moves with it
    if (DpiLayoutState.LayoutCount >= MaxLayoutControls)
        return FALSE;
    ControlPlace& place = DpiLayoutState.Layout[DpiLayoutState.LayoutCount++];
    place.Control = child;
    GetWindowRect(child, &place.Rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place.Rect), 2);
    return TRUE;
}

}  // namespace

void RecordLayout(HWND dialog)
{
    DpiLayoutState.LayoutDpi = WindowDpi(dialog);
    DpiLayoutState.Dpi = DpiLayoutState.LayoutDpi;
    DpiLayoutState.ScaledDialogFont = nullptr;
    DpiLayoutState.LayoutCount = 0;
    EnumChildWindows(dialog, RecordPlace, reinterpret_cast<LPARAM>(dialog));
    DisableSystemDialogScaling(dialog);
}

bool OnDpiChanged(HWND dialog, int dpi)
{
    if (dpi <= 0 || DpiLayoutState.LayoutDpi <= 0)
        return false;
    DpiLayoutState.Dpi = dpi;

    // The labels' and buttons' font: the template's own at the first DPI.
    HFONT previous = DpiLayoutState.ScaledDialogFont;
    DpiLayoutState.ScaledDialogFont =
        dpi == DpiLayoutState.LayoutDpi ? nullptr : CreateDialogFontAt(dialog, dpi);
    HFONT dialogFont = DpiLayoutState.ScaledDialogFont
        ? DpiLayoutState.ScaledDialogFont
        : reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));

    // Every control keeps its kind of font: the field font's users get the
    // new field font below, all others the dialog font at dpi.
    HFONT oldFieldFont = ShellState.Font;
    HDWP moves = BeginDeferWindowPos(DpiLayoutState.LayoutCount);
    for (int i = 0; i < DpiLayoutState.LayoutCount; ++i) {
        const ControlPlace& place = DpiLayoutState.Layout[i];
        if (reinterpret_cast<HFONT>(SendMessageA(place.Control, WM_GETFONT, 0, 0)) != oldFieldFont)
            SendMessageA(place.Control, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), 0);
        const RECT& r = place.Rect;
        if (moves)
            moves = DeferWindowPos(moves, place.Control, nullptr, Scale(r.left, dpi), Scale(r.top, dpi),
                                   Scale(r.right, dpi) - Scale(r.left, dpi),
                                   Scale(r.bottom, dpi) - Scale(r.top, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves)
        EndDeferWindowPos(moves);
    if (previous)
        DeleteObject(previous);

    // The field font, made for the fields' new widths, to the number fields
    // and every other control that used the old one.
    ShellState.Font = ApplyFieldFont(dialog, dpi);
    for (int i = 0; i < DpiLayoutState.LayoutCount; ++i) {
        HWND control = DpiLayoutState.Layout[i].Control;
        if (reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)) == oldFieldFont)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(ShellState.Font), 0);
    }
    DeleteObject(oldFieldFont);

    return true;
}

void TakeSuggestedRect(HWND dialog, const RECT* suggested)
{
    if (suggested)
        SetWindowPos(dialog, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(dialog, nullptr, TRUE);
}

void ReleaseLayoutFonts()
{
    if (DpiLayoutState.ScaledDialogFont)
        DeleteObject(DpiLayoutState.ScaledDialogFont);
    DpiLayoutState.ScaledDialogFont = nullptr;
}
