// The key filter on real keystrokes: every key is sent through the system's
// input queue into a focused field of the real dialog, and the test checks
// which keystrokes reach the dialog's message loop.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "tests/windows/dialog_harness.h"

namespace {

using KeySet = std::set<WPARAM>;

KeySet Range(WPARAM first, WPARAM last)
{
    KeySet keys;
    for (WPARAM key = first; key <= last; ++key)
        keys.insert(key);
    return keys;
}

KeySet Union(std::initializer_list<KeySet> sets)
{
    KeySet all;
    for (const KeySet& s : sets)
        all.insert(s.begin(), s.end());
    return all;
}

// Editing and caret keys: Backspace, Tab, Shift, Ctrl, End, Home, Left,
// Right, Insert, Delete.
const KeySet EditingKeys = {8, 9, 16, 17, 35, 36, 37, 39, 45, 46};
const KeySet Digits = Range('0', '9');
const KeySet KeypadDigits = Range(96, 105);
const KeySet KeypadMinus = {109};
const KeySet KeypadPeriod = {110};
const KeySet MainMinus = {189};
const KeySet MainPeriod = {190};

struct FieldCase {
    int Field;
    const char* Name;
    KeySet Allowed;  // besides the editing keys
};

const std::vector<FieldCase>& FieldCases()
{
    static const std::vector<FieldCase> cases = {
        {FieldBinary, "Binary", {'0', '1', 96, 97}},
        {FieldDecimal, "Decimal", Union({Digits, KeypadDigits, KeypadMinus, MainMinus})},
        {FieldHex, "Hex", Union({Digits, Range('A', 'F'), KeypadDigits})},
        {FieldFloat, "Float",
         Union({Digits,
                {'A', 'D', 'E', 'F', 'I', 'N', 'Q', 'S'},
                KeypadDigits,
                KeypadMinus,
                KeypadPeriod,
                MainMinus,
                MainPeriod})},
        {FieldExponent, "Exponent", Union({Digits, KeypadDigits, KeypadMinus, MainMinus, MainPeriod})},
        {FieldMantissa, "Mantissa", Union({Digits, KeypadDigits, KeypadPeriod, MainPeriod})},
    };
    return cases;
}

// Every key code worth sending. Left out: mouse buttons, the lock keys and
// the Windows keys (they would change state outside the test), the
// left/right variants of Shift, Ctrl and Alt (the hook sees the generic
// codes), Tab (moves the focus; sent on its own below), the browser and
// media keys, and the IME and packet pseudo-keys.
std::vector<WORD> SweepKeys()
{
    std::vector<WORD> keys;
    for (WORD key = 0x08; key <= 0xFE; ++key) {
        bool skip = key == VK_TAB || key == VK_CAPITAL || key == VK_NUMLOCK || key == VK_SCROLL ||
            key == VK_LWIN || key == VK_RWIN || key == VK_APPS || key == VK_SLEEP ||
            (key >= VK_LSHIFT && key <= VK_LAUNCH_APP2) || key == VK_PROCESSKEY || key == VK_PACKET ||
            (key >= 0x15 && key <= 0x1A) || (key >= 0x1C && key <= 0x1F) || key == VK_MENU;
        if (!skip)
            keys.push_back(key);
    }
    return keys;
}

class KeyFilter : public ::testing::TestWithParam<FieldCase> {
protected:
    void SetUp() override
    {
        OpenMainDialog(ButtonWidth80, ButtonLittle);
    }
    void TearDown() override
    {
        CloseMainDialog();
    }
};

TEST_P(KeyFilter, PassesExactlyTheFieldsKeys)
{
    const FieldCase& c = GetParam();
    const std::vector<WORD> keys = SweepKeys();
    FocusControl(c.Field);
    ClearSeenKeys();
    // All at once: none of the keys moves the focus away from a field.
    for (WORD key : keys)
        SendKeyStroke(key);
    PumpMessages();
    ASSERT_EQ(GetFocus(), Control(c.Field)) << c.Name;
    for (WORD key : keys) {
        bool expected = EditingKeys.count(key) || c.Allowed.count(key);
        int downs = 0, ups = 0;
        for (const SeenKey& seen : SeenKeys()) {
            if (seen.Key != key)
                continue;
            if (seen.Message == WM_KEYDOWN || seen.Message == WM_SYSKEYDOWN)
                ++downs;
            else
                ++ups;
        }
        EXPECT_EQ(downs, expected ? 1 : 0) << c.Name << " field, key 0x" << std::hex << key << " going down";
        EXPECT_EQ(ups, expected ? 1 : 0) << c.Name << " field, key 0x" << std::hex << key << " going up";
    }
}

// Alt alone is filtered, and so is Ctrl+Alt (AltGr, which types characters);
// a chord of Ctrl or Alt alone passes (below and in the inspector's tests).
TEST_P(KeyFilter, AltAloneAndCtrlAltChordsAreDiscarded)
{
    const FieldCase& c = GetParam();
    FocusControl(c.Field);
    ClearSeenKeys();
    PressKey(VK_MENU);
    const WORD keys[] = {VK_SPACE, VK_F4, 'V'};
    for (WORD key : keys) {
        INPUT input[6] = {};
        const WORD sequence[6] = {VK_CONTROL, VK_MENU, key, key, VK_MENU, VK_CONTROL};
        for (int i = 0; i < 6; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wVk = sequence[i];
            input[i].ki.dwFlags = i >= 3 ? KEYEVENTF_KEYUP : 0;
        }
        SendInput(6, input, sizeof input[0]);
        PumpMessages();
    }
    for (const SeenKey& seen : SeenKeys()) {
        bool modifier = seen.Key == VK_CONTROL;  // an editing key, always passed
        EXPECT_TRUE(modifier) << c.Name << " field let through key 0x" << std::hex << seen.Key;
    }
    EXPECT_TRUE(IsWindowVisible(Dialog()));
    EXPECT_EQ(GetFocus(), Control(c.Field));
}

// The mended fault: the key filter looked at the key code alone, so Ctrl+V
// was refused like a typed V and Alt+F4 did nothing in a field.
TEST_P(KeyFilter, ChordsOfCtrlOrAltPass)
{
    const FieldCase& c = GetParam();
    FocusControl(c.Field);
    ClearSeenKeys();
    PressKeyWith(VK_CONTROL, 'A');
    PressKeyWith(VK_CONTROL, 'V');
    PressKeyWith(VK_CONTROL, 'Z');
    EXPECT_TRUE(KeyWasSeen('A') && KeyWasSeen('V') && KeyWasSeen('Z')) << c.Name;
    PressKeyWith(VK_MENU, VK_F4);
    EXPECT_TRUE(KeyWasSeen(VK_F4)) << c.Name;
    EXPECT_FALSE(IsWindowVisible(Dialog())) << c.Name << ": Alt+F4 left the window open";
}

TEST_P(KeyFilter, TabPassesAndMovesTheFocus)
{
    const FieldCase& c = GetParam();
    FocusControl(c.Field);
    ClearSeenKeys();
    PressKey(VK_TAB);
    EXPECT_TRUE(KeyWasSeen(VK_TAB));
    EXPECT_NE(GetFocus(), Control(c.Field)) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Fields, KeyFilter, ::testing::ValuesIn(FieldCases()),
                         [](const auto& param) { return std::string(param.param.Name); });

class KeyFilterOutsideFields : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenMainDialog(ButtonWidth32, ButtonLittle);
    }
    void TearDown() override
    {
        CloseMainDialog();
    }
};

TEST_F(KeyFilterOutsideFields, EveryKeyPassesOnButtonsAndTheSignBox)
{
    for (int id : {int(ButtonLittle), int(ButtonWidth64), int(FieldSign)}) {
        FocusControl(id);
        ClearSeenKeys();
        for (WORD key : {WORD('Z'), WORD('V'), WORD(VK_F5), WORD(VK_OEM_COMMA)})
            SendKeyStroke(key);
        PumpMessages();
        for (WORD key : {WORD('Z'), WORD('V'), WORD(VK_F5), WORD(VK_OEM_COMMA)})
            EXPECT_TRUE(KeyWasSeen(key)) << "control " << id << ", key 0x" << std::hex << key;
    }
}

// A long random burst of keystrokes into random fields, then the fields are
// left: nothing breaks, the texts stay within their limits, and leaving a
// field always restores its canonical form.
TEST_F(KeyFilterOutsideFields, RandomKeystrokesLeaveTheFieldsSound)
{
    const std::vector<WORD> keys = SweepKeys();
    const int fields[] = {FieldBinary, FieldDecimal, FieldHex, FieldFloat, FieldExponent, FieldMantissa};
    std::mt19937 random(20260612);
    for (int burst = 0; burst < 60; ++burst) {
        int field = fields[random() % 6];
        FocusControl(field);
        for (int i = 0; i < 20; ++i) {
            WORD key = keys[random() % keys.size()];
            if (random() % 4 == 0)
                key = WORD('0' + random() % 10);
            SendKeyStroke(key);
        }
        PumpMessages();
        ASSERT_TRUE(IsWindow(Dialog())) << "burst " << burst;
        for (int id : fields) {
            int limit = TextLimit(id);
            EXPECT_LE(static_cast<int>(ControlText(id).size()), limit)
                << "field " << id << ", burst " << burst;
        }
        FocusControl(ButtonLittle);
        const auto width = static_cast<size_t>(ConverterState.Width);
        EXPECT_EQ(ControlText(FieldBinary).size(), width) << "burst " << burst;
        EXPECT_EQ(ControlText(FieldHex).size(), width / 4) << "burst " << burst;
        EXPECT_EQ(ConverterState.DecimalError, 0) << "burst " << burst;
    }
}

}  // namespace
