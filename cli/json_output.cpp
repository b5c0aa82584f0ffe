#include "cli/json_output.h"

void WriteJsonString(FILE* out, const char* text)
{
    static const char Hex[] = "0123456789ABCDEF";
    std::fputc('"', out);
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != '\0'; ++p) {
        unsigned char c = *p;
        if (c == '"' || c == '\\') {
            std::fputc('\\', out);
            std::fputc(c, out);
        } else if (c == '\n') {
            std::fputs("\\n", out);
        } else if (c == '\t') {
            std::fputs("\\t", out);
        } else if (c == '\r') {
            std::fputs("\\r", out);
        } else if (c < 0x20 || c >= 0x80) {
            // Other control characters and the bytes above ASCII.
            char escape[7] = {'\\', 'u', '0', '0', Hex[c >> 4], Hex[c & 15], '\0'};
            std::fputs(escape, out);
        } else {
            std::fputc(c, out);
        }
    }
    std::fputc('"', out);
}
