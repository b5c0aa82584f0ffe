#pragma once
// The inspector beside the fields: the readings of the value (one read-only
// text per reading, views/float_readings.h), one toggle per bit of the width
// and the steps to the neighbouring float values. Refreshed with every other
// field by RefreshViews; its clicks go to the handlers below, in every front
// end alike. The readings, the steps and the bit roles follow the format
// chosen for the width (ChosenFormatOf).

#include "core/float_format.h"
#include "views/float_readings.h"

// What a bit toggle stands for in the width's float format, for its colour:
// Plain where the width reads no format, Ignored for the bits above the
// format and its padding.
enum class BitRole { Plain, Sign, Exponent, IntegerBit, Fraction, Ignored };
BitRole RoleOfBit(int bit, int width);

// Writes every reading of the width to its pane control and enables it;
// empties and disables the readings that do not apply. Shows the toggles of
// the width's bits with "0" or "1", hides the others; enables each step
// button where its neighbour exists. Does nothing while the front end's
// pane is hidden; the front end calls it when it shows the pane again.
void RefreshInspector();

// Whether the pane shows the reading at the current width: the chosen
// format's readings at every width (its name aside, which has no control),
// and the width's own (half and bfloat16 at 16 bits).
bool PaneHasReading(Reading reading);

// Writes the pane's text of a reading it shows (ReadingCapacity bytes at
// most); returns the NUL's position.
char* WritePaneReading(char* out, Reading reading);

// Chooses the format of the current width (null: its default) and refreshes
// the pane. Returns false, changing nothing, when it does not fit the width.
bool OnChooseFormat(const FloatFormat* format);

// A bit toggle's click: flips that bit and refreshes every field (source
// none), as a width click does. Returns false, changing nothing, for a bit
// above the width.
bool OnBitToggle(int bit);

// A step button's click (ButtonStepNext or ButtonStepPrevious): the value
// becomes its next or previous reading and every field is refreshed.
// Returns false, changing nothing, from the x87 encodings the x87 does not
// allow.
bool OnStepButton(int button);
