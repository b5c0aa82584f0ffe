#pragma once
#include "cli/block_printer.h"
#include "cli/companion_status.h"

// The companion's engine: script commands over the in-memory fields and the
// one-shot edit. It starts nothing itself: its callers (the command line in
// main.cpp, the tests and the fuzzer) run MemoryStartUp first, which is the
// window's own start-up over the in-memory fields.

// The one-shot form: replaces the field's whole text by text (the sign box:
// FieldSign with "0" or "1"; field 0: nothing), notes the error flags, leaves
// the field and prints the block to out. The field must be editable. Returns
// CompanionOk, or CompanionFlagged when an error flag was noted.
int CompanionOneShot(int field, const char* text, const BlockOutput& out);

// Runs one script line (NUL-terminated, no line end); `show` prints to out.
// Blank lines and lines starting with '#' do nothing. Returns CompanionOk,
// or CompanionBad with a short reason in *reason.
int CompanionRunLine(const char* line, const BlockOutput& out, const char** reason);
