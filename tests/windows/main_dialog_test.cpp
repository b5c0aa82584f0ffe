// The main dialog from the real resources, driven through real input.
#include <gtest/gtest.h>

#include <string>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "tests/windows/dialog_harness.h"

namespace {

// The face the system chose for font.
std::string FaceOf(HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return face;
}

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Black = RGB(0, 0, 0);

// The four float controls and their labels, enabled and disabled together.
const int FloatControls[] = {LabelFloat,    FieldFloat,    LabelSign,     FieldSign,
                             LabelExponent, FieldExponent, LabelMantissa, FieldMantissa};
const int EntryFields[] = {FieldBinary, FieldDecimal, FieldHex};

struct WidthCase {
    int Button;
    int Width;
    int BinaryLimit, DecimalLimit, HexLimit;
    int ExponentLimit, MantissaLimit;  // after 32 bits were shown first
    bool FloatEnabled;
};

// Text limits by width; at 8 and 16 bits the exponent and mantissa limits
// stay as the 32-bit start left them (4 and 9).
const WidthCase WidthCases[] = {
    // button        width bin dec hex exp man  float
    {ButtonWidth8, 8, 8, 4, 2, 4, 9, false},      {ButtonWidth16, 16, 16, 6, 4, 4, 9, false},
    {ButtonWidth32, 32, 32, 11, 8, 4, 9, true},   {ButtonWidth64, 64, 64, 20, 16, 5, 18, true},
    {ButtonWidth80, 80, 80, 25, 20, 6, 21, true},
};

class MainDialog : public ::testing::Test {
protected:
    void Open(int widthButton, int endianButton)
    {
        OpenMainDialog(widthButton, endianButton);
    }
    void TearDown() override
    {
        CloseMainDialog();
    }

    // Replaces a field's whole text by typing, as a person selecting all
    // and typing over it.
    static void TypeOver(int field, const char* text)
    {
        FocusControl(field);
        SendMessageA(Control(field), EM_SETSEL, 0, -1);
        TypeText(text);
    }
};

class StartUpByWidth : public MainDialog, public ::testing::WithParamInterface<WidthCase> { };

TEST_P(StartUpByWidth, ButtonsLimitsTextsAndFloatControls)
{
    const WidthCase& c = GetParam();
    Open(c.Button, ButtonLittle);
    EXPECT_EQ(ConverterState.Width, c.Width);
    EXPECT_TRUE(IsChecked(c.Button)) << "width button " << c.Button;
    EXPECT_TRUE(IsChecked(ButtonLittle));
    EXPECT_FALSE(IsChecked(ButtonBig));
    EXPECT_EQ(ControlText(FieldBinary), std::string(static_cast<size_t>(c.Width), '0'));
    EXPECT_EQ(ControlText(FieldHex), std::string(static_cast<size_t>(c.Width / 4), '0'));
    EXPECT_EQ(ControlText(FieldDecimal), "0");
    EXPECT_EQ(TextLimit(FieldBinary), c.BinaryLimit);
    EXPECT_EQ(TextLimit(FieldDecimal), c.DecimalLimit);
    EXPECT_EQ(TextLimit(FieldHex), c.HexLimit);
    EXPECT_EQ(TextLimit(FieldFloat), 28);
    for (int id : FloatControls)
        EXPECT_EQ(IsEnabled(id), c.FloatEnabled) << "control " << id;
    if (!c.FloatEnabled) {
        EXPECT_EQ(ControlText(FieldFloat), "");
        EXPECT_EQ(ControlText(FieldExponent), "");
        EXPECT_EQ(ControlText(FieldMantissa), "");
        EXPECT_FALSE(IsChecked(FieldSign));
    }
}

TEST_P(StartUpByWidth, WidthChangeFrom32SetsLimitsAndFloatControls)
{
    const WidthCase& c = GetParam();
    Open(ButtonWidth32, ButtonLittle);
    ClickButton(c.Button);
    EXPECT_EQ(ConverterState.Width, c.Width);
    EXPECT_EQ(TextLimit(FieldBinary), c.BinaryLimit);
    EXPECT_EQ(TextLimit(FieldDecimal), c.DecimalLimit);
    EXPECT_EQ(TextLimit(FieldHex), c.HexLimit);
    EXPECT_EQ(TextLimit(FieldExponent), c.ExponentLimit);
    EXPECT_EQ(TextLimit(FieldMantissa), c.MantissaLimit);
    for (int id : FloatControls)
        EXPECT_EQ(IsEnabled(id), c.FloatEnabled) << "control " << id;
}

INSTANTIATE_TEST_SUITE_P(Widths, StartUpByWidth, ::testing::ValuesIn(WidthCases),
                         [](const auto& param) { return "Bits" + std::to_string(param.param.Width); });

TEST_F(MainDialog, BigEndianStartLeftAlignsEntryFields)
{
    Open(ButtonWidth16, ButtonBig);
    EXPECT_TRUE(IsChecked(ButtonBig));
    EXPECT_EQ(ConverterState.BigEndian, 1);
    for (int id : EntryFields)
        EXPECT_EQ(ExStyle(id) & WS_EX_RIGHT, 0) << "field " << id;
}

TEST_F(MainDialog, LittleEndianStartRightAlignsEntryFieldsOnly)
{
    Open(ButtonWidth32, ButtonLittle);
    for (int id : EntryFields)
        EXPECT_NE(ExStyle(id) & WS_EX_RIGHT, 0) << "field " << id;
    for (int id : {FieldFloat, FieldExponent, FieldMantissa})
        EXPECT_EQ(ExStyle(id) & WS_EX_RIGHT, 0) << "field " << id;
}

TEST_F(MainDialog, HexFieldIsUpperCaseOnly)
{
    Open(ButtonWidth32, ButtonLittle);
    EXPECT_NE(Style(FieldHex) & ES_UPPERCASE, 0);
    for (int id : {FieldBinary, FieldDecimal, FieldFloat, FieldExponent, FieldMantissa})
        EXPECT_EQ(Style(id) & ES_UPPERCASE, 0) << "field " << id;
}

TEST_F(MainDialog, EditsGetTheFixedPitchFontLabelsKeepTheirs)
{
    Open(ButtonWidth32, ButtonLittle);
    ASSERT_NE(ShellState.Font, nullptr);
    for (int id : {FieldBinary, FieldDecimal, FieldHex, FieldFloat, FieldExponent, FieldMantissa}) {
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Control(id), WM_GETFONT, 0, 0)), ShellState.Font)
            << "field " << id;
    }
    for (int id : {IDC_LABEL_BINARY, int(FieldSign), int(ButtonWidth8), IDC_HINT})
        EXPECT_NE(reinterpret_cast<HFONT>(SendMessageA(Control(id), WM_GETFONT, 0, 0)), ShellState.Font)
            << "control " << id;
    LOGFONTA font = {};
    GetObjectA(ShellState.Font, sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Lucida Console");
    // 12 pixels with the real face; where another face stands in (Wine) it
    // may be smaller, so that the widest texts fit.
    if (FaceOf(ShellState.Font) == "Lucida Console")
        EXPECT_EQ(font.lfHeight, -12);
    else
        EXPECT_TRUE(font.lfHeight <= -6 && font.lfHeight >= -12) << font.lfHeight;
    EXPECT_EQ(font.lfPitchAndFamily, FIXED_PITCH | FF_DONTCARE);
}

TEST_F(MainDialog, WindowCarriesTheProgramIcon)
{
    Open(ButtonWidth32, ButtonLittle);
    ASSERT_NE(ShellState.Icon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(Dialog(), WM_GETICON, ICON_BIG, 0)), ShellState.Icon);
}

TEST_F(MainDialog, WindowOpensAtTheSavedPosition)
{
    Open(ButtonWidth32, ButtonLittle);
    RECT rect;
    GetWindowRect(Dialog(), &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 40);
}

TEST_F(MainDialog, TypedHexRefreshesOthersAndIsTidiedOnLeaving)
{
    Open(ButtonWidth16, ButtonLittle);
    TypeOver(FieldHex, "f");
    EXPECT_EQ(ControlText(FieldHex), "F");
    EXPECT_EQ(ControlText(FieldBinary), "0000000000001111");
    EXPECT_EQ(ControlText(FieldDecimal), "15");
    PressKey(VK_TAB);
    EXPECT_NE(GetFocus(), Control(FieldHex));
    EXPECT_EQ(ControlText(FieldHex), "000F");
}

TEST_F(MainDialog, HexLettersAppearAsCapitals)
{
    Open(ButtonWidth32, ButtonLittle);
    TypeOver(FieldHex, "abcdef");
    EXPECT_EQ(ControlText(FieldHex), "ABCDEF");
    EXPECT_EQ(ControlText(FieldDecimal), "11259375");
}

TEST_F(MainDialog, BigEndianEntryFillsFromTheTop)
{
    Open(ButtonWidth16, ButtonBig);
    TypeOver(FieldHex, "F");
    EXPECT_EQ(ControlText(FieldBinary), "1111000000000000");
    EXPECT_EQ(ControlText(FieldDecimal), "-4096");
}

TEST_F(MainDialog, NarrowWidthEmptiesAndDisablesFloatControls)
{
    Open(ButtonWidth32, ButtonLittle);
    ClickButton(FieldSign);
    ASSERT_TRUE(IsChecked(FieldSign));
    SetWindowTextA(Control(FieldMantissa), "123");
    ClickButton(ButtonWidth8);
    EXPECT_FALSE(IsChecked(FieldSign));
    EXPECT_EQ(ControlText(FieldMantissa), "");
    for (int id : FloatControls)
        EXPECT_FALSE(IsEnabled(id)) << "control " << id;
    EXPECT_EQ(ConverterState.Updating, 0);
}

TEST_F(MainDialog, SignBoxSetsTheSignBit)
{
    Open(ButtonWidth32, ButtonLittle);
    ClickButton(FieldSign);
    EXPECT_EQ(ControlText(FieldBinary), "1" + std::string(31, '0'));
    EXPECT_EQ(ControlText(FieldDecimal), "-2147483648");
    EXPECT_EQ(ControlText(FieldHex), "80000000");
    ClickButton(FieldSign);
    EXPECT_EQ(ControlText(FieldDecimal), "0");
}

TEST_F(MainDialog, ClickOnTheCurrentWidthRunsTheWholeChangeAgain)
{
    Open(ButtonWidth32, ButtonLittle);
    TypeOver(FieldBinary, "101");
    ASSERT_EQ(ControlText(FieldBinary), "101");
    SendMessageA(Control(FieldBinary), EM_LIMITTEXT, 100, 0);
    // The click notification alone, so the binary field keeps the focus.
    SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(ButtonWidth32, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(ButtonWidth32)));
    PumpMessages();
    EXPECT_EQ(GetFocus(), Control(FieldBinary));
    EXPECT_EQ(ControlText(FieldBinary), std::string(29, '0') + "101");
    EXPECT_EQ(TextLimit(FieldBinary), 32);
}

TEST_F(MainDialog, EndiannessChangesAlignmentButNoText)
{
    Open(ButtonWidth32, ButtonLittle);
    TypeOver(FieldDecimal, "-2");
    PressKey(VK_TAB);
    const std::string binary = ControlText(FieldBinary);
    const std::string decimal = ControlText(FieldDecimal);
    const std::string hex = ControlText(FieldHex);

    ClickButton(ButtonBig);
    EXPECT_EQ(ConverterState.BigEndian, 1);
    for (int id : EntryFields)
        EXPECT_EQ(ExStyle(id) & WS_EX_RIGHT, 0) << "field " << id;
    EXPECT_EQ(ControlText(FieldBinary), binary);
    EXPECT_EQ(ControlText(FieldDecimal), decimal);
    EXPECT_EQ(ControlText(FieldHex), hex);

    // A click on the endianness in force changes nothing, not even a style
    // set behind the dialog's back.
    SetWindowLongA(Control(FieldHex), GWL_EXSTYLE, ExStyle(FieldHex) | WS_EX_RIGHT);
    ClickButton(ButtonBig);
    EXPECT_NE(ExStyle(FieldHex) & WS_EX_RIGHT, 0);

    ClickButton(ButtonLittle);
    for (int id : EntryFields)
        EXPECT_NE(ExStyle(id) & WS_EX_RIGHT, 0) << "field " << id;
    EXPECT_EQ(ControlText(FieldDecimal), decimal);
}

TEST_F(MainDialog, DecimalErrorDrawsRedUntilTheFieldIsLeft)
{
    Open(ButtonWidth8, ButtonLittle);
    EXPECT_EQ(CountPixels(FieldDecimal, Red), 0);
    TypeOver(FieldDecimal, "999");
    EXPECT_EQ(ControlText(FieldDecimal), "999");
    EXPECT_EQ(ConverterState.DecimalError, 1);
    EXPECT_GT(CountPixels(FieldDecimal, Red), 0) << "the digits of an out-of-range number are red";
    EXPECT_EQ(CountPixels(FieldHex, Red), 0);

    PressKey(VK_TAB);
    EXPECT_EQ(ConverterState.DecimalError, 0);
    EXPECT_EQ(ControlText(FieldDecimal), "127");
    EXPECT_EQ(CountPixels(FieldDecimal, Red), 0);
    EXPECT_GT(CountPixels(FieldDecimal, Black), 0);
}

// The colour the dialog hands the edit controls, asked for directly.
TEST_F(MainDialog, EditColourFollowsEachErrorFlag)
{
    Open(ButtonWidth32, ButtonLittle);
    struct FlagCase {
        int Field;
        uint8_t* Flag;
    };
    const FlagCase cases[] = {
        {FieldDecimal, &ConverterState.DecimalError},
        {FieldFloat, &ConverterState.FloatError},
        {FieldExponent, &ConverterState.ExponentError},
        {FieldMantissa, &ConverterState.MantissaError},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const FlagCase& c : cases) {
        for (uint8_t flag : {uint8_t{1}, uint8_t{0}}) {
            *c.Flag = flag;
            SetTextColor(dc, RGB(0, 0, 255));
            auto brush =
                reinterpret_cast<HBRUSH>(SendMessageA(Dialog(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(Control(c.Field))));
            EXPECT_EQ(brush, GetSysColorBrush(COLOR_WINDOW)) << "field " << c.Field;
            EXPECT_EQ(GetTextColor(dc), flag ? Red : Black) << "field " << c.Field << " flag " << int(flag);
        }
    }
    // Fields without an error flag keep whatever colour the control chose.
    for (int id : {FieldBinary, FieldHex}) {
        SetTextColor(dc, RGB(0, 0, 255));
        SendMessageA(Dialog(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Control(id)));
        EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255)) << "field " << id;
    }
    DeleteDC(dc);
}

TEST_F(MainDialog, EnterAndEscapeDoNotClose)
{
    Open(ButtonWidth32, ButtonLittle);
    FocusControl(ButtonLittle);
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(KeyWasSeen(VK_RETURN)) << "on a button the keys reach the dialog";
    EXPECT_TRUE(KeyWasSeen(VK_ESCAPE));
    SendMessageA(Dialog(), WM_COMMAND, IDOK, 0);
    SendMessageA(Dialog(), WM_COMMAND, IDCANCEL, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindowVisible(Dialog()));
    EXPECT_NE(ShellState.KeyboardHook, nullptr);
}

TEST_F(MainDialog, CloseSavesThePositionAndReleasesHookAndFont)
{
    Open(ButtonWidth32, ButtonLittle);
    SetWindowPos(Dialog(), HWND_TOP, 123, 45, 0, 0, SWP_NOSIZE);
    PumpMessages();
    RECT before;
    GetWindowRect(Dialog(), &before);
    SendMessageA(Dialog(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(ShellState.SavedX, 123);
    EXPECT_EQ(ShellState.SavedY, 45);
    EXPECT_TRUE(EqualRect(&ShellState.SavedWindowRect, &before));
    EXPECT_EQ(ShellState.KeyboardHook, nullptr);
    EXPECT_EQ(ShellState.Font, nullptr);
    EXPECT_FALSE(IsWindowVisible(Dialog()));
}

// Ctrl+V was once filtered like a typed V; now the shortcut pastes as the
// context menu's paste does.
TEST_F(MainDialog, PasteShortcutAndMenuPasteBothPaste)
{
    Open(ButtonWidth32, ButtonLittle);
    ASSERT_TRUE(OpenClipboard(Dialog()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
    memcpy(GlobalLock(memory), "123", 4);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();

    FocusControl(FieldDecimal);
    SendMessageA(Control(FieldDecimal), EM_SETSEL, 0, -1);
    PressKeyWith(VK_CONTROL, 'V');
    EXPECT_EQ(ControlText(FieldDecimal), "123");

    SendMessageA(Control(FieldDecimal), EM_SETSEL, 0, -1);
    SendMessageA(Control(FieldDecimal), WM_PASTE, 0, 0);
    PumpMessages();
    EXPECT_EQ(ControlText(FieldDecimal), "123");
    EXPECT_EQ(ControlText(FieldHex), "0000007B");
}

TEST_F(MainDialog, ShiftedDigitsReachTheFieldsThatTakeTheDigit)
{
    Open(ButtonWidth32, ButtonLittle);
    TypeOver(FieldBinary, "1!");  // Shift+1 on a US layout
    EXPECT_EQ(ControlText(FieldBinary), "1!");
    EXPECT_EQ(ControlText(FieldDecimal), "2");
    TypeOver(FieldFloat, "#");  // Shift+3
    EXPECT_EQ(ControlText(FieldFloat), "#");
}

}  // namespace

namespace {

class FloatFields : public ::testing::Test {
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

TEST_F(FloatFields, TypedNumberReachesEveryOtherField)
{
    FocusControl(FieldFloat);
    SendMessageA(Control(FieldFloat), EM_SETSEL, 0, -1);
    TypeText("1.5");
    EXPECT_EQ(ControlText(FieldFloat), "1.5");
    EXPECT_EQ(ControlText(FieldHex), "3FC00000");
    EXPECT_EQ(ControlText(FieldExponent), "0");
    EXPECT_EQ(ConverterState.FloatError, 0);
}

TEST_F(FloatFields, UnreadableTextIsRedUntilTheFieldIsLeft)
{
    FocusControl(FieldFloat);
    SendMessageA(Control(FieldFloat), EM_SETSEL, 0, -1);
    TypeText("QQ");
    EXPECT_EQ(ControlText(FieldFloat), "QQ");
    EXPECT_EQ(ConverterState.FloatError, 1);
    EXPECT_GT(CountPixels(FieldFloat, RGB(255, 0, 0)), 0);
    PressKey(VK_TAB);
    EXPECT_EQ(ConverterState.FloatError, 0);
    EXPECT_NE(ControlText(FieldFloat), "QQ");
    EXPECT_EQ(CountPixels(FieldFloat, RGB(255, 0, 0)), 0);
}

}  // namespace
