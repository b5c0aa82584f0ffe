#include "core/number_text.h"

#include "core/byte_arith.h"
#include "core/little_endian.h"

int ReversedDecimalDigits(uint64_t value, char* reversed)
{
    // Split off the low nine digits first: one 64-bit division, and the
    // divisions by 10 after it work on numbers below 2^32, which even a
    // 32-bit processor divides natively (by a constant: a multiplication).
    int count = 0;
    uint64_t lowPart;
    uint64_t high = DivMod64(value, 1000000000, &lowPart);
    uint32_t low = static_cast<uint32_t>(lowPart);
    do {
        reversed[count++] = static_cast<char>('0' + low % 10);
        low /= 10;
    } while (high != 0 ? count < 9 : low != 0);
    // high < 2^64 / 10^9 < 2^35: 64-bit divisions only above 2^32, where a
    // 32-bit processor calls a run-time routine for each.
    while (high >> 32 != 0) {
        reversed[count++] = static_cast<char>('0' + high % 10);
        high /= 10;
    }
    for (uint32_t rest = static_cast<uint32_t>(high); rest != 0; rest /= 10)
        reversed[count++] = static_cast<char>('0' + rest % 10);
    return count;
}

int ReversedDecimalDigits80(const uint8_t* value, char* reversed)
{
    uint8_t rest[10];
    for (int i = 0; i < 10; ++i)
        rest[i] = value[i];
    // Single digits off the top bytes until the rest fits 64 bits: at most
    // five divisions, as 2^80 / 10^5 < 2^64.
    int count = 0;
    while (rest[8] != 0 || rest[9] != 0) {
        uint8_t dividend[20] = {};
        for (int i = 0; i < 10; ++i)
            dividend[i] = rest[i];
        uint8_t ten[10] = {10};
        uint8_t remainder[10];
        ByteDivMod(dividend, ten, rest, remainder, 10);
        reversed[count++] = static_cast<char>('0' + remainder[0]);
    }
    return count + ReversedDecimalDigits(LoadLittle(rest, 8), reversed + count);
}

char* WriteUnsignedDecimal(char* out, uint64_t value, int minDigits)
{
    char digits[20];  // 2^64 - 1 has 20 decimal digits
    int count = ReversedDecimalDigits(value, digits);
    for (int pad = count; pad < minDigits; ++pad)
        *out++ = '0';
    while (count > 0)
        *out++ = digits[--count];
    *out = '\0';
    return out;
}

char* WriteSignedDecimal(char* out, int64_t value)
{
    uint64_t magnitude = static_cast<uint64_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0 - magnitude;  // also right for the most negative value
    }
    return WriteUnsignedDecimal(out, magnitude, 0);
}

char* WriteText(char* out, const char* text)
{
    while ((*out = *text++) != '\0')
        ++out;
    return out;
}

char* WriteTextBounded(char* out, const char* text, int capacity)
{
    while (capacity-- > 1 && *text != '\0')
        *out++ = *text++;
    *out = '\0';
    return out;
}

char* WriteHexBytes(char* out, const uint8_t* bytes, int n)
{
    static const char Digits[] = "0123456789ABCDEF";
    for (int i = n - 1; i >= 0; --i) {
        *out++ = Digits[bytes[i] >> 4];
        *out++ = Digits[bytes[i] & 15];
    }
    *out = '\0';
    return out;
}

bool SaturateToWidth(uint8_t* acc, int n)
{
    int8_t above = static_cast<int8_t>(acc[n]);
    if (above <= -2) {
        for (int i = 0; i < n - 1; ++i)
            acc[i] = 0x00;
        acc[n - 1] = 0x80;
        return true;
    }
    if (above >= 1) {
        for (int i = 0; i < n - 1; ++i)
            acc[i] = 0xFF;
        acc[n - 1] = 0x7F;
        return true;
    }
    return false;
}

char* PrintInt80(char* out, const uint8_t* value, int count)
{
    uint8_t magnitude[10];
    for (int i = 0; i < 10; ++i)
        magnitude[i] = value[i];
    if (magnitude[9] & 0x80) {
        ByteNegate(magnitude, 10);
        *out++ = '-';
        if (count > 1)
            --count;
    }

    // The magnitude is at most 2^79 (24 digits); the room is that of any
    // 80-bit value.
    char digits[25];
    int nd = ReversedDecimalDigits80(magnitude, digits);

    int shown = nd;
    if (count > nd) {
        for (int pad = nd; pad < count; ++pad)
            *out++ = '0';
    } else if (count > 0) {
        shown = count;
    } else if (count < 0) {
        shown = 1;
    }
    for (int i = 0; i < shown; ++i)
        *out++ = digits[nd - 1 - i];
    *out = '\0';
    return out;
}
