#include "core/register_bits.h"

uint64_t ReadBits(const uint8_t* bytes, int position, int count)
{
    uint64_t value = 0;
    for (int bit = position + count - 1; bit >= position; --bit)
        value = value << 1 | ((bytes[bit / 8] >> (bit % 8)) & 1u);
    return value;
}

void WriteBits(uint8_t* bytes, int position, int count, uint64_t value)
{
    for (int i = 0; i < count; ++i) {
        int bit = position + i;
        auto mask = static_cast<uint8_t>(1u << (bit % 8));
        if ((value >> i) & 1u)
            bytes[bit / 8] = static_cast<uint8_t>(bytes[bit / 8] | mask);
        else
            bytes[bit / 8] = static_cast<uint8_t>(bytes[bit / 8] & ~mask);
    }
}
