#pragma once
#include <cstdint>
#include <cstdio>

#include "core/float_format.h"
#include "views/byte_run.h"
#include "views/float_rounding.h"

// The companion's command line: one table of options, read in one pass.

// What the command line asks for.
struct CompanionOptions {
    int Width = 32;
    bool Big = false;
    bool Readings = false;
    bool Json = false;
    bool Script = false;
    bool Help = false;
    bool Version = false;
    int Field = 0;  // the field of a one-shot edit, FieldSign for --sign
    const char* Text = nullptr;  // its text; for --bits the digits alone
    int Each = 0;  // the field of --each
    bool HasFormat = false;  // --format: the readings of Format
    FloatFormat Format;
    RoundingMode Round = RoundingMode::Even;  // --round, for --encode
    bool Saturate = false;  // --saturate
    bool Memory = false;  // --memory: the readings end with the bytes
    bool HasBytes = false;  // --bytes-le or --bytes-be: Bytes set the width
    bool BytesBig = false;  // --bytes-be
    uint8_t Bytes[ByteRunCapacity] = {};  // the width's bytes as written
    unsigned AsForms = 0;  // --as: bit n for CopyForms[n] (views/copy_forms.h)
};

// What --help prints, lines of at most 79 columns.
extern const char CompanionUsage[];

// Reads argv into options. Returns null, or the problem in a few words; then
// the command line is bad usage.
const char* ReadCompanionOptions(int argc, char** argv, CompanionOptions* options);

// Writes the one line of bad usage to err (standard error): the problem
// and the short form of the usage. Returns CompanionBad.
int CompanionBadUsage(const char* problem, FILE* err);
