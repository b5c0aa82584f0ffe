#pragma once
#include <cstdio>

// JSON text for the companion's --json form. Field texts are bytes, not
// UTF-8: each byte is written as the character of the same number, so bytes
// above 127 become \u0080 to \u00FF and the output is plain ASCII, valid JSON
// whatever the fields hold.

// Writes text (NUL-terminated) as a JSON string, quotes included.
void WriteJsonString(FILE* out, const char* text);
