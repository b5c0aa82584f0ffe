#include "converter/value_entry_view.h"

#include "core/converter_state.h"
#include "core/field_access.h"
#include "views/float_readings.h"

namespace {

// The value field whose entry the current refresh comes from, or 0.
int EntrySource = 0;

}  // namespace

void WriteEntryShortest(char* out)
{
    out[0] = '\0';
    int32_t width = ConverterState.Width;
    if (const FloatFormat* format = ChosenFormatOf(width))
        WriteFormatReading(out, Reading::Shortest, *format, ConverterState.ValueRegister, width);
}

void SetEntrySource(int valueField)
{
    EntrySource = valueField;
}

void RefreshValueEntry(int valueField, int errorField, int flagsField)
{
    if (EntrySource == valueField)
        return;
    static char text[ReadingCapacity];  // the shortest reading
    UpdateErrorFlag(&ConverterState.ValueError, false, valueField);
    WriteEntryShortest(text);
    SetFieldText(valueField, text);
    SetFieldText(errorField, "");
    SetFieldText(flagsField, "");
}
