#include "core/field_access.h"

namespace {
const FieldAccess* CurrentFields = nullptr;  // the front end's controls
}

void UseFieldAccess(const FieldAccess* access)
{
    CurrentFields = access;
}

int ReadFieldText(int field, char* buffer, int size)
{
    return CurrentFields->ReadText(field, buffer, size);
}
void WriteFieldText(int field, const char* text)
{
    CurrentFields->WriteText(field, text);
}
bool ReadFieldCheck(int field)
{
    return CurrentFields->ReadCheck(field);
}
void WriteFieldCheck(int field, bool checked)
{
    CurrentFields->WriteCheck(field, checked);
}
void RepaintField(int field)
{
    CurrentFields->Repaint(field);
}
void EnableControl(int control, bool enable)
{
    CurrentFields->Enable(control, enable);
}
void LimitFieldText(int field, int limit)
{
    CurrentFields->LimitText(field, limit);
}
void AlignEntryFields(bool bigEndian)
{
    CurrentFields->AlignEntryFields(bigEndian);
}
void UppercaseFieldLetters(int field)
{
    CurrentFields->UppercaseLetters(field);
}
void ClickFieldButton(int button)
{
    CurrentFields->ClickButton(button);
}
void ShowControl(int control, bool show)
{
    CurrentFields->Show(control, show);
}
bool InspectorIsShown()
{
    return CurrentFields->InspectorShown();
}
