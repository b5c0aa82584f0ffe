#include "cli/inspector_commands.h"

#include <cstdio>
#include <cstring>

#include "cli/companion_names.h"
#include "cli/companion_status.h"
#include "converter/pane_events.h"
#include "converter/paste_bytes.h"
#include "converter/value_history.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "core/float_format_names.h"
#include "memory/memory_fields.h"
#include "views/byte_run.h"

namespace {

bool IsBlank(const char* text)
{
    return text[std::strspn(text, " \t")] == '\0';
}

// A bit number 0 to 79 followed by blanks only; -1 otherwise.
int BitNumber(const char* text)
{
    int bit = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9' && digits < 3; ++text, ++digits)
        bit = bit * 10 + (*text - '0');
    return digits > 0 && bit < BitToggleCount && IsBlank(text) ? bit : -1;
}

bool WordIs(const char* text, const char* word)
{
    size_t n = std::strlen(word);
    return std::strncmp(text, word, n) == 0 && IsBlank(text + n);
}

}  // namespace

int CompanionToggle(const char* rest, const char** reason)
{
    int bit = BitNumber(rest);
    if (bit < 0) {
        *reason = "toggle takes a bit number from 0 to 79";
        return CompanionBad;
    }
    if (!MemoryToggleBit(bit)) {
        *reason = "that bit is above the width";
        return CompanionBad;
    }
    return CompanionOk;
}

int CompanionStep(const char* rest, const char** reason)
{
    bool next = WordIs(rest, "next");
    if (!next && !WordIs(rest, "previous")) {
        *reason = "step must be next or previous";
        return CompanionBad;
    }
    if (!MemoryClickStep(next ? ButtonStepNext : ButtonStepPrevious)) {
        *reason = "this encoding has no neighbours";
        return CompanionBad;
    }
    return CompanionOk;
}

int CompanionPaste(const char* rest, const char** reason)
{
    char name[16];
    size_t n = std::strcspn(rest, " ");
    std::strncpy(name, rest, sizeof name - 1);
    name[n < sizeof name - 1 ? n : sizeof name - 1] = '\0';
    const char* text = rest[n] == ' ' ? rest + n + 1 : rest + n;
    int field = CompanionFieldByName(name);
    if (field == 0) {
        *reason = "unknown field";
        return CompanionBad;
    }
    if (!CompanionFieldEditable(field)) {
        *reason = "the field is disabled at this width";
        return CompanionBad;
    }
    if (!MemoryUserPaste(field, text)) {
        std::fprintf(stderr,
                     "dexolin-cli: warning: not pasted: the %s field takes no \"%s\", only a bit pattern\n",
                     name, text);
        return CompanionOk;
    }
    RecordSettledValue();  // the window's paste settles at the focus loss
    return CompanionOk;
}

int CompanionFormat(const char* rest, const char** reason)
{
    char name[32];  // longer text is no format name (core/float_format_names.h)
    size_t n = std::strcspn(rest, " \t");
    if (n == 0 || n >= sizeof name || !IsBlank(rest + n)) {
        *reason = "format takes a format name or default";
        return CompanionBad;
    }
    std::memcpy(name, rest, n);
    name[n] = '\0';
    FloatFormat format;
    const FloatFormat* chosen = nullptr;  // the width's default
    if (std::strcmp(name, "default") != 0) {
        FormatNameResult result = ReadFormatName(name, &format);
        if (result != FormatNameResult::Ok) {
            *reason = FormatNameProblem(result);
            return CompanionBad;
        }
        chosen = &format;
    }
    if (!OnChooseFormat(chosen)) {
        static char problem[FormatNameCapacity + 16];  // "<name> needs 80 bits"
        WriteWidthProblem(problem, format);
        *reason = problem;
        return CompanionBad;
    }
    return CompanionOk;
}

int CompanionPasteBytes(const char* rest, const char** reason)
{
    bool big = std::strncmp(rest, "be ", 3) == 0;
    if (!big && std::strncmp(rest, "le ", 3) != 0) {
        *reason = "paste-bytes takes le or be and the bytes";
        return CompanionBad;
    }
    static char problem[ByteRunProblemCapacity];
    uint8_t bytes[ByteRunCapacity];
    if (!ReadByteRun(rest + 3, ConverterState.Width, bytes, problem)) {
        *reason = problem;
        return CompanionBad;
    }
    OnPasteBytes(bytes, ConverterState.Width / 8, big);
    return CompanionOk;
}

int CompanionGoBack(const char* rest, const char** reason)
{
    if (!IsBlank(rest)) {
        *reason = "unknown command";
        return CompanionBad;
    }
    if (!OnHistoryBack()) {
        *reason = "no value to go back to";
        return CompanionBad;
    }
    return CompanionOk;
}

int CompanionGoForward(const char* rest, const char** reason)
{
    if (!IsBlank(rest)) {
        *reason = "unknown command";
        return CompanionBad;
    }
    if (!OnHistoryForward()) {
        *reason = "no value to go forward to";
        return CompanionBad;
    }
    return CompanionOk;
}
