// dexolin-cli: drives the converter from the command line or a script.
//
//   dexolin-cli [--width 8|16|32|64|80] [--big] [--binary T | --decimal T |
//               --hex T | --float T | --exponent T | --mantissa T | --sign 0|1]
//   dexolin-cli [--width N] [--big] --script     (commands from standard input)
//
// Exit status: 0 done, 1 an error flag was set by the one-shot edit, 2 bad
// usage or a script line that cannot run.
#include <cstdio>
#include <cstring>

#include "cli/companion.h"
#include "converter/field_events.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"

namespace {

struct Options {
    int Width = 32;
    bool Big = false;
    bool Script = false;
    int Field = 0;  // the field of a one-shot edit, FieldSign for --sign
    const char* Text = nullptr;
};

int Usage(const char* problem)
{
    std::fprintf(stderr,
                 "dexolin-cli: %s (usage: dexolin-cli [--width 8|16|32|64|80] [--big] "
                 "[--FIELD TEXT | --sign 0|1 | --script])\n",
                 problem);
    return CompanionBad;
}

// Parses argv into options; returns false after printing the usage message.
bool ParseArguments(int argc, char** argv, Options* options, int* status)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--big") == 0) {
            options->Big = true;
            continue;
        }
        if (std::strcmp(arg, "--script") == 0) {
            options->Script = true;
            continue;
        }
        if (std::strncmp(arg, "--", 2) != 0) {
            *status = Usage("unexpected argument");
            return false;
        }
        int field = std::strcmp(arg, "--sign") == 0 ? FieldSign : CompanionFieldByName(arg + 2);
        bool isWidth = std::strcmp(arg, "--width") == 0;
        if (!isWidth && field == 0) {
            *status = Usage("unknown option");
            return false;
        }
        if (i + 1 >= argc) {
            *status = Usage("option needs a value");
            return false;
        }
        const char* value = argv[++i];
        if (isWidth) {
            int width = 0;
            for (const WidthButtonPair& pair : WidthButtons) {
                char text[4];  // "80" and the NUL at most
                std::snprintf(text, sizeof text, "%d", pair.Width);
                if (std::strcmp(value, text) == 0)
                    width = pair.Width;
            }
            if (width == 0) {
                *status = Usage("width must be 8, 16, 32, 64 or 80");
                return false;
            }
            options->Width = width;
            continue;
        }
        if (options->Field != 0) {
            *status = Usage("only one field may be given");
            return false;
        }
        if (field == FieldSign && std::strcmp(value, "0") != 0 && std::strcmp(value, "1") != 0) {
            *status = Usage("sign must be 0 or 1");
            return false;
        }
        options->Field = field;
        options->Text = value;
    }
    if (options->Script && options->Field != 0) {
        *status = Usage("--script takes no field");
        return false;
    }
    return true;
}

int RunOneShot(const Options& options)
{
    if (options.Field == 0) {
        CompanionPrintBlock(stdout, CompanionErrorFlags());
        return CompanionOk;
    }
    if (!CompanionFieldEditable(options.Field))
        return Usage("that field is disabled at this width");
    if (options.Field == FieldSign) {
        bool want = options.Text[0] == '1';
        if (MemorySignChecked() != want)
            MemoryClickSign();
        else
            OnSignClick();  // the box already shows that state; the handler still runs
    } else {
        MemoryUserReplace(options.Field, options.Text);
    }
    int noted = CompanionErrorFlags();
    if (options.Field != FieldSign)
        MemoryLoseFocus(options.Field);
    CompanionPrintBlock(stdout, noted);
    return noted != 0 ? CompanionFlagged : CompanionOk;
}

// Reads one line into line (cut at its size; a NUL cuts the text there, as a
// paste would). Returns false at the end of the input.
bool ReadLine(FILE* in, char* line, int size)
{
    int c, n = 0;
    bool any = false, cut = false;
    while ((c = std::getc(in)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        if (c == '\0')
            cut = true;
        if (!cut && n < size - 1)
            line[n++] = static_cast<char>(c);
    }
    if (n > 0 && line[n - 1] == '\r')
        --n;
    line[n] = '\0';
    return any;
}

int RunScript()
{
    // 4096 bytes: every field's limit is at most 80 characters, so a longer
    // line is cut far beyond anything a field keeps.
    static char line[4096];
    long number = 0;
    while (ReadLine(stdin, line, sizeof line)) {
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
    Options options;
    int status = CompanionOk;
    if (!ParseArguments(argc, argv, &options, &status))
        return status;
    MemoryStartUp(options.Width, options.Big);
    return options.Script ? RunScript() : RunOneShot(options);
}
