#include "views/exact_rational.h"

#include <cassert>

namespace {

// 5^13 is the largest power of five below 2^32 (the ExactMulAddSmall bound).
constexpr uint32_t FivePow13 = 1220703125;

void Trim(ExactInt* x)
{
    while (x->Count > 0 && x->Limb[x->Count - 1] == 0)
        --x->Count;
}

// Limb i of b * 2^shift (zero outside it).
uint32_t ShiftedLimb(const ExactInt& b, int32_t shift, int32_t i)
{
    int32_t whole = shift / 32;
    int32_t bits = shift % 32;
    int32_t j = i - whole;
    uint32_t high = j >= 0 && j < b.Count ? b.Limb[j] : 0;
    uint32_t low = j - 1 >= 0 && j - 1 < b.Count ? b.Limb[j - 1] : 0;
    if (bits == 0)
        return high;
    return (high << bits) | (low >> (32 - bits));
}

}  // namespace

void ExactSet(ExactInt* x, uint64_t value)
{
    x->Limb[0] = static_cast<uint32_t>(value);
    x->Limb[1] = static_cast<uint32_t>(value >> 32);
    x->Count = 2;
    Trim(x);
}

bool ExactIsZero(const ExactInt& x)
{
    return x.Count == 0;
}

int32_t ExactBitLength(const ExactInt& x)
{
    if (x.Count == 0)
        return 0;
    int32_t bits = 32 * (x.Count - 1);
    for (uint32_t top = x.Limb[x.Count - 1]; top != 0; top >>= 1)
        ++bits;
    return bits;
}

void ExactMulAddSmall(ExactInt* x, uint32_t factor, uint32_t addend)
{
    uint64_t carry = addend;
    for (int32_t i = 0; i < x->Count; ++i) {
        uint64_t product = uint64_t{x->Limb[i]} * factor + carry;
        x->Limb[i] = static_cast<uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0) {
        assert(x->Count < ExactIntLimbs);
        x->Limb[x->Count++] = static_cast<uint32_t>(carry);
    }
    Trim(x);
}

void ExactMulPow5(ExactInt* x, int32_t n)
{
    for (; n >= 13; n -= 13)
        ExactMulAddSmall(x, FivePow13, 0);
    uint32_t rest = 1;
    for (; n > 0; --n)
        rest *= 5;
    if (rest != 1)
        ExactMulAddSmall(x, rest, 0);
}

void ExactShiftLeft(ExactInt* x, int32_t n)
{
    if (x->Count == 0 || n == 0)
        return;
    int32_t count = x->Count + n / 32 + 1;
    assert(count <= ExactIntLimbs);
    for (int32_t i = count - 1; i >= 0; --i)
        x->Limb[i] = ShiftedLimb(*x, n, i);
    x->Count = count;
    Trim(x);
}

int ExactCompare(const ExactInt& a, const ExactInt& b)
{
    return ExactCompareShifted(a, b, 0);
}

int ExactCompareShifted(const ExactInt& a, const ExactInt& b, int32_t shift)
{
    int32_t bCount = b.Count == 0 ? 0 : b.Count + shift / 32 + 1;
    int32_t top = a.Count > bCount ? a.Count : bCount;
    for (int32_t i = top - 1; i >= 0; --i) {
        uint32_t left = i < a.Count ? a.Limb[i] : 0;
        uint32_t right = ShiftedLimb(b, shift, i);
        if (left != right)
            return left < right ? -1 : 1;
    }
    return 0;
}

void ExactSub(ExactInt* x, const ExactInt& y)
{
    uint32_t borrow = 0;
    for (int32_t i = 0; i < x->Count; ++i) {
        uint64_t subtrahend = uint64_t{i < y.Count ? y.Limb[i] : 0u} + borrow;
        borrow = x->Limb[i] < subtrahend ? 1 : 0;
        x->Limb[i] = static_cast<uint32_t>(x->Limb[i] - subtrahend);
    }
    assert(borrow == 0);
    Trim(x);
}

uint64_t ExactDivSmallQuotient(ExactInt* dividend, const ExactInt& divisor)
{
    const int32_t n = divisor.Count;
    assert(n > 0 && (divisor.Limb[n - 1] & 0x80000000u) != 0);
    if (ExactCompare(*dividend, divisor) < 0)
        return 0;
    const int32_t m = dividend->Count - n;
    assert(dividend->Count < ExactIntLimbs);
    uint32_t* u = dividend->Limb;
    const uint32_t* v = divisor.Limb;
    u[dividend->Count] = 0;
    uint64_t quotient = 0;
    for (int32_t j = m; j >= 0; --j) {
        // Step 1: estimate the digit from the top two limbs, correct it with
        // the divisor's second limb (then it is at most one too large).
        uint64_t top = (uint64_t{u[j + n]} << 32) | u[j + n - 1];
        uint64_t digit = top / v[n - 1];
        uint64_t rest = top % v[n - 1];
        while (digit > 0xFFFFFFFFu || (n >= 2 && digit * v[n - 2] > ((rest << 32) | u[j + n - 2]))) {
            --digit;
            rest += v[n - 1];
            if (rest > 0xFFFFFFFFu)
                break;
        }
        // Step 2: subtract digit * divisor from the dividend's window.
        uint64_t carry = 0;
        int64_t borrow = 0;
        for (int32_t i = 0; i < n; ++i) {
            uint64_t product = digit * v[i] + carry;
            carry = product >> 32;
            int64_t t = int64_t{u[i + j]} - borrow - static_cast<int64_t>(product & 0xFFFFFFFFu);
            u[i + j] = static_cast<uint32_t>(t);
            borrow = t < 0 ? 1 : 0;
        }
        int64_t t = int64_t{u[j + n]} - borrow - static_cast<int64_t>(carry);
        u[j + n] = static_cast<uint32_t>(t);
        // Step 3: the rare estimate one too large: add the divisor back.
        if (t < 0) {
            --digit;
            uint64_t sum = 0;
            for (int32_t i = 0; i < n; ++i) {
                sum += uint64_t{u[i + j]} + v[i];
                u[i + j] = static_cast<uint32_t>(sum);
                sum >>= 32;
            }
            u[j + n] = static_cast<uint32_t>(u[j + n] + sum);
        }
        assert((quotient >> 32) == 0);
        quotient = (quotient << 32) | digit;
    }
    Trim(dividend);
    return quotient;
}
