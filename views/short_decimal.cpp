#include "views/short_decimal.h"

#include "views/exact_rational.h"

namespace {

constexpr int32_t TableSize =
    ShortDecimalMaxPower - ShortDecimalMinPower + 1;  // 9,905 entries, 24 bytes each

Pow10Approximation Table[TableSize];

// 64 bits of x from bit position from (bits below 0 read as zero).
uint64_t Bits64At(const ExactInt& x, int32_t from)
{
    uint64_t bits = 0;
    for (int32_t i = 63; i >= 0; --i) {
        int32_t at = from + i;
        uint64_t bit = 0;
        if (at >= 0 && at / 32 < x.Count)
            bit = (x.Limb[at / 32] >> (at % 32)) & 1u;
        bits = (bits << 1) | bit;
    }
    return bits;
}

// Whether any bit of x below position below is set.
bool AnyBitBelow(const ExactInt& x, int32_t below)
{
    for (int32_t i = 0; i < x.Count && i * 32 < below; ++i) {
        uint32_t limb = x.Limb[i];
        if (below - i * 32 < 32)
            limb &= (1u << (below - i * 32)) - 1;
        if (limb != 0)
            return true;
    }
    return false;
}

// 10^q for q >= 0 is 5^q * 2^q: its top 128 bits. 10^-n is 2^-n / 5^n:
// floor(2^K / 5^n) with K making it 128 bits long, in two 64-bit quotient
// steps (the division's limit).
bool FillTable()
{
    static ExactInt five;  // 5^n, up to 11,540 bits: static, off the stack
    static ExactInt dividend;
    static ExactInt divisor;
    ExactSet(&five, 1);
    for (int32_t q = 0; q <= ShortDecimalMaxPower; ++q) {
        if (q > 0)
            ExactMulAddSmall(&five, 5, 0);
        const int32_t length = ExactBitLength(five);
        Pow10Approximation& entry = Table[q - ShortDecimalMinPower];
        entry.High = Bits64At(five, length - 64);
        entry.Low = Bits64At(five, length - 128);
        entry.Shift = q + length - 128;
        entry.Exact = !AnyBitBelow(five, length - 128);
    }
    ExactSet(&five, 1);
    for (int32_t n = 1; n <= -ShortDecimalMinPower; ++n) {
        ExactMulAddSmall(&five, 5, 0);
        const int32_t length = ExactBitLength(five);
        // 2^(length-1) < 5^n < 2^length, so 2^K / 5^n lies in (2^127,
        // 2^128) for K = length + 127.
        const int32_t k = length + 127;
        const int32_t normalise = length % 32 == 0 ? 0 : 32 - length % 32;
        divisor = five;
        ExactShiftLeft(&divisor, normalise);
        ExactSet(&dividend, 1);
        ExactShiftLeft(&dividend, k - 64 + normalise);
        Pow10Approximation& entry = Table[-n - ShortDecimalMinPower];
        entry.High = ExactDivSmallQuotient(&dividend, divisor);
        ExactShiftLeft(&dividend, 64);
        entry.Low = ExactDivSmallQuotient(&dividend, divisor);
        entry.Shift = -k - n;
        entry.Exact = false;  // 5^n never divides a power of two
    }
    return true;
}

// high:low <- a * b, from 32-bit halves (no wider type on every build).
void Multiply64(uint64_t a, uint64_t b, uint64_t* high, uint64_t* low)
{
    const uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
    const uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    *low = (middle << 32) | (p00 & 0xFFFFFFFFu);
    *high = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
}

// 256-bit numbers, four little-endian words.
struct Wide {
    uint64_t Word[4];
};

// w <- w + value * 2^(64 * index); no carry leaves the top word.
void AddAt(Wide* w, int index, uint64_t value)
{
    for (int i = index; i < 4 && value != 0; ++i) {
        w->Word[i] += value;
        value = w->Word[i] < value ? 1 : 0;
    }
}

int Compare(const Wide& a, const Wide& b)
{
    for (int i = 3; i >= 0; --i) {
        if (a.Word[i] != b.Word[i])
            return a.Word[i] < b.Word[i] ? -1 : 1;
    }
    return 0;
}

Wide PowerOfTwo(int32_t n)  // 0 <= n < 256
{
    Wide w{};
    w.Word[n / 64] = uint64_t{1} << (n % 64);
    return w;
}

}  // namespace

Pow10Approximation ShortDecimalPow10(int32_t q)
{
    static const bool filled = FillTable();
    (void)filled;
    return Table[q - ShortDecimalMinPower];
}

bool RoundShortDecimal(uint64_t digitsHigh, uint64_t digitsLow, int64_t exponent, bool negative,
                       RoundingTarget target, RoundingMode mode, RoundedValue* result)
{
    if ((digitsHigh == 0 && digitsLow == 0) || exponent < ShortDecimalMinPower ||
        exponent > ShortDecimalMaxPower)
        return false;
    const Pow10Approximation power = ShortDecimalPow10(static_cast<int32_t>(exponent));

    // Step 1: d = digits * 2^s with bit 127 set; the product d * M,
    // 2^254 <= product < 2^256, and v * 2^(s - Shift) lies in [product,
    // product + d): exactly at product when the entry is exact, strictly
    // inside otherwise.
    int32_t s = 0;
    uint64_t high = digitsHigh;
    uint64_t low = digitsLow;
    if (high == 0) {
        high = low;
        low = 0;
        s = 64;
    }
    while ((high >> 63) == 0) {
        high = (high << 1) | (low >> 63);
        low <<= 1;
        ++s;
    }
    Wide product{};
    const uint64_t factors[2][2] = {{low, power.Low}, {high, power.High}};
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            uint64_t partHigh = 0;
            uint64_t partLow = 0;
            Multiply64(factors[i][0], factors[j][1], &partHigh, &partLow);
            AddAt(&product, i + j, partLow);
            AddAt(&product, i + j + 1, partHigh);
        }
    }
    const int32_t length = (product.Word[3] >> 63) != 0 ? 256 : 255;

    // Step 2: the value's binary magnitude k and the last kept bit: p bits
    // from k, none below the subnormal spacing. Just below the normal range
    // tininess depends on the rounding at full precision: the exact path's.
    const int32_t k = length - 1 + power.Shift - s;
    if (k == target.MinExponent - 1)
        return false;
    const int32_t p = target.Precision;
    int32_t cut = length - p;  // 191 to 255 bits below the last kept bit
    int32_t resultExponent = k - p + 1;
    const bool tiny = k < target.MinExponent;
    if (tiny) {
        cut += target.MinExponent - k;
        resultExponent = target.MinExponent - p + 1;
        if (cut > 255)
            return false;
    }

    // Step 3: the kept bits and the remainder below them.
    const int32_t word = cut / 64;
    const int32_t bits = cut % 64;
    uint64_t significand = product.Word[word] >> bits;
    if (word + 1 < 4 && bits != 0)
        significand |= product.Word[word + 1] << (64 - bits);
    Wide rest = product;
    rest.Word[word] = bits == 0 ? 0 : rest.Word[word] & ((uint64_t{1} << bits) - 1);
    for (int32_t i = word + 1; i < 4; ++i)
        rest.Word[i] = 0;

    // Step 4: the remainder against half a unit. With an approximate power
    // the true remainder lies in (rest, rest + 2^128): decided only when that
    // whole interval stays below the next unit and on one side of the half.
    const Wide half = PowerOfTwo(cut - 1);
    int above = 0;
    bool sticky = true;
    if (power.Exact) {
        above = Compare(rest, half);
        sticky = rest.Word[0] != 0 || rest.Word[1] != 0 || rest.Word[2] != 0 || rest.Word[3] != 0;
    } else {
        Wide reach = rest;  // rest + 2^128, no carry out: rest < 2^255
        AddAt(&reach, 2, 1);
        if (Compare(reach, PowerOfTwo(cut)) > 0)
            return false;
        if (Compare(rest, half) >= 0)
            above = 1;
        else if (Compare(reach, half) <= 0)
            above = -1;
        else
            return false;
    }

    // Step 5: round as the exact path does.
    if (RoundsUp(mode, negative, (significand & 1) != 0, above, sticky)) {
        ++significand;
        if (p == 64 ? significand == 0 : significand == uint64_t{1} << p) {
            significand = uint64_t{1} << (p - 1);
            ++resultExponent;
        }
    }
    *result = RoundedValue{significand, resultExponent, sticky, tiny};
    return true;
}
