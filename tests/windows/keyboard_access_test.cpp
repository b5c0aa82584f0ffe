// Typing, keyboard and screen-reader access of the real dialog: where the
// focus starts, overwriting in full fields, the labels' mnemonics, the
// controls' accessible names, the bit grid's bits as check boxes, and the
// fields wide enough for their texts.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/accessibility.h"
#include "shell/bit_grid.h"
#include "shell/field_font.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "tests/windows/dialog_harness.h"

namespace {

class KeyboardAccess : public ::testing::Test {
protected:
    void TearDown() override
    {
        CloseMainDialog();
    }
};

DWORD SelectionStart(int id)
{
    DWORD start = 0, end = 0;
    SendMessageA(Control(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start;
}
DWORD SelectionEnd(int id)
{
    DWORD start = 0, end = 0;
    SendMessageA(Control(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end;
}

// ---- The focus at start --------------------------------------------------------

TEST_F(KeyboardAccess, FocusStartsInTheFirstFieldToTypeIntoWithItsTextSelected)
{
    const struct {
        int Button;
        int Field;
        const char* Typed;
        const char* Hex;  // the hexadecimal field after typing "2" over the text
    } cases[] = {
        {ButtonWidth8, FieldHex, "2", "02"},
        {ButtonWidth16, FieldHex, "2", "0002"},
        {ButtonWidth32, FieldFloat, "2", "40000000"},
        {ButtonWidth64, FieldFloat, "2", "4000000000000000"},
        {ButtonWidth80, FieldFloat, "2", "40008000000000000000"},
    };
    for (const auto& c : cases) {
        OpenMainDialog(c.Button, ButtonLittle);
        EXPECT_EQ(GetFocus(), Control(c.Field)) << "width button " << c.Button;
        EXPECT_EQ(SelectionStart(c.Field), 0u) << "width button " << c.Button;
        EXPECT_EQ(SelectionEnd(c.Field), ControlText(c.Field).size()) << "width button " << c.Button;
        TypeText(c.Typed);
        if (c.Field == FieldHex)
            PressKey(VK_TAB);  // the hexadecimal field shows its canonical text once left
        EXPECT_EQ(ControlText(FieldHex), c.Hex) << "width button " << c.Button;
        CloseMainDialog();
    }
}

// The dialog manager keeps that focus: another window active for a while,
// the dialog gets it back. (Windows then selects the field's text again;
// Wine leaves the caret where it was.)
TEST_F(KeyboardAccess, FocusAtStartComesBackAfterAnotherWindowWasActive)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8, nullptr, nullptr,
                                 nullptr, nullptr);
    SetActiveWindow(other);
    PumpMessages();
    EXPECT_NE(GetFocus(), Control(FieldFloat));
    SetActiveWindow(Dialog());
    PumpMessages();
    DestroyWindow(other);
    EXPECT_EQ(GetFocus(), Control(FieldFloat));
    CloseMainDialog();
}

// ---- Overwriting in full fields ----------------------------------------------------

TEST_F(KeyboardAccess, DigitTypedIntoAFullBitFieldOverwritesTheNextDigit)
{
    const struct {
        int Field;
        int Caret;  // position of the caret, nothing selected
        int Selected;  // characters selected from the caret on
        const char* Typed;
        const char* Text;  // the field's text after typing
    } cases[] = {
        {FieldHex, 0, 0, "F", "F000"},
        {FieldHex, 1, 0, "AB", "0AB0"},
        {FieldHex, 3, 0, "12", "0001"},  // the second digit finds the caret at the end
        {FieldHex, 4, 0, "7", "0000"},  // at the end: refused by the limit, as before
        {FieldHex, 1, 2, "7", "070"},  // a selection is replaced as usual
        {FieldBinary, 15, 0, "1", "0000000000000001"},
        {FieldBinary, 0, 0, "11", "1100000000000000"},
    };
    for (const auto& c : cases) {
        OpenMainDialog(ButtonWidth16, ButtonLittle);
        FocusControl(c.Field);
        SendMessageA(Control(c.Field), EM_SETSEL, c.Caret, c.Caret + c.Selected);
        TypeText(c.Typed);
        EXPECT_EQ(ControlText(c.Field), c.Text)
            << "field " << c.Field << ", caret " << c.Caret << ", typed " << c.Typed;
        CloseMainDialog();
    }
    // A field with room left inserts, as it always did.
    OpenMainDialog(ButtonWidth16, ButtonLittle);
    FocusControl(FieldDecimal);
    SendMessageA(Control(FieldDecimal), EM_SETSEL, 0, 0);
    TypeText("5");
    EXPECT_EQ(ControlText(FieldDecimal), "50");
}

// ---- Mnemonics -----------------------------------------------------------------------

struct LabelCase {
    int Label;  // the static before the control in the z-order
    const char* Text;  // its text as the template has it
    WORD Letter;  // its mnemonic
    int Control;  // where Alt+letter moves the focus
    const char* Name;  // the control's accessible name
};

const LabelCase Labels[] = {
    {IDC_LABEL_BINARY, "&Binary", 'B', FieldBinary, "Binary"},
    {IDC_LABEL_DECIMAL, "&Decimal", 'D', FieldDecimal, "Decimal"},
    {IDC_LABEL_HEX, "&Hexidecimal", 'H', FieldHex, "Hexidecimal"},
    {IDC_LABEL_FLOAT, "&Floating-Point", 'F', FieldFloat, "Floating-Point"},
    {IDC_LABEL_SIGN, "&S", 'S', FieldSign, "S"},
    {IDC_LABEL_EXPONENT, "&Exp.", 'E', FieldExponent, "Exp."},
    {IDC_LABEL_MANTISSA, "&Mantissa", 'M', FieldMantissa, "Mantissa"},
};

TEST_F(KeyboardAccess, AltAndALabelsLetterMovesTheFocusToItsField)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle);
    // The letters differ from each other and from the pane's "&Next" and
    // "&Previous".
    std::string letters = "NP";
    for (const LabelCase& c : Labels) {
        EXPECT_EQ(letters.find(static_cast<char>(c.Letter)), std::string::npos) << c.Text;
        letters += static_cast<char>(c.Letter);
    }
    // From a field and from a button, and from the field the letter names
    // (which takes the letter as a digit without Alt).
    for (int from : {int(FieldHex), int(ButtonBig), int(FieldBinary)}) {
        for (const LabelCase& c : Labels) {
            FocusControl(from);
            PressKeyWith(VK_MENU, c.Letter);
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), c.Control) << "Alt+" << char(c.Letter) << " from " << from;
        }
    }
    // No text was typed by the letters.
    EXPECT_EQ(ControlText(FieldHex), "00000000");
}

// ---- Accessible names ------------------------------------------------------------------

// A child id, or CHILDID_SELF, as the accessible methods take it.
VARIANT ChildId(LONG id)
{
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// One text property of an accessible object or of one of its children;
// `none` when it has no such text.
std::string ChildText(IAccessible* accessible, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                      LONG child, const char* none)
{
    BSTR value = nullptr;
    HRESULT result = (accessible->*get)(ChildId(child), &value);
    if (result != S_OK || !value)
        return none;
    char text[128] = {};  // 128: longer than every label and description
    WideCharToMultiByte(CP_ACP, 0, value, -1, text, sizeof text, nullptr, nullptr);
    SysFreeString(value);
    return text;
}

// One text property of a control's accessible object, through oleacc as a
// screen reader asks for it; `none` when the object has no such text.
std::string AccessibleText(HWND control, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                           const char* none)
{
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))) ||
        !accessible)
        return "(no accessible object)";
    std::string text = ChildText(accessible, get, CHILDID_SELF, none);
    accessible->Release();
    return text;
}

std::string AccessibleName(HWND control)
{
    return AccessibleText(control, &IAccessible::get_accName, "(no name)");
}

std::string AccessibleDescription(HWND control)
{
    return AccessibleText(control, &IAccessible::get_accDescription, "(none)");
}

TEST_F(KeyboardAccess, EveryControlIsNamedByItsLabel)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    for (const LabelCase& c : Labels) {
        HWND label = c.Label == IDC_LABEL_HEX ? GetWindow(Control(FieldHex), GW_HWNDPREV) : Control(c.Label);
        EXPECT_EQ(GetWindow(Control(c.Control), GW_HWNDPREV), label) << c.Name << ": label not right before";
        EXPECT_EQ(AccessibleName(Control(c.Control)), c.Name);
    }
    const struct {
        int Id;
        const char* Name;
    } buttons[] = {{ButtonWidth8, "8"}, {ButtonWidth80, "80"}, {ButtonBig, "Big"}, {ButtonLittle, "Little"}};
    for (const auto& b : buttons)
        EXPECT_EQ(AccessibleName(Control(b.Id)), b.Name);
    // The inspector's readings by their labels, its steps by their texts.
    const struct {
        int Id;
        const char* Name;
    } pane[] = {{PaneShortest, "shortest"}, {PaneExact, "exact"}, {ButtonStepNext, "Next"}};
    for (const auto& p : pane)
        EXPECT_EQ(AccessibleName(Control(p.Id)), p.Name);
}

// A field whose text was not taken says so to assistive technology, and
// only while its flag is set.
TEST_F(KeyboardAccess, FieldInErrorIsDescribedAsNotTaken)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle);
    char expected[64];  // 64: longer than the description
    WideCharToMultiByte(CP_ACP, 0, FieldErrorDescription, -1, expected, sizeof expected, nullptr, nullptr);
    const struct {
        int Field;
        const char* Typed;  // text the field cannot take at 32 bits
    } cases[] = {
        {FieldDecimal, "99999999999"}, {FieldFloat, "QQ"}, {FieldExponent, "9999"}, {FieldMantissa, "5"}};
    for (const auto& c : cases) {
        const int field = c.Field;
        FocusControl(field);
        SendMessageA(Control(field), EM_SETSEL, 0, -1);
        TypeText(c.Typed);
        ASSERT_EQ(*ErrorFlagOf(field), 1) << "field " << field << " took " << c.Typed;
        EXPECT_EQ(AccessibleDescription(Control(field)), expected) << "field " << field;
        PressKey(VK_TAB);
        EXPECT_EQ(AccessibleDescription(Control(field)), "(none)") << "field " << field;
    }
}

// The bit grid's bits read as check boxes of their own, most significant
// first, and toggle by their default action.
TEST_F(KeyboardAccess, BitGridShowsEachBitAsACheckBox)
{
    OpenMainDialog(ButtonWidth32, ButtonLittle, true);
    TypeText("1");  // into the floating-point field, which has the focus
    ASSERT_EQ(ControlText(FieldHex), "3F800000");
    IAccessible* grid = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(Control(IDC_BIT_GRID), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&grid)),
              S_OK);
    ASSERT_NE(grid, nullptr);
    LONG count = 0;
    EXPECT_EQ(grid->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 32);
    EXPECT_EQ(ChildText(grid, &IAccessible::get_accName, CHILDID_SELF, "(no name)"), "Bits");
    const struct {
        LONG Child;
        const char* Name;
        bool Checked;  // bit set in 3F800000
        const char* Toggled;  // the hexadecimal field after the child's default action
    } cases[] = {
        {1, "Bit 31", false, "BF800000"}, {2, "Bit 30", false, "7F800000"},  {3, "Bit 29", true, "1F800000"},
        {9, "Bit 23", true, "3F000000"},  {10, "Bit 22", false, "3FC00000"}, {32, "Bit 0", false, "3F800001"},
    };
    for (const auto& c : cases) {
        const int bit = 32 - static_cast<int>(c.Child);
        const VARIANT child = ChildId(c.Child);
        EXPECT_EQ(ChildText(grid, &IAccessible::get_accName, c.Child, "(no name)"), c.Name);
        VARIANT role, state;
        VariantInit(&role);
        VariantInit(&state);
        EXPECT_EQ(grid->get_accRole(child, &role), S_OK) << c.Name;
        EXPECT_EQ(role.vt == VT_I4 ? role.lVal : 0, ROLE_SYSTEM_CHECKBUTTON) << c.Name;
        EXPECT_EQ(grid->get_accState(child, &state), S_OK) << c.Name;
        EXPECT_EQ((state.lVal & STATE_SYSTEM_CHECKED) != 0, c.Checked) << c.Name;
        EXPECT_EQ(ChildText(grid, &IAccessible::get_accValue, c.Child, "(none)"), c.Checked ? "1" : "0");
        // Where the tile is on the screen, and the tile under its centre.
        const RECT tile = BitTileOnScreen(bit);
        ASSERT_LT(tile.left, tile.right) << c.Name;
        ASSERT_LT(tile.top, tile.bottom) << c.Name;
        LONG left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(grid->accLocation(&left, &top, &width, &height, child), S_OK) << c.Name;
        EXPECT_EQ(left, tile.left) << c.Name;
        EXPECT_EQ(top, tile.top) << c.Name;
        EXPECT_EQ(width, tile.right - tile.left) << c.Name;
        EXPECT_EQ(height, tile.bottom - tile.top) << c.Name;
        VARIANT hit;
        VariantInit(&hit);
        EXPECT_EQ(grid->accHitTest((tile.left + tile.right) / 2, (tile.top + tile.bottom) / 2, &hit), S_OK);
        EXPECT_EQ(hit.vt == VT_I4 ? hit.lVal : -1, c.Child) << c.Name;
        // Toggled and back.
        EXPECT_EQ(grid->accDoDefaultAction(child), S_OK) << c.Name;
        PumpMessages();
        EXPECT_EQ(ControlText(FieldHex), c.Toggled) << c.Name;
        EXPECT_EQ(grid->get_accState(child, &state), S_OK) << c.Name;
        EXPECT_EQ((state.lVal & STATE_SYSTEM_CHECKED) != 0, !c.Checked) << c.Name;
        EXPECT_EQ(grid->accDoDefaultAction(child), S_OK) << c.Name;
        PumpMessages();
        EXPECT_EQ(ControlText(FieldHex), "3F800000") << c.Name;
    }
    BSTR name = nullptr;
    EXPECT_EQ(grid->get_accName(ChildId(33), &name), E_INVALIDARG);
    // The bit with the focus, once the grid has it.
    FocusControl(IDC_BIT_GRID);
    VARIANT focus, state;
    VariantInit(&focus);
    VariantInit(&state);
    EXPECT_EQ(grid->get_accFocus(&focus), S_OK);
    ASSERT_EQ(focus.vt, VT_I4);
    EXPECT_EQ(focus.lVal, 32 - FocusedBit());
    EXPECT_EQ(grid->get_accState(focus, &state), S_OK);
    EXPECT_NE(state.lVal & STATE_SYSTEM_FOCUSED, 0);
    grid->Release();
}

// ---- Room for the texts -----------------------------------------------------------------

// Pixels that text needs in the edit's font.
int TextWidth(HWND edit, const std::string& text)
{
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    return size.cx;
}

// The longest texts each field shows at 80 bits.
const struct {
    int Field;
    std::string Text;
} WidestTexts[] = {
    {FieldBinary, std::string(80, '0')},         {FieldBinary, std::string(80, '1')},
    {FieldDecimal, "-604462909807314587353088"}, {FieldHex, "FFFFFFFFFFFFFFFFFFFF"},
    {FieldHex, "80808080808080808080"},          {FieldFloat, "-1.1897314953572317650e+4932"},
    {FieldFloat, "-1.QNaN#4611686018427387903"}, {FieldExponent, "-16382"},
    {FieldMantissa, "1.9999999999999999999"},
};

// Every field's text fits its formatting rectangle (the edit's client area
// less its margins): the last of the 80 binary digits is not cut.
void ExpectTextsFit(const char* where)
{
    for (const auto& w : WidestTexts) {
        HWND edit = Control(w.Field);
        RECT area = {};
        SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        EXPECT_LE(TextWidth(edit, w.Text), area.right - area.left)
            << where << ": field " << w.Field << " cannot show " << w.Text;
    }
}

TEST_F(KeyboardAccess, EveryFieldShowsItsWidestTextWhole)
{
    OpenMainDialog(ButtonWidth80, ButtonLittle);
    ExpectTextsFit("96 DPI");
    // At 150 % (144 DPI), as a move to such a monitor brings it.
    RECT window;
    GetWindowRect(Dialog(), &window);
    RECT larger = {window.left, window.top, window.left + (window.right - window.left) * 3 / 2,
                   window.top + (window.bottom - window.top) * 3 / 2};
    SendMessageA(Dialog(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&larger));
    PumpMessages();
    ExpectTextsFit("144 DPI");
}

}  // namespace
