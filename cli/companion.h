#pragma once
#include <cstdio>

// The companion's engine: script commands over the in-memory fields and the
// printed block. It starts nothing itself: its callers (the command-line
// parsing in main.cpp, the tests and the fuzzer) run MemoryStartUp first,
// which is the window's own start-up over the in-memory fields.

enum CompanionStatus {
    CompanionOk = 0,  // done, no error flag
    CompanionFlagged = 1,  // done, an error flag was set (one-shot form)
    CompanionBad = 2,  // bad usage or a command that cannot run
};

// Companion field names: binary, decimal, hex, float, exponent, mantissa.
// Returns the field id, or 0 for any other name.
int CompanionFieldByName(const char* name);

// The option button of the width that text names ("8", "16", "32", "64" or
// "80", then only blanks when trailingBlanks is true), or 0.
int CompanionWidthButtonByName(const char* text, bool trailingBlanks);

// Error flags as the block's "errors" line lists them, as a bit set.
int CompanionErrorFlags();

// Prints the block: width, endian, each field's text, sign, errors (from the
// given bit set) and register, one "name<TAB>value" line each; in the form
// chosen below, then the readings of the width (views/float_readings.h),
// and as one JSON object on one line instead of the lines.
void CompanionPrintBlock(FILE* out, int errorFlags);

// The form of every block printed after it (both off at start).
void CompanionSetBlockForm(bool readings, bool json);
bool CompanionBlocksAreJson();

// The one-shot form: replaces the field's whole text by text (the sign box:
// FieldSign with "0" or "1"; field 0: nothing), notes the error flags, leaves
// the field and prints the block. The field must be editable. Returns
// CompanionOk, or CompanionFlagged when an error flag was noted.
int CompanionOneShot(int field, const char* text, FILE* out);

// Runs one script line (NUL-terminated, no line end). Blank lines and lines
// starting with '#' do nothing. Returns CompanionOk, or CompanionBad with a
// short reason in *reason.
int CompanionRunLine(const char* line, FILE* out, const char** reason);

// Whether a field can be edited now (disabled fields cannot).
bool CompanionFieldEditable(int field);
