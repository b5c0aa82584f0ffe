#include "cli/block_printer.h"

#include <cstdio>

#include "cli/encode_command.h"
#include "cli/json_output.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "core/number_text.h"
#include "memory/memory_fields.h"
#include "views/copy_forms.h"
#include "views/float_readings.h"

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

// One block being written: its output and whether the JSON object has had
// its first key.
struct BlockWriter {
    const BlockOutput& Out;
    bool Started;
};

// The start of an item: "name<TAB>" or the JSON key with its separator.
void PutName(BlockWriter* block, const char* name)
{
    if (!block->Out.Json) {
        std::fprintf(block->Out.File, "%s\t", name);
        return;
    }
    std::fprintf(block->Out.File, block->Started ? ",\"%s\":" : "\"%s\":", name);
    block->Started = true;
}

void PutText(BlockWriter* block, const char* name, const char* value)
{
    PutName(block, name);
    if (block->Out.Json) {
        WriteJsonString(block->Out.File, value);
    } else {
        std::fputs(value, block->Out.File);
        std::fputc('\n', block->Out.File);
    }
}

void PutNumber(BlockWriter* block, const char* name, int value)
{
    PutName(block, name);
    std::fprintf(block->Out.File, block->Out.Json ? "%d" : "%d\n", value);
}

// The error flags in the bit set: "decimal,float" or ["decimal","float"].
void PutErrors(BlockWriter* block, int errorFlags)
{
    PutName(block, "errors");
    bool json = block->Out.Json;
    FILE* file = block->Out.File;
    if (json)
        std::fputc('[', file);
    const char* separator = "";
    for (int i = 0; i < 4; ++i) {
        if (errorFlags & (1 << i)) {
            std::fprintf(file, json ? "%s\"%s\"" : "%s%s", separator, ErrorFields[i].Name);
            separator = ",";
        }
    }
    std::fputs(json ? "]" : "\n", file);
}

// The readings after the register: the chosen format's with FormatReadings,
// else the width's own with Readings. text: ReadingCapacity bytes.
void PutReadings(BlockWriter* block, char* text)
{
    int32_t width = ConverterState.Width;
    const FloatFormat* format = ChosenFormatOf(width);
    bool ofFormat = (block->Out.FormatReadings || CompanionEncoded()) && format != nullptr;
    const Reading* readings = nullptr;
    int count = 0;
    if (ofFormat)
        count = ReadingsOfFormat(&readings);
    else if (block->Out.Readings)
        count = ReadingsOfWidth(width, &readings);
    for (int i = 0; i < count; ++i) {
        if (ofFormat)
            WriteFormatReading(text, readings[i], *format, ConverterState.ValueRegister, width);
        else
            WriteReading(text, readings[i], ConverterState.ValueRegister, width);
        PutText(block, ReadingName(readings[i]), text);
    }
    if (block->Out.Memory && count > 0) {
        const CopyForm memoryForms[] = {CopyForm::Bytes, CopyForm::BytesBigEndian};
        for (CopyForm form : memoryForms) {
            WriteCopyForm(text, form, *ChosenFormatOf(width), ConverterState.ValueRegister, width);
            PutText(block, CopyFormName(form), text);
        }
    }
}

// The copy forms asked for. In JSON they are one object under "as": their
// names are those of the block's own items (hex, hexfloat, bytes), and a
// JSON object's keys must differ. text: CopyFormCapacity bytes at least.
void PutCopyForms(BlockWriter* block, char* text)
{
    if (block->Out.AsForms == 0)
        return;
    BlockWriter forms{block->Out, false};
    if (block->Out.Json) {
        PutName(block, "as");
        std::fputc('{', block->Out.File);
    }
    int32_t width = ConverterState.Width;
    for (int i = 0; i < CopyFormCount; ++i) {
        if ((block->Out.AsForms >> i & 1) == 0)
            continue;
        WriteCopyForm(text, CopyForms[i], *ChosenFormatOf(width), ConverterState.ValueRegister, width);
        PutText(&forms, CopyFormName(CopyForms[i]), text);
    }
    if (block->Out.Json)
        std::fputc('}', block->Out.File);
}

}  // namespace

int CompanionErrorFlags()
{
    int flags = 0;
    for (int i = 0; i < 4; ++i) {
        if (*ErrorFlagOf(ErrorFields[i].Field))
            flags |= 1 << i;
    }
    return flags;
}

void CompanionPrintBlock(const BlockOutput& out, int errorFlags)
{
    BlockWriter block{out, false};
    if (out.Json)
        std::fputc('{', out.File);
    PutNumber(&block, "width", ConverterState.Width);
    PutText(&block, "endian", ConverterState.BigEndian ? "big" : "little");
    PutText(&block, "binary", MemoryFieldText(FieldBinary));
    PutText(&block, "decimal", MemoryFieldText(FieldDecimal));
    PutText(&block, "hex", MemoryFieldText(FieldHex));
    PutText(&block, "float", MemoryFieldText(FieldFloat));
    PutNumber(&block, "sign", MemorySignChecked() ? 1 : 0);
    PutText(&block, "exponent", MemoryFieldText(FieldExponent));
    PutText(&block, "mantissa", MemoryFieldText(FieldMantissa));
    PutErrors(&block, errorFlags);
    char text[ReadingCapacity];
    WriteHexBytes(text, ConverterState.ValueRegister, 10);
    PutText(&block, "register", text);
    PutReadings(&block, text);
    if (CompanionEncoded()) {
        PutText(&block, "flags", CompanionEncodeFlags());
        PutText(&block, "error", CompanionEncodeError());
    }
    PutCopyForms(&block, text);
    if (out.Json)
        std::fputs("}\n", out.File);
}
