// dexolin-cli: drives the converter from the command line or a script; the
// forms and the exit statuses are in CompanionUsage (cli/options.cpp).
#include <cstdio>

#include "cli/batch_runner.h"
#include "cli/companion.h"
#include "cli/encode_command.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "converter/inspector.h"
#include "converter/paste_bytes.h"
#include "dexolin_version.h"
#include "memory/memory_fields.h"

namespace {

int RunOneShot(const CompanionOptions& options, const BlockOutput& out)
{
    if (options.Field != 0 && !CompanionFieldEditable(options.Field))
        return CompanionBadUsage("that field is disabled at this width");
    if (options.HasBytes)
        OnPasteBytes(options.Bytes, options.Width / 8,
                     options.BytesBig);  // the options have checked the count
    return CompanionOneShot(options.Field, options.Text, out);
}

int RunBatch(const CompanionOptions& options, const BlockOutput& out)
{
    if (!CompanionFieldEditable(options.Each))
        return CompanionBadUsage("that field is disabled at this width");
    return CompanionRunBatch(stdin, out, options.Each, options.Width, options.Big,
                             options.HasFormat ? &options.Format : nullptr);
}

// Runs the script on standard input; stops at the first line that cannot
// run, and early once the output cannot be written.
int RunScript(const BlockOutput& out)
{
    static char line[CompanionLineCapacity];
    long number = 0;
    while (!std::ferror(out.File) && CompanionReadLine(stdin, line, sizeof line)) {
        ++number;
        const char* reason = "";
        if (CompanionRunLine(line, out, &reason) != CompanionOk) {
            // The blocks before the line come first; lost ones fail the run.
            if (std::fflush(out.File) != 0)
                return CompanionUnwritten;
            std::fprintf(stderr, "dexolin-cli: line %ld: %s: %s\n", number, reason, line);
            return CompanionBad;
        }
    }
    return CompanionOk;
}

int Run(int argc, char** argv)
{
    CompanionOptions options;
    if (const char* problem = ReadCompanionOptions(argc, argv, &options))
        return CompanionBadUsage(problem);
    if (options.Help) {
        std::fputs(CompanionUsage, stdout);
        return CompanionOk;
    }
    if (options.Version) {
        std::printf("dexolin-cli %s\n", DEXOLIN_VERSION);
        return CompanionOk;
    }
    // Only scripts use the inspector's controls; elsewhere its readings
    // would be computed for nothing (--readings prints them itself).
    MemorySetInspectorShown(options.Script);
    MemoryStartUp(options.Width, options.Big);
    CompanionSetEncoding(options.Round, options.Saturate);
    if (options.HasFormat)
        OnChooseFormat(&options.Format);  // the options have checked that it fits
    BlockOutput out{stdout,         options.Readings, options.Json, options.HasFormat,
                    options.Memory, options.AsForms};
    if (options.Each != 0)
        return RunBatch(options, out);
    return options.Script ? RunScript(out) : RunOneShot(options, out);
}

// Output that cannot be written fails the run, whatever it did besides.
int FinishOutput(int status)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    std::fputs("dexolin-cli: cannot write to standard output\n", stderr);
    return CompanionUnwritten;
}

}  // namespace

int main(int argc, char** argv)
{
    return FinishOutput(Run(argc, argv));
}
