#include "core/byte_arith.h"

#include <cassert>

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

void ByteNegate(uint8_t* buf, int n)
{
    unsigned borrow = 0;
    for (int i = 0; i < n; ++i) {
        unsigned diff = 0u - buf[i] - borrow;  // wraps modulo 2^32
        buf[i] = static_cast<uint8_t>(diff);
        borrow = (diff >> 8) & 1;
    }
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

// Short division by a non-zero divisor below 2^32, a byte at a time from the
// top: the same quotient, remainder and overflow as the bitwise long division
// below, in a fraction of the steps. Returns false (and writes nothing) when
// the divisor does not qualify.
bool ShortDivMod(const uint8_t* dividend, const uint8_t* divisor, uint8_t* quotient, uint8_t* remainder,
                 int n, bool* overflow)
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

// Restoring binary long division, a bit at a time from the dividend's top
// set bit, over 32-bit limbs. The remainder carries one extra bit above its
// n bytes. Serves every divisor, zero included: then every quotient bit is 1
// and the remainder is the dividend's low n bytes.
bool LongDivMod(const uint8_t* dividend, const uint8_t* divisor, uint8_t* quotient, uint8_t* remainder, int n)
{
    // 8n + 1 bits of remainder, n <= ByteDivModMaxBytes (the header's
    // contract; 11 bytes are in use).
    constexpr int MaxLimbs = (8 * ByteDivModMaxBytes + 1 + 31) / 32;
    assert(n >= 1 && n <= ByteDivModMaxBytes);
    const int bits = 8 * n;
    const int limbs = (bits + 1 + 31) / 32;
    uint32_t rem[MaxLimbs] = {}, div[MaxLimbs] = {}, quo[MaxLimbs] = {};
    bool zeroDivisor = true;
    for (int i = 0; i < n; ++i) {
        div[i / 4] |= static_cast<uint32_t>(divisor[i]) << (8 * (i % 4));
        zeroDivisor = zeroDivisor && divisor[i] == 0;
    }
    // Leading zero bits of the dividend leave the remainder 0 and give 0
    // quotient bits, unless the divisor is 0 too.
    int top = 2 * bits - 1;
    if (!zeroDivisor) {
        while (top >= 0 && !((dividend[top / 8] >> (top % 8)) & 1))
            --top;
    }
    bool overflow = false;
    for (int bit = top; bit >= 0; --bit) {
        uint32_t carry = (dividend[bit / 8] >> (bit % 8)) & 1;
        for (int i = 0; i < limbs; ++i) {
            uint32_t out = rem[i] >> 31;
            rem[i] = (rem[i] << 1) | carry;
            carry = out;
        }
        bool below = false;
        for (int i = limbs - 1; i >= 0; --i) {
            if (rem[i] != div[i]) {
                below = rem[i] < div[i];
                break;
            }
        }
        uint32_t q = 0;
        if (!below) {
            uint32_t borrow = 0;
            for (int i = 0; i < limbs; ++i) {
                uint64_t diff = static_cast<uint64_t>(rem[i]) - div[i] - borrow;
                rem[i] = static_cast<uint32_t>(diff);
                borrow = static_cast<uint32_t>(diff >> 63);
            }
            rem[bits / 32] &= (uint32_t{1} << (bits % 32)) - 1;  // the extra bit is spent
            q = 1;
        }
        // Shift the quotient; a 1 leaving its n bytes means it did not fit.
        if ((quo[(bits - 1) / 32] >> ((bits - 1) % 32)) & 1)
            overflow = true;
        for (int i = 0; i < limbs; ++i) {
            uint32_t out = quo[i] >> 31;
            quo[i] = (quo[i] << 1) | q;
            q = out;
        }
        quo[bits / 32] &= (uint32_t{1} << (bits % 32)) - 1;
    }
    for (int i = 0; i < n; ++i) {
        quotient[i] = static_cast<uint8_t>(quo[i / 4] >> (8 * (i % 4)));
        remainder[i] = static_cast<uint8_t>(rem[i / 4] >> (8 * (i % 4)));
    }
    return overflow;
}

}  // namespace

bool ByteDivMod(const uint8_t* dividend, const uint8_t* divisor, uint8_t* quotient, uint8_t* remainder, int n)
{
    bool shortOverflow = false;
    if (ShortDivMod(dividend, divisor, quotient, remainder, n, &shortOverflow))
        return shortOverflow;

    return LongDivMod(dividend, divisor, quotient, remainder, n);
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
    // The machine's own 64-bit division (on 32-bit x86 the compiler's
    // run-time routine): exact for every divisor, and without the data-dependent
    // branch per bit of a shift-and-subtract loop, which made this the printer's
    // most expensive step.
    *remainder = dividend % divisor;
    return dividend / divisor;
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
