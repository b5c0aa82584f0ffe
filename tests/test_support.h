#pragma once
// Small helpers shared by the tests: hexadecimal images of byte strings and
// of the value register, so that failures print big values readably.
#include <cstdint>
#include <string>

// Bytes as upper-case hex, most significant (last) byte first.
inline std::string HexImage(const uint8_t* bytes, int n)
{
    static const char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (int i = n - 1; i >= 0; --i) {
        text += Digits[bytes[i] >> 4];
        text += Digits[bytes[i] & 15];
    }
    return text;
}

// Parses hex (most significant first) into n little-endian bytes.
inline void BytesFromHex(const std::string& hex, uint8_t* bytes, int n)
{
    for (int i = 0; i < n; ++i)
        bytes[i] = 0;
    int position = 0;
    for (int i = static_cast<int>(hex.size()) - 1; i >= 0 && position < 2 * n; --i, ++position) {
        char c = hex[static_cast<size_t>(i)];
        int v = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        bytes[position / 2] |= static_cast<uint8_t>(v << (4 * (position % 2)));
    }
}
