#include "converter/value_entry.h"

#include "converter/pane_events.h"
#include "converter/refresh_views.h"
#include "converter/value_history.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/float_format_names.h"
#include "views/encode_error.h"
#include "views/float_readings.h"

namespace {

EncodeOptions Options;

// The value field whose entry the current refresh comes from, or 0: its
// own text and its error and flags stay as the entry wrote them.
int EntrySource = 0;

// The value field's text and the shortest reading: the readings' capacity.
char EntryText[ReadingCapacity];
char ErrorText[EncodeErrorCapacity];

// The `shortest` reading of the bits, or an empty text where the width
// reads no format.
void WriteShortest(char* out)
{
    out[0] = '\0';
    int32_t width = ConverterState.Width;
    if (const FloatFormat* format = ChosenFormatOf(width))
        WriteFormatReading(out, Reading::Shortest, *format, ConverterState.ValueRegister, width);
}

}  // namespace

void SetEntryOptions(EncodeOptions options)
{
    Options = options;
}

EncodeOptions EntryOptions()
{
    return Options;
}

bool OnValueEntryChange(int valueField, int errorField, int flagsField)
{
    if (ConverterState.Updating)
        return false;
    ReadFieldText(valueField, EntryText, sizeof EntryText);
    const FloatFormat* format = ChosenFormatOf(ConverterState.Width);
    uint8_t value[sizeof ConverterState.ValueRegister];
    for (int i = 0; i < static_cast<int>(sizeof value); ++i)
        value[i] = ConverterState.ValueRegister[i];
    EncodeOutcome outcome;
    bool number = format != nullptr &&
        EncodeValueText(EntryText, ReadingCapacity - 1, *format, Options, value, &outcome);
    UpdateErrorFlag(&ConverterState.ValueError, !number, valueField);
    if (!number) {
        SetFieldText(errorField, "");
        SetFieldText(flagsField, "not-a-number");
        return false;
    }
    for (int i = 0; i < static_cast<int>(sizeof value); ++i)
        ConverterState.ValueRegister[i] = value[i];
    char flags[40];  // the four flags' names and spaces: 35 characters
    WriteEncodeFlags(flags, outcome.Flags);
    WriteEncodeError(ErrorText, EntryText, ReadingCapacity - 1, outcome);
    EntrySource = valueField;
    RefreshViews(valueField);
    EntrySource = 0;
    SetFieldText(errorField, ErrorText);
    SetFieldText(flagsField, flags);
    return true;
}

void OnValueEntryKillFocus(int valueField)
{
    UpdateErrorFlag(&ConverterState.ValueError, false, valueField);
    WriteShortest(EntryText);
    SetFieldText(valueField, EntryText);
    RecordSettledValue();  // the value entered is settled; an unchanged one adds nothing
}

void RefreshValueEntry(int valueField, int errorField, int flagsField)
{
    if (EntrySource == valueField)
        return;
    UpdateErrorFlag(&ConverterState.ValueError, false, valueField);
    WriteShortest(EntryText);
    SetFieldText(valueField, EntryText);
    SetFieldText(errorField, "");
    SetFieldText(flagsField, "");
}

bool OnFormatNameEntered(int formatField, const char* text)
{
    FloatFormat format;
    bool taken = ReadFormatName(text, &format) == FormatNameResult::Ok &&
        FormatFitsWidth(format, ConverterState.Width) && OnChooseFormat(&format);
    UpdateErrorFlag(&ConverterState.FormatError, !taken, formatField);
    if (taken)
        SetFieldText(formatField, format.Name);
    return taken;
}

void RefreshFormatName(int formatField)
{
    const FloatFormat* format = ChosenFormatOf(ConverterState.Width);
    UpdateErrorFlag(&ConverterState.FormatError, false, formatField);
    SetFieldText(formatField, format ? format->Name : "");
}
