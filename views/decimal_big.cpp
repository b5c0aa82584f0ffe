#include "views/decimal_big.h"

#include <bit>
#include <cassert>

namespace {

// 5^13 is the largest power of five below 2^32 (the BigMulSmall bound).
constexpr uint64_t FivePow13 = 1220703125;

// Drops zero limbs from the top.
void Trim(DecimalBig* big)
{
    while (big->Count > 0 && big->Limb[big->Count - 1] == 0)
        --big->Count;
}

// The position of n's highest set bit (n >= 1): where a power by squaring
// starts.
int TopBit(int32_t n)
{
    return std::bit_width(static_cast<uint32_t>(n)) - 1;
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

// Up to this exponent a power is multiplied in by one pass per 32 bits (2^n)
// or per 5^13; beyond it, squaring does less work (a pass costs the whole
// length, a squaring half the length squared but log2(n) of them suffice).
constexpr int32_t SmallPowerLimit = 256;

// A column sum of limb products: below 2^64 * 2^32, since a column has at
// most DecimalBigLimbs products below 10^18 < 2^60 (doubled: 2^61).
struct ColumnSum {
    uint64_t Low;
    uint32_t High;

    void Add(uint64_t value)
    {
        Low += value;
        High += Low < value ? 1 : 0;
    }
};

// The sum of x[i] * y[-i] for i = 0..count-1 (y runs downward). Up to 16
// products below 10^18 < 2^60 add up in 64 bits without overflow, so the
// carries into the high word are taken once per 16: the inner loop is plain
// multiply-adds, which the compiler may run several at a time.
ColumnSum ProductSum(const uint32_t* x, const uint32_t* y, int32_t count)
{
    constexpr int32_t Block = 16;
    ColumnSum sum{0, 0};
    int32_t i = 0;
    while (i < count) {
        int32_t end = count - i > Block ? i + Block : count;
        uint64_t block = 0;
        for (; i < end; ++i)
            block += uint64_t{x[i]} * y[-i];
        sum.Add(block);
    }
    return sum;
}

// Ends a column: its limb (the sum plus the carry in, mod 10^9) and the carry
// out (the quotient, below 2^64 as the sum is below 2^71). The division goes
// by 32-bit words, each partial dividend below 10^9 * 2^32 < 2^62.
uint32_t CloseColumn(ColumnSum sum, uint64_t* carry)
{
    sum.Add(*carry);
    uint64_t upper = (uint64_t{sum.High} << 32) | (sum.Low >> 32);  // sum.High < 2^8: below 2^40
    uint64_t q1 = upper / DecimalBigBase;
    uint64_t lower = ((upper % DecimalBigBase) << 32) | (sum.Low & 0xFFFFFFFFu);
    *carry = (q1 << 32) + lower / DecimalBigBase;
    return static_cast<uint32_t>(lower % DecimalBigBase);
}

// Ends a product of the given columns: the last carry goes on top.
void EndProduct(DecimalBig* dst, int32_t columns, uint64_t carry)
{
    dst->Count = columns;
    PushCarry(dst, carry);
    Trim(dst);
}

// dst <- a * b, column by column (each column's products summed before one
// division, so no carry chain runs through the multiplications). dst must be
// neither a nor b. The product fits the capacity for every number the
// readings form; columns beyond it are not formed.
void MulBig(DecimalBig* dst, const DecimalBig& a, const DecimalBig& b)
{
    if (a.Count == 0 || b.Count == 0) {
        dst->Count = 0;
        return;
    }
    int32_t columns = a.Count + b.Count - 1;
    if (columns > DecimalBigLimbs)
        columns = DecimalBigLimbs;
    uint64_t carry = 0;
    for (int32_t c = 0; c < columns; ++c) {
        int32_t first = c < b.Count ? 0 : c - b.Count + 1;
        int32_t last = c < a.Count ? c : a.Count - 1;
        dst->Limb[c] =
            CloseColumn(ProductSum(a.Limb + first, b.Limb + (c - first), last - first + 1), &carry);
    }
    EndProduct(dst, columns, carry);
}

// dst <- a * a: each product of two different limbs formed once and doubled.
void SquareBig(DecimalBig* dst, const DecimalBig& a)
{
    if (a.Count == 0) {
        dst->Count = 0;
        return;
    }
    int32_t columns = 2 * a.Count - 1;
    if (columns > DecimalBigLimbs)
        columns = DecimalBigLimbs;
    uint64_t carry = 0;
    for (int32_t c = 0; c < columns; ++c) {
        int32_t first = c < a.Count ? 0 : c - a.Count + 1;
        // The pairs i < j with i + j = c.
        ColumnSum sum = ProductSum(a.Limb + first, a.Limb + (c - first), (c - 2 * first + 1) / 2);
        sum.High = (sum.High << 1) | static_cast<uint32_t>(sum.Low >> 63);
        sum.Low <<= 1;
        if (c % 2 == 0)
            sum.Add(uint64_t{a.Limb[c / 2]} * a.Limb[c / 2]);
        dst->Limb[c] = CloseColumn(sum, &carry);
    }
    EndProduct(dst, columns, carry);
}

// big <- big * base^n (base 2 or 5, n >= 1) by squaring, over n's bits from
// the top. Two further numbers on the stack (about 10 KB).
void MulPower(DecimalBig* big, uint32_t base, int32_t n)
{
    DecimalBig buffers[2];
    DecimalBig* power = &buffers[0];
    DecimalBig* spare = &buffers[1];
    BigSet(power, base);
    for (int bit = TopBit(n) - 1; bit >= 0; --bit) {
        SquareBig(spare, *power);
        DecimalBig* t = power;
        power = spare;
        spare = t;
        if ((n >> bit) & 1)
            BigMulSmall(power, base);
    }
    if (big->Count == 1 && big->Limb[0] == 1) {
        BigCopy(big, *power);
        return;
    }
    MulBig(spare, *big, *power);
    BigCopy(big, *spare);
}

}  // namespace

void BigSet(DecimalBig* big, uint64_t value)
{
    big->Count = 0;
    PushCarry(big, value);
}

void BigCopy(DecimalBig* dst, const DecimalBig& src)
{
    dst->Count = src.Count;
    for (int32_t i = 0; i < src.Count; ++i)
        dst->Limb[i] = src.Limb[i];
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
    if (n > SmallPowerLimit) {
        MulPower(big, 2, n);
        return;
    }
    for (; n >= 32; n -= 32)
        BigMulSmall(big, uint64_t{1} << 32);
    BigMulSmall(big, uint64_t{1} << n);
}

void BigMulPow5(DecimalBig* big, int32_t n)
{
    if (n > SmallPowerLimit) {
        MulPower(big, 5, n);
        return;
    }
    for (; n >= 13; n -= 13)
        BigMulSmall(big, FivePow13);
    uint64_t rest = 1;
    for (; n > 0; --n)
        rest *= 5;
    BigMulSmall(big, rest);
}

int32_t BigPowerBound(DecimalBig* big, uint32_t base, int32_t n, bool upper)
{
    // Five limbs kept: each cut changes the number by less than one unit of
    // its fifth limb from the top, under 10^-36 of it; every later squaring
    // doubles that relative error, and n < 2^16 has at most 16 bits, so the
    // bound ends within 2^17 * 10^-36 < 10^-31 of base^n.
    constexpr int32_t Kept = 5;
    DecimalBig spare;
    int32_t shift = 0;
    BigSet(big, base);
    for (int bit = TopBit(n) - 1; bit >= 0; --bit) {
        SquareBig(&spare, *big);
        BigCopy(big, spare);
        shift *= 2;
        if ((n >> bit) & 1)
            BigMulSmall(big, base);
        int32_t cut = big->Count - Kept;
        if (cut > 0) {
            for (int32_t i = 0; i < Kept; ++i)
                big->Limb[i] = big->Limb[i + cut];
            big->Count = Kept;
            shift += cut;
            if (upper) {
                DecimalBig one;
                BigSet(&one, 1);
                BigAdd(big, one);
            }
        }
    }
    return shift;
}

void BigMul64(DecimalBig* big, uint64_t value, DecimalBig* scratch)
{
    // value as a number of at most three limbs (2^64 < 10^27), multiplied in
    // by columns: one pass, no carry chain through the products.
    DecimalBig factor;
    BigSet(&factor, value);
    MulBig(scratch, *big, factor);
    BigCopy(big, *scratch);
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
    static const uint32_t Powers[9] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    int32_t limb = position / 9;
    if (position < 0 || limb >= big.Count)
        return 0;
    return static_cast<int>(big.Limb[limb] / Powers[position % 9] % 10);
}
