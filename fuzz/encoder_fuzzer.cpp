// Encodes random texts into random formats in every rounding mode, with
// and without saturation, and checks what must hold: a refused text leaves
// the register alone; an encoding keeps every bit outside the format; an
// overflow or an underflow is inexact; for a finite text and result the
// inexact flag is set exactly when the error is not "0"; and the result's
// shortest reading encodes back to the same bits under ties-to-even.
//
// Input: 5 bytes for the format (fuzz/format_of_input.h); a byte whose low
// 3 bits pick the mode (5 to 7: even) and whose bit 3 asks to saturate;
// then the text.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/format_of_input.h"
#include "fuzz/fuzz_check.h"
#include "views/encode_error.h"
#include "views/float_encoder.h"
#include "views/float_readings.h"

namespace {

constexpr int RegisterBytes = 10;
// The longest text the converter's fields take.
constexpr int32_t MaxLength = ReadingCapacity - 1;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FloatFormat format;
    if (size < 6 || !FormatOfInput(data, size, &format))
        return 0;
    int width = WidthOfFormat(format);
    if (width == 0)
        return 0;
    EncodeOptions options;
    int mode = data[5] & 7;
    options.Mode =
        mode <= static_cast<int>(RoundingMode::Down) ? static_cast<RoundingMode>(mode) : RoundingMode::Even;
    options.Saturate = (data[5] & 8) != 0;
    static char text[MaxLength + 64];
    size_t length = size - 6 < sizeof text - 1 ? size - 6 : sizeof text - 1;
    std::memcpy(text, data + 6, length);
    text[length] = '\0';

    // Bits outside the format are set in a pattern that must survive.
    uint8_t before[RegisterBytes];
    std::memset(before, 0xA5, sizeof before);
    uint8_t value[RegisterBytes];
    std::memcpy(value, before, sizeof value);
    EncodeOutcome outcome{};
    if (!EncodeValueText(text, MaxLength, format, options, value, &outcome)) {
        FUZZ_CHECK(std::memcmp(value, before, sizeof value) == 0);
        return 0;
    }
    for (int bit = 0; bit < 8 * RegisterBytes; ++bit) {
        if (bit < format.PaddingBits || bit >= SpanBits(format))
            FUZZ_CHECK((((value[bit / 8] ^ before[bit / 8]) >> (bit % 8)) & 1) == 0);
    }
    if (outcome.Flags & (FlagOverflow | FlagUnderflow))
        FUZZ_CHECK(outcome.Flags & FlagInexact);

    static char error[EncodeErrorCapacity + 1];
    error[EncodeErrorCapacity] = '\x7f';
    char* end = WriteEncodeError(error, text, MaxLength, outcome);
    FUZZ_CHECK(end - error < EncodeErrorCapacity && error[EncodeErrorCapacity] == '\x7f');
    if (outcome.Finite && error[0] != '\0')
        FUZZ_CHECK(((outcome.Flags & FlagInexact) != 0) == (std::strcmp(error, "0") != 0));

    static char shortest[ReadingCapacity];
    WriteFormatReading(shortest, Reading::Shortest, format, value, width);
    uint8_t again[RegisterBytes];
    std::memcpy(again, before, sizeof again);
    EncodeOutcome second{};
    FUZZ_CHECK(EncodeValueText(shortest, MaxLength, format, EncodeOptions{}, again, &second));
    FUZZ_CHECK(std::memcmp(again, value, sizeof value) == 0);
    return 0;
}
