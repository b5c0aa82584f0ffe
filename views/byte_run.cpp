#include "views/byte_run.h"

#include "core/number_text.h"

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')
        return (c | 0x20) - 'a' + 10;
    return -1;
}

const char* SkipSpace(const char* p)
{
    while (IsSpace(*p))
        ++p;
    return p;
}

// The reader's progress: the bytes kept and how many were found.
struct RunReader {
    uint8_t* Bytes;
    int Count;
};

void Keep(RunReader* run, int byte)
{
    if (run->Count < ByteRunCapacity)
        run->Bytes[run->Count] = static_cast<uint8_t>(byte);
    ++run->Count;
}

// The problems are written without the C library's formatted output,
// which would add its whole printf to the window's program.
void SetProblem(char* problem, const char* text)
{
    WriteText(problem, text);
}

void SetUnexpected(char* problem, char c)
{
    char* p = WriteText(problem, "unexpected character ");
    if (c > ' ' && c < 127) {
        const char quoted[] = {'\'', c, '\'', '\0'};
        WriteText(p, quoted);
    } else {
        const uint8_t byte = static_cast<uint8_t>(c);
        WriteHexBytes(WriteText(p, "0x"), &byte, 1);
    }
}

// Reads one item at p: "0x" and one or two digits, "\x" and two digits, or
// a run of digits in pairs. Returns the position after it, or null with the
// problem set.
const char* ReadItem(const char* p, RunReader* run, char* problem)
{
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexValue(p[2]) >= 0) {
        int digits = HexValue(p[3]) >= 0 ? 2 : 1;
        if (HexValue(p[2 + digits]) >= 0) {
            SetProblem(problem, "0x takes one or two hex digits");
            return nullptr;
        }
        Keep(run, digits == 2 ? HexValue(p[2]) * 16 + HexValue(p[3]) : HexValue(p[2]));
        return p + 2 + digits;
    }
    if (p[0] == '\\' && p[1] == 'x') {
        if (HexValue(p[2]) < 0 || HexValue(p[3]) < 0 || HexValue(p[4]) >= 0) {
            SetProblem(problem, "\\x takes two hex digits");
            return nullptr;
        }
        Keep(run, HexValue(p[2]) * 16 + HexValue(p[3]));
        return p + 4;
    }
    if (HexValue(*p) < 0) {
        SetUnexpected(problem, *p);
        return nullptr;
    }
    for (; HexValue(*p) >= 0; p += 2) {
        if (HexValue(p[1]) < 0) {
            // A letter or digit there is no hex digit; anything else ends
            // the digits early.
            char c = static_cast<char>(p[1] | 0x20);
            if ((c >= 'a' && c <= 'z') || (p[1] >= '0' && p[1] <= '9'))
                SetUnexpected(problem, p[1]);
            else
                SetProblem(problem, "odd count of hex digits");
            return nullptr;
        }
        Keep(run, HexValue(p[0]) * 16 + HexValue(p[1]));
    }
    return p;
}

}  // namespace

bool ReadByteRun(const char* text, int32_t width, uint8_t* bytes, char* problem)
{
    RunReader run{bytes, 0};
    // Step 1: an optional opening brace, which then must be closed.
    const char* p = SkipSpace(text);
    bool braced = *p == '{';
    p = SkipSpace(braced ? p + 1 : p);
    // Step 2: the items and what separates them: blanks, one comma or one
    // dash, or nothing after an escape ("\xcd\xcc").
    bool closed = false;
    while (*p != '\0') {
        if (*p == '}' && braced && !closed) {
            closed = true;
            p = SkipSpace(p + 1);
            continue;
        }
        if (*p == '}' || *p == '{') {
            SetProblem(problem, "unmatched brace");
            return false;
        }
        if (closed) {
            SetUnexpected(problem, *p);
            return false;
        }
        bool escape = p[0] == '\\';
        p = ReadItem(p, &run, problem);
        if (p == nullptr)
            return false;
        const char* after = SkipSpace(p);
        bool spaced = after != p;
        if (*after == ',' || *after == '-') {
            char separator = *after;
            after = SkipSpace(after + 1);
            // Only a comma may end the run, and only inside braces, as in C.
            bool last = *after == '\0' || *after == '}';
            if (last && (separator == '-' || !braced)) {
                SetUnexpected(problem, separator);
                return false;
            }
        } else if (!spaced && !(escape && *after == '\\') && *after != '\0' && *after != '}') {
            SetUnexpected(problem, *after);
            return false;
        }
        p = after;
    }
    if (braced != closed) {
        SetProblem(problem, "unmatched brace");
        return false;
    }
    // Step 3: the count.
    if (run.Count == 0) {
        SetProblem(problem, "no bytes");
        return false;
    }
    if (run.Count != width / 8) {
        // "found 4 bytes, 80 bits need 10"
        char* at = WriteSignedDecimal(WriteText(problem, "found "), run.Count);
        at = WriteSignedDecimal(WriteText(at, run.Count == 1 ? " byte, " : " bytes, "), width);
        WriteSignedDecimal(WriteText(at, " bits need "), width / 8);
        return false;
    }
    return true;
}
