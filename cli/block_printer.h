#pragma once
#include <cstdio>

// The companion's printed block: the converter's fields, the error flags and
// the register, as "name<TAB>value" lines or as one JSON object.

// Where a block goes and in which form: with the readings of the width
// (views/float_readings.h) after the register, and as one JSON object on one
// line instead of the TAB lines. With FormatReadings the lines after the
// register are instead the readings of the format chosen for the width
// (views/reading_table.h).
struct BlockOutput {
    FILE* File;
    bool Readings;
    bool Json;
    bool FormatReadings = false;
    // With readings: they end with the width's bytes in memory order,
    // "bytes" and "bytes-be" (views/copy_forms.h).
    bool Memory = false;
    // The copy forms the block ends with, one "form<TAB>text" line each in
    // the order of CopyForms (in JSON one object "as" of them): bit n for
    // CopyForms[n].
    unsigned AsForms = 0;
};

// Error flags as the block's "errors" line lists them, as a bit set.
int CompanionErrorFlags();

// Prints the block: width, endian, each field's text, sign, errors (from the
// given bit set) and register, one "name<TAB>value" line each, in the form
// out asks for.
void CompanionPrintBlock(const BlockOutput& out, int errorFlags);
