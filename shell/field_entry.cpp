#include "shell/field_entry.h"

#include "core/field_ids.h"

namespace {

// The letter after the first single '&' of text, in capitals; 0 for none.
char MnemonicOf(const char* text)
{
    for (const char* c = text; *c; ++c) {
        if (*c != '&')
            continue;
        if (c[1] == '&') {
            ++c;  // "&&" is a literal ampersand
            continue;
        }
        char letter = c[1];
        return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    }
    return 0;
}

bool IsLabelOrButton(HWND control)
{
    char name[16];  // 16: longer than "Static" and "Button"; other classes do not matter
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Static") == 0 || lstrcmpiA(name, "Button") == 0;
}

}  // namespace

bool IsDialogMnemonic(HWND dialog, WPARAM virtualKey)
{
    if (!dialog || virtualKey < 'A' || virtualKey > 'Z')
        return false;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[64];  // 64: longer than every label and button text
        if (!IsLabelOrButton(child) || !GetWindowTextA(child, text, sizeof text))
            continue;
        if (static_cast<WPARAM>(static_cast<unsigned char>(MnemonicOf(text))) == virtualKey)
            return true;
    }
    return false;
}

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
    const auto length = static_cast<DWORD>(GetWindowTextLengthA(edit));
    const auto limit = static_cast<DWORD>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    if (length < limit || start >= length)
        return;
    SendMessageA(edit, EM_SETSEL, start, start + 1);
}
