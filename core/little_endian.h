#pragma once
#include <cstdint>

// Little-endian loads and stores of up to 8 bytes (byte 0 least
// significant), the byte order of ValueRegister and of every byte string.

inline uint64_t LoadLittle(const uint8_t* bytes, int n)
{
    uint64_t value = 0;
    for (int i = n - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

inline void StoreLittle(uint8_t* bytes, uint64_t value, int n)
{
    for (int i = 0; i < n; ++i) {
        bytes[i] = static_cast<uint8_t>(value);
        value >>= 8;
    }
}
