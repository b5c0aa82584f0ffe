#pragma once
#include <cstdio>

// Lines from standard input for the script and batch (--each) forms.

// 4096 bytes: every field's limit is at most 80 characters, so a longer line
// is cut far beyond anything a field keeps.
constexpr int CompanionLineCapacity = 4096;

// Reads one line into line (size bytes; cut there; a NUL cuts the text
// there, as a paste would; a CR before the LF is dropped). Returns false at
// the end of the input.
bool CompanionReadLine(FILE* in, char* line, int size);

// The batch form: for every line of in, a fresh start-up at the width and
// endianness, then the one-shot edit of field with the line as its text.
// TAB blocks are separated by one empty line; JSON blocks are one line each.
// Returns CompanionOk, or CompanionFlagged when any line set an error flag.
int CompanionRunBatch(FILE* in, FILE* out, int field, int width, bool bigEndian);
