#include "cli/bits_text.h"

#include <cstdio>

#include "core/field_ids.h"

const char* ParseBitsText(const char* text, int width, int* field, char* digits)
{
    bool binary = false;
    const char* problem = ReadBitsText(text, false, width, &binary, digits);
    if (problem) {
        static char message[64];  // "--bits: " and the longest problem
        std::snprintf(message, sizeof message, "--bits: %s", problem);
        return message;
    }
    *field = binary ? FieldBinary : FieldHex;
    return nullptr;
}
