#pragma once
#include <cstdio>

// The companion's whole run for a command line: reads the options, runs
// the one-shot edit, the batch or the script, reading lines from in,
// writing blocks, --help and --version to out and complaints to err.
// Returns the exit status (CompanionStatus, cli/companion.h); output that
// cannot be written fails the run with CompanionUnwritten. main() is this
// over the standard streams; the fuzzer runs it over its own.
int RunCompanion(int argc, char** argv, FILE* in, FILE* out, FILE* err);
