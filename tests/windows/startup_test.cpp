// The whole program run, modal dialog included: settings in, a scripted
// session driven from a timer inside the dialog's own modal loop, settings
// out.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "shell/startup.h"
#include "tests/windows/dialog_harness.h"
#include "tests/windows/registry_helpers.h"

namespace {

// One scripted session: each step runs on a timer tick inside the modal
// loop, so the input a step sends is handled before the next step looks.
// The last step closes the dialog; a session that overruns is closed anyway.
std::vector<std::function<void(HWND)>> Steps;
size_t NextStep;
int Ticks;
bool ForcedClose;

constexpr int MaxTicks = 200;  // 200 ticks of 30 ms: 6 s, far above any session

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = ShellState.Dialog;
    if (!dialog || !IsWindowVisible(dialog))
        return;
    if (++Ticks > MaxTicks) {
        ForcedClose = true;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return;
    }
    if (NextStep < Steps.size())
        Steps[NextStep++](dialog);
}

void RunSession(std::vector<std::function<void(HWND)>> steps)
{
    Steps = std::move(steps);
    Steps.push_back([](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });
    NextStep = 0;
    Ticks = 0;
    ForcedClose = false;
    ShellState = {};
    SettingsState = {};
    UINT_PTR timer = SetTimer(nullptr, 0, 30, OnTick);
    EXPECT_EQ(RunDexolin(GetModuleHandleA(nullptr), TestKeyPath), 0);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(ForcedClose) << "the session did not finish";
    EXPECT_EQ(NextStep, Steps.size()) << "the dialog closed before the session's end";
    EXPECT_EQ(ShellState.KeyboardHook, nullptr);
}

std::string Text(HWND dialog, int id)
{
    char text[128];  // 128: above the longest field text (80 binary digits)
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

uint32_t StoredDword(const char* name)
{
    RawValue value = GetRawValue(name);
    EXPECT_EQ(value.Type, static_cast<DWORD>(REG_DWORD)) << name << ": " << Describe(value);
    EXPECT_EQ(value.Data.size(), 4u) << name << ": " << Describe(value);
    if (value.Data.size() != 4)
        return 0xDEADBEEF;
    return value.Data[0] | value.Data[1] << 8 | value.Data[2] << 16 |
        static_cast<uint32_t>(value.Data[3]) << 24;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestKey();
    }
    void TearDown() override
    {
        DeleteTestKey();
    }
};

TEST_F(Program, FirstRunStartsAt32BitsLittleEndianAndWritesTheDefaults)
{
    RunSession({[](HWND dialog) {
        EXPECT_EQ(ConverterState.Width, 32);
        EXPECT_EQ(IsDlgButtonChecked(dialog, ButtonWidth32), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, ButtonLittle), BST_CHECKED);
        EXPECT_EQ(Text(dialog, FieldHex), "00000000");
        RECT rect;
        GetWindowRect(dialog, &rect);
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.top, 0);
    }});
    EXPECT_EQ(StoredDword("Bits"), 32u);
    EXPECT_EQ(StoredDword("BigEndian"), 0u);
    EXPECT_EQ(StoredDword("OnTop"), 0u);
    EXPECT_EQ(StoredDword("Transparency"), 255u);
    EXPECT_EQ(StoredDword("Position"), 0u);
}

TEST_F(Program, RestoresSettingsAndSavesTheSessionsChanges)
{
    SetDwordValue("Bits", 8);
    SetDwordValue("BigEndian", 1);
    SetDwordValue("OnTop", 1);
    SetDwordValue("Transparency", static_cast<uint32_t>(-76));
    SetDwordValue("Position", 0x00320064u);  // x 100, y 50
    RunSession({
        [](HWND dialog) {
            EXPECT_EQ(ConverterState.Width, 8);
            EXPECT_EQ(ConverterState.BigEndian, 1);
            EXPECT_EQ(IsDlgButtonChecked(dialog, ButtonBig), BST_CHECKED);
            for (int id : {int(FieldFloat), int(FieldSign), int(FieldExponent), int(FieldMantissa),
                           int(LabelFloat), int(LabelMantissa)})
                EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id))) << "control " << id;
            EXPECT_EQ(Text(dialog, FieldFloat), "");
            RECT rect;
            GetWindowRect(dialog, &rect);
            EXPECT_EQ(rect.left, 100);
            EXPECT_EQ(rect.top, 50);
            // Enter and Esc on a button reach the dialog manager, which
            // turns them into IDOK and IDCANCEL: the dialog stays.
            SetForegroundWindow(dialog);
            SetFocus(GetDlgItem(dialog, ButtonBig));
            SendKeyStroke(VK_RETURN);
            SendKeyStroke(VK_ESCAPE);
        },
        [](HWND dialog) {
            EXPECT_TRUE(IsWindowVisible(dialog));
            SendDlgItemMessageA(dialog, ButtonWidth64, BM_CLICK, 0, 0);
            SendDlgItemMessageA(dialog, ButtonLittle, BM_CLICK, 0, 0);
            SetWindowPos(dialog, HWND_TOP, -30, 20, 0, 0, SWP_NOSIZE);
        },
    });
    EXPECT_EQ(StoredDword("Bits"), 64u);
    EXPECT_EQ(StoredDword("BigEndian"), 0u);
    EXPECT_EQ(StoredDword("OnTop"), 1u);
    EXPECT_EQ(StoredDword("Transparency"), static_cast<uint32_t>(-76));
    EXPECT_EQ(StoredDword("Position"), 0x0014FFE2u);  // x -30, y 20
}

struct MalformedCase {
    const char* Name;
    DWORD Type;
    std::vector<unsigned char> Bytes;  // stored under all five names
    uint32_t Bits, Transparency;  // what the run writes back
};

// Whatever the five values hold, the program runs and leaves five 4-byte
// DWORDs behind.
TEST_F(Program, MalformedSettingsNeverStopTheProgram)
{
    const MalformedCase cases[] = {
        {"empty binary", REG_BINARY, {}, 32, 255},
        {"one byte", REG_BINARY, {0xFF}, 32, 255},
        {"eight bytes", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}, 32, 255},
        {"all ones", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, 8, 0xFFFFFFE7u},  // -1: 8 bits, "Always" at 25
        {"most negative", REG_DWORD, {0, 0, 0, 0x80}, 8, 0xFFFFFF01u},  // clamped to -255
        {"most positive", REG_DWORD, {0xFF, 0xFF, 0xFF, 0x7F}, 80, 255},
        {"short string", REG_SZ, {'z', 0}, 32, 255},
        {"four-byte string", REG_SZ, {'4', '2', '!', 0}, 80, 255},
        {"multi-string", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, 32, 255},
    };
    const char* names[] = {"Bits", "BigEndian", "OnTop", "Transparency", "Position"};
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.Name);
        DeleteTestKey();
        for (const char* name : names)
            SetRawValue(name, c.Type, c.Bytes.data(), static_cast<DWORD>(c.Bytes.size()));
        RunSession({[](HWND dialog) { EXPECT_TRUE(IsWindowVisible(dialog)); }});
        EXPECT_EQ(StoredDword("Bits"), c.Bits);
        EXPECT_EQ(StoredDword("Transparency"), c.Transparency);
        EXPECT_LE(StoredDword("BigEndian"), 1u);
        EXPECT_LE(StoredDword("OnTop"), 1u);
        StoredDword("Position");
    }
}

// With dexolin.ini beside the program the run reads and writes the file
// and leaves the registry alone, even a key that is there already.
TEST_F(Program, SettingsFileBesideTheProgramReplacesTheRegistry)
{
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string file = program;
    file = file.substr(0, file.rfind('\\') + 1) + "dexolin.ini";
    const char text[] = "[Dexolin]\r\nBits=16\r\nBigEndian=1\r\nTransparency=junk\r\n";
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(handle, text, sizeof text - 1, &written, nullptr);
    CloseHandle(handle);
    SetDwordValue("Bits", 64);
    RunSession({[](HWND dialog) {
        EXPECT_EQ(ConverterState.Width, 16);
        EXPECT_EQ(ConverterState.BigEndian, 1);
        SendDlgItemMessageA(dialog, ButtonWidth8, BM_CLICK, 0, 0);
    }});
    auto value = [&](const char* name) {
        char got[32];
        GetPrivateProfileStringA("Dexolin", name, "(missing)", got, sizeof got, file.c_str());
        return std::string(got);
    };
    EXPECT_EQ(value("Bits"), "8");
    EXPECT_EQ(value("BigEndian"), "1");
    EXPECT_EQ(value("Transparency"), "255");
    EXPECT_EQ(value("Position"), "0");
    EXPECT_EQ(StoredDword("Bits"), 64u);
    EXPECT_FALSE(GetRawValue("BigEndian").Present);
    DeleteFileA(file.c_str());
}

}  // namespace
