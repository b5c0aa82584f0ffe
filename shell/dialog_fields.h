#pragma once
// The converter's fields as the controls of the main dialog (ShellState's
// dialog): texts by WM_GETTEXT/WM_SETTEXT, the sign box by BM_GETCHECK and
// BM_SETCHECK, limits by EM_LIMITTEXT, immediate repaints by RedrawWindow.

// Makes the dialog's controls the converter's fields.
void UseDialogFields();
