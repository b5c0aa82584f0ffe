#pragma once
#include <cstdio>

#include "cli/block_printer.h"
#include "core/float_format.h"

// The batch form (--each FIELD): for every line of in, a fresh start-up at
// the width and endianness, then the one-shot edit of field with the line as
// its text. TAB blocks are separated by one empty line; JSON blocks are one
// line each. Stops early once out cannot be written. Returns CompanionOk, or
// CompanionFlagged when any line set an error flag. A format (which must
// fit the width) is chosen after every start-up.
int CompanionRunBatch(FILE* in, const BlockOutput& out, int field, int width, bool bigEndian,
                      const FloatFormat* format = nullptr);
