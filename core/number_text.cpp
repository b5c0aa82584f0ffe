#include "core/number_text.h"

char* WriteUnsignedDecimal(char* out, uint64_t value, int minDigits)
{
    char digits[20];  // 2^64 - 1 has 20 decimal digits
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
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
