// dexolin-probe: looks into a running Dexolin window from outside, for the
// end-to-end test.
//   dexolin-probe fields       prints "id text" for each number field, then
//                              "checked id" for each ticked button
//   dexolin-probe center ID    prints the screen centre "x y" of a control
//   dexolin-probe close        sends the window its close command
//   dexolin-probe shown        exits 0 when the window is visible and has
//                              painted itself and every control, else 1
//   dexolin-probe rect         prints the window's screen rectangle
//                              "left top right bottom"
//   dexolin-probe hold SECONDS stands in for a Dexolin that does not close:
//                              shows a dialog-class window captioned
//                              "Dexolin" that ignores WM_CLOSE, for SECONDS
// With "--desktop NAME" first, the window is looked for in that Wine virtual
// desktop (explorer /desktop=NAME) instead of the default one.
// Exits with 2 when no Dexolin window is found.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int FirstField = 1006;
constexpr int LastField = 1011;
constexpr int FirstButton = 1012;  // sign box, then the option buttons
constexpr int LastButton = 1021;

HWND FindDexolin()
{
    return FindWindowA("#32770", "Dexolin");
}

int PrintFields(HWND dialog)
{
    for (int id = FirstField; id <= LastField; ++id) {
        char text[128];  // 128: above the longest field text (80 binary digits)
        text[0] = '\0';
        SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%d %s\n", id, text);
    }
    for (int id = FirstButton; id <= LastButton; ++id) {
        if (SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED)
            std::printf("checked %d\n", id);
    }
    return 0;
}

int PrintCenter(HWND dialog, int id)
{
    RECT rect;
    if (!GetWindowRect(GetDlgItem(dialog, id), &rect))
        return 1;
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}

// A window has painted once it is visible and nothing of it waits for
// WM_PAINT; the controls paint after the dialog, so each is asked too.
bool HasPainted(HWND window)
{
    return IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE);
}

int Shown(HWND dialog)
{
    if (!HasPainted(dialog))
        return 1;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && !HasPainted(child))
            return 1;
    }
    return 0;
}

int PrintRect(HWND dialog)
{
    RECT rect;
    if (!GetWindowRect(dialog, &rect))
        return 1;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

// A window of the dialog class without a dialog procedure: the dialog
// manager turns WM_CLOSE into an IDCANCEL command that nothing handles.
int Hold(int seconds)
{
    HWND window = CreateWindowExA(0, "#32770", "Dexolin", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 10, 10,
                                  200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window)
        return 1;
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    DestroyWindow(window);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--desktop") == 0) {
        HDESK desktop = OpenDesktopA(argv[2], 0, FALSE, GENERIC_ALL);
        if (!desktop || !SetThreadDesktop(desktop))
            return 2;
        argc -= 2;
        argv += 2;
    }
    if (argc < 2)
        return 1;
    if (std::strcmp(argv[1], "hold") == 0 && argc == 3)
        return Hold(std::atoi(argv[2]));
    HWND dialog = FindDexolin();
    if (!dialog)
        return 2;
    if (std::strcmp(argv[1], "fields") == 0)
        return PrintFields(dialog);
    if (std::strcmp(argv[1], "center") == 0 && argc == 3)
        return PrintCenter(dialog, std::atoi(argv[2]));
    if (std::strcmp(argv[1], "shown") == 0)
        return Shown(dialog);
    if (std::strcmp(argv[1], "rect") == 0)
        return PrintRect(dialog);
    if (std::strcmp(argv[1], "close") == 0)
        return PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    return 1;
}
