#include "cli/companion_main.h"

#include "cli/batch_runner.h"
#include "cli/companion.h"
#include "cli/companion_names.h"
#include "cli/encode_command.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "converter/pane_events.h"
#include "converter/paste_bytes.h"
#include "dexolin_version.h"
#include "memory/memory_fields.h"

namespace {

int RunOneShot(const CompanionOptions& options, const BlockOutput& out, FILE* err)
{
    if (options.Field != 0 && !CompanionFieldEditable(options.Field))
        return CompanionBadUsage("that field is disabled at this width", err);
    if (options.HasBytes)
        OnPasteBytes(options.Bytes, options.Width / 8,
                     options.BytesBig);  // the options have checked the count
    return CompanionOneShot(options.Field, options.Text, out);
}

int RunBatch(const CompanionOptions& options, FILE* in, const BlockOutput& out, FILE* err)
{
    if (!CompanionFieldEditable(options.Each))
        return CompanionBadUsage("that field is disabled at this width", err);
    return CompanionRunBatch(in, out, options.Each, options.Width, options.Big,
                             options.HasFormat ? &options.Format : nullptr);
}

// Runs the script read from in; stops at the first line that cannot run,
// and early once the output cannot be written.
int RunScript(FILE* in, const BlockOutput& out, FILE* err)
{
    static char line[CompanionLineCapacity];
    long number = 0;
    while (!std::ferror(out.File) && CompanionReadLine(in, line, sizeof line)) {
        ++number;
        const char* reason = "";
        if (CompanionRunLine(line, out, &reason) != CompanionOk) {
            // The blocks before the line come first; lost ones fail the run.
            if (std::fflush(out.File) != 0)
                return CompanionUnwritten;
            std::fprintf(err, "dexolin-cli: line %ld: %s: %s\n", number, reason, line);
            return CompanionBad;
        }
    }
    return CompanionOk;
}

int Run(int argc, char** argv, FILE* in, FILE* outFile, FILE* err)
{
    CompanionOptions options;
    if (const char* problem = ReadCompanionOptions(argc, argv, &options))
        return CompanionBadUsage(problem, err);
    if (options.Help) {
        std::fputs(CompanionUsage, outFile);
        return CompanionOk;
    }
    if (options.Version) {
        std::fprintf(outFile, "dexolin-cli %s\n", DEXOLIN_VERSION);
        return CompanionOk;
    }
    // Only scripts use the inspector's controls; elsewhere its readings
    // would be computed for nothing (--readings prints them itself).
    MemorySetInspectorShown(options.Script);
    MemoryStartUp(options.Width, options.Big);
    CompanionSetEncoding(options.Round, options.Saturate);
    if (options.HasFormat)
        OnChooseFormat(&options.Format);  // the options have checked that it fits
    BlockOutput out{outFile,           options.Readings, options.Json,
                    options.HasFormat, options.Memory,   options.AsForms};
    if (options.Each != 0)
        return RunBatch(options, in, out, err);
    return options.Script ? RunScript(in, out, err) : RunOneShot(options, out, err);
}

// Output that cannot be written fails the run, whatever it did besides.
int FinishOutput(int status, FILE* out, FILE* err)
{
    if (std::fflush(out) == 0 && !std::ferror(out))
        return status;
    std::fputs("dexolin-cli: cannot write to standard output\n", err);
    return CompanionUnwritten;
}

}  // namespace

int RunCompanion(int argc, char** argv, FILE* in, FILE* out, FILE* err)
{
    return FinishOutput(Run(argc, argv, in, out, err), out, err);
}
