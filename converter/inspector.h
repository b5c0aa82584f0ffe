#pragma once
// The inspector beside the fields: the readings of the value (one read-only
// text per reading, views/float_readings.h), one toggle per bit of the width
// and the steps to the neighbouring float values. Refreshed with every other
// field by RefreshViews; its clicks go to the handlers below, in every front
// end alike.

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

// A bit toggle's click: flips that bit and refreshes every field (source
// none), as a width click does. Returns false, changing nothing, for a bit
// above the width.
bool OnBitToggle(int bit);

// A step button's click (ButtonStepNext or ButtonStepPrevious): the value
// becomes its next or previous reading and every field is refreshed.
// Returns false, changing nothing, at 8 and 16 bits and from the extended
// encodings the x87 does not allow.
bool OnStepButton(int button);
