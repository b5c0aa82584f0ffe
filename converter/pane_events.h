#pragma once
// What a click in the inspector pane does: a bit toggle, a step button or
// the choice of a format. Every front end routes the pane's events here, as
// it routes the fields' to converter/field_events.h.

#include "core/float_format.h"

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
