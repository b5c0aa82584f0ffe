#pragma once
// The companion's names of the fields and the widths, as its options and
// script commands take them.

// Companion field names: binary, decimal, hex, float, exponent, mantissa.
// Returns the field id, or 0 for any other name.
int CompanionFieldByName(const char* name);

// The option button of the width that name names exactly ("8", "16", "32",
// "64" or "80"), or 0.
int CompanionWidthButtonByName(const char* name);

// Whether a field can be edited now (disabled fields cannot).
bool CompanionFieldEditable(int field);
