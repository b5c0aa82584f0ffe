#include "converter/value_entry.h"

#include "converter/pane_events.h"
#include "converter/refresh_views.h"
#include "converter/value_entry_view.h"
#include "converter/value_history.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/float_format_names.h"
#include "views/encode_error.h"
#include "views/float_readings.h"

namespace {

EncodeOptions Options;

// The value field's text, as long as the longest reading it reads back.
char EntryText[ReadingCapacity];
char ErrorText[EncodeErrorCapacity];

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
    SetEntrySource(valueField);
    RefreshViews(valueField);
    SetEntrySource(0);
    SetFieldText(errorField, ErrorText);
    SetFieldText(flagsField, flags);
    return true;
}

void OnValueEntryKillFocus(int valueField)
{
    UpdateErrorFlag(&ConverterState.ValueError, false, valueField);
    WriteEntryShortest(EntryText);
    SetFieldText(valueField, EntryText);
    RecordSettledValue();  // the value entered is settled; an unchanged one adds nothing
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
