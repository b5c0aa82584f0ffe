#pragma once
// The inspector beside the fields: the readings of the value (one read-only
// text per row of views/reading_table.h), one toggle per bit of the width
// and the steps to the neighbouring float values. Refreshed with every other
// field by RefreshViews; its clicks go to converter/pane_events.h, in every
// front end alike. The readings, the steps and the bit roles follow the
// format chosen for the width (ChosenFormatOf).

#include "views/float_readings.h"

// What a bit toggle stands for in the width's float format, for its colour:
// Plain where the width reads no format, Ignored for the bits above the
// format and its padding.
enum class BitRole { Plain, Sign, Exponent, IntegerBit, Fraction, Ignored };
BitRole RoleOfBit(int bit, int width);

// Writes every reading of the width to its pane control and enables it:
// with a chosen format, that format's readings and the bytes at every width,
// and the width's own (half and bfloat16 at 16 bits); empties and disables
// the readings that do not apply. Shows the toggles of
// the width's bits with "0" or "1", hides the others; enables each step
// button where its neighbour exists; refreshes the value entry. Does nothing
// while the front end's pane is hidden; the front end calls it when it shows
// the pane again.
void RefreshInspector();
