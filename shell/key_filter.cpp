#include "shell/key_filter.h"

#include "core/field_ids.h"
#include "shell/copy_and_history.h"
#include "shell/field_entry.h"

namespace {

// Editing and caret keys, allowed whatever has the focus. Up, Down, Enter,
// Esc, Space, Alt and the function keys are not among them: in a number
// field they reach neither the edit control nor the dialog's navigation.
const WPARAM AlwaysPassKeys[] = {
    VK_BACK, VK_TAB, VK_SHIFT, VK_CONTROL, VK_END, VK_HOME, VK_LEFT, VK_RIGHT, VK_INSERT, VK_DELETE,
};

struct KeyRange {
    WPARAM First, Last;
};

// 10 ranges: the most any field needs (the float field's digits, six letter
// runs, keypad digits, keypad minus and period, main minus and period).
constexpr int MaxRangesPerField = 10;

struct FieldKeys {
    int Field;
    int RangeCount;
    KeyRange Ranges[MaxRangesPerField];
};

constexpr KeyRange Digits = {'0', '9'};
constexpr KeyRange KeypadDigits = {VK_NUMPAD0, VK_NUMPAD9};
constexpr KeyRange KeypadMinus = {VK_SUBTRACT, VK_SUBTRACT};
constexpr KeyRange KeypadPeriod = {VK_DECIMAL, VK_DECIMAL};
constexpr KeyRange KeypadMinusPeriod = {VK_SUBTRACT, VK_DECIMAL};  // 109, 110
constexpr KeyRange MainMinus = {VK_OEM_MINUS, VK_OEM_MINUS};
constexpr KeyRange MainPeriod = {VK_OEM_PERIOD, VK_OEM_PERIOD};
constexpr KeyRange MainMinusPeriod = {VK_OEM_MINUS, VK_OEM_PERIOD};  // 189, 190

// Keys each number field takes besides the editing keys. The float field's
// letters spell its exponent letter and the special values it prints and
// reads back (INF, IND, QNaN, SNaN).
const FieldKeys FieldKeyTable[] = {
    {FieldBinary, 2, {{'0', '1'}, {VK_NUMPAD0, VK_NUMPAD1}}},
    {FieldDecimal, 4, {Digits, KeypadDigits, KeypadMinus, MainMinus}},
    {FieldHex, 3, {Digits, {'A', 'F'}, KeypadDigits}},
    {FieldFloat,
     10,
     {Digits,
      {'A', 'A'},
      {'D', 'F'},
      {'I', 'I'},
      {'N', 'N'},
      {'Q', 'Q'},
      {'S', 'S'},
      KeypadDigits,
      KeypadMinusPeriod,
      MainMinusPeriod}},
    // The main keyboard's period but not the keypad's.
    {FieldExponent, 4, {Digits, KeypadDigits, KeypadMinus, MainMinusPeriod}},
    {FieldMantissa, 4, {Digits, KeypadDigits, KeypadPeriod, MainPeriod}},
};

bool InRanges(const FieldKeys& row, WPARAM key)
{
    for (int i = 0; i < row.RangeCount; ++i) {
        if (key >= row.Ranges[i].First && key <= row.Ranges[i].Last)
            return true;
    }
    return false;
}

bool AlwaysPasses(WPARAM key)
{
    for (WPARAM allowed : AlwaysPassKeys) {
        if (key == allowed)
            return true;
    }
    return false;
}

// A window move or size by keyboard, or a menu, takes the keys while it
// runs: they reach no field then, so none is held back (Enter must end a
// keyboard move and choose a menu item wherever the focus rests).
bool InModalKeyboardLoop()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD modes = GUI_INMOVESIZE | GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & modes) != 0;
}

int FocusedControlId()
{
    HWND focus = GetFocus();
    return focus ? GetDlgCtrlID(focus) : 0;
}

// True for a chord with exactly one of Ctrl and Alt held (the Alt key itself
// is no chord).
bool ChordPassesFilter(bool ctrl, bool alt, WPARAM virtualKey)
{
    // Alt pressed on its own is the Alt key, not a chord.
    return ctrl != alt && virtualKey != VK_MENU;
}

// True when virtualKey may reach the control with id focusedId: editing and
// caret keys always, any key outside the six number fields, and in a field
// the keys of its row.
bool KeyPassesFilter(int focusedId, WPARAM virtualKey)
{
    if (AlwaysPasses(virtualKey) || !IsEditField(focusedId))
        return true;
    for (const FieldKeys& row : FieldKeyTable) {
        if (row.Field == focusedId)
            return InRanges(row, virtualKey);
    }
    return true;
}

}  // namespace

LRESULT CALLBACK KeyFilterProc(int code, WPARAM virtualKey, LPARAM flags)
{
    if (code < 0 || InModalKeyboardLoop())
        return CallNextHookEx(nullptr, code, virtualKey, flags);
    // Bit 29 of the flags is the context code: Alt is held. Chords pass,
    // the labels' mnemonics (Alt+letter) among them.
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool alt = (flags & (1 << 29)) != 0;
    const bool down = (flags & (static_cast<LPARAM>(KF_UP) << 16)) == 0;
    // The window's own chords work whichever control has the focus. Ctrl+
    // Shift+C is taken whole (an edit would copy its selection after it);
    // Alt+Left and Right go on to the control as the system keys they are,
    // so that releasing Alt afterwards opens no menu.
    if (code == HC_ACTION && down && OnCopyOrHistoryKey(virtualKey, ctrl, GetKeyState(VK_SHIFT) < 0, alt) &&
        !alt)
        return 1;
    if (ChordPassesFilter(ctrl, alt, virtualKey))
        return CallNextHookEx(nullptr, code, virtualKey, flags);
    const int focused = FocusedControlId();
    if (!KeyPassesFilter(focused, virtualKey))
        return 1;
    const bool keyDown = (flags & (static_cast<LPARAM>(KF_UP) << 16)) == 0;
    if (code == HC_ACTION && keyDown && IsEditField(focused) && !AlwaysPasses(virtualKey))
        PrepareOverwrite(GetFocus(), focused);
    return CallNextHookEx(nullptr, code, virtualKey, flags);
}
