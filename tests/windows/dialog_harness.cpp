#include "tests/windows/dialog_harness.h"

#include <cstring>

#include "shell/bit_grid.h"
#include "shell/inspector_pane.h"
#include "shell/main_dialog.h"
#include "shell/optional_user32.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "shell/startup.h"

namespace {

HWND Current;  // the dialog under test
std::vector<SeenKey> Seen;

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

bool HandlePending()
{
    bool any = false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        any = true;
        if (IsKeyMessage(msg.message))
            Seen.push_back({msg.message, msg.wParam});
        if (Current && IsWindow(Current) && IsDialogMessageA(Current, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return any;
}

void SendKey(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void PumpMessages()
{
    // Input from SendInput and repaints may arrive a little later than the
    // call that caused them; wait until nothing has come for 30 ms.
    for (int idle = 0; idle < 3;) {
        if (HandlePending())
            idle = 0;
        else {
            ++idle;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
}

HWND OpenMainDialog(int widthButton, int endianButton, bool inspector)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    LookUpOptionalUser32();
    ShellState.InitialWidthButton = widthButton;
    ShellState.InitialEndianButton = endianButton;
    ShellState.SavedX = 40;
    ShellState.SavedY = 40;
    // Opaque and not on top, as on a first run: translucency while inactive
    // would change every pixel a test reads once the dialog loses the focus.
    ShellState.Alpha = 255;
    ShellState.AlwaysTransparent = 0;
    ShellState.OnTop = 0;
    PaneState.Shown = inspector ? 1 : 0;
    PrepareMainDialog(instance);
    Current = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
    ShowWindow(Current, SW_SHOW);
    SetForegroundWindow(Current);
    SetActiveWindow(Current);
    PumpMessages();
    ClearSeenKeys();
    return Current;
}

void CloseMainDialog()
{
    if (Current && IsWindow(Current)) {
        SendMessageA(Current, WM_CLOSE, 0, 0);
        DestroyWindow(Current);
    }
    Current = nullptr;
    PumpMessages();
    ReleaseMainDialogResources();
}

void SendKeyStroke(WORD virtualKey)
{
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
}

void PressKey(WORD virtualKey)
{
    SendKeyStroke(virtualKey);
    PumpMessages();
}

void PressKeyWith(WORD modifier, WORD virtualKey)
{
    SendKey(modifier, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    SendKey(modifier, true);
    PumpMessages();
}

void TypeText(const char* text)
{
    for (const char* c = text; *c; ++c) {
        SHORT scan = VkKeyScanA(*c);
        auto key = static_cast<WORD>(scan & 0xFF);
        if (scan & 0x100)
            PressKeyWith(VK_SHIFT, key);
        else
            PressKey(key);
    }
}

const std::vector<SeenKey>& SeenKeys()
{
    return Seen;
}
void ClearSeenKeys()
{
    Seen.clear();
}

bool KeyWasSeen(WPARAM virtualKey)
{
    for (const SeenKey& key : Seen) {
        if (key.Key == virtualKey)
            return true;
    }
    return false;
}

void FocusControl(int id)
{
    SetFocus(Control(id));
    PumpMessages();
}

void SetClipboardText(const char* text)
{
    if (!OpenClipboard(Current))
        return;
    EmptyClipboard();
    size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

void ClickButton(int id)
{
    SendMessageA(Control(id), BM_CLICK, 0, 0);
    PumpMessages();
}

HWND Dialog()
{
    return Current;
}
HWND Control(int id)
{
    return GetDlgItem(Current, id);
}

std::string ControlText(int id)
{
    char text[256];  // 256: above every field's longest text (80 binary digits)
    GetWindowTextA(Control(id), text, sizeof text);
    return text;
}

int TextLimit(int id)
{
    return static_cast<int>(SendMessageA(Control(id), EM_GETLIMITTEXT, 0, 0));
}
bool IsEnabled(int id)
{
    return IsWindowEnabled(Control(id)) != FALSE;
}
bool IsChecked(int id)
{
    return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
LONG Style(int id)
{
    return GetWindowLongA(Control(id), GWL_STYLE);
}
LONG ExStyle(int id)
{
    return GetWindowLongA(Control(id), GWL_EXSTYLE);
}

int CountPixels(int id, COLORREF colour)
{
    return CountWindowPixels(Control(id), colour);
}

int CountWindowPixels(HWND control, COLORREF colour, const RECT* area)
{
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client;
    GetClientRect(control, &client);
    if (area)
        client = *area;
    const int width = client.right - client.left, height = client.bottom - client.top;

    // Copy the client area into a 32-bit top-down bitmap and count there:
    // one copy instead of a GetPixel call per pixel.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(control);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, client.left, client.top, SRCCOPY);
    GdiFlush();

    // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
    const DWORD wanted = (static_cast<DWORD>(GetRValue(colour)) << 16) |
        (static_cast<DWORD>(GetGValue(colour)) << 8) | GetBValue(colour);
    const auto* pixels = static_cast<const DWORD*>(bits);
    int count = 0;
    for (int i = 0; pixels && i < width * height; ++i) {
        if ((pixels[i] & 0xFFFFFF) == wanted)
            ++count;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(control, screen);
    return count;
}

HWND BitGrid()
{
    return Control(IDC_BIT_GRID);
}

std::string BitText(int bit)
{
    char digit[4];  // "0" or "1"
    ReadBitText(bit, digit, sizeof digit);
    return BitShows(bit) ? std::string(digit) : std::string();
}

bool TileShows(int bit)
{
    return IsWindowVisible(BitGrid()) && BitShows(bit);
}

// The grid's accessible object reads the tiles where the screen has them.
RECT TileRect(int bit)
{
    RECT tile = BitTileOnScreen(bit);
    MapWindowPoints(nullptr, BitGrid(), reinterpret_cast<POINT*>(&tile), 2);
    return tile;
}

void ClickTile(int bit)
{
    RECT tile = TileRect(bit);
    const LPARAM centre = MAKELPARAM((tile.left + tile.right) / 2, (tile.top + tile.bottom) / 2);
    SendMessageA(BitGrid(), WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageA(BitGrid(), WM_LBUTTONUP, 0, centre);
    PumpMessages();
}

int CountTilePixels(int bit, COLORREF colour)
{
    RECT tile = TileRect(bit);
    return CountWindowPixels(BitGrid(), colour, &tile);
}
