#include "converter/field_undo.h"

#include <cstring>

#include "converter/refresh_views.h"
#include "core/converter_state.h"
#include "core/field_ids.h"

namespace {

// 96 bytes: the longest text a renderer writes into an edit field is the
// binary field's 80 digits; the NUL and room to spare.
constexpr int RememberedTextCapacity = 96;

struct RememberedText {
    int32_t Width;  // 0: nothing remembered
    char Text[RememberedTextCapacity];
    uint8_t Value[10];
    uint8_t Error;
};

// One per edit field, binary to mantissa.
RememberedText Remembered[FieldMantissa - FieldBinary + 1];

RememberedText* RememberedOf(int field)
{
    if (field < FieldBinary || field > FieldMantissa)
        return nullptr;
    return &Remembered[field - FieldBinary];
}

}  // namespace

void RememberRenderedText(int field, const char* text)
{
    RememberedText* slot = RememberedOf(field);
    if (!slot)
        return;
    size_t length = std::strlen(text);
    if (length >= sizeof slot->Text) {
        slot->Width = 0;
        return;
    }
    std::memcpy(slot->Text, text, length + 1);
    std::memcpy(slot->Value, ConverterState.ValueRegister, sizeof slot->Value);
    const uint8_t* error = ErrorFlagOf(field);
    slot->Error = error ? *error : 0;
    slot->Width = ConverterState.Width;
}

bool RestoreUndoneValue(int field, const char* text)
{
    RememberedText* slot = RememberedOf(field);
    if (!slot || slot->Width == 0 || slot->Width != ConverterState.Width ||
        std::strcmp(slot->Text, text) != 0)
        return false;
    std::memcpy(ConverterState.ValueRegister, slot->Value, sizeof slot->Value);
    if (uint8_t* error = ErrorFlagOf(field))
        UpdateErrorFlag(error, slot->Error != 0, field);
    RefreshViews(field);
    return true;
}
