#include "shell/copy_and_history.h"

#include <commctrl.h>

#include "converter/block_text.h"
#include "converter/paste_bytes.h"
#include "converter/value_history.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "core/number_text.h"
#include "shell/field_tips.h"
#include "shell/inspector_pane.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "views/byte_run.h"
#include "views/copy_forms.h"
#include "views/reading_table.h"

namespace {

// The "Copy as" items in menu order: the copy forms, then the companion's
// readings lines and JSON object. The form's name stands in the item.
struct CopyItem {
    int Command;
    const char* Label;
};

const CopyItem CopyItems[] = {
    {IDM_COPY_HEX, "Hexadecimal integer (hex)"},
    {IDM_COPY_LITERAL, "C literal (literal)\tCtrl+Shift+C"},
    {IDM_COPY_HEXFLOAT, "Hexadecimal float (hexfloat)"},
    {IDM_COPY_BYTES, "Bytes, little-endian (bytes)"},
    {IDM_COPY_BYTES_BE, "Bytes, big-endian (bytes-be)"},
    {IDM_COPY_ARRAY, "C byte array (array)"},
    {IDM_COPY_READINGS, "Readings (readings)"},
    {IDM_COPY_JSON, "JSON object (json)"},
};

static_assert(IDM_COPY_ARRAY - IDM_COPY_HEX + 1 == CopyFormCount);

// Up to 1 KB of the clipboard's text: more is no run of 10 bytes.
constexpr int ClipboardTextCapacity = 1024;

constexpr UINT_PTR ReadingSubclassId = 2;

// A sink that fills a fixed buffer and drops what does not fit.
struct BufferSink {
    char* Out;
    int Used;
    int Size;
};

void PutToBuffer(void* context, const char* text)
{
    auto* buffer = static_cast<BufferSink*>(context);
    for (; *text != '\0' && buffer->Used < buffer->Size - 1; ++text)
        buffer->Out[buffer->Used++] = *text;
    buffer->Out[buffer->Used] = '\0';
}

// The copy text with Windows' line ends, as wide characters (each byte the
// character of the same number, as the JSON escapes them) in a movable
// global block the clipboard takes over; null when out of memory.
HGLOBAL WideClipboardText(const char* text)
{
    int length = 0;
    for (const char* p = text; *p != '\0'; ++p)
        length += *p == '\n' ? 2 : 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(length + 1) * sizeof(WCHAR));
    auto* wide = block ? static_cast<WCHAR*>(GlobalLock(block)) : nullptr;
    if (!wide) {
        if (block)
            GlobalFree(block);
        return nullptr;
    }
    int n = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != '\0'; ++p) {
        if (*p == '\n')
            wide[n++] = L'\r';
        wide[n++] = static_cast<WCHAR>(*p);
    }
    wide[n] = L'\0';
    GlobalUnlock(block);
    return block;
}

// The clipboard's text (CF_TEXT, at most size - 1 characters); false when
// it holds none.
bool ReadClipboard(HWND owner, char* text, int size)
{
    text[0] = '\0';
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner))
        return false;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* locked = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (locked) {
        WriteTextBounded(text, locked, size);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return locked != nullptr;
}

bool IsBitField(int id)
{
    return id == FieldBinary || id == FieldHex;
}

bool IsCopyCommand(int command)
{
    return command >= IDM_COPY_HEX && command <= IDM_COPY_JSON;
}

// Where a menu opened by the keyboard (-1, -1) shows: at the control's
// top-left corner.
POINT MenuPoint(HWND control, LPARAM screen)
{
    POINT at = {static_cast<short>(LOWORD(screen)), static_cast<short>(HIWORD(screen))};
    if (screen == -1) {
        RECT r;
        GetWindowRect(control, &r);
        at = {r.left + 4, r.top + 4};
    }
    return at;
}

// The pane's edits, readings and value entry, have this one subclass: under
// Wine each subclass adds round trips to the server to every message the
// control gets.
LRESULT CALLBACK ReadingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_MOUSEMOVE: OnPaneEditMouseMove(control); break;
    case WM_CONTEXTMENU: ShowEditContextMenu(control, lParam); return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(control, ReadingProc, ReadingSubclassId); break;
    default: break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

// Writes the text of a "Copy as" command (IDM_COPY_*) for the current value
// to out (CopyTextCapacity bytes); false for any other command.
bool WriteCopyText(int command, char* out)
{
    out[0] = '\0';
    if (!IsCopyCommand(command))
        return false;
    const int32_t width = ConverterState.Width;
    const FloatFormat* format = ChosenFormatOf(width);
    if (command <= IDM_COPY_ARRAY) {
        if (!format)
            return false;
        WriteCopyForm(out, CopyForms[command - IDM_COPY_HEX], *format, ConverterState.ValueRegister, width);
        return true;
    }
    BufferSink buffer{out, 0, CopyTextCapacity};
    const TextSink sink{PutToBuffer, &buffer};
    if (command == IDM_COPY_READINGS) {
        WriteFormatReadingLines(sink);
    } else {
        const BlockText json{false, true, false, false, 0, false, "", ""};
        WriteBlockText(sink, json, BlockErrorFlags());
    }
    return true;
}

// Back (false: Forward) through the history; the fields, readings, grid
// and format list follow. False when there is no value that way.
bool GoThroughHistory(bool back)
{
    // An edit not yet settled is the value Back leaves.
    RecordSettledValue();
    if (!(back ? OnHistoryBack() : OnHistoryForward()))
        return false;
    RefillFormatList();  // the restored width's formats, its format shown
    RepaintBitRoles();  // the roles' colours follow the format
    return true;
}

}  // namespace

HMENU CopyAsPopup()
{
    HMENU popup = CreatePopupMenu();
    for (const CopyItem& item : CopyItems)
        AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(item.Command), item.Label);
    return popup;
}

bool CopyAs(int command)
{
    static char text[CopyTextCapacity];
    if (!WriteCopyText(command, text) || !OpenClipboard(ShellState.Dialog))
        return false;
    EmptyClipboard();
    HGLOBAL block = WideClipboardText(text);
    bool done = block && SetClipboardData(CF_UNICODETEXT, block);
    if (block && !done)
        GlobalFree(block);
    CloseClipboard();
    return done;
}

bool OnCopyOrHistoryCommand(WPARAM command)
{
    const int id = static_cast<int>(command);
    if (IsCopyCommand(id)) {
        CopyAs(id);
        return true;
    }
    if (id == IDM_HISTORY_BACK || id == IDM_HISTORY_FORWARD) {
        GoThroughHistory(id == IDM_HISTORY_BACK);
        return true;
    }
    return false;
}

bool OnCopyOrHistoryKey(WPARAM virtualKey, bool ctrl, bool shift, bool alt)
{
    if (GetActiveWindow() != ShellState.Dialog)
        return false;
    if (ctrl && shift && !alt && virtualKey == 'C') {
        CopyAs(IDM_COPY_LITERAL);
        return true;
    }
    if (alt && !ctrl && (virtualKey == VK_LEFT || virtualKey == VK_RIGHT)) {
        GoThroughHistory(virtualKey == VK_LEFT);
        return true;
    }
    return false;
}

bool OnAppCommand(int command)
{
    if (command != APPCOMMAND_BROWSER_BACKWARD && command != APPCOMMAND_BROWSER_FORWARD)
        return false;
    GoThroughHistory(command == APPCOMMAND_BROWSER_BACKWARD);
    return true;
}

HMENU BuildEditContextMenu(HWND edit)
{
    const bool readOnly = (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0;
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const DWORD length = static_cast<DWORD>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0));
    const bool selection = end > start;
    const bool canUndo = !readOnly && SendMessageA(edit, EM_CANUNDO, 0, 0) != 0;
    const bool canPaste = !readOnly && IsClipboardFormatAvailable(CF_TEXT);
    auto state = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };

    // The edit control's own items, with the same commands and states.
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, state(canUndo), WM_UNDO, "&Undo");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, state(!readOnly && selection), WM_CUT, "Cu&t");
    AppendMenuA(menu, state(selection), WM_COPY, "&Copy");
    AppendMenuA(menu, state(canPaste), WM_PASTE, "&Paste");
    AppendMenuA(menu, state(!readOnly && selection), WM_CLEAR, "&Delete");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, state(length > 0 && !(start == 0 && end >= length)), EM_SETSEL, "Select &All");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CopyAsPopup()), "C&opy as");
    if (IsBitField(GetDlgCtrlID(edit))) {
        const bool canPasteBytes = IsClipboardFormatAvailable(CF_TEXT) != 0;
        AppendMenuA(menu, state(canPasteBytes), IDM_PASTE_BYTES_LE, "Paste &bytes (little-endian)");
        AppendMenuA(menu, state(canPasteBytes), IDM_PASTE_BYTES_BE, "Paste b&ytes (big-endian)");
    }
    return menu;
}

void RunEditMenuCommand(HWND edit, int command)
{
    switch (command) {
    case 0: break;
    case WM_UNDO:
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR: SendMessageA(edit, static_cast<UINT>(command), 0, 0); break;
    case EM_SETSEL: SendMessageA(edit, EM_SETSEL, 0, -1); break;
    case IDM_PASTE_BYTES_LE:
    case IDM_PASTE_BYTES_BE: PasteBytes(GetDlgCtrlID(edit), command == IDM_PASTE_BYTES_BE); break;
    default: CopyAs(command); break;
    }
}

void ShowEditContextMenu(HWND edit, LPARAM screen)
{
    // As the edit control's own menu: it takes the focus first.
    if (GetFocus() != edit)
        SetFocus(edit);
    HMENU menu = BuildEditContextMenu(edit);
    POINT at = MenuPoint(edit, screen);
    int command = static_cast<int>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x,
                                                  at.y, 0, ShellState.Dialog, nullptr));
    DestroyMenu(menu);
    RunEditMenuCommand(edit, command);
}

void ShowCopyContextMenu(HWND owner, LPARAM screen)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CopyAsPopup()), "C&opy as");
    POINT at = MenuPoint(owner, screen);
    int command = static_cast<int>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x,
                                                  at.y, 0, ShellState.Dialog, nullptr));
    DestroyMenu(menu);
    if (IsCopyCommand(command))
        CopyAs(command);
}

bool PasteBytes(int field, bool bigEndian)
{
    char text[ClipboardTextCapacity];
    ReadClipboard(ShellState.Dialog, text, sizeof text);
    const int32_t width = ConverterState.Width;
    uint8_t bytes[ByteRunCapacity];
    char problem[ByteRunProblemCapacity];
    if (ReadByteRun(text, width, bytes, problem) && OnPasteBytes(bytes, width / 8, bigEndian))
        return true;
    char message[FieldTipCapacity];
    wsprintfA(message,
              "The clipboard holds no run of the width's %d bytes (%s). Bytes are written as a hex "
              "dump or C writes them: CD CC CC 3D, cdcccc3d, {0xCD, 0xCC, 0xCC, 0x3D}.",
              static_cast<int>(width / 8), problem);
    ShowFieldTip(field, "Bytes not pasted", message);
    return false;
}

void StartReadingMenus(HWND dialog)
{
    for (const ReadingRow& row : ReadingTable) {
        if (row.Control != 0)
            SetWindowSubclass(GetDlgItem(dialog, row.Control), ReadingProc, ReadingSubclassId, 0);
    }
    const int others[] = {PaneValue, PaneError, PaneFlags};
    for (int id : others)
        SetWindowSubclass(GetDlgItem(dialog, id), ReadingProc, ReadingSubclassId, 0);
}
