#include "shell/field_entry.h"

#include "core/field_ids.h"

void PrepareOverwrite(HWND edit, int field)
{
    if (field != FieldBinary && field != FieldHex)
        return;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return;
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != end)
        return;
    const auto length = static_cast<DWORD>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0));
    const auto limit = static_cast<DWORD>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    if (length < limit || start >= length)
        return;
    SendMessageA(edit, EM_SETSEL, start, start + 1);
}
