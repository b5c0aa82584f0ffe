#pragma once
// The sign check box: ticking or unticking it sets or clears the sign bit of
// the width (bit 7 of byte 3, 7 or 9); all other bits stay.

// Reads the box's state (already toggled by the click) and writes the sign
// bit.
void ParseSign();

// Ticks the box exactly when the width's sign bit is set; at widths without a
// float format it leaves the box alone. Setting a check box raises no
// notification, so no guard is needed.
void RenderSign(int field);
