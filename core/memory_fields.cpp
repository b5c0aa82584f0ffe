#include "core/memory_fields.h"

#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_events.h"
#include "core/field_ids.h"

namespace {

constexpr int FirstControl = 1000;
constexpr int ControlCount = 23;  // ids 1000 to 1022

struct MemoryControl {
    char Text[MemoryFieldCapacity];
    int Limit;
    int Repaints;
    bool Enabled;
    bool Checked;
};

MemoryControl Controls[ControlCount];
bool RightAligned;

MemoryControl* Control(int id)
{
    int index = id - FirstControl;
    return index >= 0 && index < ControlCount ? &Controls[index] : nullptr;
}

// Copies at most limit characters of text into the control.
void StoreText(MemoryControl* control, const char* text, int limit)
{
    int n = 0;
    while (n < limit && text[n] != '\0') {
        control->Text[n] = text[n];
        ++n;
    }
    control->Text[n] = '\0';
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

void WriteText(int field, const char* text)
{
    MemoryControl* control = Control(field);
    if (!control)
        return;
    StoreText(control, text, MemoryFieldCapacity - 1);
    if (IsEditField(field))
        OnFieldChange(field);
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
    MemoryControl* control = Control(field);
    if (!control)
        return;
    // As with EM_LIMITTEXT, 0 means the largest limit.
    control->Limit = (limit <= 0 || limit > MemoryFieldCapacity - 1) ? MemoryFieldCapacity - 1 : limit;
}

void AlignEntry(bool bigEndian)
{
    RightAligned = !bigEndian;
}

const FieldAccess MemoryAccess = {ReadText, WriteText, ReadCheck, WriteCheck,
                                  Repaint,  Enable,    LimitText, AlignEntry};

}  // namespace

void InstallMemoryFields()
{
    for (MemoryControl& control : Controls) {
        control.Text[0] = '\0';
        control.Limit = MemoryFieldCapacity - 1;
        control.Repaints = 0;
        control.Enabled = true;
        control.Checked = false;
    }
    RightAligned = true;  // the dialog starts with right-aligned entry fields
    UseFieldAccess(&MemoryAccess);
}

void MemoryStartUp(int width, bool bigEndian)
{
    ResetConverterState(bigEndian);
    InstallMemoryFields();
    int widthButton = ButtonWidth32;
    for (int button = ButtonWidth8; button <= ButtonWidth80; ++button) {
        if (ButtonWidth(button) == width)
            widthButton = button;
    }
    MemoryClickButton(widthButton);
    MemoryClickButton(bigEndian ? ButtonBig : ButtonLittle);
}

void MemoryUserReplace(int field, const char* text)
{
    MemoryControl* control = Control(field);
    if (!control)
        return;
    StoreText(control, text, control->Limit);
    if (IsEditField(field))
        OnFieldChange(field);
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
    if (ButtonWidth(button) != 0)
        OnWidthButton(button);
    else
        OnEndianButton(button);
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

bool MemorySignChecked()
{
    return Controls[FieldSign - FirstControl].Checked;
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
