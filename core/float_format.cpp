#include "core/float_format.h"

namespace {

const FloatFormat Formats[3] = {
    // width, bytes, sign byte, top word, exponent shift, all-ones exponent, bias, fraction bits,
    // subnormal scale, subnormal suffix, scientific digits
    {32, 4, 3, 2, 7, 0xFF, 127, 23, 0x105031E2503DA894u, "e-37", 7},  // 2^-126 * 10^56
    {64, 8, 7, 6, 4, 0x7FF, 1023, 52, 0x1EE10CE2A7545B67u, "e-307", 16},  // 2^-1022 * 10^326
    {80, 10, 9, 8, 0, 0x7FFF, 16383, 63, 0x2EA896FED76BAF42u, "e-4931", 0},  // 2^-16382 * 10^4950
};

}  // namespace

const FloatFormat* FloatFormatOf(int32_t width)
{
    for (const FloatFormat& format : Formats) {
        if (format.Width == width)
            return &format;
    }
    return nullptr;
}

const FloatFormat* FloatFormatOfSize(int bytes)
{
    return FloatFormatOf(bytes * 8);
}
