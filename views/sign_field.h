#pragma once
// The sign check box: ticking or unticking it sets or clears the sign bit of
// the width (bit 7 of byte 3, 7 or 9); all other bits stay.

// Reads the box's state (already toggled by the click) and writes the sign
// bit.
void ParseSign();
