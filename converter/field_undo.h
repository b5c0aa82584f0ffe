#pragma once
// What undo in an edit field brings back: the text the field had before the
// user's last change and, with it, the value that text stood for. A text the
// program rendered is the value's canonical text, but reading it back need
// not give the same bits (a float printed to twenty digits, a NaN's
// payload cut to the field), so the value is remembered with the text
// rather than re-read.

// The program has just written text into the edit field (every renderer's
// write goes through here): remembers it with the value, the width and the
// field's error flag as they are now. One text per field, the latest.
void RememberRenderedText(int field, const char* text);

// An undo has put text back into the edit field and the field's own parser
// has read it. When text is the one remembered for the field at this width,
// the value and the error flag it had come back and every other field is
// rendered anew; returns true. Otherwise changes nothing and returns false.
bool RestoreUndoneValue(int field, const char* text);
