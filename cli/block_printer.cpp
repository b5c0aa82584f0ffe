#include "cli/block_printer.h"

#include <cstdio>

#include "cli/encode_command.h"
#include "converter/block_text.h"

namespace {

void PutToFile(void* context, const char* text)
{
    std::fputs(text, static_cast<FILE*>(context));
}

}  // namespace

int CompanionErrorFlags()
{
    return BlockErrorFlags();
}

void CompanionPrintBlock(const BlockOutput& out, int errorFlags)
{
    const TextSink sink{PutToFile, out.File};
    const bool encoded = CompanionEncoded();
    const BlockText text{out.Readings,
                         out.Json,
                         out.FormatReadings,
                         out.Memory,
                         out.AsForms,
                         encoded,
                         encoded ? CompanionEncodeFlags() : "",
                         encoded ? CompanionEncodeError() : ""};
    WriteBlockText(sink, text, errorFlags);
}
