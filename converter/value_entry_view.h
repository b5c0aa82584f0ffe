#pragma once
// What the value entry shows while the bits change elsewhere: the value
// field follows the value's `shortest` reading, its error and flags stay
// empty. Part of the inspector's refresh; what typing into the entry does is
// converter/value_entry.h's.

// Writes the `shortest` reading of the bits in the width's chosen format
// (ReadingCapacity bytes at most), or an empty text where the width reads no
// format.
void WriteEntryShortest(char* out);

// The value field whose own entry the refreshes from now on come from (0:
// none): that field's text and its error and flags stay as the entry wrote
// them.
void SetEntrySource(int valueField);

// Bits changed elsewhere: the value field shows the `shortest` reading
// (empty where the width reads no format) and the error and flags empty;
// nothing happens while the value field's own entry is being refreshed.
void RefreshValueEntry(int valueField, int errorField, int flagsField);
