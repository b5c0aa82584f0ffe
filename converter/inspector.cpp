#include "converter/inspector.h"

#include "converter/value_entry_view.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "core/float_format.h"
#include "views/reading_table.h"

namespace {

// Read in the chosen format rather than in the float fields' format of the
// width.
bool ReadInChosenFormat(const ReadingRow& row)
{
    return (row.Scope & (InFormat | InMemory)) != 0;
}

// Whether the pane shows the row's reading at the current width.
bool PaneShows(const ReadingRow& row)
{
    return ChosenFormatOf(ConverterState.Width) &&
        (ReadInChosenFormat(row) || ReadAtWidth(row, ConverterState.Width));
}

// The pane's text of a reading it shows (ReadingCapacity bytes at most).
char* WritePaneText(char* out, const ReadingRow& row)
{
    int32_t width = ConverterState.Width;
    const uint8_t* value = ConverterState.ValueRegister;
    if (ReadInChosenFormat(row))
        return WriteFormatReading(out, row.Shown, *ChosenFormatOf(width), value, width);
    return WriteReading(out, row.Shown, value, width);
}

// Writes the row's reading, or empties its text; returns whether it applies
// and its text is not empty (the neighbours of an invalid encoding are).
// Enabled first: a front end may make a reading's control only once it
// applies, and the text then goes to the control just made.
bool RefreshReading(const ReadingRow& row)
{
    static char text[ReadingCapacity];  // the longest reading: an extended exact value
    bool applies = PaneShows(row);
    text[0] = '\0';
    if (applies)
        WritePaneText(text, row);
    EnableControl(row.Control, applies);
    SetFieldText(row.Control, text);
    return applies && text[0] != '\0';
}

// The step button that moves to the row's reading, or 0.
int StepOfReading(Reading reading)
{
    switch (reading) {
    case Reading::Next: return ButtonStepNext;
    case Reading::Previous: return ButtonStepPrevious;
    default: return 0;
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
    for (const ReadingRow& row : ReadingTable) {
        if (row.Control == 0)
            continue;
        bool stepExists = RefreshReading(row);
        if (int step = StepOfReading(row.Shown))
            EnableControl(step, stepExists);
    }
    for (int bit = 0; bit < BitToggleCount; ++bit)
        RefreshBitToggle(bit);
    RefreshValueEntry(PaneValue, PaneError, PaneFlags);
}
