#include "converter/inspector.h"

#include "converter/refresh_views.h"
#include "converter/value_entry.h"
#include "converter/value_history.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "core/float_format.h"
#include "views/copy_forms.h"
#include "views/float_neighbours.h"
#include "views/float_readings.h"

namespace {

// The pane control of each reading.
struct ReadingControl {
    Reading Shown;
    int Control;
};

const ReadingControl ReadingControls[] = {
    {Reading::Unsigned, PaneUnsigned}, {Reading::Half, PaneHalf},         {Reading::Bfloat16, PaneBfloat16},
    {Reading::Exact, PaneExact},       {Reading::Shortest, PaneShortest}, {Reading::HexFloat, PaneHexFloat},
    {Reading::Next, PaneNext},         {Reading::Previous, PanePrevious}, {Reading::Class, PaneClass},
};

bool ListHas(const Reading* list, int count, Reading reading)
{
    for (int i = 0; i < count; ++i) {
        if (list[i] == reading)
            return true;
    }
    return false;
}

// The chosen format of the width; its readings go before the width's own.
bool ChosenFormatHas(Reading reading)
{
    // The list is set by the count's call, which must come first: the
    // order in which a call's arguments are evaluated is unspecified.
    const Reading* list;
    int count = ReadingsOfFormat(&list);
    return ListHas(list, count, reading);
}

const ReadingControl* ReadingOfControl(int control)
{
    for (const ReadingControl& row : ReadingControls) {
        if (row.Control == control)
            return &row;
    }
    return nullptr;
}

// Writes the control's reading, or empties it; returns whether it applies
// and its text is not empty (the neighbours of an invalid encoding are).
bool RefreshReading(int control)
{
    static char text[ReadingCapacity];  // the longest reading: an extended exact value
    const ReadingControl* row = ReadingOfControl(control);
    bool applies = row && PaneHasReading(row->Shown);
    text[0] = '\0';
    if (applies)
        WritePaneReading(text, row->Shown);
    SetFieldText(control, text);
    EnableControl(control, applies);
    return applies && text[0] != '\0';
}

// The width's bytes in memory order, both ways round, as the copy forms
// write them; they read every width, with or without a format.
void RefreshMemoryBytes()
{
    const int32_t width = ConverterState.Width;
    const FloatFormat* format = ChosenFormatOf(width);
    const struct {
        CopyForm Form;
        int Control;
    } rows[] = {{CopyForm::Bytes, PaneBytes}, {CopyForm::BytesBigEndian, PaneBytesBigEndian}};
    for (const auto& row : rows) {
        char text[CopyFormCapacity];
        text[0] = '\0';
        if (format)
            WriteCopyForm(text, row.Form, *format, ConverterState.ValueRegister, width);
        SetFieldText(row.Control, text);
        EnableControl(row.Control, format != nullptr);
    }
}

bool BitIsSet(int bit)
{
    return (ConverterState.ValueRegister[bit / 8] >> (bit % 8) & 1) != 0;
}

// Writes only a changed bit text: a toggle repaints itself on every write.
void RefreshBitToggle(int bit)
{
    int control = FirstBitToggle + bit;
    bool shown = bit < ConverterState.Width;
    ShowControl(control, shown);
    if (!shown)
        return;
    char now[4];  // "0" or "1", and room to see anything longer
    ReadFieldText(control, now, sizeof now);
    const char* want = BitIsSet(bit) ? "1" : "0";
    if (now[0] != want[0] || now[1] != '\0')
        SetFieldText(control, want);
}

// What the bit stands for in the format, counted from bit 0 of the width.
BitRole RoleOfBitIn(const FloatFormat& format, int bit)
{
    if (bit >= SpanBits(format) || bit < FractionPosition(format))
        return BitRole::Ignored;
    if (bit >= SignPosition(format))
        return BitRole::Sign;
    if (bit >= ExponentPosition(format))
        return BitRole::Exponent;
    if (bit >= IntegerBitPosition(format))
        return BitRole::IntegerBit;
    return BitRole::Fraction;
}

}  // namespace

bool PaneHasReading(Reading reading)
{
    const Reading* list;
    int count = ReadingsOfWidth(ConverterState.Width, &list);
    return ChosenFormatOf(ConverterState.Width) &&
        (ChosenFormatHas(reading) || ListHas(list, count, reading));
}

char* WritePaneReading(char* out, Reading reading)
{
    int32_t width = ConverterState.Width;
    const uint8_t* value = ConverterState.ValueRegister;
    if (ChosenFormatHas(reading))
        return WriteFormatReading(out, reading, *ChosenFormatOf(width), value, width);
    return WriteReading(out, reading, value, width);
}

BitRole RoleOfBit(int bit, int width)
{
    const FloatFormat* format = ChosenFormatOf(width);
    if (!format)
        return BitRole::Plain;
    return RoleOfBitIn(*format, bit);
}

void RefreshInspector()
{
    // The exact reading of an extended subnormal takes milliseconds: a
    // hidden pane costs nothing.
    if (!InspectorIsShown())
        return;
    for (int i = 0; i < PaneReadingCount; ++i) {
        int control = PaneUnsigned + i;
        bool stepExists = RefreshReading(control);
        if (control == PaneNext)
            EnableControl(ButtonStepNext, stepExists);
        else if (control == PanePrevious)
            EnableControl(ButtonStepPrevious, stepExists);
    }
    RefreshMemoryBytes();
    for (int bit = 0; bit < BitToggleCount; ++bit)
        RefreshBitToggle(bit);
    RefreshValueEntry(PaneValue, PaneError, PaneFlags);
}

bool OnBitToggle(int bit)
{
    if (bit < 0 || bit >= ConverterState.Width)
        return false;
    ConverterState.ValueRegister[bit / 8] ^= static_cast<uint8_t>(1 << (bit % 8));
    RefreshViews(FieldNone);
    RecordSettledValue();
    return true;
}

bool OnStepButton(int button)
{
    const FloatFormat* format = ChosenFormatOf(ConverterState.Width);
    if (!format || (button != ButtonStepNext && button != ButtonStepPrevious))
        return false;
    if (!StepFloat(*format, ConverterState.ValueRegister, button == ButtonStepNext))
        return false;
    RefreshViews(FieldNone);
    RecordSettledValue();
    return true;
}

bool OnChooseFormat(const FloatFormat* format)
{
    if (!ChooseFormat(format))
        return false;
    RefreshInspector();
    RecordSettledValue();
    return true;
}
