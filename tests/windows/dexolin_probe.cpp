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
