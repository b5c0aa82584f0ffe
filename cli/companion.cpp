#include "cli/companion.h"

#include <cstdio>
#include <cstring>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"

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

// The button of the width that text names, trailing blanks allowed; 0 when
// it names none.
int WidthButtonFor(const char* text)
{
    for (const WidthButtonPair& pair : WidthButtons) {
        char name[4];  // "80" and the NUL at most
        std::snprintf(name, sizeof name, "%d", pair.Width);
        if (ArgumentIs(text, name))
            return pair.Button;
    }
    return 0;
}

}  // namespace

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

void CompanionPrintBlock(FILE* out, int errorFlags)
{
    std::fprintf(out, "width\t%d\n", static_cast<int>(ConverterState.Width));
    std::fprintf(out, "endian\t%s\n", ConverterState.BigEndian ? "big" : "little");
    std::fprintf(out, "binary\t%s\n", MemoryFieldText(FieldBinary));
    std::fprintf(out, "decimal\t%s\n", MemoryFieldText(FieldDecimal));
    std::fprintf(out, "hex\t%s\n", MemoryFieldText(FieldHex));
    std::fprintf(out, "float\t%s\n", MemoryFieldText(FieldFloat));
    std::fprintf(out, "sign\t%d\n", MemorySignChecked() ? 1 : 0);
    std::fprintf(out, "exponent\t%s\n", MemoryFieldText(FieldExponent));
    std::fprintf(out, "mantissa\t%s\n", MemoryFieldText(FieldMantissa));
    std::fputs("errors\t", out);
    const char* separator = "";
    for (int i = 0; i < 4; ++i) {
        if (errorFlags & (1 << i)) {
            std::fprintf(out, "%s%s", separator, ErrorFields[i].Name);
            separator = ",";
        }
    }
    std::fputs("\nregister\t", out);
    for (int i = 9; i >= 0; --i)
        std::fprintf(out, "%02X", ConverterState.ValueRegister[i]);
    std::fputc('\n', out);
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
        int button = WidthButtonFor(rest);
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
    *reason = "unknown command";
    return CompanionBad;
}
