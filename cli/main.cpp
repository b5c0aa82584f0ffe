// dexolin-cli: drives the converter from the command line or a script.
//
//   dexolin-cli [--width 8|16|32|64|80] [--big] [--binary T | --decimal T |
//               --hex T | --float T | --exponent T | --mantissa T | --sign 0|1]
//   dexolin-cli [--width N] [--big] --bits TEXT  (bits as copied: 0x3f80_0000)
//   dexolin-cli [--width N] [--big] --script     (commands from standard input)
//   dexolin-cli [--width N] [--big] --each FIELD (one text per input line)
//   dexolin-cli --help | --version
// Any form but the last also takes --readings (more lines after the register)
// and --json (each block as one JSON line).
//
// Exit status: 0 done, 1 an error flag was set by the one-shot edit (by any
// line with --each), 2 bad usage or a script line that cannot run.
#include <cstdio>
#include <cstring>

#include "cli/batch_input.h"
#include "cli/bits_text.h"
#include "cli/companion.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "dexolin_version.h"
#include "memory/memory_fields.h"

namespace {

struct Options {
    int Width = 32;
    bool Big = false;
    bool Script = false;
    int Field = 0;  // the field of a one-shot edit, FieldSign for --sign
    const char* Text = nullptr;
    const char* Bits = nullptr;  // --bits TEXT, before it is read
    int Each = 0;  // the field of --each
    bool Readings = false;
    bool Json = false;
};

// The options that take no value and the flag each sets.
bool* SwitchOf(Options* options, const char* arg)
{
    const struct {
        const char* Name;
        bool Options::*Flag;
    } switches[] = {
        {"--big", &Options::Big},
        {"--script", &Options::Script},
        {"--readings", &Options::Readings},
        {"--json", &Options::Json},
    };
    for (const auto& s : switches) {
        if (std::strcmp(arg, s.Name) == 0)
            return &(options->*s.Flag);
    }
    return nullptr;
}

int Usage(const char* problem)
{
    std::fprintf(stderr,
                 "dexolin-cli: %s (usage: dexolin-cli [--width 8|16|32|64|80] [--big] "
                 "[--readings] [--json] [--FIELD TEXT | --sign 0|1 | --bits TEXT | --script | "
                 "--each FIELD])\n",
                 problem);
    return CompanionBad;
}

// --help and --version, answered on standard output when either is the only
// argument. Returns false for every other command line.
bool AnswerHelpOrVersion(int argc, char** argv)
{
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("dexolin-cli %s\n", DEXOLIN_VERSION);
        return true;
    }
    if (std::strcmp(argv[1], "--help") != 0)
        return false;
    std::fputs("usage: dexolin-cli [--width 8|16|32|64|80] [--big] [--binary T | --decimal T | --hex T |\n"
               "                   --float T | --exponent T | --mantissa T | --sign 0|1 | --bits T]\n"
               "       dexolin-cli [--width N] [--big] --script     (commands from standard input)\n"
               "       dexolin-cli [--width N] [--big] --each FIELD (one text per input line)\n"
               "       dexolin-cli --help | --version\n"
               "Each form but the last also takes --readings (unsigned, class, exact,\n"
               "shortest, hexfloat, next and previous readings after the register; half\n"
               "and bfloat16 at 16 bits) and --json (each block as one JSON line).\n"
               "\n"
               "Starts as the Dexolin window does (value zero, 32 bits, little-endian unless\n"
               "--big), replaces the named field's text by T, leaves the field and prints one\n"
               "name<TAB>value line per item: width, endian, binary, decimal, hex, float, sign,\n"
               "exponent, mantissa, errors, register.\n"
               "\n"
               "Script commands, one per line: width N, endian little|big, edit FIELD TEXT,\n"
               "leave FIELD, sign, show, toggle BIT, step next|previous, paste FIELD TEXT\n"
               "(a bit pattern as copied goes into binary or hex in the field's base; blank\n"
               "lines and # comments are ignored).\n"
               "\n"
               "--bits T takes a bit pattern as copied: 0x or 0b prefix, separators _ ' space\n"
               ": - between digits. --each FIELD runs --FIELD LINE from a fresh start for each\n"
               "line of standard input.\n"
               "\n"
               "Exit status: 0 done, 1 an error flag was set (by any line with --each), 2 bad\n"
               "usage or a script line that cannot run.\n",
               stdout);
    return true;
}

// Parses argv into options; returns false after printing the usage message.
bool ParseArguments(int argc, char** argv, Options* options, int* status)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (bool* flag = SwitchOf(options, arg)) {
            *flag = true;
            continue;
        }
        if (std::strncmp(arg, "--", 2) != 0) {
            *status = Usage("unexpected argument");
            return false;
        }
        int field = std::strcmp(arg, "--sign") == 0 ? FieldSign : CompanionFieldByName(arg + 2);
        bool isWidth = std::strcmp(arg, "--width") == 0;
        bool isEach = std::strcmp(arg, "--each") == 0;
        bool isBits = std::strcmp(arg, "--bits") == 0;
        if (!isWidth && !isEach && !isBits && field == 0) {
            *status = Usage("unknown option");
            return false;
        }
        if (i + 1 >= argc) {
            *status = Usage("option needs a value");
            return false;
        }
        const char* value = argv[++i];
        if (isWidth) {
            int width = WidthOfButton(CompanionWidthButtonByName(value, false));
            if (width == 0) {
                *status = Usage("width must be 8, 16, 32, 64 or 80");
                return false;
            }
            options->Width = width;
            continue;
        }
        if (isEach) {
            options->Each = CompanionFieldByName(value);
            if (options->Each == 0) {
                *status = Usage("unknown field for --each");
                return false;
            }
            continue;
        }
        if (options->Field != 0 || options->Bits != nullptr) {
            *status = Usage("only one field may be given");
            return false;
        }
        if (field == FieldSign && std::strcmp(value, "0") != 0 && std::strcmp(value, "1") != 0) {
            *status = Usage("sign must be 0 or 1");
            return false;
        }
        if (isBits)
            options->Bits = value;
        else
            options->Field = field;
        options->Text = value;
    }
    bool oneShot = options->Field != 0 || options->Bits != nullptr;
    const char* conflict = options->Script && oneShot ? "--script takes no field"
        : options->Each != 0 && oneShot               ? "--each takes no field"
        : options->Each != 0 && options->Script       ? "--each and --script exclude each other"
                                                      : nullptr;
    if (conflict) {
        *status = Usage(conflict);
        return false;
    }
    if (options->Bits) {
        static char digits[BitsDigitsCapacity];
        const char* problem = ParseBitsText(options->Bits, options->Width, &options->Field, digits);
        if (problem) {
            *status = Usage(problem);
            return false;
        }
        options->Text = digits;
    }
    return true;
}

int RunOneShot(const Options& options)
{
    if (options.Field != 0 && !CompanionFieldEditable(options.Field))
        return Usage("that field is disabled at this width");
    return CompanionOneShot(options.Field, options.Text, stdout);
}

int RunBatch(const Options& options)
{
    if (!CompanionFieldEditable(options.Each))
        return Usage("that field is disabled at this width");
    return CompanionRunBatch(stdin, stdout, options.Each, options.Width, options.Big);
}

int RunScript()
{
    static char line[CompanionLineCapacity];
    long number = 0;
    while (CompanionReadLine(stdin, line, sizeof line)) {
        ++number;
        const char* reason = "";
        if (CompanionRunLine(line, stdout, &reason) != CompanionOk) {
            std::fflush(stdout);
            std::fprintf(stderr, "dexolin-cli: line %ld: %s: %s\n", number, reason, line);
            return CompanionBad;
        }
    }
    return CompanionOk;
}

}  // namespace

int main(int argc, char** argv)
{
    if (AnswerHelpOrVersion(argc, argv))
        return CompanionOk;
    Options options;
    int status = CompanionOk;
    if (!ParseArguments(argc, argv, &options, &status))
        return status;
    CompanionSetBlockForm(options.Readings, options.Json);
    // Only scripts use the inspector's controls; elsewhere its readings
    // would be computed for nothing (--readings prints them itself).
    MemorySetInspectorShown(options.Script);
    MemoryStartUp(options.Width, options.Big);
    if (options.Each != 0)
        return RunBatch(options);
    return options.Script ? RunScript() : RunOneShot(options);
}
