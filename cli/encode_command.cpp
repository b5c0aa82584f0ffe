#include "cli/encode_command.h"

#include <cstring>

#include "cli/companion_status.h"
#include "converter/refresh_views.h"
#include "converter/value_history.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "views/encode_error.h"
#include "views/float_encoder.h"

namespace {

// The companion's encoding state: one per run, as the register is.
EncodeOptions Options;
bool Encoded = false;
char Flags[40];  // the four flags' names and spaces (35) or "not-a-number"
char Error[EncodeErrorCapacity];

// The one word of rest without its trailing blanks, or false.
bool OneWord(const char* rest, char* word, size_t size)
{
    size_t n = std::strlen(rest);
    while (n > 0 && (rest[n - 1] == ' ' || rest[n - 1] == '\t'))
        --n;
    if (n == 0 || n >= size || std::memchr(rest, ' ', n) != nullptr)
        return false;
    std::memcpy(word, rest, n);
    word[n] = '\0';
    return true;
}

}  // namespace

void CompanionSetEncoding(RoundingMode mode, bool saturate)
{
    Options = EncodeOptions{mode, saturate};
}

bool CompanionEncode(const char* text)
{
    Encoded = true;
    Error[0] = '\0';
    const FloatFormat* format = ChosenFormatOf(ConverterState.Width);
    uint8_t value[10];
    std::memcpy(value, ConverterState.ValueRegister, sizeof value);
    EncodeOutcome outcome;
    if (format == nullptr || !EncodeValueText(text, ReadingCapacity - 1, *format, Options, value, &outcome)) {
        std::strcpy(Flags, "not-a-number");
        return false;
    }
    WriteEncodeFlags(Flags, outcome.Flags);
    WriteEncodeError(Error, text, ReadingCapacity - 1, outcome);
    std::memcpy(ConverterState.ValueRegister, value, sizeof value);
    RefreshViews(FieldNone);
    RecordSettledValue();
    return true;
}

bool CompanionEncoded()
{
    return Encoded;
}

const char* CompanionEncodeFlags()
{
    return Flags;
}

const char* CompanionEncodeError()
{
    return Error;
}

int CompanionRound(const char* rest, const char** reason)
{
    char word[8];  // "even" and the NUL at most
    RoundingMode mode;
    if (!OneWord(rest, word, sizeof word) || !RoundingModeByName(word, &mode)) {
        *reason = "round must be even, away, zero, up or down";
        return CompanionBad;
    }
    Options.Mode = mode;
    return CompanionOk;
}

int CompanionSaturate(const char* rest, const char** reason)
{
    char word[4];  // "off" and the NUL
    bool on = OneWord(rest, word, sizeof word) && std::strcmp(word, "on") == 0;
    if (!on && !(OneWord(rest, word, sizeof word) && std::strcmp(word, "off") == 0)) {
        *reason = "saturate must be on or off";
        return CompanionBad;
    }
    Options.Saturate = on;
    return CompanionOk;
}
