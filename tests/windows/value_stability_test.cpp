// Actions that edit nothing leave the value as it is, bit for bit: selecting
// by keyboard and mouse, copying, moving the focus. Undo brings back the
// value a field had, not what its old text reads as.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <random>
#include <string>

#include "converter/field_events.h"
#include "converter/refresh_views.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/field_tips.h"
#include "shell/resource.h"
#include "tests/windows/dialog_harness.h"

namespace {

// The width's bytes of a value; the bytes above it are never shown.
struct Register {
    uint8_t Bytes[10];
    bool operator==(const Register& other) const
    {
        return std::memcmp(Bytes, other.Bytes, static_cast<size_t>(ConverterState.Width / 8)) == 0;
    }
};

Register CurrentValue()
{
    Register r = {};
    std::memcpy(r.Bytes, ConverterState.ValueRegister, static_cast<size_t>(ConverterState.Width / 8));
    return r;
}

std::string Hex(const Register& r)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (int i = ConverterState.Width / 8 - 1; i >= 0; --i) {
        text += digits[r.Bytes[i] >> 4];
        text += digits[r.Bytes[i] & 15];
    }
    return text;
}

// Sets the value as a width click does: every field rendered anew (the
// writes are synchronous; the caller pumps before it acts).
void ShowValue(const Register& r)
{
    std::memcpy(ConverterState.ValueRegister, r.Bytes, sizeof r.Bytes);
    RefreshViews(FieldNone);
}

// True when reading the float field's text back gives another value: the
// values whose texts make a stray re-read visible.
bool FloatTextMovesTheValue(const Register& r)
{
    ShowValue(r);
    OnFieldChange(FieldFloat);
    bool moved = !(CurrentValue() == r);
    ShowValue(r);
    return moved;
}

// Keys queued through the system's input: the modifier held down around
// each key in turn. The caller pumps once for all of them.
void QueueChords(WORD modifier, std::initializer_list<WORD> keys)
{
    INPUT inputs[16] = {};
    UINT n = 0;
    auto add = [&](WORD key, bool up) {
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n].ki.wVk = key;
        inputs[n].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ++n;
    };
    add(modifier, false);
    for (WORD key : keys) {
        add(key, false);
        add(key, true);
    }
    add(modifier, true);
    SendInput(n, inputs, sizeof inputs[0]);
}

// A drag across the field's text with the left button, posted to the field.
void QueueMouseSelection(int field)
{
    HWND control = Control(field);
    RECT client;
    GetClientRect(control, &client);
    const int y = client.bottom / 2;
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 2, y));
    PostMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.right / 2, y));
    PostMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1, y));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(1, y));
}

struct FieldKey {
    int Field;
    WORD Mnemonic;  // Alt and this letter move the focus into the field
};
const FieldKey EditFields[] = {
    {FieldBinary, 'B'}, {FieldDecimal, 'D'},  {FieldHex, 'H'},
    {FieldFloat, 'F'},  {FieldExponent, 'E'}, {FieldMantissa, 'M'},
};

// Every selecting, copying and focus-moving action in one field: the focus
// moved in by the label's mnemonic, Ctrl+A and Ctrl+C, Shift with an arrow
// key, a drag with the mouse. (Each key costs a few milliseconds under
// Wine; these are the kinds, not every key of each kind.)
void QueueNonEdits(const FieldKey& f)
{
    QueueChords(VK_MENU, {f.Mnemonic});
    QueueChords(VK_CONTROL, {'A', 'C'});
    QueueChords(VK_SHIFT, {VK_LEFT});
    QueueMouseSelection(f.Field);
}

struct WidthCase {
    int Button;
    int Width;
};
const WidthCase Widths[] = {
    {ButtonWidth8, 8}, {ButtonWidth16, 16}, {ButtonWidth32, 32}, {ButtonWidth64, 64}, {ButtonWidth80, 80},
};

class ValueStability : public ::testing::TestWithParam<WidthCase> {
protected:
    void TearDown() override
    {
        CloseMainDialog();
    }
};

// 200 random values per width (at 32 bits and more, values whose float text
// reads back as another value); in each field every non-editing action, and
// the value must not move by a bit.
TEST_P(ValueStability, SelectingCopyingAndFocusingChangeNothing)
{
    const WidthCase& c = GetParam();
    OpenMainDialog(c.Button, ButtonLittle);
    std::mt19937_64 random(0xD3E0u + static_cast<unsigned>(c.Width));
    const bool floats = c.Width >= 32;
    for (int n = 0; n < 200; ++n) {
        Register value = {};
        do {
            for (int i = 0; i < c.Width / 8; ++i)
                value.Bytes[i] = static_cast<uint8_t>(random());
        } while (floats && !FloatTextMovesTheValue(value));
        ShowValue(value);
        PumpMessages();
        for (const FieldKey& f : EditFields) {
            if (!floats && f.Field != FieldBinary && f.Field != FieldDecimal && f.Field != FieldHex)
                continue;
            QueueNonEdits(f);
        }
        PumpMessages();
        ASSERT_EQ(Hex(CurrentValue()), Hex(value)) << "at " << c.Width << " bits";
    }
}

void SetClipboardText(const char* text)
{
    ASSERT_TRUE(OpenClipboard(Dialog()));
    EmptyClipboard();
    size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

Register RegisterOfHex(const char* hex)
{
    Register r = {};
    const int n = static_cast<int>(std::strlen(hex));
    for (int i = 0; i < n; ++i) {
        const char c = hex[n - 1 - i];
        const int digit = c <= '9' ? c - '0' : c - 'A' + 10;
        r.Bytes[i / 2] = static_cast<uint8_t>(r.Bytes[i / 2] | digit << (4 * (i % 2)));
    }
    return r;
}

class FieldEdits : public ::testing::Test {
protected:
    void TearDown() override
    {
        CloseMainDialog();
    }
};

// Undo brings back the text and the value the field had, even where that
// text reads back as another value: by Ctrl+Z and by WM_UNDO (the context
// menu's Undo), and a second undo redoes.
TEST_F(FieldEdits, UndoRestoresTheValueNotTheTextsReading)
{
    const struct {
        int button;
        const char* hex;
        int field;
        const char* typed;
        const char* typedHex;
    } cases[] = {
        {ButtonWidth32, "0C5C7FD0", FieldFloat, "1", "3F800000"},
        {ButtonWidth32, "3DCCCCCD", FieldMantissa, "1.5", "3DC00000"},
        {ButtonWidth80, "00000000000000000001", FieldFloat, "2", "40008000000000000000"},
        {ButtonWidth64, "7FF8000000000123", FieldFloat, "0", "0000000000000000"},
    };
    for (const auto& c : cases) {
        for (bool byMessage : {false, true}) {
            OpenMainDialog(c.button, ButtonLittle);
            const Register value = RegisterOfHex(c.hex);
            ShowValue(value);
            PumpMessages();
            const std::string shown = ControlText(c.field);
            FocusControl(c.field);
            SendMessageA(Control(c.field), EM_SETSEL, 0, -1);
            TypeText(c.typed);
            EXPECT_EQ(Hex(CurrentValue()), c.typedHex) << c.hex << " typed " << c.typed;
            if (byMessage) {
                SendMessageA(Control(c.field), WM_UNDO, 0, 0);
                PumpMessages();
            } else {
                PressKeyWith(VK_CONTROL, 'Z');
            }
            EXPECT_EQ(ControlText(c.field), shown) << c.hex;
            EXPECT_EQ(Hex(CurrentValue()), Hex(value)) << c.hex << (byMessage ? " by WM_UNDO" : " by Ctrl+Z");
            PressKeyWith(VK_CONTROL, 'Z');
            EXPECT_EQ(Hex(CurrentValue()), c.typedHex) << c.hex << " redone";
            CloseMainDialog();
        }
    }
}

// A paste the binary or hexadecimal field cannot take changes nothing and
// says why in a balloon tip on the field; what it takes still pastes.
TEST_F(FieldEdits, RefusedPastesChangeNothingAndSayWhy)
{
    const struct {
        int field;
        const char* clipboard;
        const char* hexAfter;  // null: refused, the value stays
        const char* tipSays;  // part of the tip's text
    } cases[] = {
        {FieldBinary, "3dcc cccd", nullptr, "is hexadecimal, not binary"},
        {FieldBinary, "CD CC CC 3D", nullptr, "is hexadecimal, not binary"},
        {FieldBinary, "0.1f", nullptr, "takes binary digits"},
        {FieldHex, "0.1f", nullptr, "takes hexadecimal digits"},
        {FieldHex, "1.5e3", nullptr, "\"1.5e3\" is not a bit pattern"},
        {FieldHex, " 3f800000\r\n", "3F800000", nullptr},
        {FieldBinary, "0x3DCC_CCCD", "3DCCCCCD", nullptr},
        {FieldBinary, "101", "00000005", nullptr},
    };
    for (const auto& c : cases) {
        OpenMainDialog(ButtonWidth32, ButtonLittle);
        const Register value = RegisterOfHex("12345678");
        ShowValue(value);
        PumpMessages();
        const std::string text = ControlText(c.field);
        ForgetFieldTip();
        SetClipboardText(c.clipboard);
        FocusControl(c.field);
        SendMessageA(Control(c.field), EM_SETSEL, 0, -1);
        PressKeyWith(VK_CONTROL, 'V');
        if (c.hexAfter) {
            EXPECT_EQ(Hex(CurrentValue()), c.hexAfter) << c.clipboard;
            EXPECT_EQ(LastFieldTip().Field, 0) << c.clipboard;
        } else {
            EXPECT_EQ(Hex(CurrentValue()), "12345678") << c.clipboard;
            EXPECT_EQ(ControlText(c.field), text) << c.clipboard;
            EXPECT_EQ(LastFieldTip().Field, c.field) << c.clipboard;
            EXPECT_TRUE(LastFieldTip().Shown) << c.clipboard;
            EXPECT_STREQ(LastFieldTip().Title, "Not pasted");
            EXPECT_NE(std::string(LastFieldTip().Text).find(c.tipSays), std::string::npos)
                << LastFieldTip().Text;
        }
        CloseMainDialog();
    }
}

// Text cut at a field's limit is said: a paste that does not fit, and a key
// typed into a full field.
TEST_F(FieldEdits, CutTextsSaySo)
{
    OpenMainDialog(ButtonWidth80, ButtonLittle);
    ForgetFieldTip();
    SetClipboardText("-1.31856697709232845915e-1285");
    FocusControl(FieldFloat);
    SendMessageA(Control(FieldFloat), EM_SETSEL, 0, -1);
    PressKeyWith(VK_CONTROL, 'V');
    EXPECT_EQ(ControlText(FieldFloat), "-1.31856697709232845915e-128");
    EXPECT_EQ(LastFieldTip().Field, FieldFloat);
    EXPECT_STREQ(LastFieldTip().Title, "Cut to 28 characters");
    EXPECT_NE(std::string(LastFieldTip().Text).find("had 29 characters and only its first 28 fit"),
              std::string::npos)
        << LastFieldTip().Text;

    ForgetFieldTip();
    FocusControl(FieldDecimal);
    SendMessageA(Control(FieldDecimal), EM_SETSEL, 0, -1);
    TypeText("1234567890123456789012345");
    SendMessageA(Control(FieldDecimal), EM_SETSEL, 25, 25);
    TypeText("6");
    EXPECT_EQ(ControlText(FieldDecimal), "1234567890123456789012345");
    EXPECT_EQ(LastFieldTip().Field, FieldDecimal);
    EXPECT_STREQ(LastFieldTip().Title, "Field full");
}

INSTANTIATE_TEST_SUITE_P(Widths, ValueStability, ::testing::ValuesIn(Widths),
                         [](const auto& param) { return "Bits" + std::to_string(param.param.Width); });

}  // namespace
