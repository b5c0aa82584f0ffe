// Feeds random texts to the readers of short typed or pasted texts and
// checks what must hold:
//   format names: an accepted name's canonical name fits and reads back as
//     the same format, a refused one has a problem text and leaves the
//     format alone;
//   bit patterns (ReadBitsText, ReadBitFieldPaste): the
//     digits written are only the base's, within the capacity given and
//     the bits allowed;
//   byte runs: a run that is read, written back in the bytes and array
//     copy forms, reads back as the same bytes.
//
// Input: a byte whose low 3 bits pick the reader and whose high bits its
// options, a second byte for a size or a width, then the text.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/float_format_names.h"
#include "core/float_presets.h"
#include "fuzz/fuzz_check.h"
#include "views/bits_text.h"
#include "views/byte_run.h"
#include "views/copy_forms.h"

namespace {

// Guard bytes after each output buffer: a writer that goes beyond the
// capacity it was given changes them.
constexpr int Guard = 16;
constexpr char GuardByte = '\x7f';

bool GuardKept(const char* buffer, int capacity)
{
    for (int i = capacity; i < capacity + Guard; ++i) {
        if (buffer[i] != GuardByte)
            return false;
    }
    return true;
}

// Whether the NUL-terminated digits are all of the base's.
bool DigitsOfBase(const char* digits, bool binary)
{
    for (; *digits != '\0'; ++digits) {
        char c = *digits;
        bool ok = binary ? (c == '0' || c == '1')
                         : ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
        if (!ok)
            return false;
    }
    return true;
}

void CheckFormatName(const char* text)
{
    FloatFormat format = FloatPresets[0];
    FormatNameResult result = ReadFormatName(text, &format);
    if (result != FormatNameResult::Ok) {
        FUZZ_CHECK(FormatNameProblem(result)[0] != '\0');
        FUZZ_CHECK(SameFormat(format, FloatPresets[0]));
        return;
    }
    FUZZ_CHECK(FormatNameProblem(result)[0] == '\0');
    FUZZ_CHECK(std::memchr(format.Name, '\0', sizeof format.Name) != nullptr && format.Name[0] != '\0');
    FUZZ_CHECK(format.ExponentBits >= 2 && format.ExponentBits <= 15);
    FUZZ_CHECK(format.FractionBits >= 1 && format.FractionBits <= 63);
    FloatFormat again;
    FUZZ_CHECK(ReadFormatName(format.Name, &again) == FormatNameResult::Ok);
    FUZZ_CHECK(SameFormat(format, again));
}

void CheckBitsText(const char* text, uint8_t options, uint8_t bits)
{
    static char digits[BitsDigitsCapacity + Guard];
    std::memset(digits, GuardByte, sizeof digits);
    int32_t maxBits = bits % 81;
    bool binary = false;
    if (ReadBitsText(text, (options & 0x10) != 0, maxBits, &binary, digits) != nullptr)
        return;
    FUZZ_CHECK(GuardKept(digits, BitsDigitsCapacity));
    size_t count = std::strlen(digits);
    FUZZ_CHECK(count >= 1 && DigitsOfBase(digits, binary));
    FUZZ_CHECK(static_cast<int32_t>(binary ? count : 4 * count) <= maxBits);
}

void CheckPastedBits(const char* text, uint8_t options)
{
    static char out[BitsDigitsCapacity + Guard];
    std::memset(out, GuardByte, sizeof out);
    bool toBinary = (options & 0x10) != 0;
    // Blanks around the text are dropped before it is read; without them the
    // pattern's digits can be checked against the text as read below.
    size_t length = std::strlen(text);
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    if (length == 0 || blank(text[0]) || blank(text[length - 1]))
        return;
    bool hexInBinary = false;
    if (ReadBitFieldPaste(text, toBinary, out, BitsDigitsCapacity, &hexInBinary) != BitFieldPaste::Pattern)
        return;
    FUZZ_CHECK(GuardKept(out, BitsDigitsCapacity));
    size_t count = std::strlen(out);
    FUZZ_CHECK(count >= 1 && DigitsOfBase(out, toBinary));
    FUZZ_CHECK(toBinary ? count <= 80 : count <= 20);
    // The digits as read, in their own base: the same digits when the base
    // is the field's, else 4 binary digits for each hexadecimal one.
    char read[BitsDigitsCapacity];
    bool binary = false;
    FUZZ_CHECK(ReadBitsText(text, toBinary, 80, &binary, read) == nullptr);
    size_t readCount = std::strlen(read);
    if (binary == toBinary)
        FUZZ_CHECK(std::strcmp(read, out) == 0);
    else
        FUZZ_CHECK(toBinary ? count == 4 * readCount : count == (readCount + 3) / 4);
}

void CheckBitFieldPaste(const char* text, uint8_t options, uint8_t sizeByte)
{
    static char out[256 + Guard];
    std::memset(out, GuardByte, sizeof out);
    int size = 1 + sizeByte;
    bool toBinary = (options & 0x10) != 0;
    bool hexInBinary = false;
    BitFieldPaste kind = ReadBitFieldPaste(text, toBinary, out, size, &hexInBinary);
    FUZZ_CHECK(GuardKept(out, size));
    if (kind == BitFieldPaste::Refused)
        return;
    size_t count = std::strlen(out);
    FUZZ_CHECK(static_cast<int>(count) < size && count >= 1 && DigitsOfBase(out, toBinary));
    if (kind == BitFieldPaste::Pattern)
        FUZZ_CHECK(count <= static_cast<size_t>(toBinary ? 80 : 20));
}

void CheckByteRun(const char* text, uint8_t widthByte)
{
    static const int Widths[] = {8, 16, 32, 64, 80};
    int width = Widths[widthByte % 5];
    uint8_t bytes[ByteRunCapacity + Guard];
    std::memset(bytes, 0x7f, sizeof bytes);
    static char problem[ByteRunProblemCapacity + Guard];
    std::memset(problem, GuardByte, sizeof problem);
    bool read = ReadByteRun(text, width, bytes, problem);
    // A longer run is counted, not kept, whether it is taken or not.
    for (int i = ByteRunCapacity; i < ByteRunCapacity + Guard; ++i)
        FUZZ_CHECK(bytes[i] == 0x7f);
    if (!read) {
        FUZZ_CHECK(GuardKept(problem, ByteRunProblemCapacity));
        FUZZ_CHECK(problem[0] != '\0' && std::memchr(problem, '\0', ByteRunProblemCapacity) != nullptr);
        return;
    }
    // The register holds the bytes in memory order: the bytes form writes
    // them as they were read.
    uint8_t value[10] = {};
    std::memcpy(value, bytes, static_cast<size_t>(width / 8));
    const FloatFormat& format = *DefaultFormatOf(width);
    for (CopyForm form : {CopyForm::Bytes, CopyForm::Array}) {
        char written[CopyFormCapacity];
        WriteCopyForm(written, form, format, value, width);
        uint8_t again[ByteRunCapacity] = {};
        char againProblem[ByteRunProblemCapacity];
        FUZZ_CHECK(ReadByteRun(written, width, again, againProblem));
        FUZZ_CHECK(std::memcmp(again, bytes, static_cast<size_t>(width / 8)) == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // Longer texts than any field holds, so that the readers' limits are met.
    static char text[1024];
    size_t length = size - 2 < sizeof text - 1 ? size - 2 : sizeof text - 1;
    std::memcpy(text, data + 2, length);
    text[length] = '\0';
    switch (data[0] & 7) {
    case 0:
    case 5: CheckFormatName(text); break;
    case 1: CheckBitsText(text, data[0], data[1]); break;
    case 2: CheckPastedBits(text, data[0]); break;
    case 3:
    case 6: CheckBitFieldPaste(text, data[0], data[1]); break;
    default: CheckByteRun(text, data[1]); break;
    }
    return 0;
}
