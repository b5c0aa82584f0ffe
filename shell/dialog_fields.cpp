#include "shell/dialog_fields.h"

#include <windows.h>

#include "converter/field_undo.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "shell/bit_grid.h"
#include "shell/inspector_pane.h"
#include "shell/shell_state.h"

namespace {

HWND Control(int id)
{
    return DialogItem(id);
}

// The bit toggles are the tiles of one grid window, which keeps their texts.
int ReadText(int field, char* buffer, int size)
{
    if (BitOfToggle(field) >= 0)
        return ReadBitText(BitOfToggle(field), buffer, size);
    // A missing control copies nothing; the text must still end in a NUL.
    buffer[0] = '\0';
    return static_cast<int>(SendMessageA(Control(field), WM_GETTEXT, static_cast<WPARAM>(size),
                                         reinterpret_cast<LPARAM>(buffer)));
}

void WriteText(int field, const char* text)
{
    if (BitOfToggle(field) >= 0) {
        SetBitText(BitOfToggle(field), text);
        return;
    }
    SendMessageA(Control(field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    RememberRenderedText(field, text);  // a field's text here is what undo brings back
}

bool ReadCheck(int field)
{
    return SendDlgItemMessageA(ShellState.Dialog, field, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WriteCheck(int field, bool checked)
{
    SendDlgItemMessageA(ShellState.Dialog, field, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Repaint(int field)
{
    RedrawWindow(Control(field), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// Every refresh sets every control's state: only a change reaches the
// window.
void Enable(int control, bool enable)
{
    HWND window = Control(control);
    if (window && (IsWindowEnabled(window) != FALSE) != enable)
        EnableWindow(window, enable ? TRUE : FALSE);
    OnPaneControlEnabled(control, enable);  // a reading's label greys with it
}

void LimitText(int field, int limit)
{
    SendDlgItemMessageA(ShellState.Dialog, field, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

// SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
// SWP_NOCOPYBITS | SWP_NOOWNERZORDER (0x337): nothing moves; the control
// only takes its new extended style.
constexpr UINT RestyleFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
    SWP_NOCOPYBITS | SWP_NOOWNERZORDER;
static_assert(RestyleFlags == 0x337);

// Little-endian entry grows from the least significant end, so its text is
// right-aligned; big-endian entry is left-aligned.
void AlignEntry(bool bigEndian)
{
    const int entryFields[] = {FieldBinary, FieldDecimal, FieldHex};
    for (int field : entryFields) {
        HWND control = Control(field);
        LONG style = GetWindowLongA(control, GWL_EXSTYLE);
        style = bigEndian ? (style & ~WS_EX_RIGHT) : (style | WS_EX_RIGHT);
        SetWindowLongA(control, GWL_EXSTYLE, style);
        SetWindowPos(control, nullptr, 0, 0, 0, 0, RestyleFlags);
    }
}

// ES_UPPERCASE: the edit control itself turns typed and pasted letters into
// capitals.
void UppercaseLetters(int field)
{
    HWND control = Control(field);
    SetWindowLongA(control, GWL_STYLE, GetWindowLongA(control, GWL_STYLE) | ES_UPPERCASE);
}

// BM_CLICK checks an option button and sends BN_CLICKED to the dialog
// before it returns, exactly as a user's click. It also moves the focus to
// the button, where the next arrow key would change the width: a control
// of the dialog that had the focus (a field, when Back restores a width)
// takes it back, or the hexadecimal field when the click disabled it.
void ClickButton(int button)
{
    HWND focus = GetFocus();
    SendDlgItemMessageA(ShellState.Dialog, button, BM_CLICK, 0, 0);
    if (!focus || GetFocus() == focus || !IsChild(ShellState.Dialog, focus))
        return;
    SetFocus(IsWindowVisible(focus) && IsWindowEnabled(focus) ? focus : Control(FieldHex));
}

// The inspector pane decides whether a control it holds can show now.
void Show(int control, bool show)
{
    ShowInspectorControl(control, show);
}

bool InspectorShown()
{
    return PaneState.Shown != 0 && !PaneState.Held;
}

const FieldAccess DialogAccess = {ReadText,         WriteText,   ReadCheck, WriteCheck,
                                  Repaint,          Enable,      LimitText, AlignEntry,
                                  UppercaseLetters, ClickButton, Show,      InspectorShown};

}  // namespace

void UseDialogFields()
{
    UseFieldAccess(&DialogAccess);
}
