#include "core/byte_arith.h"

int ByteAdd(uint8_t* dst, const uint8_t* src, int n)
{
    unsigned carry = 0;
    for (int i = 0; i < n; ++i) {
        unsigned sum = dst[i] + src[i] + carry;
        dst[i] = static_cast<uint8_t>(sum);
        carry = sum >> 8;
    }
    return static_cast<int>(carry);
}

int ByteSub(uint8_t* dst, const uint8_t* src, int n)
{
    unsigned borrow = 0;
    for (int i = 0; i < n; ++i) {
        unsigned diff = dst[i] - src[i] - borrow;  // wraps modulo 2^32
        dst[i] = static_cast<uint8_t>(diff);
        borrow = (diff >> 8) & 1;
    }
    return static_cast<int>(borrow);
}

void ByteMul(const uint8_t* a, const uint8_t* b, uint8_t* product, int n)
{
    for (int i = 0; i < 2 * n; ++i)
        product[i] = 0;
    for (int j = 0; j < n; ++j) {
        if (b[j] == 0)
            continue;
        unsigned carry = 0;
        for (int i = 0; i < n; ++i) {
            unsigned t = a[i] * b[j] + product[i + j] + carry;
            product[i + j] = static_cast<uint8_t>(t);
            carry = t >> 8;
        }
        // The partial product after row j is below 256^(n+j+1), so the row's
        // carry lands in a byte that is still zero.
        product[n + j] = static_cast<uint8_t>(carry);
    }
}

namespace {

// Compares the (n+1)-byte remainder (extra bit in rem[n]) with the n-byte divisor.
bool RemainderBelow(const uint8_t* rem, const uint8_t* divisor, int n)
{
    if (rem[n] != 0)
        return false;
    for (int i = n - 1; i >= 0; --i) {
        if (rem[i] != divisor[i])
            return rem[i] < divisor[i];
    }
    return false;
}

// buf <- buf * 2 + bit over len bytes; returns the bit shifted out of the top.
unsigned ShiftInBit(uint8_t* buf, int len, unsigned bit)
{
    for (int i = 0; i < len; ++i) {
        unsigned top = buf[i] >> 7;
        buf[i] = static_cast<uint8_t>((buf[i] << 1) | bit);
        bit = top;
    }
    return bit;
}

// Short division by a non-zero divisor below 2^32, a byte at a time from the
// top: the same quotient, remainder and overflow as the bitwise long division
// below, in a fraction of the steps. Returns false (and writes nothing) when
// the divisor does not qualify.
bool ShortDivMod(const uint8_t* dividend, const uint8_t* divisor, uint8_t* quotient,
                 uint8_t* remainder, int n, bool* overflow)
{
    uint64_t d = 0;
    for (int i = n - 1; i >= 0; --i) {
        if (i >= 4 && divisor[i] != 0)
            return false;
        if (i < 4)
            d = (d << 8) | divisor[i];
    }
    if (d == 0)
        return false;
    uint64_t rem = 0;
    *overflow = false;
    for (int i = 2 * n - 1; i >= 0; --i) {
        rem = (rem << 8) | dividend[i];  // rem < d < 2^32, so this stays below 2^40
        uint64_t q = rem / d;
        rem %= d;
        if (i >= n)
            *overflow = *overflow || q != 0;
        else
            quotient[i] = static_cast<uint8_t>(q);
    }
    for (int i = 0; i < n; ++i) {
        remainder[i] = static_cast<uint8_t>(rem);
        rem >>= 8;
    }
    return true;
}

}  // namespace

bool ByteDivMod(const uint8_t* dividend, const uint8_t* divisor, uint8_t* quotient,
                uint8_t* remainder, int n)
{
    bool shortOverflow = false;
    if (ShortDivMod(dividend, divisor, quotient, remainder, n, &shortOverflow))
        return shortOverflow;

    // 23 bytes: one more than the widest remainder in use (22 bytes), for the
    // bit that the shift carries above it.
    uint8_t rem[24] = {};
    if (n > 23)
        n = 23;  // no caller goes near this; it keeps the buffer in bounds
    for (int i = 0; i < n; ++i)
        quotient[i] = 0;
    bool overflow = false;
    for (int bit = 16 * n - 1; bit >= 0; --bit) {
        unsigned in = (dividend[bit / 8] >> (bit % 8)) & 1;
        ShiftInBit(rem, n + 1, in);
        unsigned q = 0;
        if (!RemainderBelow(rem, divisor, n)) {
            unsigned borrow = 0;
            for (int i = 0; i < n; ++i) {
                unsigned diff = rem[i] - divisor[i] - borrow;
                rem[i] = static_cast<uint8_t>(diff);
                borrow = (diff >> 8) & 1;
            }
            rem[n] = 0;
            q = 1;
        }
        if (ShiftInBit(quotient, n, q))
            overflow = true;
    }
    for (int i = 0; i < n; ++i)
        remainder[i] = rem[i];
    return overflow;
}

void ShiftBytes(uint8_t* buf, int32_t count, int n)
{
    if (count == 0)
        return;
    if (count > 0) {
        int k = count / 8, s = count % 8;
        if (k >= n) {
            for (int i = 0; i < n; ++i)
                buf[i] = 0;
            return;
        }
        for (int d = n - 1; d >= k + 1; --d) {
            unsigned pair = (buf[d - k] << 8) | buf[d - k - 1];
            buf[d] = static_cast<uint8_t>((pair << s) >> 8);
        }
        buf[k] = static_cast<uint8_t>(buf[0] << s);
        for (int i = 0; i < k; ++i)
            buf[i] = 0;
        return;
    }
    // Towards the bottom, arithmetic. The magnitude of the most negative count
    // is taken as unsigned so that it cannot overflow.
    uint32_t m = 0u - static_cast<uint32_t>(count);
    uint8_t fill = (buf[n - 1] & 0x80) ? 0xFF : 0x00;
    if (m / 8 >= static_cast<uint32_t>(n)) {
        for (int i = 0; i < n; ++i)
            buf[i] = fill;
        return;
    }
    int k = static_cast<int>(m / 8), s = static_cast<int>(m % 8);
    for (int d = 0; d <= n - k - 2; ++d) {
        unsigned pair = buf[d + k] | (buf[d + k + 1] << 8);
        buf[d] = static_cast<uint8_t>(pair >> s);
    }
    buf[n - k - 1] = static_cast<uint8_t>(static_cast<int8_t>(buf[n - 1]) >> s);
    for (int i = n - k; i < n; ++i)
        buf[i] = fill;
}

uint64_t DivMod64(uint64_t dividend, uint64_t divisor, uint64_t* remainder)
{
    if ((dividend >> 32) == 0 && (divisor >> 32) == 0) {
        uint32_t a = static_cast<uint32_t>(dividend), b = static_cast<uint32_t>(divisor);
        *remainder = a % b;
        return a / b;
    }
    // Restoring shift-and-subtract over the dividend's significant bits. The
    // remainder stays below the divisor, so for divisors below 2^32 it never
    // overflows while a bit is shifted in.
    uint64_t quotient = 0, rem = 0;
    int top = 63;
    while (top > 0 && !((dividend >> top) & 1))
        --top;
    for (int bit = top; bit >= 0; --bit) {
        rem = (rem << 1) | ((dividend >> bit) & 1);
        quotient <<= 1;
        if (rem >= divisor) {
            rem -= divisor;
            quotient |= 1;
        }
    }
    *remainder = rem;
    return quotient;
}

bool MulCheck64(uint64_t a, uint64_t b, uint64_t* product)
{
    uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32;
    uint64_t bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
    uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
    uint64_t mid = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
    uint64_t low = (mid << 32) | (ll & 0xFFFFFFFFu);
    uint64_t high = hh + (lh >> 32) + (hl >> 32) + (mid >> 32);
    *product = low;
    // Bits 63 to 126 of the product all 0 or all 1 means it fits a signed
    // 64-bit integer; for non-negative operands only "all 0" can occur.
    const uint64_t mask = 0x7FFFFFFFFFFFFFFFull;
    bool allZero = (low >> 63) == 0 && (high & mask) == 0;
    bool allOne = (low >> 63) == 1 && (high & mask) == mask;
    return !(allZero || allOne);
}

int32_t AbsInt(int32_t x)
{
    return x < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(x)) : x;
}
