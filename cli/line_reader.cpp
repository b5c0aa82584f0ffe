#include "cli/line_reader.h"

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
