#include "converter/paste_bytes.h"

#include "converter/refresh_views.h"
#include "converter/value_history.h"
#include "core/converter_state.h"
#include "core/field_ids.h"

bool OnPasteBytes(const uint8_t* bytes, int count, bool bigEndian)
{
    if (count != ConverterState.Width / 8)
        return false;
    for (int i = 0; i < count; ++i)
        ConverterState.ValueRegister[i] = bytes[bigEndian ? count - 1 - i : i];
    RefreshViews(FieldNone);
    RecordSettledValue();
    return true;
}
