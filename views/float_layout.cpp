#include "views/float_layout.h"

#include "core/little_endian.h"

namespace {

// The fraction lies in the low 8 bytes at every width (the low 4 at 32 bits).
int FractionBytes(const FloatFormat& layout)
{
    return layout.Bytes < 8 ? layout.Bytes : 8;
}

uint64_t FractionMask(const FloatFormat& layout)
{
    return (uint64_t{1} << layout.FractionBits) - 1;
}

}  // namespace

uint16_t ReadBiasedExponent(const FloatFormat& layout, const uint8_t* value)
{
    uint64_t word = LoadLittle(value + layout.TopWord, 2);
    return static_cast<uint16_t>((word >> layout.ExponentShift) & layout.ExponentMax);
}

void WriteBiasedExponent(const FloatFormat& layout, uint8_t* value, uint16_t exponent)
{
    uint64_t mask = uint64_t{layout.ExponentMax} << layout.ExponentShift;
    uint64_t word = LoadLittle(value + layout.TopWord, 2);
    word = (word & ~mask) | ((uint64_t{exponent} << layout.ExponentShift) & mask);
    StoreLittle(value + layout.TopWord, word, 2);
}

uint64_t ReadFraction(const FloatFormat& layout, const uint8_t* value)
{
    return LoadLittle(value, FractionBytes(layout)) & FractionMask(layout);
}

void WriteFraction(const FloatFormat& layout, uint8_t* value, uint64_t fraction)
{
    uint64_t mask = FractionMask(layout);
    int n = FractionBytes(layout);
    uint64_t bits = LoadLittle(value, n);
    StoreLittle(value, (bits & ~mask) | (fraction & mask), n);
}
