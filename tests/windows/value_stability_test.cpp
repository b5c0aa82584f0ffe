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
// moved in by the label's mnemonic, Ctrl+A, Ctrl+C and Ctrl+Insert,
// Shift with Home, End and Left, a drag with the mouse.
void QueueNonEdits(const FieldKey& f)
{
    QueueChords(VK_MENU, {f.Mnemonic});
    QueueChords(VK_CONTROL, {'A', 'C', VK_INSERT});
    QueueChords(VK_SHIFT, {VK_HOME, VK_END, VK_LEFT});
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

INSTANTIATE_TEST_SUITE_P(Widths, ValueStability, ::testing::ValuesIn(Widths),
                         [](const auto& param) { return "Bits" + std::to_string(param.param.Width); });

}  // namespace
