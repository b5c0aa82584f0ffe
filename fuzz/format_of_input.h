#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "core/float_format.h"
#include "core/float_format_names.h"
#include "core/float_presets.h"

// The float format a fuzz input starts with: a preset, or a layout of one's
// own read by name as a person would type it. Uses the first 4 bytes of
// data; returns false when there are fewer or the layout is refused.
//   byte 0  bit 7 clear: the preset of that index (modulo their count);
//           set: a layout, its convention in bits 0-1 (ieee, fn, fnuz),
//           its bias written when bit 2 is set
//   byte 1  exponent bits, 2 + byte % 14
//   byte 2  fraction bits, 1 + byte % 63
//   byte 3  with the next byte of data, the bias (0 to 65535, so that
//           refused biases come too)
inline bool FormatOfInput(const uint8_t* data, size_t size, FloatFormat* format)
{
    if (size < 5)
        return false;
    if ((data[0] & 0x80) == 0) {
        *format = FloatPresets[data[0] % FloatPresetCount];
        return true;
    }
    static const char* const Conventions[] = {"", "fn", "fnuz", ""};
    char name[48];
    int exponent = 2 + data[1] % 14;
    int fraction = 1 + data[2] % 63;
    if (data[0] & 4)
        std::snprintf(name, sizeof name, "e%dm%db%u%s", exponent, fraction, data[3] * 256u + data[4],
                      Conventions[data[0] & 3]);
    else
        std::snprintf(name, sizeof name, "e%dm%d%s", exponent, fraction, Conventions[data[0] & 3]);
    return ReadFormatName(name, format) == FormatNameResult::Ok;
}

// The narrowest width that holds the format, 0 for none.
inline int WidthOfFormat(const FloatFormat& format)
{
    static const int Widths[] = {8, 16, 32, 64, 80};
    for (int width : Widths) {
        if (FormatFitsWidth(format, width))
            return width;
    }
    return 0;
}
