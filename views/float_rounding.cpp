#include "views/float_rounding.h"

#include <cstring>

namespace {

struct ModeName {
    RoundingMode Mode;
    const char* Name;
};

const ModeName ModeNames[] = {
    {RoundingMode::Even, "even"}, {RoundingMode::Away, "away"}, {RoundingMode::Zero, "zero"},
    {RoundingMode::Up, "up"},     {RoundingMode::Down, "down"},
};

// floor(log2 v) for v = numerator / denominator * 2^scale, both non-zero.
int32_t BinaryMagnitude(const ExactInt& numerator, const ExactInt& denominator, int32_t scale)
{
    int32_t gap = ExactBitLength(numerator) - ExactBitLength(denominator);
    // With equal lengths the leading bits line up: v's top bit is at gap or
    // one below, as the aligned numerator is below the denominator or not.
    bool below = gap >= 0 ? ExactCompareShifted(numerator, denominator, gap) < 0
                          : ExactCompareShifted(denominator, numerator, -gap) > 0;
    return gap + scale - (below ? 1 : 0);
}

// Shifts that make the denominator's top limb start with a one bit (the
// division's precondition) without changing the quotient, for the
// denominator once shifted left by extra bits.
int32_t NormalisingShift(const ExactInt& denominator, int32_t extra)
{
    int32_t bits = (ExactBitLength(denominator) + extra) % 32;
    return bits == 0 ? 0 : 32 - bits;
}

}  // namespace

const char* RoundingModeName(RoundingMode mode)
{
    for (const ModeName& entry : ModeNames) {
        if (entry.Mode == mode)
            return entry.Name;
    }
    return "";
}

bool RoundingModeByName(const char* name, RoundingMode* mode)
{
    for (const ModeName& entry : ModeNames) {
        if (std::strcmp(entry.Name, name) == 0) {
            *mode = entry.Mode;
            return true;
        }
    }
    return false;
}

bool RoundsUp(RoundingMode mode, bool negative, bool odd, int half, bool sticky)
{
    switch (mode) {
    case RoundingMode::Even: return half > 0 || (half == 0 && odd);
    case RoundingMode::Away: return sticky && half >= 0;
    case RoundingMode::Zero: return false;
    case RoundingMode::Up: return sticky && !negative;
    case RoundingMode::Down: return sticky && negative;
    }
    return false;
}

RoundedValue RoundRational(ExactInt* numerator, ExactInt* denominator, int32_t scale, bool negative,
                           RoundingTarget target, RoundingMode mode)
{
    const int32_t p = target.Precision;
    const int32_t subnormalExponent = target.MinExponent - p + 1;
    if (ExactIsZero(*numerator))
        return RoundedValue{0, subnormalExponent, false, false};

    // Step 1: the value's binary magnitude k (2^k <= v < 2^(k+1)) and the
    // exponent of the last bit kept: p bits from k, none below the subnormal
    // spacing.
    const int32_t k = BinaryMagnitude(*numerator, *denominator, scale);
    int32_t exponent = (k > target.MinExponent ? k : target.MinExponent) - p + 1;

    // Step 2: quotient = floor(v / 2^exponent), below 2^p, with the remainder
    // left in the numerator.
    int32_t shift = scale - exponent;
    // The normalisation counts the denominator's own shift: an unnormalised
    // divisor makes every quotient digit's estimate far too large, and its
    // correction loop then runs for as long as the error.
    int32_t normalise = NormalisingShift(*denominator, shift < 0 ? -shift : 0);
    ExactShiftLeft(numerator, normalise + (shift > 0 ? shift : 0));
    ExactShiftLeft(denominator, normalise + (shift < 0 ? -shift : 0));
    uint64_t significand = ExactDivSmallQuotient(numerator, *denominator);

    // Step 3: round by the remainder against half the divisor.
    const uint64_t quotient = significand;
    const bool sticky = !ExactIsZero(*numerator);
    ExactShiftLeft(numerator, 1);
    const int half = ExactCompare(*numerator, *denominator);
    if (RoundsUp(mode, negative, (quotient & 1) != 0, half, sticky)) {
        ++significand;
        // A carry out of the top bit: 2^p, which is 2^(p-1) one place up.
        if (p == 64 ? significand == 0 : significand == uint64_t{1} << p) {
            significand = uint64_t{1} << (p - 1);
            ++exponent;
        }
    }

    // Step 4: tininess after rounding. Only a value in the binade just below
    // 2^MinExponent can round up to it at full precision, where the
    // unbounded significand has one bit more than the subnormal quotient:
    // the remainder (now doubled) gives that bit and what follows it.
    bool tiny = k < target.MinExponent;
    if (k == target.MinExponent - 1 && sticky) {
        const bool nextBit = half >= 0;
        if (nextBit)
            ExactSub(numerator, *denominator);
        const bool restSticky = !ExactIsZero(*numerator);
        ExactShiftLeft(numerator, 1);
        const int restHalf = ExactCompare(*numerator, *denominator);
        const bool allOnes = quotient == (uint64_t{1} << (p - 1)) - 1 && nextBit;
        if (allOnes && RoundsUp(mode, negative, true, restHalf, restSticky))
            tiny = false;
    }
    return RoundedValue{significand, exponent, sticky, tiny};
}
