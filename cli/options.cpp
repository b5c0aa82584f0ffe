#include "cli/options.h"

#include <cstdio>
#include <cstring>

#include "cli/bits_text.h"
#include "cli/companion_names.h"
#include "cli/companion_status.h"
#include "cli/encode_command.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "core/float_format_names.h"
#include "views/copy_forms.h"

// The short form of the usage, in two halves: the line of bad usage holds
// both, --help writes them as its first two lines.
#define DEXOLIN_CLI_SYNOPSIS_1 "dexolin-cli [--width 8|16|32|64|80] [--big] [--readings] [--json]"
#define DEXOLIN_CLI_SYNOPSIS_2 "[--FIELD TEXT | --sign 0|1 | --bits TEXT | --script | --each FIELD]"

const char CompanionUsage[] = "usage: " DEXOLIN_CLI_SYNOPSIS_1 "\n"
                              "       " DEXOLIN_CLI_SYNOPSIS_2 "\n"
                              "       dexolin-cli --help | --version\n"
                              "FIELD is binary, decimal, hex, float, exponent or mantissa.\n"
                              "\n"
                              "Starts as the Dexolin window does (value zero; 32 bits, little-endian unless\n"
                              "--width or --big say otherwise), replaces the given field's text by TEXT,\n"
                              "leaves the field and prints one name<TAB>value line per item: width,\n"
                              "endian, binary, decimal, hex, float, sign, exponent, mantissa, errors,\n"
                              "register.\n"
                              "\n"
                              "  --width N     the width in bits\n"
                              "  --big         big-endian: typed digits fill from the most significant end\n"
                              "  --readings    more lines after the register: its bits read as an unsigned\n"
                              "                integer and, by the width, as floating-point values\n"
                              "  --format NAME instead, the lines format, unsigned, class, exact, shortest,\n"
                              "                hexfloat, next, previous: the value read in the float format\n"
                              "                NAME (e2m1fn, e2m3fn, e3m2fn, e4m3fn, e4m3fnuz, e4m3b11fnuz,\n"
                              "                e4m3, e3m4, e5m2, e5m2fnuz, half, bfloat16, tf32, single,\n"
                              "                double, x87, or e<X>m<Y>[b<BIAS>][fn|fnuz]) in the width's\n"
                              "                low bits\n"
                              "  --memory      the readings end with bytes and bytes-be: the width's bytes\n"
                              "                in memory order, little-endian and big-endian\n"
                              "  --as FORM     ends the block with FORM<TAB>text, the value copied as FORM:\n"
                              "                hex (0x3DCCCCCD), literal (0.1f: C's literal that reads\n"
                              "                back to the bits, else hex), hexfloat (0x1.99999ap-4f),\n"
                              "                bytes, bytes-be (CD CC CC 3D), array ({0xCD, 0xCC, ...}),\n"
                              "                or all six; may be repeated\n"
                              "  --json        each block as one JSON object on one line\n"
                              "  --encode TEXT enters the number TEXT (decimal, 0x hexadecimal, inf, nan\n"
                              "                or a reading's words) into the float format, correctly\n"
                              "                rounded; the block ends with the format's lines and\n"
                              "                flags (inexact overflow underflow invalid) and error\n"
                              "                (stored minus typed); not a number: flags not-a-number\n"
                              "  --round MODE  rounding of --encode: even (default), away, zero, up, down\n"
                              "  --saturate    an overflow gives the largest finite value\n"
                              "  --FIELD TEXT  replaces the field's text by TEXT\n"
                              "  --sign 0|1    clears or sets the sign box\n"
                              "  --bits TEXT   a bit pattern as copied, taken as --hex or --binary: 0x or\n"
                              "                0b before it, _ ' space : - between digits\n"
                              "  --bytes-le TEXT\n"
                              "                the width's bytes as in memory, least significant first:\n"
                              "                CD CC CC 3D, cd-cc-cc-3d, cdcccc3d, \\xcd\\xcc\\xcc\\x3d,\n"
                              "                {0xCD, 0xCC, 0xCC, 0x3D} or 0xcd,0xcc,0xcc,0x3d\n"
                              "  --bytes-be TEXT\n"
                              "                the same, most significant first\n"
                              "  --script      runs commands from standard input, one per line: width N,\n"
                              "                endian little|big, edit FIELD TEXT, leave FIELD, sign, show,\n"
                              "                toggle BIT, step next|previous, paste FIELD TEXT (a bit\n"
                              "                pattern as copied goes into binary or hex in its base),\n"
                              "                format NAME|default (the width's format from then on),\n"
                              "                encode TEXT, round MODE, saturate on|off, paste-bytes\n"
                              "                le|be TEXT, back, forward (the values settled before and\n"
                              "                after: by width, format, toggle, step, paste, paste-bytes,\n"
                              "                encode, and leave after an edit)\n"
                              "                (blank lines and # comments are ignored)\n"
                              "  --each FIELD  runs --FIELD LINE from a fresh start for each line of\n"
                              "                standard input; FIELD may also be encode\n"
                              "One field at most; --script and --each take none and exclude each other.\n"
                              "--name=value is the same as --name value; -- ends the options.\n"
                              "\n"
                              "Exit status: 0 done; 1 an error flag was set (by any line with --each);\n"
                              "2 bad usage or a script line that cannot run; 3 the output could not be\n"
                              "written.\n";

namespace {

// What an option takes after it.
enum class Takes {
    Nothing,  // a switch: sets its flag
    Width,  // 8, 16, 32, 64 or 80
    FieldName,  // a field's name (--each)
    Text,  // any text (--FIELD)
    SignBit,  // 0 or 1
    Bits,  // a bit pattern as copied
    Format,  // a float format's name
    Mode,  // a rounding mode's name
    Bytes,  // a run of bytes in memory order
    Form,  // a copy form's name or all
};

// Groups of options, for what an option excludes. The field options form
// one group of which one at most may be given.
enum : unsigned {
    GroupField = 1,
    GroupScript = 2,
    GroupEach = 4,
};

struct OptionRule {
    const char* Name;  // without the leading "--"
    Takes Argument;
    bool CompanionOptions::*Flag;  // the switch's flag
    int Field;  // the field a text option edits
    unsigned Group;
    unsigned Excludes;  // the groups it cannot be given with
    bool Alone;  // an option only as the one argument
};

const OptionRule OptionRules[] = {
    {"width", Takes::Width, nullptr, 0, 0, 0, false},
    {"big", Takes::Nothing, &CompanionOptions::Big, 0, 0, 0, false},
    {"readings", Takes::Nothing, &CompanionOptions::Readings, 0, 0, 0, false},
    {"format", Takes::Format, nullptr, 0, 0, 0, false},
    {"json", Takes::Nothing, &CompanionOptions::Json, 0, 0, 0, false},
    {"encode", Takes::Text, nullptr, CompanionEncodeField, GroupField, 0, false},
    {"round", Takes::Mode, nullptr, 0, 0, 0, false},
    {"saturate", Takes::Nothing, &CompanionOptions::Saturate, 0, 0, 0, false},
    {"binary", Takes::Text, nullptr, FieldBinary, GroupField, 0, false},
    {"decimal", Takes::Text, nullptr, FieldDecimal, GroupField, 0, false},
    {"hex", Takes::Text, nullptr, FieldHex, GroupField, 0, false},
    {"float", Takes::Text, nullptr, FieldFloat, GroupField, 0, false},
    {"exponent", Takes::Text, nullptr, FieldExponent, GroupField, 0, false},
    {"mantissa", Takes::Text, nullptr, FieldMantissa, GroupField, 0, false},
    {"sign", Takes::SignBit, nullptr, FieldSign, GroupField, 0, false},
    {"bits", Takes::Bits, nullptr, 0, GroupField, 0, false},
    {"bytes-le", Takes::Bytes, nullptr, 0, GroupField, 0, false},
    {"bytes-be", Takes::Bytes, nullptr, 0, GroupField, 0, false},
    {"memory", Takes::Nothing, &CompanionOptions::Memory, 0, 0, 0, false},
    {"as", Takes::Form, nullptr, 0, 0, 0, false},
    {"script", Takes::Nothing, &CompanionOptions::Script, 0, GroupScript, GroupField, false},
    {"each", Takes::FieldName, nullptr, 0, GroupEach, GroupField | GroupScript, false},
    {"help", Takes::Nothing, &CompanionOptions::Help, 0, 0, 0, true},
    {"version", Takes::Nothing, &CompanionOptions::Version, 0, 0, 0, true},
};

// The option named by name (length bytes of it), or null.
const OptionRule* FindOption(const char* name, size_t length, bool alone)
{
    for (const OptionRule& rule : OptionRules) {
        if (std::strlen(rule.Name) == length && std::strncmp(rule.Name, name, length) == 0)
            return rule.Alone && !alone ? nullptr : &rule;
    }
    return nullptr;
}

// Checks and keeps one option's value. Returns null or the problem.
const char* TakeValue(const OptionRule& rule, const char* value, CompanionOptions* options, const char** bits,
                      const char** bytes)
{
    switch (rule.Argument) {
    case Takes::Width:
        options->Width = WidthOfButton(CompanionWidthButtonByName(value));
        return options->Width == 0 ? "width must be 8, 16, 32, 64 or 80" : nullptr;
    case Takes::FieldName:
        options->Each =
            std::strcmp(value, "encode") == 0 ? CompanionEncodeField : CompanionFieldByName(value);
        return options->Each == 0 ? "unknown field for --each" : nullptr;
    case Takes::SignBit:
        if (std::strcmp(value, "0") != 0 && std::strcmp(value, "1") != 0)
            return "sign must be 0 or 1";
        break;
    case Takes::Bits: *bits = value; return nullptr;
    case Takes::Bytes:
        *bytes = value;
        options->BytesBig = std::strcmp(rule.Name, "bytes-be") == 0;
        return nullptr;
    case Takes::Format: {
        FormatNameResult result = ReadFormatName(value, &options->Format);
        options->HasFormat = result == FormatNameResult::Ok;
        return options->HasFormat ? nullptr : FormatNameProblem(result);
    }
    case Takes::Mode:
        return RoundingModeByName(value, &options->Round) ? nullptr
                                                          : "round must be even, away, zero, up or down";
    case Takes::Form: {
        if (std::strcmp(value, "all") == 0) {
            options->AsForms = (1u << CopyFormCount) - 1;
            return nullptr;
        }
        CopyForm form;
        if (!CopyFormNamed(value, &form))
            return "as must be hex, literal, hexfloat, bytes, bytes-be, array or all";
        options->AsForms |= 1u << static_cast<int>(form);
        return nullptr;
    }
    case Takes::Nothing: return nullptr;
    case Takes::Text: break;
    }
    options->Field = rule.Field;
    options->Text = value;
    return nullptr;
}

// The message for two groups given together: a field where none may be, or
// two forms that exclude each other.
const char* ExclusionProblem(const OptionRule& rule, unsigned excluded)
{
    static char problem[64];
    if (excluded == GroupField) {
        std::snprintf(problem, sizeof problem, "--%s takes no field", rule.Name);
        return problem;
    }
    for (const OptionRule& other : OptionRules) {
        if (other.Group == excluded)
            std::snprintf(problem, sizeof problem, "--%s and --%s exclude each other", rule.Name, other.Name);
    }
    return problem;
}

// The first pair of groups given together that exclude each other, in the
// table's order, or null.
const char* FindExclusion(unsigned given)
{
    for (const OptionRule& rule : OptionRules) {
        if ((given & rule.Group) == 0)
            continue;
        for (unsigned excluded = 1; excluded <= rule.Excludes; excluded <<= 1) {
            if ((rule.Excludes & excluded) != 0 && (given & excluded) != 0)
                return ExclusionProblem(rule, excluded);
        }
    }
    return nullptr;
}

}  // namespace

const char* ReadCompanionOptions(int argc, char** argv, CompanionOptions* options)
{
    unsigned given = 0;
    const char* bits = nullptr;
    const char* bytes = nullptr;  // the run of --bytes-le or --bytes-be
    bool ended = false;
    // -h is --help, as the one argument.
    if (argc == 2 && std::strcmp(argv[1], "-h") == 0) {
        options->Help = true;
        return nullptr;
    }
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (ended || std::strncmp(arg, "--", 2) != 0)
            return "unexpected argument";
        if (arg[2] == '\0') {
            ended = true;
            continue;
        }
        const char* name = arg + 2;
        const char* equals = std::strchr(name, '=');
        size_t length = equals ? static_cast<size_t>(equals - name) : std::strlen(name);
        const OptionRule* rule = FindOption(name, length, argc == 2);
        // A switch given a value is no option either.
        if (rule == nullptr || (rule->Argument == Takes::Nothing && equals != nullptr))
            return "unknown option";
        if (rule->Argument == Takes::Nothing) {
            options->*(rule->Flag) = true;
        } else {
            if (equals == nullptr && i + 1 >= argc)
                return "option needs a value";
            const char* value = equals ? equals + 1 : argv[++i];
            if ((given & rule->Group & GroupField) != 0)
                return "only one field may be given";
            if (const char* problem = TakeValue(*rule, value, options, &bits, &bytes))
                return problem;
        }
        given |= rule->Group;
    }
    if (const char* problem = FindExclusion(given))
        return problem;
    if (options->HasFormat && !FormatFitsWidth(options->Format, options->Width)) {
        static char problem[FormatNameCapacity + 16];  // "<name> needs 80 bits"
        WriteWidthProblem(problem, options->Format);
        return problem;
    }
    if (bits != nullptr) {
        static char digits[BitsDigitsCapacity];
        if (const char* problem = ParseBitsText(bits, options->Width, &options->Field, digits))
            return problem;
        options->Text = digits;
    }
    if (bytes != nullptr) {
        static char problem[ByteRunProblemCapacity];
        if (!ReadByteRun(bytes, options->Width, options->Bytes, problem))
            return problem;
        options->HasBytes = true;
    }
    return nullptr;
}

int CompanionBadUsage(const char* problem, FILE* err)
{
    std::fprintf(err, "dexolin-cli: %s (usage: " DEXOLIN_CLI_SYNOPSIS_1 " " DEXOLIN_CLI_SYNOPSIS_2 ")\n",
                 problem);
    return CompanionBad;
}
