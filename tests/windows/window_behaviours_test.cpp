// The real dialog, run from the real resources on its own thread, driven
// from the test thread: system menu, translucency, always-on-top, snapping
// during real mouse drags, start-up placement and the settings written at
// exit. Runs under Wine in a virtual desktop of its own (Wine then draws the
// frames and runs its own move loop), which main() sets up.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <string>

#include "shell/optional_user32.h"
#include "shell/shell_state.h"
#include "shell/startup.h"
#include "shell/transparency_steps.h"
#include "shell/window_snapping.h"

namespace {

constexpr const char* TestKeyPath = "Software\\Brevlund\\DexolinWindowTests";
constexpr const char* ResultKeyPath = "Software\\Brevlund\\DexolinTestRuns";
constexpr const char* DesktopName = "DexolinWindowTests";
constexpr int DesktopWidth = 1024;
constexpr int DesktopHeight = 768;
constexpr DWORD PatienceMs = 5000;  // for the program thread to catch up, never a measurement

// ---- Settings --------------------------------------------------------------

void ClearSettings()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, TestKeyPath);
}

void StoreSetting(const char* name, uint32_t value)
{
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, TestKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

// The value written at exit; 0xDEADBEEF when there is none.
uint32_t WrittenSetting(const char* name)
{
    uint32_t value = 0xDEADBEEF;
    DWORD size = sizeof value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, TestKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return value;
    }
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS) {
        value = 0xDEADBEEF;
    }
    RegCloseKey(key);
    return value;
}

uint32_t Packed(int32_t x, int32_t y)
{
    return (static_cast<uint32_t>(y) << 16) | (static_cast<uint32_t>(x) & 0xFFFF);
}

// ---- Fake monitor enumerations (called on the program's thread) -------------

volatile LONG EnumeratedMonitors = 0;

BOOL WINAPI EnumerateNoMonitors(HDC, LPCRECT, MONITORENUMPROC, LPARAM)
{
    return TRUE;
}

// Twenty monitors, all the primary one, reported the way the system does:
// the enumeration ends when the callback returns FALSE.
BOOL WINAPI EnumerateTwentyMonitors(HDC, LPCRECT, MONITORENUMPROC callback, LPARAM data)
{
    HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    RECT screen{0, 0, DesktopWidth, DesktopHeight};
    for (int i = 0; i < 20; ++i) {
        InterlockedIncrement(&EnumeratedMonitors);
        if (!callback(primary, nullptr, &screen, data))
            return TRUE;
    }
    return TRUE;
}

// ---- The program on its own thread ------------------------------------------

DWORD WINAPI ProgramThread(LPVOID)
{
    // Threads start with a 53-bit x87 precision; the program's main thread
    // runs with 64 bits, as the converter expects.
    uint16_t controlWord = 0x037F;
    asm volatile("fldcw %0" : : "m"(controlWord));
    return static_cast<DWORD>(RunWithOptionalUser32(GetModuleHandleA(nullptr), TestKeyPath));
}

// Waits, pumping this thread's messages, until done() or the patience ends.
template <typename Done> bool WaitFor(Done done, DWORD patience = PatienceMs)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > patience)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    return true;
}

class WindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearSettings();
        LookUpOptionalUser32();
        EnumeratedMonitors = 0;
    }

    void TearDown() override
    {
        if (thread_)
            Stop();
        ClearSettings();
    }

    // Starts the program with OptionalUser32 as the test left it and waits
    // for its dialog to show.
    void Start()
    {
        // These tests are about dialog 101's window: without the inspector
        // pane below it. (With the taller window, the synthetic drags start
        // from a stale cursor position where the cursor rests over the
        // window before the first move; see the drag tests.)
        StoreSetting("Inspector", 0);
        thread_ = CreateThread(nullptr, 0, ProgramThread, nullptr, 0, &threadId_);
        ASSERT_NE(thread_, nullptr);
        bool shown = WaitFor([this] {
            dialog_ = FindWindowA("#32770", "Dexolin");
            return dialog_ && IsWindowVisible(dialog_);
        });
        ASSERT_TRUE(shown) << "the dialog did not show";
        Sync();
        systemMenu_ = GetSystemMenu(dialog_, FALSE);
    }

    // Closes the dialog as the close box does and waits for the settings to
    // be written.
    void Stop()
    {
        PostMessageA(dialog_, WM_CLOSE, 0, 0);
        DWORD waited = WaitForSingleObject(thread_, PatienceMs);
        EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program did not end after WM_CLOSE";
        CloseHandle(thread_);
        thread_ = nullptr;
    }

    // Returns once the program thread has handled everything sent before.
    void Sync()
    {
        SendMessageA(dialog_, WM_NULL, 0, 0);
    }

    void Command(WPARAM id)
    {
        SendMessageA(dialog_, WM_SYSCOMMAND, id, 0);
    }

    bool Checked(UINT id)
    {
        UINT state = GetMenuState(systemMenu_, id, MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
    }

    // The one checked step; 0 for none, -n for n checked steps.
    int CheckedStep()
    {
        int step = 0;
        int count = 0;
        for (int s = 1; s <= 10; ++s) {
            if (Checked(static_cast<UINT>(StepCommandBase + s))) {
                step = s;
                ++count;
            }
        }
        return count <= 1 ? step : -count;
    }

    bool Layered()
    {
        return (GetWindowLongA(dialog_, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    }
    bool Topmost()
    {
        return (GetWindowLongA(dialog_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }

    // The alpha the window manager holds; -1 when the window is not layered.
    int LayeredAlpha()
    {
        BYTE alpha = 0;
        DWORD flags = 0;
        COLORREF key = 0;
        if (!GetLayeredWindowAttributes(dialog_, &key, &alpha, &flags))
            return -1;
        return (flags & LWA_ALPHA) ? alpha : -1;
    }

    RECT WindowRect()
    {
        RECT r{};
        GetWindowRect(dialog_, &r);
        return r;
    }

    bool WaitForWindowAt(LONG left, LONG top)
    {
        return WaitFor([&] {
            RECT r = WindowRect();
            return r.left == left && r.top == top;
        });
    }

    bool InMoveLoop()
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(threadId_, &info) && (info.flags & GUI_INMOVESIZE) != 0;
    }

    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HWND dialog_ = nullptr;
    HMENU systemMenu_ = nullptr;
};

std::string MenuText(HMENU menu, UINT position)
{
    char text[64] = {};  // longest item text is "Always on top"
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

bool IsSeparator(HMENU menu, UINT position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return GetMenuItemInfoA(menu, position, TRUE, &info) && (info.fType & MFT_SEPARATOR) != 0;
}

// ---- Mouse and keys ---------------------------------------------------------

void SendMouse(DWORD flags, int x, int y)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = (x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
    SendInput(1, &input, sizeof input);
}

// Presses and releases each key in turn.
void SendKeys(std::initializer_list<WORD> keys)
{
    INPUT input[16] = {};  // a press and a release for up to 8 keys
    UINT n = 0;
    for (WORD key : keys) {
        if (n + 2 > std::size(input))
            break;
        input[n].type = INPUT_KEYBOARD;
        input[n].ki.wVk = key;
        input[n + 1] = input[n];
        input[n + 1].ki.dwFlags = KEYEVENTF_KEYUP;
        n += 2;
    }
    SendInput(n, input, sizeof input[0]);
}

// ---- System menu --------------------------------------------------------------

TEST_F(WindowTest, SystemMenuBeginsWithOnTopTransparencyAndSeparator)
{
    Start();
    ASSERT_GT(GetMenuItemCount(systemMenu_), 3);
    EXPECT_EQ(GetMenuItemID(systemMenu_, 0), 40960u);
    EXPECT_EQ(MenuText(systemMenu_, 0), "Always on top");
    EXPECT_EQ(GetMenuState(systemMenu_, 0, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED | MF_DISABLED), 0u);
    HMENU popup = GetSubMenu(systemMenu_, 1);
    ASSERT_NE(popup, nullptr) << "no popup at position 1";
    EXPECT_EQ(MenuText(systemMenu_, 1), "Transparency");
    EXPECT_TRUE(IsSeparator(systemMenu_, 2));
    EXPECT_FALSE(IsSeparator(systemMenu_, 3)) << "the standard items follow";

    struct Item {
        UINT id;
        const char* text;
    } const items[] = {
        {40011, "Always"}, {0, nullptr},   {40010, "100%"}, {40009, "90%"}, {40008, "80%"}, {40007, "70%"},
        {40006, "60%"},    {40005, "50%"}, {40004, "40%"},  {40003, "30%"}, {40002, "20%"}, {40001, "10%"},
    };
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(std::size(items)));
    for (UINT i = 0; i < std::size(items); ++i) {
        if (!items[i].text) {
            EXPECT_TRUE(IsSeparator(popup, i)) << "position " << i;
            continue;
        }
        EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), items[i].id) << "position " << i;
        EXPECT_EQ(MenuText(popup, i), items[i].text) << "position " << i;
    }
    // A first run: opaque, not on top, nothing but the 100% step checked.
    EXPECT_EQ(CheckedStep(), 10);
    EXPECT_FALSE(Checked(40011));
    EXPECT_FALSE(Checked(40960));
    EXPECT_FALSE(Layered());
    EXPECT_FALSE(Topmost());
}

// ---- Translucency -------------------------------------------------------------

TEST_F(WindowTest, StepCommandsMoveTheCheckMarkAndTheLayeredStyle)
{
    Start();
    struct Case {
        WPARAM command;
        int step;
        bool layered;
    } const cases[] = {
        {40005, 5, true},   {40001, 1, true}, {40009, 9, true},   {40010, 10, false},
        {40010, 10, false}, {40003, 3, true}, {40010, 10, false},
    };
    for (const Case& c : cases) {
        Command(c.command);
        EXPECT_EQ(CheckedStep(), c.step) << "after command " << c.command;
        EXPECT_EQ(Layered(), c.layered) << "after command " << c.command;
        // Without "Always" the active window stays opaque.
        if (c.layered) {
            EXPECT_EQ(LayeredAlpha(), 255) << "after command " << c.command;
        }
        EXPECT_FALSE(Checked(40011));
    }
    Command(40006);
    Stop();
    EXPECT_EQ(WrittenSetting("Transparency"), 153u);
}

// The real menu, opened with Alt+Space and driven by keys from this thread
// while the program's thread runs the menu: Wine delivers the choice of a
// popup item of the system menu as WM_COMMAND, Windows as WM_SYSCOMMAND.
// The focus starts in a number field, which holds back Alt+Space; it is
// moved to an option button first.
TEST_F(WindowTest, TransparencyItemsChosenThroughTheMenuByKeyboard)
{
    Start();
    PostMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, 1020)), TRUE);
    SetForegroundWindow(dialog_);
    Sync();
    struct Case {
        int downs;  // Down keys in the popup from "Always" (position 0)
        int step;  // the checked step after the choice
        bool always;
    } const cases[] = {{6, 5, false}, {0, 5, true}, {10, 1, true}};
    for (const Case& c : cases) {
        INPUT chord[4] = {};
        WORD keys[4] = {VK_MENU, VK_SPACE, VK_SPACE, VK_MENU};
        for (int i = 0; i < 4; ++i) {
            chord[i].type = INPUT_KEYBOARD;
            chord[i].ki.wVk = keys[i];
            chord[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
        }
        SendInput(4, chord, sizeof chord[0]);
        ASSERT_TRUE(WaitFor([this] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(threadId_, &info) && (info.flags & GUI_INMENUMODE) != 0;
        })) << "the system menu did not open";
        // "Transparency" is the second item; Right opens its popup.
        SendKeys({VK_DOWN, VK_RIGHT});
        Sleep(100);
        for (int i = 0; i < c.downs; ++i)
            SendKeys({VK_DOWN});
        SendKeys({VK_RETURN});
        EXPECT_TRUE(WaitFor([&] { return CheckedStep() == c.step && Checked(40011) == c.always; }))
            << "step " << CheckedStep() << ", expected " << c.step << "; Always " << Checked(40011);
        Sync();
    }
    Stop();
    EXPECT_EQ(WrittenSetting("Transparency"), static_cast<uint32_t>(-25));
}

TEST_F(WindowTest, AlwaysIsTranslucentAtOnceAndItsClearingOpaqueAtOnce)
{
    Start();
    Command(40005);
    EXPECT_EQ(LayeredAlpha(), 255);
    Command(40011);
    EXPECT_TRUE(Checked(40011));
    EXPECT_EQ(LayeredAlpha(), 127);
    Command(40002);
    EXPECT_EQ(LayeredAlpha(), 51);
    Command(40011);
    EXPECT_FALSE(Checked(40011));
    EXPECT_TRUE(Layered());
    EXPECT_EQ(LayeredAlpha(), 255);
    // At 100% "Always" changes its check mark only.
    Command(40010);
    EXPECT_FALSE(Layered());
    Command(40011);
    EXPECT_TRUE(Checked(40011));
    EXPECT_FALSE(Layered());
    Command(40011);
    EXPECT_FALSE(Checked(40011));
    EXPECT_FALSE(Layered());
    Command(40011);
    Stop();
    EXPECT_EQ(WrittenSetting("Transparency"), static_cast<uint32_t>(-255));
}

// Activation moves between the dialog and a window of the test thread.
class ActivationTest : public WindowTest {
protected:
    void ActivateOther()
    {
        other_ = CreateWindowExA(0, "Static", "Other", WS_POPUP | WS_VISIBLE | WS_BORDER, 600, 500, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(other_, nullptr);
        SetForegroundWindow(other_);
        ASSERT_TRUE(WaitFor([this] { return GetForegroundWindow() == other_; }));
        Sync();
    }
    void ActivateDialog()
    {
        SetForegroundWindow(dialog_);
        ASSERT_TRUE(WaitFor([this] { return GetForegroundWindow() == dialog_; }));
        Sync();
    }
    void TearDown() override
    {
        if (other_)
            DestroyWindow(other_);
        WindowTest::TearDown();
    }
    HWND other_ = nullptr;
};

TEST_F(ActivationTest, TranslucentOnlyWhileInactiveWithoutAlways)
{
    StoreSetting("Transparency", 100);  // step 3, alpha 76
    Start();
    ActivateDialog();
    EXPECT_EQ(CheckedStep(), 3);
    EXPECT_TRUE(Layered());
    EXPECT_EQ(LayeredAlpha(), 255) << "active";
    ActivateOther();
    EXPECT_EQ(LayeredAlpha(), 76) << "inactive";
    ActivateDialog();
    EXPECT_EQ(LayeredAlpha(), 255) << "active again";
    Stop();
    EXPECT_EQ(WrittenSetting("Transparency"), 76u);
}

TEST_F(ActivationTest, TranslucentThroughoutWithAlways)
{
    StoreSetting("Transparency", static_cast<uint32_t>(-100));
    Start();
    ActivateDialog();
    EXPECT_TRUE(Checked(40011));
    EXPECT_EQ(LayeredAlpha(), 76) << "active";
    ActivateOther();
    EXPECT_EQ(LayeredAlpha(), 76) << "inactive";
    ActivateDialog();
    EXPECT_EQ(LayeredAlpha(), 76) << "active again";
    Stop();
    EXPECT_EQ(WrittenSetting("Transparency"), static_cast<uint32_t>(-76));
}

TEST_F(WindowTest, AnySavedTransparencyGivesOneCheckedStep)
{
    struct Case {
        int32_t stored;
        int step;
        bool always;
        int32_t written;
    } const cases[] = {
        {255, 10, false, 255}, {-255, 10, true, -255},      {-300, 10, true, -255},
        {256, 10, false, 255}, {INT32_MAX, 10, false, 255}, {INT32_MIN, 10, true, -255},
        {254, 9, false, 230},  {230, 9, false, 230},        {100, 3, false, 76},
        {-100, 3, true, -76},  {26, 1, false, 25},          {25, 1, false, 25},
        {24, 1, false, 25},    {10, 1, false, 25},          {-10, 1, true, -25},
        {0, 1, false, 25},
    };
    for (const Case& c : cases) {
        ClearSettings();
        StoreSetting("Transparency", static_cast<uint32_t>(c.stored));
        Start();
        EXPECT_EQ(CheckedStep(), c.step) << "stored " << c.stored;
        EXPECT_EQ(Checked(40011), c.always) << "stored " << c.stored;
        EXPECT_EQ(Layered(), c.step != 10) << "stored " << c.stored;
        Stop();
        EXPECT_EQ(static_cast<int32_t>(WrittenSetting("Transparency")), c.written) << "stored " << c.stored;
    }
}

// ---- Always on top ------------------------------------------------------------

TEST_F(WindowTest, OnTopFollowsTheSavedFlagAndToggles)
{
    struct Case {
        uint32_t stored;
        bool on;
    } const cases[] = {{1, true}, {0, false}, {256, false}, {257, true}, {0x80, true}};
    for (const Case& c : cases) {
        ClearSettings();
        StoreSetting("OnTop", c.stored);
        Start();
        EXPECT_EQ(Topmost(), c.on) << "stored " << c.stored;
        EXPECT_EQ(Checked(40960), c.on) << "stored " << c.stored;
        Command(40960);
        EXPECT_EQ(Topmost(), !c.on) << "stored " << c.stored << ", toggled once";
        EXPECT_EQ(Checked(40960), !c.on) << "stored " << c.stored << ", toggled once";
        Command(40960);
        EXPECT_EQ(Topmost(), c.on) << "stored " << c.stored << ", toggled twice";
        EXPECT_EQ(Checked(40960), c.on) << "stored " << c.stored << ", toggled twice";
        Command(40960);
        Stop();
        EXPECT_EQ(WrittenSetting("OnTop"), c.on ? 0u : 1u) << "stored " << c.stored;
    }
}

TEST_F(WindowTest, OtherSystemCommandsKeepTheirDefaultCourse)
{
    Start();
    SendMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD waited = WaitForSingleObject(thread_, PatienceMs);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "SC_CLOSE did not close the dialog";
    CloseHandle(thread_);
    thread_ = nullptr;
}

// ---- Without the optional functions -------------------------------------------

TEST_F(WindowTest, WithoutLayeredAttributesNoPopupButOnTopWorks)
{
    OptionalUser32.SetLayeredWindowAttributes = nullptr;
    StoreSetting("Transparency", static_cast<uint32_t>(-100));
    Start();
    EXPECT_EQ(GetMenuItemID(systemMenu_, 0), 40960u);
    EXPECT_EQ(GetSubMenu(systemMenu_, 1), nullptr) << "a popup at position 1";
    EXPECT_NE(GetMenuItemID(systemMenu_, 1), 40960u);
    EXPECT_TRUE(IsSeparator(systemMenu_, 1)) << "the separator follows the program's first item";
    EXPECT_EQ(GetMenuItemID(systemMenu_, 2), 40961u);
    EXPECT_EQ(GetMenuState(systemMenu_, 40011, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(systemMenu_, 40005, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_FALSE(Layered());
    Command(40005);
    Command(40011);
    EXPECT_FALSE(Layered());
    Command(40960);
    EXPECT_TRUE(Topmost());
    EXPECT_TRUE(Checked(40960));
    Stop();
    EXPECT_EQ(WrittenSetting("Transparency"), 255u);
    EXPECT_EQ(WrittenSetting("OnTop"), 1u);
}

TEST_F(WindowTest, WithoutEitherFunctionTheProgramStillRuns)
{
    OptionalUser32.SetLayeredWindowAttributes = nullptr;
    OptionalUser32.EnumDisplayMonitors = nullptr;
    StoreSetting("Position", Packed(30000, 30000));
    StoreSetting("OnTop", 1);
    Start();
    RECT r = WindowRect();
    EXPECT_EQ(r.left, (DesktopWidth - (r.right - r.left)) >> 1);
    EXPECT_EQ(r.top, (DesktopHeight - (r.bottom - r.top)) >> 1);
    EXPECT_TRUE(Topmost());
    Command(40001);
    EXPECT_FALSE(Layered());
    Stop();
    EXPECT_EQ(WrittenSetting("Transparency"), 255u);
}

// ---- The popup's ownership ----------------------------------------------------

TEST_F(WindowTest, TransparencyPopupIsDestroyedWithTheWindowOnly)
{
    Start();
    HMENU bar = ShellState.TransparencyMenu;
    HMENU popup = GetSubMenu(systemMenu_, 1);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_EQ(GetMenuItemCount(bar), 0) << "menu 102 still holds the popup";
    Stop();
    EXPECT_FALSE(IsMenu(popup)) << "the popup outlived the window";
    EXPECT_FALSE(IsMenu(bar)) << "menu 102 was not destroyed";
}

TEST_F(WindowTest, TransparencyPopupNotOfferedIsDestroyedWithItsMenu)
{
    OptionalUser32.SetLayeredWindowAttributes = nullptr;
    Start();
    HMENU bar = ShellState.TransparencyMenu;
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_NE(popup, nullptr) << "menu 102 lost its popup";
    EXPECT_TRUE(IsMenu(popup));
    Stop();
    EXPECT_FALSE(IsMenu(popup));
    EXPECT_FALSE(IsMenu(bar));
}

// ---- Start-up placement -----------------------------------------------------

TEST_F(WindowTest, SavedPositionIsKeptOnScreenAndCentredOffIt)
{
    struct Case {
        uint32_t stored;
        bool kept;
        int32_t x, y;  // where a kept window is
    } const cases[] = {
        {Packed(200, 150), true, 200, 150},  {0, true, 0, 0},
        {Packed(-10, 100), true, -10, 100},  {Packed(100, 700), true, 100, 700},
        {0x0064FFF6, true, -10, 100},  // x in the low half, sign-extended
        {Packed(2000, 100), false, 0, 0},    {Packed(100, 760), false, 0, 0},
        {Packed(100, -40), false, 0, 0},     {Packed(-700, 100), false, 0, 0},
        {Packed(30000, 30000), false, 0, 0}, {0x80008000, false, 0, 0},  // -32768, -32768
        {Packed(70000, 100), false, 0, 0},  // x wraps to 4464
        {0xFFFFFFFF, true, -1, -1},
    };
    for (const Case& c : cases) {
        ClearSettings();
        StoreSetting("Position", c.stored);
        Start();
        RECT r = WindowRect();
        LONG w = r.right - r.left;
        LONG h = r.bottom - r.top;
        LONG wantX = c.kept ? c.x : (DesktopWidth - w) >> 1;
        LONG wantY = c.kept ? c.y : (DesktopHeight - h) >> 1;
        EXPECT_EQ(r.left, wantX) << "stored 0x" << std::hex << c.stored;
        EXPECT_EQ(r.top, wantY) << "stored 0x" << std::hex << c.stored;
        Stop();
        EXPECT_EQ(WrittenSetting("Position"), Packed(wantX, wantY)) << "stored 0x" << std::hex << c.stored;
    }
}

TEST_F(WindowTest, WithoutMonitorEnumerationThePrimaryScreenDecides)
{
    OptionalUser32.EnumDisplayMonitors = nullptr;
    StoreSetting("Position", Packed(200, 150));
    Start();
    EXPECT_EQ(WindowRect().left, 200);
    EXPECT_EQ(WindowRect().top, 150);
    Stop();
    StoreSetting("Position", Packed(-2000, 150));
    Start();
    RECT r = WindowRect();
    EXPECT_EQ(r.left, (DesktopWidth - (r.right - r.left)) >> 1);
    EXPECT_EQ(r.top, (DesktopHeight - (r.bottom - r.top)) >> 1);
}

TEST_F(WindowTest, NoMonitorReportedCentresEvenAnOnScreenPosition)
{
    OptionalUser32.EnumDisplayMonitors = EnumerateNoMonitors;
    StoreSetting("Position", Packed(200, 150));
    Start();
    RECT r = WindowRect();
    EXPECT_EQ(r.left, (DesktopWidth - (r.right - r.left)) >> 1);
    EXPECT_EQ(r.top, (DesktopHeight - (r.bottom - r.top)) >> 1);
    EXPECT_EQ(SnapState.WorkAreas.count, 0);
}

TEST_F(WindowTest, AtMostSixteenMonitorsAreCollected)
{
    OptionalUser32.EnumDisplayMonitors = EnumerateTwentyMonitors;
    StoreSetting("Position", Packed(200, 150));
    Start();
    Stop();
    EXPECT_EQ(EnumeratedMonitors, 17) << "the callback did not end the enumeration at the 17th monitor";
    EXPECT_EQ(SnapState.WorkAreas.count, 16);
    EXPECT_EQ(SnapState.WorkAreas.areas[15].right, DesktopWidth);
}

// ---- Dragging -------------------------------------------------------------

// Drags hold the dialog by its caption, 15 pixels below its top, so that the
// cursor stays on the screen while the window goes past the screen's edges
// (the move loop keeps the cursor on the screen).
class DragTest : public WindowTest {
protected:
    void Grab()
    {
        SetForegroundWindow(dialog_);
        Sync();
        TITLEBARINFO title{};
        title.cbSize = sizeof title;
        ASSERT_TRUE(GetTitleBarInfo(dialog_, &title));
        ASSERT_EQ(title.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u) << "no caption: not in a virtual desktop?";
        start_ = WindowRect();
        grabX_ = 60;
        grabY_ = 15;
        ASSERT_GT(start_.top + grabY_, title.rcTitleBar.top);
        ASSERT_LT(start_.top + grabY_, title.rcTitleBar.bottom);
        SendMouse(0, start_.left + grabX_, start_.top + grabY_);
        ASSERT_TRUE(WaitFor([this] {
            POINT p;
            return GetCursorPos(&p) && p.x == start_.left + grabX_ && p.y == start_.top + grabY_;
        })) << "the cursor did not reach the caption";
        SendMouse(MOUSEEVENTF_LEFTDOWN, start_.left + grabX_, start_.top + grabY_);
        ASSERT_TRUE(WaitFor([this] { return InMoveLoop(); })) << "no move loop";
    }
    // Moves the cursor so that the unsnapped window would be at (left, top).
    void DragTo(LONG left, LONG top)
    {
        SendMouse(0, left + grabX_, top + grabY_);
    }
    void Release(LONG left, LONG top)
    {
        SendMouse(MOUSEEVENTF_LEFTUP, left + grabX_, top + grabY_);
        EXPECT_TRUE(WaitFor([this] { return !InMoveLoop(); }));
        Sync();
    }
    RECT start_{};
    LONG grabX_ = 0;
    LONG grabY_ = 0;
};

TEST_F(DragTest, EdgesSnapWithinNinePixelsAndNotAtTen)
{
    StoreSetting("Position", Packed(200, 200));
    Start();
    RECT work{};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(dialog_, MONITOR_DEFAULTTOPRIMARY), &info);
    work = info.rcWork;
    Grab();
    const LONG w = start_.right - start_.left;
    const LONG h = start_.bottom - start_.top;
    struct Step {
        const char* what;
        LONG naturalLeft, naturalTop;
        LONG left, top;
    } const steps[] = {
        {"free", 200, 150, 200, 150},
        {"top 9 below", 200, work.top + 9, 200, work.top},
        {"top 10 below", 200, work.top + 10, 200, work.top + 10},
        {"top 9 above", 200, work.top - 9, 200, work.top},
        {"top 10 above", 200, work.top - 10, 200, work.top - 10},
        {"left 9 right of", work.left + 9, 300, work.left, 300},
        {"left 10 right of", work.left + 10, 300, work.left + 10, 300},
        {"left 9 left of", work.left - 9, 300, work.left, 300},
        {"left 10 left of", work.left - 10, 300, work.left - 10, 300},
        {"right 9 inside", work.right - w - 9, 300, work.right - w, 300},
        {"right 10 inside", work.right - w - 10, 300, work.right - w - 10, 300},
        {"bottom 9 below", 300, work.bottom - h + 9, 300, work.bottom - h},
        {"bottom 10 below", 300, work.bottom - h + 10, 300, work.bottom - h + 10},
        {"free again", 300, 300, 300, 300},
        {"top-left corner", work.left + 4, work.top + 6, work.left, work.top},
    };
    for (const Step& s : steps) {
        DragTo(s.naturalLeft, s.naturalTop);
        EXPECT_TRUE(WaitForWindowAt(s.left, s.top))
            << s.what << ": natural (" << s.naturalLeft << ", " << s.naturalTop << "), expected (" << s.left
            << ", " << s.top << "), window at (" << WindowRect().left << ", " << WindowRect().top << ")";
        RECT r = WindowRect();
        EXPECT_EQ(r.right - r.left, w) << s.what;
        EXPECT_EQ(r.bottom - r.top, h) << s.what;
    }
    Release(work.left + 4, work.top + 6);
    EXPECT_EQ(WindowRect().left, work.left);
    EXPECT_EQ(WindowRect().top, work.top);
    // The move is over: its mouse hook is gone, the key filter stays.
    EXPECT_EQ(ShellState.MouseHook, nullptr);
    EXPECT_NE(ShellState.KeyboardHook, nullptr);
    Stop();
    EXPECT_EQ(WrittenSetting("Position"), Packed(work.left, work.top));
}

TEST_F(DragTest, NothingSnapsWithoutMonitorEnumeration)
{
    OptionalUser32.EnumDisplayMonitors = nullptr;
    StoreSetting("Position", Packed(200, 200));
    Start();
    Grab();
    DragTo(5, 3);
    EXPECT_TRUE(WaitForWindowAt(5, 3))
        << "window at (" << WindowRect().left << ", " << WindowRect().top << ")";
    Release(5, 3);
}

TEST_F(DragTest, NothingSnapsWhenNoMonitorIsReported)
{
    OptionalUser32.EnumDisplayMonitors = EnumerateNoMonitors;
    Start();
    RECT centred = WindowRect();
    Grab();
    DragTo(centred.left, 7);
    EXPECT_TRUE(WaitForWindowAt(centred.left, 7))
        << "window at (" << WindowRect().left << ", " << WindowRect().top << ")";
    Release(centred.left, 7);
}

TEST_F(DragTest, KeyboardMoveStartsWhereTheWindowIs)
{
    StoreSetting("Position", Packed(300, 250));
    Start();
    SetForegroundWindow(dialog_);
    Sync();
    PostMessageA(dialog_, WM_SYSCOMMAND, SC_MOVE, 0);
    ASSERT_TRUE(WaitFor([this] { return InMoveLoop(); })) << "no move loop";
    // Key by key, each given a moment to move the window: the move loop may
    // take the first key to start the move only.
    for (int i = 0; i < 3; ++i) {
        LONG before = WindowRect().left;
        SendKeys({VK_LEFT});
        WaitFor([this, before] { return WindowRect().left != before; }, 500);
    }
    SendKeys({VK_RETURN});
    EXPECT_TRUE(WaitFor([this] { return !InMoveLoop(); }));
    RECT r = WindowRect();
    EXPECT_EQ(r.top, 250) << "the window jumped";
    EXPECT_LT(r.left, 300);
    EXPECT_GE(r.left, 300 - 3 * 8) << "the window jumped";
}

// ---- Running in a desktop of our own ------------------------------------------

bool InOwnDesktop()
{
    char name[64] = {};  // desktop names here are short
    DWORD needed = 0;
    GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name - 1,
                              &needed);
    return lstrcmpiA(name, DesktopName) == 0;
}

void StoreResult(DWORD result)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ResultKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, DesktopName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&result), sizeof result);
    RegCloseKey(key);
}

// The result the program left, removed from the registry once read.
DWORD TakeResult()
{
    DWORD result = 255;
    DWORD size = sizeof result;
    RegGetValueA(HKEY_CURRENT_USER, ResultKeyPath, DesktopName, RRF_RT_REG_DWORD, nullptr, &result, &size);
    RegDeleteKeyA(HKEY_CURRENT_USER, ResultKeyPath);
    return result;
}

// The arguments after the program's name in the command line.
const char* ArgumentsOf(const char* commandLine)
{
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p)
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    return p;
}

// Runs this program again inside a virtual desktop of its own; Wine's
// explorer returns once the program has ended, and the program leaves its
// result in the registry (a crash leaves the failure preset here).
int RunInOwnDesktop()
{
    StoreResult(255);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("explorer.exe /desktop=") + DesktopName + "," +
        std::to_string(DesktopWidth) + "x" + std::to_string(DesktopHeight) + " \"" + self + "\"" +
        ArgumentsOf(GetCommandLineA());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %s\n", command.c_str());
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(TakeResult());
}

}  // namespace

int main(int argc, char** argv)
{
    if (!InOwnDesktop())
        return RunInOwnDesktop();
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    StoreResult(static_cast<DWORD>(result));
    return result;
}
