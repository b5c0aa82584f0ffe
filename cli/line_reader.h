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
