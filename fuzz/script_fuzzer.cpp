// Feeds random scripts through the converter as the companion runs them.
//
// Input: the first byte picks the start-up width and endianness; the rest is
// script lines. Besides the companion's commands, a line "!FIELD TEXT"
// writes TEXT into FIELD as another program would (no text limit), so texts
// far beyond every limit reach the parsers too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "cli/companion.h"
#include "memory/memory_fields.h"

namespace {

FILE* Discard()
{
    static FILE* sink = std::fopen("/dev/null", "w");
    return sink;
}

void RunLine(const char* line)
{
    if (line[0] == '!') {
        char name[16] = {};
        const char* space = std::strchr(line + 1, ' ');
        size_t length = space ? static_cast<size_t>(space - line - 1) : std::strlen(line + 1);
        if (length < sizeof name)
            std::memcpy(name, line + 1, length);
        int field = CompanionFieldByName(name);
        if (field != 0 && CompanionFieldEditable(field))
            MemoryProgramWrite(field, space ? space + 1 : "");
        return;
    }
    const char* reason = nullptr;
    CompanionRunLine(line, Discard(), &reason);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const int Widths[] = {8, 16, 32, 64, 80};
    MemoryStartUp(Widths[data[0] % 5], (data[0] & 0x80) != 0);
    // 2048 bytes: lines beyond it are cut, which is far above every limit.
    static char line[2048];
    size_t n = 0;
    for (size_t i = 1; i <= size; ++i) {
        if (i == size || data[i] == '\n') {
            line[n] = '\0';
            RunLine(line);
            n = 0;
        } else if (n < sizeof line - 1) {
            line[n++] = static_cast<char>(data[i]);  // a NUL cuts the text, as a read would
        }
    }
    return 0;
}
