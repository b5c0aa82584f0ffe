#include "views/decimal_big.h"

#include <cassert>

namespace {

// 5^13 is the largest power of five below 2^32 (the BigMulSmall bound).
constexpr uint64_t FivePow13 = 1220703125;

void Trim(DecimalBig* big)
{
    while (big->Count > 0 && big->Limb[big->Count - 1] == 0)
        --big->Count;
}

// Appends a carry as new top limbs. The capacity covers every number the
// readings form (the header's contract); a carry past it is asserted.
void PushCarry(DecimalBig* big, uint64_t carry)
{
    while (carry != 0 && big->Count < DecimalBigLimbs) {
        big->Limb[big->Count++] = static_cast<uint32_t>(carry % DecimalBigBase);
        carry /= DecimalBigBase;
    }
    assert(carry == 0);
}

}  // namespace

void BigSet(DecimalBig* big, uint64_t value)
{
    big->Count = 0;
    PushCarry(big, value);
}

void BigMulSmall(DecimalBig* big, uint64_t factor)
{
    uint64_t carry = 0;
    for (int32_t i = 0; i < big->Count; ++i) {
        uint64_t product = big->Limb[i] * factor + carry;
        big->Limb[i] = static_cast<uint32_t>(product % DecimalBigBase);
        carry = product / DecimalBigBase;
    }
    PushCarry(big, carry);
    Trim(big);
}

void BigMulPow2(DecimalBig* big, int32_t n)
{
    for (; n >= 32; n -= 32)
        BigMulSmall(big, uint64_t{1} << 32);
    BigMulSmall(big, uint64_t{1} << n);
}

void BigMulPow5(DecimalBig* big, int32_t n)
{
    for (; n >= 13; n -= 13)
        BigMulSmall(big, FivePow13);
    uint64_t rest = 1;
    for (; n > 0; --n)
        rest *= 5;
    BigMulSmall(big, rest);
}

void BigMul64(DecimalBig* big, uint64_t value, DecimalBig* scratch)
{
    *scratch = *big;
    BigMulSmall(scratch, value >> 32);
    BigMulPow2(scratch, 32);
    BigMulSmall(big, value & 0xFFFFFFFFu);
    BigAdd(big, *scratch);
}

void BigAdd(DecimalBig* dst, const DecimalBig& src)
{
    uint32_t carry = 0;
    int32_t i = 0;
    for (; i < src.Count || (carry != 0 && i < dst->Count); ++i) {
        if (i >= dst->Count) {
            dst->Limb[i] = 0;
            dst->Count = i + 1;
        }
        uint32_t sum = dst->Limb[i] + (i < src.Count ? src.Limb[i] : 0) + carry;
        carry = sum >= DecimalBigBase ? 1 : 0;
        dst->Limb[i] = sum - carry * DecimalBigBase;
    }
    PushCarry(dst, carry);
}

void BigSub(DecimalBig* dst, const DecimalBig& src)
{
    uint32_t borrow = 0;
    for (int32_t i = 0; i < dst->Count && (i < src.Count || borrow != 0); ++i) {
        uint32_t take = (i < src.Count ? src.Limb[i] : 0) + borrow;
        borrow = dst->Limb[i] < take ? 1 : 0;
        dst->Limb[i] = dst->Limb[i] + borrow * DecimalBigBase - take;
    }
    Trim(dst);
}

int32_t BigDigitCount(const DecimalBig& big)
{
    if (big.Count == 0)
        return 1;
    int32_t digits = 9 * (big.Count - 1);
    for (uint32_t top = big.Limb[big.Count - 1]; top != 0; top /= 10)
        ++digits;
    return digits;
}

int BigDigitAt(const DecimalBig& big, int32_t position)
{
    int32_t limb = position / 9;
    if (position < 0 || limb >= big.Count)
        return 0;
    uint32_t value = big.Limb[limb];
    for (int32_t i = position % 9; i > 0; --i)
        value /= 10;
    return static_cast<int>(value % 10);
}
