#include "memory/memory_fields.h"

#include "converter/converter_startup.h"
#include "converter/field_events.h"
#include "converter/inspector.h"
#include "converter/pane_events.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "views/bits_text.h"
#include "views/float_readings.h"
#include "views/reading_table.h"

namespace {

constexpr int FirstControl = IDC_LABEL_BINARY;  // the lowest id of a control
constexpr int ControlCount = FirstBitToggle + BitToggleCount - FirstControl;  // to the last bit toggle
constexpr int LargestLimit = MemoryFieldCapacity - 1;  // a field holds no more

struct MemoryControl {
    char* Text;  // Capacity bytes
    int Capacity;
    int Limit;  // characters the user can type or paste
    int Repaints;
    bool Enabled;
    bool Shown;
    bool Checked;
    bool Uppercase;  // letters show as capitals (the hexadecimal field)
};

MemoryControl Controls[ControlCount];
bool RightAligned;
bool PaneShown = true;  // as the window starts without a saved setting; kept across start-ups

// The fields' texts, and the pane's, which hold whole readings.
char FieldTexts[ControlCount][MemoryFieldCapacity];
char PaneTexts[ReadingTableCount][ReadingCapacity];  // by row of the reading table

MemoryControl* Control(int id)
{
    int index = id - FirstControl;
    return index >= 0 && index < ControlCount ? &Controls[index] : nullptr;
}

// Capital of a letter in the Windows ANSI code page 1252, as an upper-case
// edit control shows it; every other byte stays.
char CapitalOf(char c)
{
    auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7))
        return static_cast<char>(byte - 0x20);
    switch (byte) {
    case 0x9A: return static_cast<char>(0x8A);  // s with caron
    case 0x9C: return static_cast<char>(0x8C);  // ligature oe
    case 0x9E: return static_cast<char>(0x8E);  // z with caron
    case 0xFF: return static_cast<char>(0x9F);  // y with diaeresis
    default: return c;
    }
}

// Copies at most limit characters of text into the control, in capitals
// where the control shows them so, and raises the change notification.
void StoreText(int id, const char* text, int limit)
{
    MemoryControl* control = Control(id);
    if (!control)
        return;
    int n = 0;
    while (n < limit && n < control->Capacity - 1 && text[n] != '\0') {
        control->Text[n] = control->Uppercase ? CapitalOf(text[n]) : text[n];
        ++n;
    }
    control->Text[n] = '\0';
    if (IsEditField(id))
        OnFieldChange(id);
}

int ReadText(int field, char* buffer, int size)
{
    const MemoryControl* control = Control(field);
    int n = 0;
    if (control) {
        while (n < size - 1 && control->Text[n] != '\0') {
            buffer[n] = control->Text[n];
            ++n;
        }
    }
    buffer[n] = '\0';
    return n;
}

// A program's write: no limit applies, as with WM_SETTEXT.
void WriteText(int field, const char* text)
{
    StoreText(field, text, ReadingCapacity);
}

bool ReadCheck(int field)
{
    const MemoryControl* control = Control(field);
    return control && control->Checked;
}

void WriteCheck(int field, bool checked)
{
    if (MemoryControl* control = Control(field))
        control->Checked = checked;
}

void Repaint(int field)
{
    if (MemoryControl* control = Control(field))
        ++control->Repaints;
}

void Enable(int id, bool enable)
{
    if (MemoryControl* control = Control(id))
        control->Enabled = enable;
}

void LimitText(int field, int limit)
{
    // As with EM_LIMITTEXT, 0 means the largest limit.
    if (MemoryControl* control = Control(field))
        control->Limit = (limit <= 0 || limit > LargestLimit) ? LargestLimit : limit;
}

void AlignEntry(bool bigEndian)
{
    RightAligned = !bigEndian;
}

void UppercaseLetters(int field)
{
    if (MemoryControl* control = Control(field))
        control->Uppercase = true;
}

bool InspectorShown()
{
    return PaneShown;
}

void Show(int id, bool show)
{
    if (MemoryControl* control = Control(id))
        control->Shown = show;
}

// An option button becomes the checked one of its group (the width buttons,
// or Little and Big); then the click's handler runs, as BN_CLICKED does.
void ClickButton(int button)
{
    if (WidthOfButton(button) != 0) {
        for (const WidthButtonPair& pair : WidthButtons)
            Control(pair.Button)->Checked = pair.Button == button;
        OnWidthButton(button);
    } else if (button == ButtonLittle || button == ButtonBig) {
        Control(ButtonLittle)->Checked = button == ButtonLittle;
        Control(ButtonBig)->Checked = button == ButtonBig;
        OnEndianButton(button);
    }
}

const FieldAccess MemoryAccess = {ReadText,         WriteText,   ReadCheck, WriteCheck,
                                  Repaint,          Enable,      LimitText, AlignEntry,
                                  UppercaseLetters, ClickButton, Show,      InspectorShown};

// A click reaches a control only while it is shown and enabled, and the
// inspector's controls only while the pane shows.
bool Clickable(int id)
{
    const MemoryControl* control = Control(id);
    return control && control->Shown && control->Enabled && PaneShown;
}

}  // namespace

void InstallMemoryFields()
{
    for (int i = 0; i < ControlCount; ++i) {
        MemoryControl& control = Controls[i];
        const ReadingRow* row = RowOfControl(FirstControl + i);
        bool inPane = row != nullptr;
        control.Text = inPane ? PaneTexts[row - ReadingTable] : FieldTexts[i];
        control.Capacity = inPane ? ReadingCapacity : MemoryFieldCapacity;
        control.Text[0] = '\0';
        control.Limit = LargestLimit;
        control.Repaints = 0;
        control.Enabled = true;
        control.Shown = true;
        control.Checked = false;
        control.Uppercase = false;
    }
    RightAligned = true;  // the dialog starts with right-aligned entry fields
    UseFieldAccess(&MemoryAccess);
}

void MemoryStartUp(int width, bool bigEndian)
{
    ResetConverterState(bigEndian);
    InstallMemoryFields();
    int widthButton = ButtonOfWidth(width);
    StartConverter(widthButton != 0 ? widthButton : ButtonWidth32, bigEndian ? ButtonBig : ButtonLittle);
}

void MemoryUserReplace(int field, const char* text)
{
    if (const MemoryControl* control = Control(field))
        StoreText(field, text, control->Limit);
}

void MemorySetInspectorShown(bool shown)
{
    PaneShown = shown;
    if (shown && ConverterState.Width != 0)
        RefreshInspector();
}

bool MemoryUserPaste(int field, const char* text)
{
    // 256 bytes: the window's clipboard text; longer is no number it takes.
    char digits[256];
    bool hexInBinary = false;
    if (field == FieldBinary || field == FieldHex) {
        if (ReadBitFieldPaste(text, field == FieldBinary, digits, sizeof digits, &hexInBinary) ==
            BitFieldPaste::Refused)
            return false;
        text = digits;
    }
    MemoryUserReplace(field, text);
    return true;
}

bool MemoryToggleBit(int bit)
{
    if (bit < 0 || bit >= BitToggleCount || !Clickable(FirstBitToggle + bit))
        return false;
    return OnBitToggle(bit);
}

bool MemoryClickStep(int button)
{
    if ((button != ButtonStepNext && button != ButtonStepPrevious) || !Clickable(button))
        return false;
    return OnStepButton(button);
}

void MemoryProgramWrite(int field, const char* text)
{
    WriteText(field, text);
}

void MemoryLoseFocus(int field)
{
    OnFieldKillFocus(field);
}

void MemoryClickButton(int button)
{
    ClickButton(button);
}

void MemoryClickSign()
{
    MemoryControl* sign = Control(FieldSign);
    sign->Checked = !sign->Checked;
    OnSignClick();
}

const char* MemoryFieldText(int field)
{
    const MemoryControl* control = Control(field);
    return control ? control->Text : "";
}

int MemoryFieldLimit(int field)
{
    const MemoryControl* control = Control(field);
    return control ? control->Limit : 0;
}

bool MemoryControlEnabled(int id)
{
    const MemoryControl* control = Control(id);
    return control && control->Enabled;
}

bool MemoryControlShown(int id)
{
    const MemoryControl* control = Control(id);
    return control && control->Shown;
}

bool MemoryControlChecked(int id)
{
    const MemoryControl* control = Control(id);
    return control && control->Checked;
}

bool MemorySignChecked()
{
    return MemoryControlChecked(FieldSign);
}

int MemoryRepaintCount(int field)
{
    const MemoryControl* control = Control(field);
    return control ? control->Repaints : 0;
}

bool MemoryEntryRightAligned()
{
    return RightAligned;
}
