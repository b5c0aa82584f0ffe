#include "views/text_rounding.h"

#include <cassert>

#include "views/short_decimal.h"

namespace {

// Significant hexadecimal digits kept: 17 (68 bits) are more than any
// significand's 64 bits and its rounding bit; the ones dropped below them
// only say whether the value lies above the kept part (a sticky bit).
constexpr int32_t KeptHexDigits = 17;

// 10^9, the most decimal digits one ExactMulAddSmall takes at a time.
constexpr uint32_t TenPow9 = 1000000000;

// x <- the integer of count digits (base radix) from first, skipping a '.'.
void ReadDigits(ExactInt* x, const char* first, int32_t count, int32_t radix)
{
    ExactSet(x, 0);
    uint32_t chunk = 0;
    uint32_t chunkScale = 1;
    const uint32_t chunkLimit = radix == 10 ? TenPow9 : 1u << 28;
    for (const char* c = first; count > 0; ++c) {
        if (*c == '.')
            continue;
        chunk = chunk * static_cast<uint32_t>(radix) + static_cast<uint32_t>(DigitValue(*c));
        chunkScale *= static_cast<uint32_t>(radix);
        --count;
        if (chunkScale == chunkLimit || count == 0) {
            ExactMulAddSmall(x, chunkScale, chunk);
            chunk = 0;
            chunkScale = 1;
        }
    }
}

// Whether any of the count digits from first (skipping a '.') is not zero.
bool AnyNonzero(const char* first, int32_t count)
{
    for (const char* c = first; count > 0; ++c) {
        if (*c == '.')
            continue;
        if (*c != '0')
            return true;
        --count;
    }
    return false;
}

// Floors of magnitude * log2(10) from below (33219/10000 < log2 10): a
// bound that never claims more than the truth.
int64_t BitsBelow(int64_t decimalDigits)
{
    return decimalDigits * 33219 / 10000;
}

}  // namespace

namespace {

// The integer of count (at most 38) decimal digits from first, skipping a
// '.': up to 19 at a time in a word, joined as high * 2^64 + low.
void ShortDigits(const char* first, int32_t count, uint64_t* high, uint64_t* low)
{
    uint64_t top = 0;
    uint64_t rest = 0;
    uint64_t restScale = 1;
    int32_t taken = 0;
    for (const char* c = first; taken < count; ++c) {
        if (*c == '.')
            continue;
        const uint64_t digit = static_cast<uint64_t>(DigitValue(*c));
        if (taken < 19) {
            top = top * 10 + digit;
        } else {
            rest = rest * 10 + digit;
            restScale *= 10;
        }
        ++taken;
    }
    // top * restScale + rest, restScale <= 10^19, from 32-bit halves.
    const uint64_t t0 = top & 0xFFFFFFFFu, t1 = top >> 32;
    const uint64_t s0 = restScale & 0xFFFFFFFFu, s1 = restScale >> 32;
    const uint64_t p00 = t0 * s0, p01 = t0 * s1, p10 = t1 * s0, p11 = t1 * s1;
    const uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    *low = (middle << 32) | (p00 & 0xFFFFFFFFu);
    *high = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
    *low += rest;
    *high += *low < rest ? 1 : 0;
}

RoundedValue RoundText(const ValueText& text, RoundingTarget target, int32_t maxExponent, RoundingMode mode,
                       bool fast)
{
    assert(target.MinExponent - target.Precision >= -16446 && maxExponent <= 16383);
    ExactInt numerator;
    ExactInt denominator;
    ExactSet(&denominator, 1);
    if (text.Count == 0) {
        ExactSet(&numerator, 0);
        return RoundRational(&numerator, &denominator, 0, text.Negative, target, mode);
    }

    // Step 1: the digits, and the value's magnitude as a power of two
    // bounded from both sides: 2^low <= v < 2^high.
    int64_t scale = text.Exponent;
    int64_t low = 0;
    int64_t high = 0;
    if (text.Radix == 16) {
        int32_t kept = text.Count < KeptHexDigits ? text.Count : KeptHexDigits;
        ReadDigits(&numerator, text.First, kept, 16);
        scale += 4 * int64_t{text.Count - kept};
        if (kept < text.Count) {
            // Skip the kept digits (and a point among them) to test the rest.
            const char* rest = text.First;
            for (int32_t i = 0; i < kept; ++rest)
                i += *rest == '.' ? 0 : 1;
            if (AnyNonzero(rest, text.Count - kept)) {
                ExactMulAddSmall(&numerator, 2, 1);
                scale -= 1;
            }
        }
        low = scale + ExactBitLength(numerator) - 1;
        high = low + 1;
    } else {
        int64_t leading = text.Exponent + text.Count - 1;  // 10^leading <= v < 10^(leading + 1)
        low = leading >= 0 ? BitsBelow(leading) : -BitsBelow(-leading) - 4;
        high = leading + 1 >= 0 ? BitsBelow(leading + 1) + 4 : -BitsBelow(-(leading + 1));
    }

    // Step 2: values whose fate the digits cannot change.
    const int64_t tinyBound = int64_t{target.MinExponent} - target.Precision - 1;
    if (low >= int64_t{maxExponent} + 2) {
        ExactSet(&numerator, 1);
        return RoundRational(&numerator, &denominator, maxExponent + 2, text.Negative, target, mode);
    }
    if (high <= tinyBound) {
        ExactSet(&numerator, 1);
        return RoundRational(&numerator, &denominator, static_cast<int32_t>(tinyBound), text.Negative, target,
                             mode);
    }

    // Step 3: a short decimal text, where the 128-bit powers decide.
    RoundedValue quick;
    if (fast && text.Radix == 10 && text.Count <= ShortDecimalMaxDigits) {
        uint64_t digitsHigh = 0;
        uint64_t digitsLow = 0;
        ShortDigits(text.First, text.Count, &digitsHigh, &digitsLow);
        if (RoundShortDecimal(digitsHigh, digitsLow, text.Exponent, text.Negative, target, mode, &quick))
            return quick;
    }

    // Step 4: d * 10^e as d * 5^e * 2^e.
    if (text.Radix == 10) {
        ReadDigits(&numerator, text.First, text.Count, 10);
        if (scale >= 0)
            ExactMulPow5(&numerator, static_cast<int32_t>(scale));
        else
            ExactMulPow5(&denominator, static_cast<int32_t>(-scale));
    }
    return RoundRational(&numerator, &denominator, static_cast<int32_t>(scale), text.Negative, target, mode);
}

}  // namespace

RoundedValue RoundValueText(const ValueText& text, RoundingTarget target, int32_t maxExponent,
                            RoundingMode mode)
{
    return RoundText(text, target, maxExponent, mode, true);
}

RoundedValue RoundValueTextExact(const ValueText& text, RoundingTarget target, int32_t maxExponent,
                                 RoundingMode mode)
{
    return RoundText(text, target, maxExponent, mode, false);
}
