// dexolin-probe: looks into a running Dexolin window from outside, for the
// end-to-end test.
//   dexolin-probe fields       prints "id text" for each number field, then
//                              "checked id" for each ticked button
//   dexolin-probe center ID    prints the screen centre "x y" of a control
//   dexolin-probe close        sends the window its close command
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 1;
    HWND dialog = FindDexolin();
    if (!dialog)
        return 2;
    if (std::strcmp(argv[1], "fields") == 0)
        return PrintFields(dialog);
    if (std::strcmp(argv[1], "center") == 0 && argc == 3)
        return PrintCenter(dialog, std::atoi(argv[2]));
    if (std::strcmp(argv[1], "close") == 0)
        return PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    return 1;
}
