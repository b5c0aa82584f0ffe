#include "views/float_view.h"

#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_formats.h"
#include "core/float_format.h"
#include "core/float_presets.h"
#include "core/x87_narrow.h"
#include "views/float_parser.h"
#include "views/float_printer.h"

void RenderFloat(int field)
{
    const FloatFormat* layout = FloatFormatOf(ConverterState.Width);
    if (!layout)
        return;
    char text[FloatTextBudget + 1];  // the printer's text and the NUL
    PrintFloat(text, ConverterState.ValueRegister, static_cast<uint8_t>(SpanBits(*layout) / 8),
               FloatTextBudget);
    SetFieldText(field, text);
}

bool ParseFloatField(int field)
{
    const FloatFormat* layout = FloatFormatOf(ConverterState.Width);
    if (!layout)
        return false;
    // Read with the count 31: at most 30 characters and the NUL (one spare).
    char text[32];
    ReadFieldText(field, text, 31);

    // The parser writes all 10 bytes; the bytes above a narrower width keep
    // the extended value, which no view shows.
    uint8_t* reg = ConverterState.ValueRegister;
    bool error = ParseFloat(text, reg);
    if (SpanBits(*layout) != 80) {
        if (IsInfinityOrNaN(ClassifyEncoding(ExtendedFormat, reg)))
            error = NarrowSpecial(reg, SpanBits(*layout)) || error;
        else if (SpanBits(*layout) == 64)
            X87NarrowToDouble(X87LoadBytes(reg), reg);
        else
            X87NarrowToSingle(X87LoadBytes(reg), reg);
    }
    UpdateErrorFlag(&ConverterState.FloatError, error, field);
    return true;
}
