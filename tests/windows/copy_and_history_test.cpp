// Copying the value in its forms, pasting bytes and Back/Forward on the real
// dialog from the real resources: what reaches the clipboard as Unicode
// text, what a paste of bytes sets or refuses with a tip, and which values
// the history's keys, menu items and mouse buttons bring back.
#include <gtest/gtest.h>

#include <string>

// windows.h first: commctrl.h needs its types.
#include <windows.h>

#include <commctrl.h>

#include "converter/value_entry.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/copy_and_history.h"
#include "shell/field_tips.h"
#include "shell/inspector_pane.h"
#include "shell/resource.h"
#include "tests/windows/dialog_harness.h"
#include "views/copy_forms.h"

namespace {

class CopyAndHistory : public ::testing::Test {
protected:
    void TearDown() override
    {
        CloseMainDialog();
    }
};

// The clipboard's CF_UNICODETEXT as bytes (every character here is ASCII;
// anything above 0xFF shows as '?'); "<none>" when it holds none.
std::string ClipboardUnicode()
{
    std::string text = "<none>";
    if (!OpenClipboard(Dialog()))
        return text;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* wide = data ? static_cast<const WCHAR*>(GlobalLock(data)) : nullptr;
    if (wide) {
        text.clear();
        for (const WCHAR* p = wide; *p != 0; ++p)
            text += *p < 0x100 ? static_cast<char>(*p) : '?';
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Windows' line ends as the companion's.
std::string WithoutCarriageReturns(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c != '\r')
            out += c;
    }
    return out;
}

// A field's text replaced as a person's edit is, then the field left.
void EnterText(int field, const char* text)
{
    FocusControl(field);
    SetWindowTextA(Control(field), text);
    PumpMessages();
    FocusControl(field == FieldHex ? FieldBinary : FieldHex);
}

void ChooseFormat(const char* name)
{
    ASSERT_TRUE(OnFormatNameEntered(PaneFormat, name)) << name;
    RefillFormatList();
    PumpMessages();
}

// Keys down in order, then up in reverse, sent together and then pumped.
void PressChord(std::initializer_list<WORD> keys)
{
    INPUT inputs[8] = {};
    UINT n = 0;
    for (WORD key : keys) {
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n++].ki.wVk = key;
    }
    for (auto key = keys.end(); key != keys.begin();) {
        --key;
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n].ki.wVk = *key;
        inputs[n++].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(n, inputs, sizeof(INPUT));
    PumpMessages();
}

// Every copy form lands on the clipboard as Unicode text, the same as the
// copy forms unit writes for the width's format.
TEST_F(CopyAndHistory, EachFormIsCopiedAsTheFormsUnitWritesIt)
{
    const struct {
        int button;
        const char* format;
        int field;
        const char* text;
        const char* literal;  // the literal form, known independently
    } cases[] = {
        {ButtonWidth32, "single", FieldFloat, "0.1", "0.1f"},
        {ButtonWidth64, "double", FieldFloat, "-0", "-0.0"},
        {ButtonWidth80, "x87", FieldHex, "3FFFA000000000000000", "1.25L"},
        {ButtonWidth16, "half", FieldHex, "7C00", "0x7C00"},  // C has no half literal
        {ButtonWidth8, "e4m3", FieldHex, "38", "0x38"},
    };
    const int commands[] = {IDM_COPY_HEX,   IDM_COPY_LITERAL,  IDM_COPY_HEXFLOAT,
                            IDM_COPY_BYTES, IDM_COPY_BYTES_BE, IDM_COPY_ARRAY};
    for (const auto& c : cases) {
        OpenMainDialog(c.button, ButtonLittle, true);
        ChooseFormat(c.format);
        EnterText(c.field, c.text);
        for (int i = 0; i < CopyFormCount; ++i) {
            char want[CopyFormCapacity];
            WriteCopyForm(want, CopyForms[i], *ChosenFormatOf(ConverterState.Width),
                          ConverterState.ValueRegister, ConverterState.Width);
            ASSERT_TRUE(CopyAs(commands[i]));
            EXPECT_EQ(ClipboardUnicode(), want) << CopyFormName(CopyForms[i]) << " of " << c.text;
        }
        ASSERT_TRUE(CopyAs(IDM_COPY_LITERAL));
        EXPECT_EQ(ClipboardUnicode(), c.literal);
        CloseMainDialog();
    }
}

// The pane's bytes readings are the bytes and bytes-be forms.
TEST_F(CopyAndHistory, PaneShowsTheBytesInMemoryOrder)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    EnterText(FieldHex, "3DCCCCCD");
    EXPECT_EQ(ControlText(PaneBytes), "CD CC CC 3D");
    EXPECT_EQ(ControlText(PaneBytesBigEndian), "3D CC CC CD");
    EXPECT_TRUE(Style(PaneBytes) & ES_READONLY);
    EXPECT_TRUE(Style(PaneBytesBigEndian) & ES_READONLY);
    char label[16];
    GetWindowTextA(GetWindow(Control(PaneBytes), GW_HWNDPREV), label, sizeof label);
    EXPECT_STREQ(label, "bytes");
    GetWindowTextA(GetWindow(Control(PaneBytesBigEndian), GW_HWNDPREV), label, sizeof label);
    EXPECT_STREQ(label, "bytes-be");
    ClickButton(ButtonWidth80);
    EnterText(FieldHex, "3FFF8CCCCCCCCCCCCD00");
    EXPECT_EQ(ControlText(PaneBytes), "00 CD CC CC CC CC CC 8C FF 3F");
    EXPECT_EQ(ControlText(PaneBytesBigEndian), "3F FF 8C CC CC CC CC CC CD 00");
}

// "readings" and "json" are the companion's text for the same value, here
// as dexolin-cli printed it, with Windows' line ends on the clipboard.
TEST_F(CopyAndHistory, ReadingsAndJsonAreTheCompanionsText)
{
    const struct {
        int button;
        const char* format;
        int field;
        const char* text;
        int command;
        const char* want;
    } cases[] = {
        {ButtonWidth32, "single", FieldHex, "3DCCCCCD", IDM_COPY_READINGS,
         "format\tsingle\nunsigned\t1036831949\nclass\tnormal\nexact\t1.00000001490116119384765625e-1\n"
         "shortest\t1e-1\nhexfloat\t0x1.99999ap-4\nnext\t3DCCCCCE\nprevious\t3DCCCCCC\n"},
        {ButtonWidth16, "bfloat16", FieldHex, "3F80", IDM_COPY_READINGS,
         "format\tbfloat16\nunsigned\t16256\nclass\tnormal\nexact\t1e0\nshortest\t1e0\nhexfloat\t0x1p+0\n"
         "next\t3F81\nprevious\t3F7F\n"},
        {ButtonWidth32, "single", FieldFloat, "0.1", IDM_COPY_JSON,
         "{\"width\":32,\"endian\":\"little\",\"binary\":\"00111101110011001100110011001101\",\"decimal\":"
         "\"1036831949\",\"hex\":\"3DCCCCCD\",\"float\":\"0.10000000149011611939\",\"sign\":0,\"exponent\":"
         "\"-4\",\"mantissa\":\"1.6000000\",\"errors\":[],\"register\":\"3FFBCCCCCCCC3DCCCCCD\"}\n"},
        {ButtonWidth80, "x87", FieldHex, "3FFF8CCCCCCCCCCCCD00", IDM_COPY_JSON,
         "{\"width\":80,\"endian\":\"little\",\"binary\":"
         "\"00111111111111111000110011001100110011001100110011001100110011001100110100000000\",\"decimal\":"
         "\"302223153868824124378368\",\"hex\":\"3FFF8CCCCCCCCCCCCD00\",\"float\":\"1.1000000000000000055\","
         "\"sign\":0,\"exponent\":\"0\",\"mantissa\":\"1.1000000000000000056\",\"errors\":[],\"register\":"
         "\"3FFF8CCCCCCCCCCCCD00\"}\n"},
        {ButtonWidth8, "e4m3", FieldHex, "A5", IDM_COPY_JSON,
         "{\"width\":8,\"endian\":\"little\",\"binary\":\"10100101\",\"decimal\":\"-91\",\"hex\":\"A5\","
         "\"float\":\"\",\"sign\":0,\"exponent\":\"\",\"mantissa\":\"\",\"errors\":[],\"register\":"
         "\"000000000000000000A5\"}\n"},
    };
    for (const auto& c : cases) {
        OpenMainDialog(c.button, ButtonLittle, true);
        ChooseFormat(c.format);
        EnterText(c.field, c.text);
        ASSERT_TRUE(CopyAs(c.command));
        const std::string copied = ClipboardUnicode();
        EXPECT_EQ(WithoutCarriageReturns(copied), c.want) << c.text;
        // Every line end is CR LF on the clipboard.
        for (size_t i = 0; i < copied.size(); ++i) {
            if (copied[i] == '\n') {
                EXPECT_TRUE(i > 0 && copied[i - 1] == '\r') << "bare line feed at " << i;
            }
        }
        CloseMainDialog();
    }
}

// Ctrl+Shift+C copies the literal whatever has the focus, and the edit's
// own copy of its selection does not follow it.
TEST_F(CopyAndHistory, CtrlShiftCCopiesTheLiteralFromAnyControl)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    EnterText(FieldFloat, "0.1");
    const int focused[] = {FieldBinary, FieldFloat, PaneExact, IDC_BIT_GRID, PaneRounding, ButtonWidth32};
    for (int id : focused) {
        SetClipboardText("before");
        FocusControl(id);
        if (id == FieldBinary)
            SendMessageA(Control(id), EM_SETSEL, 0, -1);  // a selection Ctrl+C would copy
        PressChord({VK_CONTROL, VK_SHIFT, 'C'});
        EXPECT_EQ(ClipboardUnicode(), "0.1f") << "focus on " << id;
    }
    // Ctrl+C alone still copies the field's selection.
    FocusControl(FieldHex);
    SendMessageA(Control(FieldHex), EM_SETSEL, 0, -1);
    PressChord({VK_CONTROL, 'C'});
    EXPECT_EQ(ClipboardUnicode(), "3DCCCCCD");
}

// The binary and hexadecimal fields' context menus: the edit's items, then
// "Copy as" with every form, then Paste bytes in both orders; other fields
// and the readings have no Paste bytes, and a reading's editing items are
// unavailable as in a read-only edit's own menu.
TEST_F(CopyAndHistory, ContextMenusOfferCopyAsAndPasteBytes)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    SetClipboardText("CD CC CC 3D");
    const struct {
        int control;
        bool pasteBytes;
        bool readOnly;
    } cases[] = {
        {FieldBinary, true, false}, {FieldHex, true, false},  {FieldDecimal, false, false},
        {FieldFloat, false, false}, {PaneExact, false, true}, {PaneBytes, false, true},
        {PaneValue, false, false},  {PaneFlags, false, true},
    };
    const UINT copyCommands[] = {IDM_COPY_HEX,      IDM_COPY_LITERAL, IDM_COPY_HEXFLOAT, IDM_COPY_BYTES,
                                 IDM_COPY_BYTES_BE, IDM_COPY_ARRAY,   IDM_COPY_READINGS, IDM_COPY_JSON};
    for (const auto& c : cases) {
        FocusControl(c.control);
        SendMessageA(Control(c.control), EM_SETSEL, 0, -1);
        if (GetWindowTextLengthA(Control(c.control)) == 0)
            SendMessageA(Control(c.control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
        SendMessageA(Control(c.control), EM_SETSEL, 0, -1);
        HMENU menu = BuildEditContextMenu(Control(c.control));
        const UINT standard[] = {WM_UNDO, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, EM_SETSEL};
        for (UINT command : standard)
            EXPECT_NE(GetMenuState(menu, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << command;
        EXPECT_EQ((GetMenuState(menu, WM_CUT, MF_BYCOMMAND) & MF_GRAYED) != 0, c.readOnly) << c.control;
        EXPECT_EQ((GetMenuState(menu, WM_PASTE, MF_BYCOMMAND) & MF_GRAYED) != 0, c.readOnly) << c.control;
        EXPECT_EQ(GetMenuState(menu, WM_COPY, MF_BYCOMMAND) & MF_GRAYED, 0u) << c.control;
        HMENU copyAs = nullptr;
        int pasteLittle = -1, pasteBig = -1;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            if (GetSubMenu(menu, i))
                copyAs = GetSubMenu(menu, i);
            if (GetMenuItemID(menu, i) == IDM_PASTE_BYTES_LE)
                pasteLittle = i;
            if (GetMenuItemID(menu, i) == IDM_PASTE_BYTES_BE)
                pasteBig = i;
        }
        ASSERT_NE(copyAs, nullptr) << c.control;
        ASSERT_EQ(GetMenuItemCount(copyAs), 8);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(GetMenuItemID(copyAs, i), copyCommands[i]) << i;
        EXPECT_EQ(pasteLittle >= 0, c.pasteBytes) << c.control;
        EXPECT_EQ(pasteBig >= 0, c.pasteBytes) << c.control;
        if (c.pasteBytes) {
            EXPECT_EQ(pasteBig, pasteLittle + 1) << "little-endian first";
        }
        DestroyMenu(menu);
    }
    // The items' names say their forms.
    HMENU menu = GetSystemMenu(Dialog(), FALSE);
    char text[64];
    GetMenuStringA(menu, IDM_COPY_LITERAL, text, sizeof text, MF_BYCOMMAND);
    EXPECT_NE(std::string(text).find("(literal)"), std::string::npos) << text;
    GetMenuStringA(menu, IDM_COPY_BYTES_BE, text, sizeof text, MF_BYCOMMAND);
    EXPECT_NE(std::string(text).find("(bytes-be)"), std::string::npos) << text;
}

// What a right click shows: the menus opened by WM_CONTEXTMENU, seen by the
// owner's WM_INITMENUPOPUP and closed by a timer once open (the menu's own
// loop blocks until then).
struct OpenedMenus {
    bool CopyAs;  // a menu with the literal's item opened
    bool PasteBytes;  // a menu with Paste bytes opened
    bool Undo;  // a menu with the edit's Undo opened
};
OpenedMenus Opened;

bool MenuHas(HMENU menu, UINT id)
{
    return GetMenuState(menu, id, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

LRESULT CALLBACK WatchMenus(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_INITMENUPOPUP) {
        auto menu = reinterpret_cast<HMENU>(wParam);
        Opened.CopyAs |= MenuHas(menu, IDM_COPY_LITERAL);  // found in the submenus too
        Opened.PasteBytes |= MenuHas(menu, IDM_PASTE_BYTES_LE) && MenuHas(menu, IDM_PASTE_BYTES_BE);
        Opened.Undo |= MenuHas(menu, WM_UNDO);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    EndMenu();
}

TEST_F(CopyAndHistory, RightClickShowsTheMenusWithCopyAs)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    SetClipboardText("CD CC CC 3D");
    ASSERT_TRUE(SetWindowSubclass(Dialog(), WatchMenus, 77, 0));
    const struct {
        int control;
        bool pasteBytes;
        bool editItems;
        int width = ButtonWidth32;
    } cases[] = {
        {FieldHex, true, true},
        {FieldBinary, true, true},
        {FieldMantissa, false, true},
        {PaneExact, false, true},
        {PaneBytesBigEndian, false, true},
        {IDC_BIT_GRID, false, false},
        {PaneHalf, false, true, ButtonWidth16},  // a reading made when its row first shows
    };
    for (const auto& c : cases) {
        ClickButton(c.width);
        Opened = {};
        RECT r;
        GetWindowRect(Control(c.control), &r);
        SetTimer(nullptr, 0, 300, CloseMenu);
        SendMessageA(Control(c.control), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control(c.control)),
                     MAKELPARAM(r.left + 2, r.top + 2));
        PumpMessages();
        EXPECT_TRUE(Opened.CopyAs) << c.control;
        EXPECT_EQ(Opened.PasteBytes, c.pasteBytes) << c.control;
        EXPECT_EQ(Opened.Undo, c.editItems) << c.control;
    }
    RemoveWindowSubclass(Dialog(), WatchMenus, 77);
}

// The standard items do what the edit's own menu does.
TEST_F(CopyAndHistory, ContextMenuStandardItemsActAsTheEdits)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    EnterText(FieldHex, "3DCCCCCD");
    FocusControl(FieldHex);
    SendMessageA(Control(FieldHex), EM_SETSEL, 0, -1);
    RunEditMenuCommand(Control(FieldHex), WM_COPY);
    EXPECT_EQ(ClipboardUnicode(), "3DCCCCCD");
    SendMessageA(Control(FieldHex), EM_SETSEL, 0, 0);
    RunEditMenuCommand(Control(FieldHex), EM_SETSEL);
    DWORD start = 1, end = 0;
    SendMessageA(Control(FieldHex), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 8u);
    // Ctrl+V's number rule holds for the menu's Paste: no bit pattern, no change.
    SetClipboardText("hello");
    RunEditMenuCommand(Control(FieldHex), WM_PASTE);
    EXPECT_EQ(ControlText(FieldHex), "3DCCCCCD");
    EXPECT_EQ(LastFieldTip().Field, FieldHex);
    // A copy form from the field's menu.
    RunEditMenuCommand(Control(FieldHex), IDM_COPY_ARRAY);
    EXPECT_EQ(ClipboardUnicode(), "{0xCD, 0xCC, 0xCC, 0x3D}");
}

// Paste bytes sets the width's bits in the order chosen; a run of another
// count or no run changes nothing and says what it found on the field.
TEST_F(CopyAndHistory, PasteBytesInBothOrdersOrRefusedWithATip)
{
    const struct {
        int button;
        int field;
        const char* clipboard;
        int command;
        const char* hex;  // the hexadecimal field after it; null: unchanged
        const char* tip;  // part of the tip's text when refused
    } cases[] = {
        {ButtonWidth32, FieldHex, "CD CC CC 3D", IDM_PASTE_BYTES_LE, "3DCCCCCD", nullptr},
        {ButtonWidth32, FieldBinary, "CD CC CC 3D", IDM_PASTE_BYTES_BE, "CDCCCC3D", nullptr},
        {ButtonWidth32, FieldHex, "{0x3D, 0xCC, 0xCC, 0xCD}", IDM_PASTE_BYTES_BE, "3DCCCCCD", nullptr},
        {ButtonWidth16, FieldHex, "00 3c", IDM_PASTE_BYTES_LE, "3C00", nullptr},
        {ButtonWidth80, FieldHex, "00cdcccccccccc8c ff3f", IDM_PASTE_BYTES_LE, "3FFF8CCCCCCCCCCCCD00",
         nullptr},
        {ButtonWidth80, FieldHex, "CD CC CC 3D", IDM_PASTE_BYTES_LE, nullptr,
         "found 4 bytes, 80 bits need 10"},
        {ButtonWidth32, FieldBinary, "CD CC", IDM_PASTE_BYTES_BE, nullptr, "found 2 bytes, 32 bits need 4"},
        {ButtonWidth32, FieldHex, "hello", IDM_PASTE_BYTES_LE, nullptr, "unexpected character"},
        {ButtonWidth8, FieldHex, "", IDM_PASTE_BYTES_LE, nullptr, "no bytes"},
    };
    for (const auto& c : cases) {
        OpenMainDialog(c.button, ButtonLittle, true);
        EnterText(FieldHex, "1");
        const std::string before = ControlText(FieldHex);
        SetClipboardText(c.clipboard);
        ForgetFieldTip();
        FocusControl(c.field);
        RunEditMenuCommand(Control(c.field), c.command);
        PumpMessages();
        if (c.hex) {
            EXPECT_EQ(ControlText(FieldHex), c.hex) << c.clipboard;
            EXPECT_EQ(LastFieldTip().Field, 0) << c.clipboard;
        } else {
            EXPECT_EQ(ControlText(FieldHex), before) << c.clipboard;
            EXPECT_EQ(LastFieldTip().Field, c.field) << c.clipboard;
            EXPECT_NE(std::string(LastFieldTip().Text).find(c.tip), std::string::npos)
                << c.clipboard << ": " << LastFieldTip().Text;
        }
        CloseMainDialog();
    }
}

// Six settled values: 32 bits at 0, bit 0 set, 16 bits (in the width's
// default format, half), read as bfloat16, as half again, then bit 15 set.
struct Settled {
    int button;
    const char* hex;
    const char* format;
};
const Settled History[] = {
    {ButtonWidth32, "00000000", "single"}, {ButtonWidth32, "00000001", "single"},
    {ButtonWidth16, "0001", "half"},       {ButtonWidth16, "0001", "bfloat16"},
    {ButtonWidth16, "0001", "half"},       {ButtonWidth16, "8001", "half"},
};

void SettleHistory()
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    ClickTile(0);
    ClickButton(ButtonWidth16);
    ChooseFormat("bfloat16");
    ChooseFormat("half");
    ClickTile(15);
}

void ExpectShown(const Settled& s, const char* how)
{
    EXPECT_TRUE(IsChecked(s.button)) << how;
    EXPECT_EQ(ControlText(FieldHex), s.hex) << how;
    EXPECT_EQ(ControlText(PaneFormat), s.format) << how;
    EXPECT_EQ(BitText(15), s.hex[0] == '8' ? "1" : "0") << how;
}

enum class Way { Keys, SystemMenu, AppCommand };

void Go(Way way, bool back)
{
    switch (way) {
    case Way::Keys: PressChord({VK_MENU, static_cast<WORD>(back ? VK_LEFT : VK_RIGHT)}); break;
    case Way::SystemMenu:
        SendMessageA(Dialog(), WM_SYSCOMMAND, back ? IDM_HISTORY_BACK : IDM_HISTORY_FORWARD, 0);
        PumpMessages();
        break;
    case Way::AppCommand: {
        // As a mouse's side button sends it, to the control under the
        // pointer, which hands it up to the dialog.
        HWND target = Control(FieldFloat);
        LPARAM command = MAKELPARAM(
            0, (back ? APPCOMMAND_BROWSER_BACKWARD : APPCOMMAND_BROWSER_FORWARD) | FAPPCOMMAND_MOUSE);
        SendMessageA(target, WM_APPCOMMAND, reinterpret_cast<WPARAM>(target), command);
        PumpMessages();
        break;
    }
    }
}

// Back through widths and formats to the first value and Forward to the
// last, by each way, the focus in a field, which keeps it: a restored width
// is clicked, and the click must not leave the focus on its option button,
// where the next arrow key would change the width.
TEST_F(CopyAndHistory, BackAndForwardThroughWidthsAndFormats)
{
    const Way ways[] = {Way::Keys, Way::SystemMenu, Way::AppCommand};
    const int last = static_cast<int>(std::size(History)) - 1;
    for (Way way : ways) {
        SettleHistory();
        FocusControl(FieldHex);
        ExpectShown(History[last], "settled");
        for (int i = last - 1; i >= 0; --i) {
            Go(way, true);
            ExpectShown(History[i], "back");
            EXPECT_EQ(GetFocus(), Control(FieldHex)) << "back to " << i;
        }
        Go(way, true);  // nothing before the first
        ExpectShown(History[0], "back at the first");
        for (int i = 1; i <= last; ++i) {
            Go(way, false);
            ExpectShown(History[i], "forward");
            EXPECT_EQ(GetFocus(), Control(FieldHex)) << "forward to " << i;
        }
        CloseMainDialog();
    }
}

// A field the restored width disables cannot keep the focus: the
// hexadecimal field takes it, as at start when the float fields are off.
TEST_F(CopyAndHistory, FocusLeavesAFieldTheRestoredWidthDisables)
{
    SettleHistory();
    PressChord({VK_MENU, VK_LEFT});
    PressChord({VK_MENU, VK_LEFT});
    PressChord({VK_MENU, VK_LEFT});
    PressChord({VK_MENU, VK_LEFT});  // 32 bits, bit 0 set
    ExpectShown(History[1], "back");
    FocusControl(FieldFloat);
    PressChord({VK_MENU, VK_RIGHT});  // 16 bits: no float fields
    ExpectShown(History[2], "forward");
    EXPECT_EQ(GetFocus(), Control(FieldHex));
    CloseMainDialog();
}

// Alt+Left and Alt+Right work whichever control has the focus, and
// releasing Alt after them opens no menu.
TEST_F(CopyAndHistory, AltArrowsWorkFromEveryControl)
{
    const int focused[] = {FieldBinary,   FieldDecimal, FieldFloat,    FieldExponent, FieldSign,
                           ButtonWidth16, IDC_BIT_GRID, PaneExact,     PaneBytes,     PaneFormat,
                           PaneRounding,  PaneValue,    ButtonStepNext};
    const int last = static_cast<int>(std::size(History)) - 1;
    for (int id : focused) {
        SettleHistory();
        FocusControl(id);
        PressChord({VK_MENU, VK_LEFT});
        ExpectShown(History[last - 1], "Alt+Left");
        PressChord({VK_MENU, VK_RIGHT});
        ExpectShown(History[last], "Alt+Right");
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
        EXPECT_EQ(info.flags & GUI_INMENUMODE, 0u) << "menu mode after Alt, focus on " << id;
        CloseMainDialog();
    }
}

// The value entry and a field's edit settle their values once the focus
// leaves them.
TEST_F(CopyAndHistory, EntriesAndEditsSettleWhenLeft)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    EnterText(FieldHex, "3F800000");  // 1.0
    FocusControl(PaneValue);
    SetWindowTextA(Control(PaneValue), "2.5");
    PumpMessages();
    FocusControl(FieldHex);
    EXPECT_EQ(ControlText(FieldHex), "40200000");
    SendMessageA(Dialog(), WM_SYSCOMMAND, IDM_HISTORY_BACK, 0);
    PumpMessages();
    EXPECT_EQ(ControlText(FieldHex), "3F800000");
    SendMessageA(Dialog(), WM_SYSCOMMAND, IDM_HISTORY_BACK, 0);
    PumpMessages();
    EXPECT_EQ(ControlText(FieldHex), "00000000");
    SendMessageA(Dialog(), WM_SYSCOMMAND, IDM_HISTORY_FORWARD, 0);
    SendMessageA(Dialog(), WM_SYSCOMMAND, IDM_HISTORY_FORWARD, 0);
    PumpMessages();
    EXPECT_EQ(ControlText(FieldHex), "40200000");
}

// The system menu's popup and items, after "Inspector".
TEST_F(CopyAndHistory, SystemMenuHasCopyAsBackAndForward)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    HMENU menu = GetSystemMenu(Dialog(), FALSE);
    EXPECT_EQ(GetMenuItemID(menu, 3), static_cast<UINT>(IDM_INSPECTOR));
    HMENU copyAs = GetSubMenu(menu, 4);
    ASSERT_NE(copyAs, nullptr);
    EXPECT_EQ(GetMenuItemCount(copyAs), 8);
    EXPECT_EQ(GetMenuItemID(menu, 5), static_cast<UINT>(IDM_HISTORY_BACK));
    EXPECT_EQ(GetMenuItemID(menu, 6), static_cast<UINT>(IDM_HISTORY_FORWARD));
    EnterText(FieldFloat, "0.1");
    // Some systems (Wine) send a popup's choice as WM_COMMAND.
    SendMessageA(Dialog(), WM_SYSCOMMAND, IDM_COPY_HEXFLOAT, 0);
    EXPECT_EQ(ClipboardUnicode(), "0x1.99999ap-4f");
    SendMessageA(Dialog(), WM_COMMAND, IDM_COPY_HEX, 0);
    EXPECT_EQ(ClipboardUnicode(), "0x3DCCCCCD");
}

// The dialog says it took the browser commands and leaves the others to
// the system.
TEST_F(CopyAndHistory, AppCommandsTakenAreSaidSo)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    ClickButton(ButtonWidth64);
    const struct {
        int command;
        LRESULT taken;
        bool width64;
    } cases[] = {
        {APPCOMMAND_VOLUME_UP, FALSE, true},
        {APPCOMMAND_BROWSER_BACKWARD, TRUE, false},
        {APPCOMMAND_BROWSER_FORWARD, TRUE, true},
    };
    for (const auto& c : cases) {
        LPARAM lParam = MAKELPARAM(0, c.command | FAPPCOMMAND_KEY);
        EXPECT_EQ(SendMessageA(Dialog(), WM_APPCOMMAND, reinterpret_cast<WPARAM>(Dialog()), lParam), c.taken)
            << c.command;
        PumpMessages();
        EXPECT_EQ(IsChecked(ButtonWidth64), c.width64) << c.command;
    }
}

// The mouse's back button released over a field: the system's default
// processing turns it into WM_APPCOMMAND, which the field hands up.
TEST_F(CopyAndHistory, MouseBackButtonOverAFieldGoesBack)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    ClickButton(ButtonWidth64);
    HWND field = Control(FieldFloat);
    SendMessageA(field, WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON1), MAKELPARAM(5, 5));
    SendMessageA(field, WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_TRUE(IsChecked(ButtonWidth32));
    SendMessageA(field, WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON2), MAKELPARAM(5, 5));
    SendMessageA(field, WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON2), MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_TRUE(IsChecked(ButtonWidth64));
}

}  // namespace
