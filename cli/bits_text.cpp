#include "cli/bits_text.h"

#include <cstring>

#include "core/field_ids.h"

namespace {

bool IsSeparator(char c)
{
    return c != '\0' && std::strchr("_' :-", c) != nullptr;
}

bool IsDigitOf(char c, bool binary)
{
    if (binary)
        return c == '0' || c == '1';
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

const char* ParseBitsText(const char* text, int width, int* field, char* digits)
{
    bool binary = text[0] == '0' && (text[1] == 'b' || text[1] == 'B');
    if (binary || (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')))
        text += 2;
    int limit = binary ? width : width / 4;
    int count = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (IsSeparator(*p)) {
            const char* next = p;
            while (IsSeparator(*next))
                ++next;
            if (count == 0 || !IsDigitOf(*next, binary))
                return IsDigitOf(*next, binary) || *next == '\0' ? "--bits: a separator not between digits"
                                                                 : "--bits: not a digit of the base";
            p = next - 1;
            continue;
        }
        if (!IsDigitOf(*p, binary))
            return "--bits: not a digit of the base";
        if (count == limit)
            return "--bits: more digits than the width holds";
        digits[count++] = *p;
    }
    if (count == 0)
        return "--bits: no digit";
    digits[count] = '\0';
    *field = binary ? FieldBinary : FieldHex;
    return nullptr;
}
