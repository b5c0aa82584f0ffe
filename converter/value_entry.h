#pragma once
// Entering a value by its number: a typed text is rounded into the width's
// chosen format (ChosenFormatOf) by the entry options and written into the
// bits at every keystroke; the entry's error and flags go to two read-only
// texts. A value field stays in step with bits changed anywhere else (its
// `shortest` reading, converter/value_entry_view.h). The format itself is
// entered by name. The handlers
// take the ids of the controls, so that any set of fields (the window's
// pane, a memory field of the companion) can use them.

#include "views/float_encoder.h"

// The rounding mode and saturation of every entry from now on.
void SetEntryOptions(EncodeOptions options);
EncodeOptions EntryOptions();

// The value field's change notification (ignored while the program writes
// a field): encodes its text into the bits and refreshes every other field;
// errorField and flagsField show the entry's error and flags. A text that
// is not a number turns the field red, writes "not-a-number" as its flags
// and leaves the bits as they are. Returns whether the bits took the text.
bool OnValueEntryChange(int valueField, int errorField, int flagsField);

// The value field's focus loss: its error flag clears and the text becomes
// the value's `shortest` reading; the bits stay as they are.
void OnValueEntryKillFocus(int valueField);

// A format name typed or chosen (core/float_format_names.h): a known name
// that fits the width becomes its chosen format, the field shows its
// canonical name and the pane is refreshed. Any other text turns the field
// red and changes nothing. Returns whether the format was taken.
bool OnFormatNameEntered(int formatField, const char* text);

// Writes the width's chosen format's canonical name to the field and
// clears its error flag (after a width change).
void RefreshFormatName(int formatField);
