#include "cli/batch_input.h"

#include "cli/companion.h"
#include "memory/memory_fields.h"

bool CompanionReadLine(FILE* in, char* line, int size)
{
    int c, n = 0;
    bool any = false, cut = false;
    while ((c = std::getc(in)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        if (c == '\0')
            cut = true;
        if (!cut && n < size - 1)
            line[n++] = static_cast<char>(c);
    }
    if (n > 0 && line[n - 1] == '\r')
        --n;
    line[n] = '\0';
    return any;
}

int CompanionRunBatch(FILE* in, FILE* out, int field, int width, bool bigEndian)
{
    bool json = CompanionBlocksAreJson();
    static char line[CompanionLineCapacity];
    int status = CompanionOk;
    bool first = true;
    while (CompanionReadLine(in, line, sizeof line)) {
        if (!first && !json)
            std::fputc('\n', out);
        first = false;
        MemoryStartUp(width, bigEndian);
        if (CompanionOneShot(field, line, out) != CompanionOk)
            status = CompanionFlagged;
    }
    return status;
}
