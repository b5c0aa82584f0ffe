#include "shell/main_dialog.h"

#include "converter/converter_startup.h"
#include "converter/field_events.h"
#include "converter/inspector.h"
#include "converter/pane_events.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "shell/accessibility.h"
#include "shell/appearance.h"
#include "shell/copy_and_history.h"
#include "shell/dialog_fields.h"
#include "shell/dpi_layout.h"
#include "shell/field_editing.h"
#include "shell/field_font.h"
#include "shell/field_tips.h"
#include "shell/inspector_pane.h"
#include "shell/key_filter.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "shell/system_menu.h"
#include "shell/transparency.h"
#include "shell/window_snapping.h"

namespace {

// ---- Message handlers ------------------------------------------------------

INT_PTR OnEditNotification(int field, int code)
{
    if (code == EN_CHANGE)
        OnFieldChange(field);
    else if (code == EN_KILLFOCUS)
        OnFieldKillFocus(field);
    else if (code == EN_MAXTEXT)
        OnFieldTextCut(field);
    return FALSE;
}

INT_PTR OnButtonClicked(int id)
{
    if (id == FieldSign) {
        OnSignClick();
        return TRUE;
    }
    if (WidthOfButton(id) != 0) {
        OnWidthButton(id);
        RefillFormatList();  // the formats that fit the new width
        RepaintBitRoles();  // their colours follow the width's format
        return TRUE;
    }
    if (BitOfToggle(id) >= 0) {
        OnBitToggle(BitOfToggle(id));
        return TRUE;
    }
    if (id == ButtonStepNext || id == ButtonStepPrevious) {
        OnStepButton(id);
        return TRUE;
    }
    if (id == ButtonLittle || id == ButtonBig)
        OnEndianButton(id);
    return FALSE;
}

// The "Transparency" popup's items: some systems (Wine) deliver a choice
// from a popup of the system menu as WM_COMMAND, not WM_SYSCOMMAND.
bool IsTransparencyCommand(int id)
{
    return id >= IDM_OPACITY_10 && id <= IDM_ALWAYS;
}

// IDOK and IDCANCEL (Enter and Esc) fall through to nothing: the dialog
// closes only by WM_CLOSE.
INT_PTR OnCommand(int id, int code, LPARAM control)
{
    if (IsTransparencyCommand(id) && control == 0)
        return OnTransparencySysCommand(static_cast<WPARAM>(id)) ? TRUE : FALSE;
    if (control == 0 && code == 0 && id >= IDM_COPY_HEX && id <= IDM_COPY_JSON)
        return OnCopyOrHistoryCommand(static_cast<WPARAM>(id)) ? TRUE : FALSE;
    if (IsEditField(id))
        return OnEditNotification(id, code);
    if (OnValueEntryCommand(id, code))
        return FALSE;
    if (code == BN_CLICKED)
        return OnButtonClicked(id);
    return FALSE;
}

// The bit grid and the window's face offer "Copy as"; the edit controls
// show their own menus.
INT_PTR OnContextMenu(HWND dialog, HWND control, LPARAM screen)
{
    const int id = GetDlgCtrlID(control);
    if (control != dialog && id != IDC_BIT_GRID)
        return FALSE;
    ShowCopyContextMenu(control, screen);
    return TRUE;
}

// A change of the app mode, of high contrast or of the system colours:
// the colours, and the translucency that high contrast switches off.
void OnColoursChanged(HWND dialog)
{
    Scheme before = FollowSystemScheme(dialog);
    if ((before == SchemeHighContrast) != (AppearanceState.Scheme == SchemeHighContrast))
        SetTransparency(-1, -1);
}

INT_PTR OnClose(HWND dialog)
{
    HideFieldTip();
    GetWindowRect(dialog, &ShellState.SavedWindowRect);
    ShellState.SavedX = ShellState.SavedWindowRect.left;
    ShellState.SavedY = ShellState.SavedWindowRect.top;
    DeleteObject(ShellState.Font);
    ShellState.Font = nullptr;
    ReleaseLayoutFonts();
    ReleaseSchemeBrushes();
    UnhookWindowsHookEx(ShellState.KeyboardHook);
    ShellState.KeyboardHook = nullptr;
    EndDialog(dialog, 0);
    return TRUE;
}

// Typing goes where a person expects it: into the float field when it is
// enabled, else into the hexadecimal field, with the text selected so that
// the first key replaces it. The start-up clicks have activated the
// dialog, so the dialog manager takes this focus as the one to restore when
// the window is next deactivated. (WM_NEXTDLGCTL would also look for a
// default push button, under Wine by asking every control.)
void FocusFirstField()
{
    HWND field = DialogItem(ConverterState.FloatFieldsEnabled ? FieldFloat : FieldHex);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
}

}  // namespace

BOOL InitMainDialog(HWND dialog)
{
    // 1. Every shell operation and the converter's fields go through the dialog.
    ShellState.Dialog = dialog;
    ForgetDialogItems();
    UseDialogFields();

    // 2. The key filter, on this thread only.
    ShellState.KeyboardHook = SetWindowsHookExA(WH_KEYBOARD, KeyFilterProc, nullptr, GetCurrentThreadId());

    // 3. The icon loaded at start-up.
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ShellState.Icon));

    // 4. The program's items in front of the system menu's standard ones.
    BuildSystemMenu(dialog);

    // 5. Fixed-pitch font for the number edits at the window's DPI (made
    //    smaller only where a substituted face would cut a text); labels
    //    and buttons keep the template's font.
    ShellState.Font = ApplyFieldFont(dialog, WindowDpi(dialog));

    // 6. The converter's start-up, the same as every front end's: capitals
    //    in the hexadecimal field, the float field's fixed limit, then the
    //    saved width and endianness clicked as a user would (the click
    //    handlers set the width, limits, float controls, texts and
    //    alignment). Start-up left the converter so that both clicks are
    //    changes.
    //    The inspector pane comes after both clicks: the first refresh says
    //    which of its rows apply, the controls those rows show are made
    //    where they go (none while the pane is hidden), and a second
    //    refresh fills them.
    HoldInspectorPane();
    PaneState.Held = 1;
    StartConverter(ShellState.InitialWidthButton, ShellState.InitialEndianButton);
    PaneState.Held = 0;
    RefreshInspector();
    CreateInspectorPane(dialog);
    RefreshInspector();

    // 7. The fields' own handling of keys, pastes and undo.
    StartFieldEditing(dialog);

    // 8. The saved position, or the centre of the primary screen when the
    //    title bar would be on no screen there.
    PlaceMainWindow(dialog);

    // 9. The saved on-top state, translucency step and "Always" flag.
    ApplySavedOnTopAndTransparency();

    // 10. The names assistive technology cannot find by itself; the layout
    //     that a change of DPI scales.
    StartAccessibility(dialog);
    RecordLayout(dialog);

    // 11. The colours of the user's app mode or high contrast.
    ApplyScheme(dialog, SystemScheme());
    RepaintBitRoles();

    // 12. The focus in the first field to type into; FALSE: the dialog
    //     manager sets no default focus of its own.
    FocusFirstField();
    return FALSE;
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return InitMainDialog(dialog);
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam), lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
        return OnCtlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnColoursChanged(dialog); return FALSE;
    case WM_CLOSE: return OnClose(dialog);
    case WM_NCACTIVATE: OnNcActivate(wParam); return FALSE;  // the default processing draws the frame
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown(lParam);
        return FALSE;  // the default processing starts the move loop
    case WM_ENTERSIZEMOVE: OnEnterSizeMove(); return FALSE;
    case WM_MOVING: OnMoving(lParam); return TRUE;
    case WM_EXITSIZEMOVE: OnExitSizeMove(); return FALSE;
    case WM_DPICHANGED:
        if (OnDpiChanged(dialog, HIWORD(wParam))) {
            LayoutInspectorPane(dialog, DialogScaleOf(dialog));  // which sizes the window for the pane
            TakeSuggestedRect(dialog, reinterpret_cast<const RECT*>(lParam));
        }
        return TRUE;
    case WM_SYSCOMMAND:
        if (OnInspectorSysCommand(wParam))
            return TRUE;
        return OnTransparencySysCommand(wParam) || OnCopyOrHistoryCommand(wParam) ? TRUE : FALSE;
    case WM_PANE_CONTROLS_MADE:
        StartReadingMenus(dialog);  // the readings among them
        return TRUE;
    case WM_SCHEME_APPLIED:
        RepaintBitRoles();  // the legend shows only where colours tell the roles apart
        return TRUE;
    case WM_APPCOMMAND:
        // From any control: DefWindowProc hands it up to the dialog. TRUE in
        // the message result says it was taken.
        if (!OnAppCommand(GET_APPCOMMAND_LPARAM(lParam)))
            return FALSE;
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_CONTEXTMENU: return OnContextMenu(dialog, reinterpret_cast<HWND>(wParam), lParam);
    case WM_NOTIFY: return OnPaneNotify(reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
    case WM_DRAWITEM: return DrawPaneItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    default: return FALSE;
    }
}
