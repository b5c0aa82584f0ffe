#include "cli/batch_runner.h"

#include "cli/companion.h"
#include "cli/line_reader.h"
#include "converter/pane_events.h"
#include "memory/memory_fields.h"

int CompanionRunBatch(FILE* in, const BlockOutput& out, int field, int width, bool bigEndian,
                      const FloatFormat* format)
{
    static char line[CompanionLineCapacity];
    int status = CompanionOk;
    bool first = true;
    while (!std::ferror(out.File) && CompanionReadLine(in, line, sizeof line)) {
        if (!first && !out.Json)
            std::fputc('\n', out.File);
        first = false;
        MemoryStartUp(width, bigEndian);
        if (format)
            OnChooseFormat(format);
        if (CompanionOneShot(field, line, out) != CompanionOk)
            status = CompanionFlagged;
    }
    return status;
}
