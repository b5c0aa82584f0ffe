// Takes every reading and both neighbours of random bytes in a random
// format (a preset or a layout of one's own), and checks what must hold:
// every reading's text fits its capacity and ends where the writer says;
// a step keeps every bit outside the format; a step down and then up gives
// the value back, but where a step stays (NaNs, -inf, the lowest value of a
// format without infinity) or leaves a zero's sign behind (+0 down and up
// is -0); the x87 encodings the x87 refuses do not step at all.
//
// Input: 5 bytes for the format (fuzz/format_of_input.h), then the 10-byte
// register, zero-filled when the input is short.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/format_of_input.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/input_hash.h"
#include "views/float_neighbours.h"
#include "views/float_readings.h"
#include "views/reading_table.h"

namespace {

constexpr int RegisterBytes = 10;

// Whether every bit of a and b outside the format's own bits is alike.
bool SameOutsideFormat(const FloatFormat& format, const uint8_t* a, const uint8_t* b)
{
    int low = format.PaddingBits;
    int high = SpanBits(format);
    for (int bit = 0; bit < 8 * RegisterBytes; ++bit) {
        if (bit >= low && bit < high)
            continue;
        if (((a[bit / 8] ^ b[bit / 8]) >> (bit % 8)) & 1)
            return false;
    }
    return true;
}

bool IsZero(const FloatFormat& format, const uint8_t* value)
{
    return ClassifyEncoding(format, value) == EncodingClass::Zero;
}

// The lowest finite value of a format without infinities: nothing is below.
bool IsLowestFinite(const FloatFormat& format, const uint8_t* value)
{
    uint64_t largest = LargestFiniteFraction(format);
    return !HasInfinity(format) && ReadSignBit(format, value) &&
        ReadBiasedExponent(format, value) == LargestFiniteField(format) &&
        ReadFraction(format, value) == largest;
}

// Every exact digit of a wide value takes milliseconds and would slow the
// run below a thousand inputs a second: the exact reading is taken for one
// input in 8, picked by the input's hash (the others go on to every other
// reading and the steps).
void CheckReadings(const FloatFormat& format, const uint8_t* value, int width, bool exact)
{
    static char text[ReadingCapacity + 1];
    for (const ReadingRow& row : ReadingTable) {
        if ((row.Scope & (InFormat | InMemory)) == 0 || (row.Shown == Reading::Exact && !exact))
            continue;
        text[ReadingCapacity] = '\x7f';  // a guard: nothing may be written here
        char* end = WriteFormatReading(text, row.Shown, format, value, width);
        FUZZ_CHECK(end >= text && end - text < ReadingCapacity);
        FUZZ_CHECK(*end == '\0' && std::strlen(text) == static_cast<size_t>(end - text));
        FUZZ_CHECK(text[ReadingCapacity] == '\x7f');
    }
}

void CheckSteps(const FloatFormat& format, const uint8_t* value)
{
    EncodingClass encoding = ClassifyEncoding(format, value);
    uint8_t step[RegisterBytes];
    std::memcpy(step, value, RegisterBytes);
    bool stepped = StepFloat(format, step, false);
    FUZZ_CHECK(stepped == !IsRefusedEncoding(encoding));
    FUZZ_CHECK(SameOutsideFormat(format, value, step));
    if (!stepped) {
        FUZZ_CHECK(std::memcmp(step, value, RegisterBytes) == 0);
        return;
    }
    bool negative = ReadSignBit(format, value);
    bool nan = IsInfinityOrNaN(encoding) && encoding != EncodingClass::Infinity;
    bool stays = nan || (encoding == EncodingClass::Infinity && negative) || IsLowestFinite(format, value) ||
        (encoding == EncodingClass::Zero && !format.HasSign);
    bool stayed = std::memcmp(step, value, RegisterBytes) == 0;
    FUZZ_CHECK(stayed == stays);
    FUZZ_CHECK(StepFloat(format, step, true));
    FUZZ_CHECK(SameOutsideFormat(format, value, step));
    if (stays)
        return;
    if (IsZero(format, value) && !negative && HasNegativeZero(format)) {
        // +0 steps down to the smallest negative subnormal, and back to -0.
        FUZZ_CHECK(IsZero(format, step) && ReadSignBit(format, step));
        return;
    }
    FUZZ_CHECK(std::memcmp(step, value, RegisterBytes) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FloatFormat format;
    if (!FormatOfInput(data, size, &format))
        return 0;
    int width = WidthOfFormat(format);
    if (width == 0)
        return 0;
    uint8_t value[RegisterBytes] = {};
    std::memcpy(value, data + 5, size - 5 < RegisterBytes ? size - 5 : RegisterBytes);
    CheckReadings(format, value, width, InputHash(data, size) % 8 == 0);
    CheckSteps(format, value);
    return 0;
}
