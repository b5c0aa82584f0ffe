#include "core/field_formats.h"

#include "core/float_presets.h"
#include "core/little_endian.h"

const FloatFormat* FloatFormatOf(int32_t width)
{
    switch (width) {
    case 32: return &SingleFormat;
    case 64: return &DoubleFormat;
    case 80: return &ExtendedFormat;
    default: return nullptr;
    }
}

bool NarrowSpecial(uint8_t* value, int32_t width)
{
    const FloatFormat* format = FloatFormatOf(width);
    if (!format || format->ExplicitIntegerBit)
        return false;
    int bytes = SpanBits(*format) / 8;
    uint64_t significand = LoadLittle(value, 8);
    uint64_t payloadMask = QuietBitOf(*format) - 1;
    // Everything between the narrow payload and the quiet bit must be clear.
    uint64_t lostBits = ~(ExtendedIntegerBit | ExtendedQuietBit | payloadMask);
    if ((significand & lostBits) != 0) {
        StoreLittle(value, 0, bytes);
        return true;
    }
    bool negative = ReadSignBit(ExtendedFormat, value);
    uint64_t quiet = (significand & ExtendedQuietBit) != 0 ? QuietBitOf(*format) : 0;
    StoreLittle(value, 0, bytes);
    WriteSignBit(*format, value, negative);
    WriteBiasedExponent(*format, value, AllOnesExponent(*format));
    WriteFraction(*format, value, quiet | (significand & payloadMask));
    return false;
}
