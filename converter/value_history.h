#pragma once
// Back and Forward: the values the user has settled on, with the width and
// the format each was read in, as a browser keeps the pages visited. A value
// is settled by a width click, a format choice, a bit toggle, a step, a
// paste of bytes and the focus loss after an edit (their handlers record
// it), and by what a front end settles through RecordSettledValue (a paste
// into a field, an encoding). The history lives for the run; it holds the
// last ValueHistoryCapacity values and forgets the oldest.

// A Back button's worth of values; more than anyone steps back through.
constexpr int ValueHistoryCapacity = 64;

// Forgets every value; the converter's start-up does so before its clicks.
void ResetValueHistory();

// Adds the current value (register, width, chosen format) after the one
// shown last, dropping those ahead of it, unless it is that value already.
// Does nothing while Back or Forward restores a value.
void RecordSettledValue();

// Back and Forward: restore the value before or after the one shown last,
// its width by a click of the width's button (the width handler runs as for
// the user's click), its format and its register, and refresh every field.
// False, changing nothing, when there is none.
bool OnHistoryBack();
bool OnHistoryForward();
