#include "shell/field_editing.h"

#include <cstring>

#include <commctrl.h>

#include "converter/field_undo.h"
#include "core/field_ids.h"
#include "shell/copy_and_history.h"
#include "shell/field_tips.h"
#include "shell/shell_state.h"
#include "views/bits_text.h"

namespace {

// 256 bytes: 80 binary digits with a separator between every two and a
// prefix are 161 characters; a longer clipboard text is no number a field
// takes.
constexpr int ClipboardCapacity = 256;

// 96 bytes: the longest text of an edit field, 80 binary digits, and a NUL.
constexpr int FieldTextCapacity = 96;

constexpr UINT_PTR FieldSubclassId = 1;

// The edit under way in a field: set while a typed character or a paste
// reaches the edit control, so that a cut reported during it is told once
// it is done, with what was pasted.
struct EditUnderWay {
    int Field;  // 0: none
    int PastedLength;  // characters being pasted; 0 for a typed character
    int Room;  // characters the field had room for (its selection included)
    bool Cut;  // EN_MAXTEXT arrived
};
EditUnderWay Editing;

bool CtrlChord()
{
    return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
}

// The control characters an edit field acts on: Backspace, and Ctrl+C, V
// and X, which it turns into WM_COPY, WM_PASTE and WM_CUT. Ctrl+Z is
// handled at its key-down; the rest (Ctrl+A's 0x01, Ctrl+Backspace's 0x7F)
// would reach the edit as a change or a stray character.
bool FieldTakesControlChar(WPARAM c)
{
    return c == VK_BACK || c == 0x03 || c == 0x16 || c == 0x18;
}

// Copies the clipboard's text; false when it holds none or too much to be
// a number a field takes. *length is the whole text's length.
bool ReadClipboardText(HWND owner, char* text, int size, int* length)
{
    *length = 0;
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
        *length = static_cast<int>(std::strlen(locked));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return fits;
}

// The characters the field has room for when the selection is replaced.
int RoomInField(HWND control)
{
    DWORD start = 0, end = 0;
    SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int limit = static_cast<int>(SendMessageA(control, EM_GETLIMITTEXT, 0, 0));
    const int kept =
        static_cast<int>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0)) - static_cast<int>(end - start);
    return limit > kept ? limit - kept : 0;
}

// At most 40 characters of text for a tip, line ends as blanks.
void QuoteForTip(const char* text, char* out)
{
    int n = 0;
    for (; text[n] != '\0' && n < 40; ++n)
        out[n] = text[n] == '\r' || text[n] == '\n' || text[n] == '\t' ? ' ' : text[n];
    if (text[n] != '\0') {
        std::strcpy(out + n, "...");
        return;
    }
    out[n] = '\0';
}

void ShowRefusedPasteTip(int field, const char* text, bool hexInBinary)
{
    char quoted[48];
    QuoteForTip(text, quoted);
    char message[FieldTipCapacity];
    if (hexInBinary) {
        wsprintfA(message,
                  "\"%s\" is hexadecimal, not binary. Paste it into the hexadecimal field, or write it "
                  "with 0x in front.",
                  quoted);
    } else if (field == FieldBinary) {
        wsprintfA(message,
                  "\"%s\" is not a bit pattern. This field takes binary digits, or a pattern such as "
                  "0b1010_0101 or 0x3DCC_CCCD.",
                  quoted);
    } else {
        wsprintfA(message,
                  "\"%s\" is not a bit pattern. This field takes hexadecimal digits, or a pattern such "
                  "as 0x3DCC_CCCD or 0b1010_0101.",
                  quoted);
    }
    ShowFieldTip(field, "Not pasted", message);
}

void ShowCutTip(int field, int limit, int pastedLength, int room)
{
    char title[48];
    char message[FieldTipCapacity];
    if (pastedLength > 0) {
        wsprintfA(title, "Cut to %d characters", limit);
        wsprintfA(message,
                  "The pasted text had %d characters and only its first %d fit. The value is read "
                  "from what was kept, not from the whole text.",
                  pastedLength, room);
    } else {
        std::strcpy(title, "Field full");
        wsprintfA(message,
                  "This field takes at most %d characters, so the key was not taken. Select "
                  "characters to type over them.",
                  limit);
    }
    ShowFieldTip(field, title, message);
}

// A paste into the binary or hexadecimal field. Returns true when it is
// done here (a pattern's digits pasted, or the paste refused); false lets
// the edit control paste the clipboard as it is.
bool PasteIntoBitField(HWND control, int field, int* pastedLength)
{
    char text[ClipboardCapacity];
    char digits[ClipboardCapacity];
    bool hexInBinary = false;
    if (!ReadClipboardText(control, text, sizeof text, pastedLength)) {
        if (*pastedLength == 0)
            return false;  // no text: the edit control pastes nothing either
        text[0] = '\0';
    }
    switch (ReadBitFieldPaste(text, field == FieldBinary, digits, sizeof digits, &hexInBinary)) {
    case BitFieldPaste::Pattern:
    case BitFieldPaste::Digits:
        // As a paste does: the selection is replaced, undoably, and the
        // field's text limit applies.
        *pastedLength = static_cast<int>(std::strlen(digits));
        SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits));
        return true;
    case BitFieldPaste::Refused: ShowRefusedPasteTip(field, text, hexInBinary); return true;
    }
    return true;
}

// Runs a typed character or a paste through the edit control and tells a
// cut afterwards.
LRESULT RunEdit(HWND control, int field, UINT message, WPARAM wParam, LPARAM lParam)
{
    Editing = {field, 0, RoomInField(control), false};
    LRESULT result = 0;
    bool done = false;
    if (message == WM_PASTE) {
        int pasted = 0;
        if (field == FieldBinary || field == FieldHex)
            done = PasteIntoBitField(control, field, &pasted);
        else {
            char text[ClipboardCapacity];
            ReadClipboardText(control, text, sizeof text, &pasted);
        }
        Editing.PastedLength = pasted;
    }
    if (!done)
        result = DefSubclassProc(control, message, wParam, lParam);
    const EditUnderWay finished = Editing;
    Editing = {};
    if (finished.Cut) {
        const int limit = static_cast<int>(SendMessageA(control, EM_GETLIMITTEXT, 0, 0));
        ShowCutTip(field, limit, finished.PastedLength, finished.Room);
    }
    return result;
}

// Lets the edit control handle a message that replaces the field's text,
// then tells the converter the text it holds now.
template <typename Tell>
LRESULT RunThenTellText(HWND control, int field, UINT message, WPARAM wParam, LPARAM lParam, Tell tell)
{
    LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    char text[FieldTextCapacity];
    GetWindowTextA(control, text, sizeof text);
    tell(field, text);
    return result;
}

LRESULT CALLBACK FieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    const int field = GetDlgCtrlID(control);
    switch (message) {
    case WM_KEYDOWN:
        HideFieldTip();
        if (CtrlChord() && wParam == 'A') {
            SendMessageA(control, EM_SETSEL, 0, -1);
            return 0;
        }
        if (CtrlChord() && wParam == 'Z') {
            SendMessageA(control, WM_UNDO, 0, 0);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam < 0x20 || wParam == 0x7F) {
            if (!FieldTakesControlChar(wParam))
                return 0;
            if (wParam != VK_BACK)
                break;  // copy, paste and cut come back as their messages
        }
        if (GetWindowLongA(control, GWL_STYLE) & ES_READONLY)
            break;
        return RunEdit(control, field, message, wParam, lParam);
    case WM_PASTE:
        if (GetWindowLongA(control, GWL_STYLE) & ES_READONLY)
            break;
        return RunEdit(control, field, message, wParam, lParam);
    case WM_UNDO:
    case EM_UNDO: return RunThenTellText(control, field, message, wParam, lParam, RestoreUndoneValue);
    case WM_KILLFOCUS: HideFieldTip(); break;
    case WM_CONTEXTMENU:
        // The edit's own items, "Copy as" and, in the binary and
        // hexadecimal fields, "Paste bytes".
        ShowEditContextMenu(control, lParam);
        return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(control, FieldProc, FieldSubclassId); break;
    default: break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void StartFieldEditing(HWND dialog)
{
    const int fields[] = {FieldBinary, FieldDecimal, FieldHex, FieldFloat, FieldExponent, FieldMantissa};
    for (int field : fields)
        SetWindowSubclass(GetDlgItem(dialog, field), FieldProc, FieldSubclassId, 0);
}

void OnFieldTextCut(int field)
{
    if (Editing.Field == field) {
        Editing.Cut = true;
        return;
    }
    HWND control = DialogItem(field);
    ShowCutTip(field, static_cast<int>(SendMessageA(control, EM_GETLIMITTEXT, 0, 0)), 0, 0);
}
