#include "cli/json_output.h"

#include "converter/block_text.h"

namespace {

void PutToFile(void* context, const char* text)
{
    std::fputs(text, static_cast<FILE*>(context));
}

}  // namespace

void WriteJsonString(FILE* out, const char* text)
{
    WriteJsonText(TextSink{PutToFile, out}, text);
}
