// Feeds random scripts through the converter as the companion runs them.
//
// Input: the first byte picks the start-up width and endianness (and, by
// its bits 5 and 6, JSON blocks and the readings; by bits 3 and 4 with the
// input's hash, the inspector pane); the rest is script lines.
// Besides the companion's commands:
//   "!FIELD TEXT"  writes TEXT into FIELD as another program would (no text
//                  limit), so texts far beyond every limit reach the parsers;
//   "$BYTES"       puts up to 10 raw bytes into the register and takes every
//                  reading of the width, checking that the neighbours step
//                  back;
//   "%TEXT"        reads TEXT as --bits does and makes the one-shot edit;
//   "&FIELD LINES" runs --each FIELD over LINES ('|' ends a line, 0x01
//                  stands for a NUL).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "cli/batch_runner.h"
#include "cli/bits_text.h"
#include "cli/companion.h"
#include "cli/companion_names.h"
#include "core/converter_state.h"
#include "fuzz/input_hash.h"
#include "memory/memory_fields.h"
#include "views/float_neighbours.h"
#include "views/float_readings.h"
#include "views/reading_table.h"

namespace {

// Where every block goes; the first byte of the input picks its form.
BlockOutput Discard = {std::fopen("/dev/null", "w"), false, false};

// The field named by "NAME rest" at line; *rest is set to the text after
// the space.
int FieldOfLine(const char* line, const char** rest)
{
    char name[16] = {};
    const char* space = std::strchr(line, ' ');
    size_t length = space ? static_cast<size_t>(space - line) : std::strlen(line);
    if (length < sizeof name)
        std::memcpy(name, line, length);
    *rest = space ? space + 1 : "";
    return CompanionFieldByName(name);
}

void TakeReadings(const char* bytes)
{
    uint8_t* value = ConverterState.ValueRegister;
    for (int i = 0; i < 10 && bytes[i] != '\0'; ++i)
        value[i] = static_cast<uint8_t>(bytes[i]);
    static char text[ReadingCapacity];
    int width = ConverterState.Width;
    for (const ReadingRow& row : ReadingTable) {
        if (ReadAtWidth(row, width) && WriteReading(text, row.Shown, value, width) - text >= ReadingCapacity)
            __builtin_trap();
    }
    // A step down and one up give the value back, but for the zeros (the
    // step up from either lands on +0's neighbour's side) and for the values
    // a step down leaves as they are (-inf, NaNs).
    uint8_t step[10];
    std::memcpy(step, value, 10);
    uint8_t size = static_cast<uint8_t>(width / 8);
    if (width >= 32 && StepFloat(step, size, false)) {
        bool stayed = std::memcmp(step, value, size) == 0;
        StepFloat(step, size, true);
        bool zero = true;
        for (int i = 0; i < size; ++i)
            zero = zero && (value[i] & (i == size - 1 ? 0x7F : 0xFF)) == 0;
        if (!zero && !stayed && std::memcmp(step, value, size) != 0)
            __builtin_trap();
    }
}

void RunBatch(const char* line)
{
    const char* rest;
    int field = FieldOfLine(line, &rest);
    if (field == 0 || !CompanionFieldEditable(field))
        return;
    static char input[2048];
    size_t n = 0;
    for (; rest[n] != '\0' && n < sizeof input; ++n)
        input[n] = rest[n] == '|' ? '\n' : rest[n] == '\x01' ? '\0' : rest[n];
    if (n == 0)
        return;
    FILE* in = fmemopen(input, n, "r");
    CompanionRunBatch(in, Discard, field, ConverterState.Width, ConverterState.BigEndian != 0);
    std::fclose(in);
}

void RunLine(const char* line)
{
    if (line[0] == '!') {
        const char* text;
        int field = FieldOfLine(line + 1, &text);
        if (field != 0 && CompanionFieldEditable(field))
            MemoryProgramWrite(field, text);
        return;
    }
    if (line[0] == '$') {
        TakeReadings(line + 1);
        return;
    }
    if (line[0] == '%') {
        char digits[BitsDigitsCapacity];
        int field = 0;
        if (ParseBitsText(line + 1, ConverterState.Width, &field, digits) == nullptr)
            CompanionOneShot(field, digits, Discard);
        return;
    }
    if (line[0] == '&') {
        RunBatch(line + 1);
        return;
    }
    const char* reason = nullptr;
    CompanionRunLine(line, Discard, &reason);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const int Widths[] = {8, 16, 32, 64, 80};
    // The inspector's readings take milliseconds for some 80-bit values and
    // would slow every run tenfold: one input in 256 runs with the pane shown
    // (its toggles and steps work only then), the rest hidden. A hash of the
    // whole input picks them, so that the inputs derived from one with the
    // pane shown do not all show it too.
    MemorySetInspectorShown((data[0] & 0x18) == 0x18 && InputHash(data, size) % 64 == 0);
    MemoryStartUp(Widths[data[0] % 5], (data[0] & 0x80) != 0);
    Discard.Readings = (data[0] & 0x40) != 0;
    Discard.Json = (data[0] & 0x20) != 0;
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
