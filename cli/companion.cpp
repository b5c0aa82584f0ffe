#include "cli/companion.h"

#include <cstdio>
#include <cstring>

#include "cli/companion_names.h"
#include "cli/encode_command.h"
#include "cli/field_warnings.h"
#include "cli/inspector_commands.h"
#include "converter/field_events.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"

namespace {

bool IsBlankChar(char c)
{
    return c == ' ' || c == '\t';
}

bool IsBlank(const char* line)
{
    for (; *line != '\0'; ++line) {
        if (!IsBlankChar(*line))
            return false;
    }
    return true;
}

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

// The one-word argument of a command: rest without its trailing blanks (they
// do not count), copied into word. Returns false when it does not fit.
bool ArgumentWord(const char* rest, char* word, int size)
{
    int n = static_cast<int>(std::strlen(rest));
    while (n > 0 && IsBlankChar(rest[n - 1]))
        --n;
    if (n >= size)
        return false;
    std::memcpy(word, rest, static_cast<size_t>(n));
    word[n] = '\0';
    return true;
}

// A script command: runs with the text after the command's word; returns
// CompanionOk, or CompanionBad with the reason set.
using CommandRunner = int (*)(const char* rest, const BlockOutput& out, const char** reason);

int Refuse(const char** reason, const char* why)
{
    *reason = why;
    return CompanionBad;
}

// The field named by the first word of rest; *text is set to what follows.
int FieldOfCommand(const char* rest, const char** text)
{
    char name[16];
    *text = SplitWord(rest, name, sizeof name);
    return CompanionFieldByName(name);
}

int RunEdit(const char* rest, const BlockOutput&, const char** reason)
{
    const char* text;
    int field = FieldOfCommand(rest, &text);
    if (field == 0)
        return Refuse(reason, "unknown field");
    if (!CompanionFieldEditable(field))
        return Refuse(reason, "the field is disabled at this width");
    WarnAboutFieldText(field, text);
    MemoryUserReplace(field, text);
    return CompanionOk;
}

int RunLeave(const char* rest, const BlockOutput&, const char** reason)
{
    const char* text;
    int field = FieldOfCommand(rest, &text);
    if (field == 0 || !IsBlank(text))
        return Refuse(reason, "unknown field");
    // A disabled control never has the focus, so it cannot lose it.
    if (CompanionFieldEditable(field))
        MemoryLoseFocus(field);
    return CompanionOk;
}

int RunWidth(const char* rest, const BlockOutput&, const char** reason)
{
    char name[4];  // "80" and the NUL at most
    int button = ArgumentWord(rest, name, sizeof name) ? CompanionWidthButtonByName(name) : 0;
    if (button == 0)
        return Refuse(reason, "width must be 8, 16, 32, 64 or 80");
    MemoryClickButton(button);
    return CompanionOk;
}

int RunEndian(const char* rest, const BlockOutput&, const char** reason)
{
    char name[8];  // "little" and the NUL at most
    bool named = ArgumentWord(rest, name, sizeof name);
    if (named && std::strcmp(name, "little") == 0)
        MemoryClickButton(ButtonLittle);
    else if (named && std::strcmp(name, "big") == 0)
        MemoryClickButton(ButtonBig);
    else
        return Refuse(reason, "endian must be little or big");
    return CompanionOk;
}

int RunSign(const char* rest, const BlockOutput&, const char** reason)
{
    if (!IsBlank(rest))
        return Refuse(reason, "unknown command");
    if (!CompanionFieldEditable(FieldSign))
        return Refuse(reason, "the sign box is disabled at this width");
    MemoryClickSign();
    return CompanionOk;
}

int RunShow(const char* rest, const BlockOutput& out, const char** reason)
{
    if (!IsBlank(rest))
        return Refuse(reason, "unknown command");
    CompanionPrintBlock(out, CompanionErrorFlags());
    return CompanionOk;
}

const struct {
    const char* Name;
    CommandRunner Run;
} Commands[] = {
    {"width", RunWidth},
    {"endian", RunEndian},
    {"edit", RunEdit},
    {"leave", RunLeave},
    {"sign", RunSign},
    {"show", RunShow},
    {"encode",
     [](const char* rest, const BlockOutput&, const char** reason) {
         if (!CompanionEncode(rest))
             return Refuse(reason, "not a number");
         return static_cast<int>(CompanionOk);
     }},
    {"round",
     [](const char* rest, const BlockOutput&, const char** reason) { return CompanionRound(rest, reason); }},
    {"saturate",
     [](const char* rest, const BlockOutput&, const char** reason) {
         return CompanionSaturate(rest, reason);
     }},
    // The window's inspector (cli/inspector_commands.h).
    {"toggle",
     [](const char* rest, const BlockOutput&, const char** reason) { return CompanionToggle(rest, reason); }},
    {"step",
     [](const char* rest, const BlockOutput&, const char** reason) { return CompanionStep(rest, reason); }},
    {"paste",
     [](const char* rest, const BlockOutput&, const char** reason) { return CompanionPaste(rest, reason); }},
    {"format",
     [](const char* rest, const BlockOutput&, const char** reason) { return CompanionFormat(rest, reason); }},
    {"back",
     [](const char* rest, const BlockOutput&, const char** reason) { return CompanionGoBack(rest, reason); }},
    {"forward",
     [](const char* rest, const BlockOutput&, const char** reason) {
         return CompanionGoForward(rest, reason);
     }},
    {"paste-bytes",
     [](const char* rest, const BlockOutput&, const char** reason) {
         return CompanionPasteBytes(rest, reason);
     }},
};

}  // namespace

int CompanionOneShot(int field, const char* text, const BlockOutput& out)
{
    if (field == CompanionEncodeField) {
        bool number = CompanionEncode(text);
        CompanionPrintBlock(out, CompanionErrorFlags());
        return number ? CompanionOk : CompanionFlagged;
    }
    if (field == FieldSign) {
        bool want = text[0] == '1';
        if (MemorySignChecked() != want)
            MemoryClickSign();
        else
            OnSignClick();  // the box already shows that state; the handler still runs
    } else if (field != 0) {
        WarnAboutFieldText(field, text);
        MemoryUserReplace(field, text);
    }
    int noted = CompanionErrorFlags();
    if (IsEditField(field))
        MemoryLoseFocus(field);
    CompanionPrintBlock(out, noted);
    return noted != 0 ? CompanionFlagged : CompanionOk;
}

int CompanionRunLine(const char* line, const BlockOutput& out, const char** reason)
{
    if (IsBlank(line) || line[0] == '#')
        return CompanionOk;
    char word[16];
    const char* rest = SplitWord(line, word, sizeof word);
    for (const auto& command : Commands) {
        if (std::strcmp(word, command.Name) == 0)
            return command.Run(rest, out, reason);
    }
    return Refuse(reason, "unknown command");
}
