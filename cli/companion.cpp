#include "cli/companion.h"

#include <cstdio>
#include <cstring>

#include "cli/inspector_commands.h"
#include "cli/json_output.h"
#include "converter/field_events.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "core/number_text.h"
#include "memory/memory_fields.h"
#include "views/float_readings.h"

namespace {

struct NamedField {
    const char* Name;
    int Field;
};

const NamedField FieldNames[] = {
    {"binary", FieldBinary}, {"decimal", FieldDecimal},   {"hex", FieldHex},
    {"float", FieldFloat},   {"exponent", FieldExponent}, {"mantissa", FieldMantissa},
};

// The fields with an error flag, in the order the "errors" line lists them.
const NamedField ErrorFields[] = {
    {"decimal", FieldDecimal},
    {"float", FieldFloat},
    {"exponent", FieldExponent},
    {"mantissa", FieldMantissa},
};

// Splits "word rest": copies the first word (up to a space) into word and
// returns the rest after that single space, or the empty string.
const char* SplitWord(const char* line, char* word, int size)
{
    int n = 0;
    while (line[n] != '\0' && line[n] != ' ') {
        if (n < size - 1)
            word[n] = line[n];
        ++n;
    }
    word[n < size - 1 ? n : size - 1] = '\0';
    return line[n] == ' ' ? line + n + 1 : line + n;
}

bool IsBlank(const char* line)
{
    for (; *line != '\0'; ++line) {
        if (*line != ' ' && *line != '\t')
            return false;
    }
    return true;
}

// The argument of a command without text: trailing blanks do not count.
bool ArgumentIs(const char* rest, const char* expected)
{
    size_t n = std::strlen(expected);
    return std::strncmp(rest, expected, n) == 0 && IsBlank(rest + n);
}

// The block's form: readings after the register, JSON instead of TAB lines.
bool BlockReadings = false;
bool BlockJson = false;
// Whether the JSON object being written has had its first key.
bool BlockStarted = false;

// The start of an item: "name<TAB>" or the JSON key with its separator.
void PutName(FILE* out, const char* name)
{
    if (!BlockJson) {
        std::fprintf(out, "%s\t", name);
        return;
    }
    std::fprintf(out, BlockStarted ? ",\"%s\":" : "\"%s\":", name);
    BlockStarted = true;
}

void PutText(FILE* out, const char* name, const char* value)
{
    PutName(out, name);
    if (BlockJson) {
        WriteJsonString(out, value);
    } else {
        std::fputs(value, out);
        std::fputc('\n', out);
    }
}

void PutNumber(FILE* out, const char* name, int value)
{
    PutName(out, name);
    std::fprintf(out, BlockJson ? "%d" : "%d\n", value);
}

// The error flags in the bit set: "decimal,float" or ["decimal","float"].
void PutErrors(FILE* out, int errorFlags)
{
    PutName(out, "errors");
    if (BlockJson)
        std::fputc('[', out);
    const char* separator = "";
    for (int i = 0; i < 4; ++i) {
        if (errorFlags & (1 << i)) {
            std::fprintf(out, BlockJson ? "%s\"%s\"" : "%s%s", separator, ErrorFields[i].Name);
            separator = ",";
        }
    }
    std::fputs(BlockJson ? "]" : "\n", out);
}

}  // namespace

int CompanionWidthButtonByName(const char* text, bool trailingBlanks)
{
    for (const WidthButtonPair& pair : WidthButtons) {
        char name[4];  // "80" and the NUL at most
        std::snprintf(name, sizeof name, "%d", pair.Width);
        if (trailingBlanks ? ArgumentIs(text, name) : std::strcmp(text, name) == 0)
            return pair.Button;
    }
    return 0;
}

int CompanionFieldByName(const char* name)
{
    for (const NamedField& named : FieldNames) {
        if (std::strcmp(named.Name, name) == 0)
            return named.Field;
    }
    return 0;
}

bool CompanionFieldEditable(int field)
{
    return MemoryControlEnabled(field);
}

int CompanionErrorFlags()
{
    int flags = 0;
    for (int i = 0; i < 4; ++i) {
        if (*ErrorFlagOf(ErrorFields[i].Field))
            flags |= 1 << i;
    }
    return flags;
}

void CompanionSetBlockForm(bool readings, bool json)
{
    BlockReadings = readings;
    BlockJson = json;
}

bool CompanionBlocksAreJson()
{
    return BlockJson;
}

void CompanionPrintBlock(FILE* out, int errorFlags)
{
    if (BlockJson)
        std::fputc('{', out);
    BlockStarted = false;
    PutNumber(out, "width", ConverterState.Width);
    PutText(out, "endian", ConverterState.BigEndian ? "big" : "little");
    PutText(out, "binary", MemoryFieldText(FieldBinary));
    PutText(out, "decimal", MemoryFieldText(FieldDecimal));
    PutText(out, "hex", MemoryFieldText(FieldHex));
    PutText(out, "float", MemoryFieldText(FieldFloat));
    PutNumber(out, "sign", MemorySignChecked() ? 1 : 0);
    PutText(out, "exponent", MemoryFieldText(FieldExponent));
    PutText(out, "mantissa", MemoryFieldText(FieldMantissa));
    PutErrors(out, errorFlags);
    char text[ReadingCapacity];
    WriteHexBytes(text, ConverterState.ValueRegister, 10);
    PutText(out, "register", text);
    if (BlockReadings) {
        const Reading* readings;
        int count = ReadingsOfWidth(ConverterState.Width, &readings);
        for (int i = 0; i < count; ++i) {
            WriteReading(text, readings[i], ConverterState.ValueRegister, ConverterState.Width);
            PutText(out, ReadingName(readings[i]), text);
        }
    }
    if (BlockJson)
        std::fputs("}\n", out);
}

int CompanionOneShot(int field, const char* text, FILE* out)
{
    if (field == FieldSign) {
        bool want = text[0] == '1';
        if (MemorySignChecked() != want)
            MemoryClickSign();
        else
            OnSignClick();  // the box already shows that state; the handler still runs
    } else if (field != 0) {
        MemoryUserReplace(field, text);
    }
    int noted = CompanionErrorFlags();
    if (IsEditField(field))
        MemoryLoseFocus(field);
    CompanionPrintBlock(out, noted);
    return noted != 0 ? CompanionFlagged : CompanionOk;
}

int CompanionRunLine(const char* line, FILE* out, const char** reason)
{
    if (IsBlank(line) || line[0] == '#')
        return CompanionOk;
    char command[16];
    const char* rest = SplitWord(line, command, sizeof command);

    if (std::strcmp(command, "edit") == 0 || std::strcmp(command, "leave") == 0) {
        char name[16];
        const char* text = SplitWord(rest, name, sizeof name);
        bool edit = command[0] == 'e';
        int field = CompanionFieldByName(name);
        if (field == 0 || (!edit && !IsBlank(text))) {
            *reason = "unknown field";
            return CompanionBad;
        }
        if (!CompanionFieldEditable(field)) {
            // A disabled control never has the focus, so it cannot lose it.
            if (!edit)
                return CompanionOk;
            *reason = "the field is disabled at this width";
            return CompanionBad;
        }
        if (edit)
            MemoryUserReplace(field, text);
        else
            MemoryLoseFocus(field);
        return CompanionOk;
    }
    if (std::strcmp(command, "width") == 0) {
        int button = CompanionWidthButtonByName(rest, true);
        if (button == 0) {
            *reason = "width must be 8, 16, 32, 64 or 80";
            return CompanionBad;
        }
        MemoryClickButton(button);
        return CompanionOk;
    }
    if (std::strcmp(command, "endian") == 0) {
        if (ArgumentIs(rest, "little"))
            MemoryClickButton(ButtonLittle);
        else if (ArgumentIs(rest, "big"))
            MemoryClickButton(ButtonBig);
        else {
            *reason = "endian must be little or big";
            return CompanionBad;
        }
        return CompanionOk;
    }
    if (std::strcmp(command, "sign") == 0 && IsBlank(rest)) {
        if (!CompanionFieldEditable(FieldSign)) {
            *reason = "the sign box is disabled at this width";
            return CompanionBad;
        }
        MemoryClickSign();
        return CompanionOk;
    }
    if (std::strcmp(command, "show") == 0 && IsBlank(rest)) {
        CompanionPrintBlock(out, CompanionErrorFlags());
        return CompanionOk;
    }
    int status = CompanionOk;
    if (CompanionRunInspectorCommand(command, rest, &status, reason))
        return status;
    *reason = "unknown command";
    return CompanionBad;
}
