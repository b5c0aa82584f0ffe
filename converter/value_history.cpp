#include "converter/value_history.h"

#include <cstring>

#include "converter/refresh_views.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"

namespace {

struct SettledValue {
    uint8_t Value[10];  // the whole register
    int32_t Width;
    FloatFormat Format;  // the format chosen for the width then
};

// The ring of values, oldest at History.First; apart from the record so
// that it starts as zeros and takes no room in the program file.
SettledValue Values[ValueHistoryCapacity];

// The history's one record.
struct HistoryRecord {
    int First;  // the ring position of the oldest value
    int Count;  // values held
    int Shown;  // the value shown last, counted from the oldest; -1 with none
    bool Restoring;  // set while Back or Forward restores a value
};

HistoryRecord History = {0, 0, -1, false};

SettledValue& ValueAt(int index)
{
    return Values[(History.First + index) % ValueHistoryCapacity];
}

bool SameValue(const SettledValue& a, const SettledValue& b)
{
    return std::memcmp(a.Value, b.Value, sizeof a.Value) == 0 && a.Width == b.Width &&
        SameFormat(a.Format, b.Format);
}

bool Restore(int index)
{
    if (index < 0 || index >= History.Count)
        return false;
    const SettledValue& value = ValueAt(index);
    History.Shown = index;
    History.Restoring = true;
    if (value.Width != ConverterState.Width)
        ClickFieldButton(ButtonOfWidth(value.Width));
    std::memcpy(ConverterState.ValueRegister, value.Value, sizeof value.Value);
    ChooseFormat(&value.Format);
    RefreshViews(FieldNone);
    History.Restoring = false;
    return true;
}

}  // namespace

void ResetValueHistory()
{
    History.First = 0;
    History.Count = 0;
    History.Shown = -1;
    History.Restoring = false;
}

void RecordSettledValue()
{
    const FloatFormat* format = ChosenFormatOf(ConverterState.Width);
    if (History.Restoring || format == nullptr)
        return;
    SettledValue now;
    std::memcpy(now.Value, ConverterState.ValueRegister, sizeof now.Value);
    now.Width = ConverterState.Width;
    now.Format = *format;
    if (History.Shown >= 0 && SameValue(ValueAt(History.Shown), now))
        return;
    // A new value after going back drops those ahead of it; a full ring
    // forgets its oldest.
    History.Count = History.Shown + 1;
    if (History.Count == ValueHistoryCapacity) {
        History.First = (History.First + 1) % ValueHistoryCapacity;
        --History.Count;
    }
    ValueAt(History.Count) = now;
    History.Shown = History.Count++;
}

bool OnHistoryBack()
{
    return Restore(History.Shown - 1);
}

bool OnHistoryForward()
{
    return Restore(History.Shown + 1);
}
