#include "shell/shell_state.h"

ShellRecord ShellState;

namespace {

// The identifiers of the dialog's controls, dialog 101's and the pane's.
constexpr int FirstItemId = 1000;
constexpr int ItemIdCount = 200;
HWND Items[ItemIdCount];
bool LookedUp[ItemIdCount];  // Items holds the answer, a control or none

int IndexOf(int id)
{
    const int index = id - FirstItemId;
    return index >= 0 && index < ItemIdCount ? index : -1;
}

}  // namespace

HWND DialogItem(int id)
{
    const int index = IndexOf(id);
    if (index < 0)
        return GetDlgItem(ShellState.Dialog, id);
    if (!LookedUp[index]) {
        Items[index] = GetDlgItem(ShellState.Dialog, id);
        LookedUp[index] = true;
    }
    return Items[index];
}

void NoteDialogItem(int id, HWND control)
{
    const int index = IndexOf(id);
    if (index >= 0) {
        Items[index] = control;
        LookedUp[index] = true;
    }
}

void ForgetDialogItems()
{
    for (int i = 0; i < ItemIdCount; ++i) {
        Items[i] = nullptr;
        LookedUp[i] = false;
    }
}
