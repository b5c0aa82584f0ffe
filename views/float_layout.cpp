#include "views/float_layout.h"

namespace {

const FloatLayout Layouts[3] = {
    // width, bytes, top word, exponent shift, all-ones exponent, bias, fraction bits
    {32, 4, 2, 7, 0xFF, 127, 23},
    {64, 8, 6, 4, 0x7FF, 1023, 52},
    {80, 10, 8, 0, 0x7FFF, 16383, 63},
};

// The fraction lies in the low 8 bytes at every width (the low 4 at 32 bits).
int FractionBytes(const FloatLayout& layout)
{
    return layout.Bytes < 8 ? layout.Bytes : 8;
}

uint64_t FractionMask(const FloatLayout& layout)
{
    return (uint64_t{1} << layout.FractionBits) - 1;
}

}  // namespace

const FloatLayout* FloatLayoutOf(int32_t width)
{
    for (const FloatLayout& layout : Layouts) {
        if (layout.Width == width)
            return &layout;
    }
    return nullptr;
}

uint64_t LoadLittle(const uint8_t* bytes, int n)
{
    uint64_t value = 0;
    for (int i = n - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

void StoreLittle(uint8_t* bytes, uint64_t value, int n)
{
    for (int i = 0; i < n; ++i) {
        bytes[i] = static_cast<uint8_t>(value);
        value >>= 8;
    }
}

uint16_t ReadBiasedExponent(const FloatLayout& layout, const uint8_t* value)
{
    uint64_t word = LoadLittle(value + layout.TopWord, 2);
    return static_cast<uint16_t>((word >> layout.ExponentShift) & layout.ExponentMax);
}

void WriteBiasedExponent(const FloatLayout& layout, uint8_t* value, uint16_t exponent)
{
    uint64_t mask = uint64_t{layout.ExponentMax} << layout.ExponentShift;
    uint64_t word = LoadLittle(value + layout.TopWord, 2);
    word = (word & ~mask) | ((uint64_t{exponent} << layout.ExponentShift) & mask);
    StoreLittle(value + layout.TopWord, word, 2);
}

uint64_t ReadFraction(const FloatLayout& layout, const uint8_t* value)
{
    return LoadLittle(value, FractionBytes(layout)) & FractionMask(layout);
}

void WriteFraction(const FloatLayout& layout, uint8_t* value, uint64_t fraction)
{
    uint64_t mask = FractionMask(layout);
    int n = FractionBytes(layout);
    uint64_t bits = LoadLittle(value, n);
    StoreLittle(value, (bits & ~mask) | (fraction & mask), n);
}
