#include "shell/bit_field_paste.h"

#include "core/field_ids.h"
#include "shell/shell_state.h"
#include "views/bits_text.h"

namespace {

// 256 bytes: 80 binary digits with a separator between every two and a
// prefix are 161 characters; most longer texts are no pattern of 80 bits.
constexpr int ClipboardCapacity = 256;

// Copies the clipboard's text; false when it holds none or too much to be
// a bit pattern.
bool ReadClipboardText(HWND owner, char* text, int size)
{
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner))
        return false;
    bool fits = false;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* locked = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (locked) {
        int n = 0;
        while (n < size - 1 && locked[n] != '\0') {
            text[n] = locked[n];
            ++n;
        }
        text[n] = '\0';
        fits = locked[n] == '\0';
        GlobalUnlock(data);
    }
    CloseClipboard();
    return fits;
}

LRESULT CALLBACK BitFieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PASTE && !(GetWindowLongA(control, GWL_STYLE) & ES_READONLY)) {
        char text[ClipboardCapacity];
        char digits[BitsDigitsCapacity];
        if (ReadClipboardText(control, text, sizeof text) &&
            PastedBitsInBase(text, GetDlgCtrlID(control) == FieldBinary, digits)) {
            // As a paste does: the selection is replaced, undoably, and the
            // field's text limit applies.
            SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits));
            return 0;
        }
    }
    return CallWindowProcA(ShellState.BitFieldProc, control, message, wParam, lParam);
}

}  // namespace

void HandleBitFieldPastes(HWND dialog)
{
    const int fields[] = {FieldBinary, FieldHex};
    for (int field : fields) {
        HWND control = GetDlgItem(dialog, field);
        ShellState.BitFieldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BitFieldProc)));
    }
}
