#include "cli/field_warnings.h"

#include <cstdio>
#include <cstring>

#include "core/field_ids.h"
#include "memory/memory_fields.h"

namespace {

bool IsDigitOfField(char c, bool binary)
{
    if (binary)
        return c == '0' || c == '1';
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

}  // namespace

void WarnAboutFieldText(int field, const char* text)
{
    if (field != FieldBinary && field != FieldHex)
        return;
    const bool binary = field == FieldBinary;
    const char* stray = text;
    while (*stray != '\0' && IsDigitOfField(*stray, binary))
        ++stray;
    const int limit = MemoryFieldLimit(field);
    const bool cut = static_cast<int>(std::strlen(text)) > limit;
    if (*stray == '\0' && !cut)
        return;
    const char* name = binary ? "binary" : "hex";
    std::fprintf(stderr, "dexolin-cli: warning: the %s field", name);
    if (*stray != '\0')
        std::fprintf(stderr, " drops '%c' (not a %s digit)", *stray, binary ? "binary" : "hexadecimal");
    if (*stray != '\0' && cut)
        std::fprintf(stderr, " and");
    if (cut)
        std::fprintf(stderr, " keeps only the first %d characters", limit);
    std::fprintf(stderr, " of \"%s\"; --bits reads bit patterns such as 0x3f800000\n", text);
}
