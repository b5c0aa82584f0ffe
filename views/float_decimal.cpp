#include "views/float_decimal.h"

#include <cassert>

#include "core/number_text.h"
#include "views/decimal_big.h"

namespace {

// The digits of a number of `count` digits counted from the top: digit 0 is
// the most significant. Numbers with fewer digits read as zero-padded.
struct DigitString {
    const DecimalBig* Big;
    int32_t Count;

    int At(int32_t index) const
    {
        return BigDigitAt(*Big, Count - 1 - index);
    }

    // The index of the last nonzero digit, or -1 for zero.
    int32_t LastNonzero() const
    {
        int32_t i = Count - 1;
        while (i >= 0 && At(i) == 0)
            --i;
        return i;
    }
};

// Writes "D.DDDeN" from digits (no leading zero, count >= 1) whose first one
// has weight 10^exponent; trailing zeros are dropped.
char* WriteScientific(char* out, const char* digits, int32_t count, int32_t exponent)
{
    while (count > 1 && digits[count - 1] == '0')
        --count;
    *out++ = digits[0];
    if (count > 1) {
        *out++ = '.';
        for (int32_t i = 1; i < count; ++i)
            *out++ = digits[i];
    }
    *out++ = 'e';
    return WriteSignedDecimal(out, exponent);
}

// big <- m * 2^q scaled by 10^-scale; returns the scale (0 or q).
int32_t ScaledValue(DecimalBig* big, uint64_t m, int32_t q, DecimalBig* scratch)
{
    BigSet(big, 1);
    if (q >= 0)
        BigMulPow2(big, q);
    else
        BigMulPow5(big, -q);
    BigMul64(big, m, scratch);
    return q >= 0 ? 0 : q;
}

// Caps a difference of digit prefixes: whether the difference is 0, 1, 2 or
// more is all the search below needs, and a capped difference stays capped
// when a digit is appended (10 * 3 - 9 > 3).
int32_t NextDifference(int32_t difference, int high, int low)
{
    int32_t next = 10 * difference + high - low;
    return next > 3 ? 3 : next;
}

// The search below ends by 23 digits: the interval is wider than 2^-65 of
// its upper end, so by then the prefixes of its ends are hundreds apart
// (one leading zero of low and v and 21 significant digits at most).
constexpr int32_t MaxPrefix = 24;

// Writes the prefix of `digits` of length `length` (at most MaxPrefix),
// plus delta (-1, 0 or 1), without leading zeros, into text (MaxPrefix + 2
// bytes: a carry may add a digit); returns the digit count.
int32_t PrefixPlus(const DigitString& digits, int32_t length, int delta, char* text)
{
    char buffer[MaxPrefix + 1];  // a leading 0 for a carry, then the prefix
    buffer[0] = '0';
    for (int32_t i = 0; i < length; ++i)
        buffer[i + 1] = static_cast<char>('0' + digits.At(i));
    for (int32_t i = length; delta != 0 && i >= 0; --i) {
        int d = buffer[i] - '0' + delta;
        delta = d < 0 ? -1 : d > 9 ? 1 : 0;
        buffer[i] = static_cast<char>('0' + (d + 10) % 10);
    }
    int32_t start = 0;
    while (start < length && buffer[start] == '0')
        ++start;
    int32_t count = 0;
    for (int32_t i = start; i <= length; ++i)
        text[count++] = buffer[i];
    return count;
}

// Steps 2 to 4 of the shortest form for the value whose unit 2^(q-2) is
// unit * 10^scale, exactly or as a bound: writes the digits into text
// (MaxPrefix + 2 bytes), returns their count and sets *exponent to the first
// digit's power of ten.
int32_t ShortestDigits(const DecimalBig& unitIn, int32_t scale, const BinaryValue& value, char* text,
                       int32_t* exponent)
{
    bool endsIn = (value.Significand & 1) == 0;

    // Step 2: scale. The value and the interval's ends in the unit's scale.
    DecimalBig scratch;
    DecimalBig unit;
    BigCopy(&unit, unitIn);
    DecimalBig v;
    BigCopy(&v, unit);
    BigMul64(&v, value.Significand, &scratch);
    BigMulSmall(&v, 4);
    DecimalBig low;
    DecimalBig high;
    BigCopy(&low, v);
    BigCopy(&high, v);
    if (!value.NarrowBelow)
        BigMulSmall(&unit, 2);
    BigSub(&low, unit);
    if (value.NarrowBelow)
        BigMulSmall(&unit, 2);
    BigAdd(&high, unit);

    // Step 3: search. All three as digit strings of high's length. The first
    // prefix length j for which some j-digit prefix lies in the interval
    // gives the fewest significant digits; the candidates are then the
    // prefixes of low, v and high give or take one.
    int32_t n = BigDigitCount(high);
    DigitString l{&low, n}, m{&v, n}, h{&high, n};
    int32_t lastL = l.LastNonzero();
    int32_t lastH = h.LastNonzero();
    int32_t hl = 0, ml = 0, hm = 0;  // capped prefix differences
    int32_t j = 1;
    int lowDelta = 0, highDelta = 0;
    bool found = false;
    for (;; ++j) {
        hl = NextDifference(hl, h.At(j - 1), l.At(j - 1));
        ml = NextDifference(ml, m.At(j - 1), l.At(j - 1));
        hm = NextDifference(hm, h.At(j - 1), m.At(j - 1));
        // The smallest prefix not below low, the largest not above high.
        lowDelta = lastL >= j || !endsIn ? 1 : 0;
        highDelta = lastH < j && !endsIn ? -1 : 0;
        found = hl + highDelta - lowDelta >= 0;
        if (found || j == n || j == MaxPrefix)
            break;
    }
    // Every prefix of all n digits lies in the interval, and the search ends
    // by MaxPrefix digits (see there).
    assert(found || j == n);

    // Step 4: round. v rounded to j digits, half to even; then the rounded
    // value, or the nearest end of the candidates when it falls outside them.
    int roundUp = 0;
    if (j < n) {
        int next = m.At(j);
        bool rest = m.LastNonzero() > j;
        roundUp = next > 5 || (next == 5 && (rest || m.At(j - 1) % 2 == 1)) ? 1 : 0;
    }
    int32_t count;
    if (ml + roundUp < lowDelta)
        count = PrefixPlus(l, j, lowDelta, text);
    else if (roundUp - highDelta > hm)
        count = PrefixPlus(h, j, highDelta, text);
    else
        count = PrefixPlus(m, j, roundUp, text);

    // The prefix stands for its digits times 10^(n - j + scale).
    *exponent = count - 1 + n - j + scale;
    return count;
}

// From this power of the unit on, the digits come from bounds on it first.
// With |q - 2| >= 256 no number the search compares (4m and the interval's
// ends in units, twice v for the rounding: X * 2^k or X * 5^k with X < 2^67)
// has 26 or fewer significant digits: X * 2^k has at least 78 digits and at
// most 28 trailing zeros (5^29 > 2^67), X * 5^k at least 179 digits and at
// most 67 trailing zeros. So at the true unit nothing the search decides is
// a tie or an interval end, and when the unit's lower and upper bound give
// the same digits, every unit between them does: a shorter or nearer
// candidate for one between would lie inside the interval of one of the
// bounds.
constexpr int32_t BoundedUnitPower = 256;

// The shortest digits from bounds on the unit; false when the bounds
// disagree and only the exact unit can tell.
bool ShortestDigitsFromBounds(const BinaryValue& value, char* text, int32_t* count, int32_t* exponent)
{
    int32_t k = value.Exponent - 2;
    if (k > -BoundedUnitPower && k < BoundedUnitPower)
        return false;
    uint32_t base = k >= 0 ? 2 : 5;
    int32_t power = k >= 0 ? k : -k;
    int32_t scaleBase = k >= 0 ? 0 : k;  // 2^k = 5^-k * 10^k
    DecimalBig bound;
    int32_t lowScale = scaleBase + 9 * BigPowerBound(&bound, base, power, false);
    *count = ShortestDigits(bound, lowScale, value, text, exponent);
    char upperText[MaxPrefix + 2];
    int32_t upperExponent;
    int32_t upperScale = scaleBase + 9 * BigPowerBound(&bound, base, power, true);
    int32_t upperCount = ShortestDigits(bound, upperScale, value, upperText, &upperExponent);
    if (upperCount != *count || upperExponent != *exponent)
        return false;
    for (int32_t i = 0; i < upperCount; ++i) {
        if (upperText[i] != text[i])
            return false;
    }
    return true;
}

}  // namespace

char* WriteExactDecimal(char* out, const BinaryValue& value)
{
    if (value.Negative)
        *out++ = '-';
    if (value.Significand == 0)
        return WriteText(out, "0");
    DecimalBig big;
    DecimalBig scratch;
    int32_t scale = ScaledValue(&big, value.Significand, value.Exponent, &scratch);
    int32_t count = BigDigitCount(big);
    // Every digit, limb by limb from the top, one place to the right of
    // where it goes; then the first digit moves left of the point and the
    // trailing zeros (and a point with nothing after it) go.
    char* p = out + 1 + count;
    for (int32_t i = 0; i < big.Count - 1; ++i) {
        uint32_t limb = big.Limb[i];
        for (int k = 0; k < 9; ++k) {
            *--p = static_cast<char>('0' + limb % 10);
            limb /= 10;
        }
    }
    for (uint32_t limb = big.Limb[big.Count - 1]; p > out + 1; limb /= 10)
        *--p = static_cast<char>('0' + limb % 10);
    out[0] = out[1];
    out[1] = '.';
    char* end = out + 1 + count;
    while (end[-1] == '0')
        --end;
    if (end[-1] == '.')
        --end;
    *end++ = 'e';
    return WriteSignedDecimal(end, count - 1 + scale);
}

char* WriteShortestDecimal(char* out, const BinaryValue& value)
{
    if (value.Negative)
        *out++ = '-';
    if (value.Significand == 0)
        return WriteText(out, "0");

    // Step 1: interval. In units of 2^(q-2) the value is 4m and the rounding
    // interval reaches to 4m - 2 (4m - 1 when the gap below is narrow) and
    // 4m + 2; its ends belong to it when m is even. Steps 2 to 4 run on the
    // unit 2^(q-2) as an integer scaled by 10^-scale: first on a lower and an
    // upper bound of it, then, when those disagree, on the exact unit.
    char text[MaxPrefix + 2];
    int32_t count;
    int32_t exponent;
    if (!ShortestDigitsFromBounds(value, text, &count, &exponent)) {
        DecimalBig unit;
        DecimalBig scratch;
        int32_t scale = ScaledValue(&unit, 1, value.Exponent - 2, &scratch);
        count = ShortestDigits(unit, scale, value, text, &exponent);
    }

    // Step 5: print.
    return WriteScientific(out, text, count, exponent);
}
