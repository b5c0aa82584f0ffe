#include "converter/block_text.h"

#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "core/number_text.h"
#include "views/copy_forms.h"
#include "views/float_readings.h"
#include "views/reading_table.h"

namespace {

// The fields with an error flag, in the order the "errors" line lists them.
const struct {
    const char* Name;
    int Field;
} ErrorFields[] = {
    {"decimal", FieldDecimal},
    {"float", FieldFloat},
    {"exponent", FieldExponent},
    {"mantissa", FieldMantissa},
};

// A field's text: the companion's fields hold at most 1023 characters.
constexpr int FieldTextCapacity = 1024;

// One block being written: its sink, its form and whether the JSON object
// has had its first key.
struct BlockWriter {
    const TextSink& Sink;
    bool Json;
    bool Started;
};

void Put(const TextSink& sink, const char* text)
{
    sink.Put(sink.Context, text);
}

// Writes text (NUL-terminated) as a JSON string, quotes included. Field
// texts are bytes, not UTF-8: each byte is written as the character of the
// same number, so bytes above 127 become \u0080 to \u00FF and the output is
// plain ASCII, valid JSON whatever the fields hold.
void WriteJsonText(const TextSink& sink, const char* text)
{
    static const char Hex[] = "0123456789ABCDEF";
    Put(sink, "\"");
    // Runs of plain characters go out whole; each escape on its own.
    char run[64];
    int n = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text);; ++p) {
        unsigned char c = *p;
        bool plain = c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
        if (plain && n < static_cast<int>(sizeof run) - 1) {
            run[n++] = static_cast<char>(c);
            continue;
        }
        run[n] = '\0';
        if (n > 0)
            Put(sink, run);
        n = 0;
        if (c == '\0')
            break;
        if (plain) {
            run[n++] = static_cast<char>(c);
            continue;
        }
        char escape[7] = {'\\', static_cast<char>(c), '\0'};
        if (c == '\n') {
            escape[1] = 'n';
        } else if (c == '\t') {
            escape[1] = 't';
        } else if (c == '\r') {
            escape[1] = 'r';
        } else if (c != '"' && c != '\\') {
            // Other control characters and the bytes above ASCII.
            escape[1] = 'u';
            escape[2] = '0';
            escape[3] = '0';
            escape[4] = Hex[c >> 4];
            escape[5] = Hex[c & 15];
            escape[6] = '\0';
        }
        Put(sink, escape);
    }
    Put(sink, "\"");
}

// The start of an item: "name<TAB>" or the JSON key with its separator.
void PutName(BlockWriter* block, const char* name)
{
    if (!block->Json) {
        Put(block->Sink, name);
        Put(block->Sink, "\t");
        return;
    }
    Put(block->Sink, block->Started ? ",\"" : "\"");
    Put(block->Sink, name);
    Put(block->Sink, "\":");
    block->Started = true;
}

void PutText(BlockWriter* block, const char* name, const char* value)
{
    PutName(block, name);
    if (block->Json) {
        WriteJsonText(block->Sink, value);
    } else {
        Put(block->Sink, value);
        Put(block->Sink, "\n");
    }
}

void PutNumber(BlockWriter* block, const char* name, int value)
{
    char digits[16];
    char* p = digits + sizeof digits;
    *--p = '\0';
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = '-';
    PutName(block, name);
    Put(block->Sink, p);
    if (!block->Json)
        Put(block->Sink, "\n");
}

void PutField(BlockWriter* block, const char* name, int field)
{
    static char text[FieldTextCapacity];
    ReadFieldText(field, text, sizeof text);
    PutText(block, name, text);
}

// The error flags in the bit set: "decimal,float" or ["decimal","float"].
void PutErrors(BlockWriter* block, int errorFlags)
{
    PutName(block, "errors");
    if (block->Json)
        Put(block->Sink, "[");
    const char* separator = "";
    for (int i = 0; i < 4; ++i) {
        if (errorFlags & (1 << i)) {
            Put(block->Sink, separator);
            Put(block->Sink, block->Json ? "\"" : "");
            Put(block->Sink, ErrorFields[i].Name);
            Put(block->Sink, block->Json ? "\"" : "");
            separator = ",";
        }
    }
    Put(block->Sink, block->Json ? "]" : "\n");
}

// The readings after the register: the chosen format's when ofFormat, else
// the width's own when widthReadings. text: ReadingCapacity bytes.
void PutReadings(BlockWriter* block, bool ofFormat, bool widthReadings, bool memory, char* text)
{
    int32_t width = ConverterState.Width;
    const uint8_t* value = ConverterState.ValueRegister;
    const FloatFormat* format = ChosenFormatOf(width);
    ofFormat = ofFormat && format != nullptr;
    bool any = false;
    for (const ReadingRow& row : ReadingTable) {
        if (ofFormat ? (row.Scope & InFormat) == 0 : !widthReadings || !ReadAtWidth(row, width))
            continue;
        if (ofFormat)
            WriteFormatReading(text, row.Shown, *format, value, width);
        else
            WriteReading(text, row.Shown, value, width);
        PutText(block, row.Name, text);
        any = true;
    }
    if (!memory || !any)
        return;
    for (const ReadingRow& row : ReadingTable) {
        if (row.Scope & InMemory) {
            WriteReading(text, row.Shown, value, width);
            PutText(block, row.Name, text);
        }
    }
}

// The copy forms asked for. In JSON they are one object under "as": their
// names are those of the block's own items (hex, hexfloat, bytes), and a
// JSON object's keys must differ. text: CopyFormCapacity bytes at least.
void PutCopyForms(BlockWriter* block, unsigned asForms, char* text)
{
    if (asForms == 0)
        return;
    BlockWriter forms{block->Sink, block->Json, false};
    if (block->Json) {
        PutName(block, "as");
        Put(block->Sink, "{");
    }
    int32_t width = ConverterState.Width;
    for (int i = 0; i < CopyFormCount; ++i) {
        if ((asForms >> i & 1) == 0)
            continue;
        WriteCopyForm(text, CopyForms[i], *ChosenFormatOf(width), ConverterState.ValueRegister, width);
        PutText(&forms, CopyFormName(CopyForms[i]), text);
    }
    if (block->Json)
        Put(block->Sink, "}");
}

}  // namespace

int BlockErrorFlags()
{
    int flags = 0;
    for (int i = 0; i < 4; ++i) {
        if (*ErrorFlagOf(ErrorFields[i].Field))
            flags |= 1 << i;
    }
    return flags;
}

void WriteBlockText(const TextSink& sink, const BlockText& out, int errorFlags)
{
    BlockWriter block{sink, out.Json, false};
    if (out.Json)
        Put(sink, "{");
    PutNumber(&block, "width", ConverterState.Width);
    PutText(&block, "endian", ConverterState.BigEndian ? "big" : "little");
    PutField(&block, "binary", FieldBinary);
    PutField(&block, "decimal", FieldDecimal);
    PutField(&block, "hex", FieldHex);
    PutField(&block, "float", FieldFloat);
    PutNumber(&block, "sign", ReadFieldCheck(FieldSign) ? 1 : 0);
    PutField(&block, "exponent", FieldExponent);
    PutField(&block, "mantissa", FieldMantissa);
    PutErrors(&block, errorFlags);
    static char text[ReadingCapacity];
    WriteHexBytes(text, ConverterState.ValueRegister, 10);
    PutText(&block, "register", text);
    PutReadings(&block, out.FormatReadings || out.Encoded, out.Readings, out.Memory, text);
    if (out.Encoded) {
        PutText(&block, "flags", out.EncodeFlags);
        PutText(&block, "error", out.EncodeError);
    }
    PutCopyForms(&block, out.AsForms, text);
    if (out.Json)
        Put(sink, "}\n");
}

void WriteFormatReadingLines(const TextSink& sink)
{
    BlockWriter block{sink, false, false};
    static char text[ReadingCapacity];
    PutReadings(&block, true, false, false, text);
}
