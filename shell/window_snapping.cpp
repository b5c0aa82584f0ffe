#include "shell/window_snapping.h"

#include "shell/optional_user32.h"
#include "shell/shell_state.h"

SnapRecord SnapState;

namespace {

SnapRect FromRect(const RECT& r)
{
    return SnapRect{r.left, r.top, r.right, r.bottom};
}

void ToRect(const SnapRect& s, RECT* r)
{
    r->left = s.left;
    r->top = s.top;
    r->right = s.right;
    r->bottom = s.bottom;
}

SnapRect WindowRectangle(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return FromRect(r);
}

// The x and y of a point packed into an LPARAM, each a signed 16-bit number.
int32_t PackedX(LPARAM point)
{
    return static_cast<int16_t>(static_cast<uint16_t>(point & 0xFFFF));
}
int32_t PackedY(LPARAM point)
{
    return static_cast<int16_t>(static_cast<uint16_t>((point >> 16) & 0xFFFF));
}

void CollectWorkAreas(SnapRecord* state)
{
    state->WorkAreas.count = 0;
    if (OptionalUser32.EnumDisplayMonitors) {
        OptionalUser32.EnumDisplayMonitors(nullptr, nullptr, AddMonitorWorkArea,
                                           reinterpret_cast<LPARAM>(state));
    }
}

}  // namespace

BOOL CALLBACK AddMonitorWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM state)
{
    SnapRecord* snap = reinterpret_cast<SnapRecord*>(state);
    if (snap->WorkAreas.count >= MaxWorkAreas)
        return FALSE;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    AppendWorkArea(&snap->WorkAreas, FromRect(info.rcWork));
    return TRUE;
}

bool TitleBarOnScreen(SnapRecord* state)
{
    TITLEBARINFO info{};
    info.cbSize = sizeof info;
    GetTitleBarInfo(state->Window, &info);
    bool invisible = (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0;
    SnapRect title = TitleBarTestRectangle(FromRect(info.rcTitleBar), invisible,
                                           WindowRectangle(state->Window), GetSystemMetrics(SM_CYCAPTION),
                                           GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CXSIZE));
    if (OptionalUser32.EnumDisplayMonitors) {
        CollectWorkAreas(state);
    } else {
        // Without monitor enumeration the primary screen is the only area.
        state->WorkAreas.count = 0;
        AppendWorkArea(&state->WorkAreas,
                       SnapRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    }
    return TitleBarInsideSomeArea(state->WorkAreas, title);
}

void CenterOnPrimaryScreen(SnapRecord* state, RECT* out)
{
    SnapRect centred = CenteredRectangle(WindowRectangle(state->Window), GetSystemMetrics(SM_CXSCREEN),
                                         GetSystemMetrics(SM_CYSCREEN));
    ToRect(centred, out);
}

void SnapBeginMove(SnapRecord* state, int32_t mx, int32_t my)
{
    state->Grab = GrabRectangle(WindowRectangle(state->Window), mx, my);
    CollectWorkAreas(state);
}

void SnapMoving(SnapRecord* state, RECT* rect, int32_t mx, int32_t my)
{
    ToRect(SnapPosition(state->WorkAreas, state->Grab, mx, my), rect);
}

LRESULT CALLBACK MoveMouseHookProc(int code, WPARAM message, LPARAM mouse)
{
    if (code >= 0) {
        const MOUSEHOOKSTRUCT* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(mouse);
        ShellState.LastMouseX = info->pt.x;
        ShellState.LastMouseY = info->pt.y;
    }
    return CallNextHookEx(nullptr, code, message, mouse);
}

void PlaceMainWindow(HWND dialog)
{
    SnapState.Window = dialog;
    SetWindowPos(dialog, HWND_TOP, ShellState.SavedX, ShellState.SavedY, 0, 0, SWP_NOSIZE);
    if (!TitleBarOnScreen(&SnapState)) {
        RECT centred{};
        CenterOnPrimaryScreen(&SnapState, &centred);
        SetWindowPos(dialog, HWND_TOP, centred.left, centred.top, 0, 0, SWP_NOSIZE);
    }
}

void OnNcLButtonDown(LPARAM point)
{
    ShellState.LastMouseX = PackedX(point);
    ShellState.LastMouseY = PackedY(point);
}

void OnEnterSizeMove()
{
    // A move that never reported its end must not leave its hook behind.
    if (ShellState.MouseHook)
        UnhookWindowsHookEx(ShellState.MouseHook);
    ShellState.MouseHook = SetWindowsHookExA(WH_MOUSE, MoveMouseHookProc, nullptr, GetCurrentThreadId());
    // A move begun from the keyboard (the system menu's "Move") brings the
    // cursor onto the caption without a WM_NCLBUTTONDOWN; grabbing at the
    // click of an earlier drag would make the window jump by the difference.
    POINT cursor{};
    if (GetCursorPos(&cursor)) {
        ShellState.LastMouseX = cursor.x;
        ShellState.LastMouseY = cursor.y;
    }
    SnapBeginMove(&SnapState, ShellState.LastMouseX, ShellState.LastMouseY);
}

void OnMoving(LPARAM rect)
{
    SnapMoving(&SnapState, reinterpret_cast<RECT*>(rect), ShellState.LastMouseX, ShellState.LastMouseY);
}

void OnExitSizeMove()
{
    if (ShellState.MouseHook)
        UnhookWindowsHookEx(ShellState.MouseHook);
    ShellState.MouseHook = nullptr;
}
