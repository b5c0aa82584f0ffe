#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/field_formats.h"
#include "core/float_format.h"
#include "core/pow10.h"
#include "core/x87_arith.h"
#include "views/float_printer.h"

namespace {

// ---------------------------------------------------------------------------
// A slow, obviously correct unsigned big integer (32-bit limbs, least
// significant first), enough to derive the extended images of exact rational
// numbers independently of the x87 unit.
// ---------------------------------------------------------------------------
struct Big {
    std::vector<uint32_t> limbs;

    static Big From(uint64_t v)
    {
        Big b;
        while (v != 0) {
            b.limbs.push_back(static_cast<uint32_t>(v));
            v >>= 32;
        }
        return b;
    }
    static Big PowerOfTen(int k)
    {
        Big b = From(1);
        for (int i = 0; i < k; ++i)
            b.MulSmall(10);
        return b;
    }
    void Trim()
    {
        while (!limbs.empty() && limbs.back() == 0)
            limbs.pop_back();
    }
    bool IsZero() const
    {
        return limbs.empty();
    }
    int BitLength() const
    {
        if (limbs.empty())
            return 0;
        int bits = static_cast<int>(limbs.size() - 1) * 32;
        for (uint32_t top = limbs.back(); top != 0; top >>= 1)
            ++bits;
        return bits;
    }
    bool Bit(int i) const
    {
        size_t limb = static_cast<size_t>(i / 32);
        return i >= 0 && limb < limbs.size() && ((limbs[limb] >> (i % 32)) & 1) != 0;
    }
    void SetBit(int i)
    {
        size_t limb = static_cast<size_t>(i / 32);
        if (limbs.size() <= limb)
            limbs.resize(limb + 1, 0);
        limbs[limb] |= 1u << (i % 32);
    }
    void MulSmall(uint32_t m)
    {
        uint64_t carry = 0;
        for (uint32_t& limb : limbs) {
            uint64_t t = uint64_t{limb} * m + carry;
            limb = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0)
            limbs.push_back(static_cast<uint32_t>(carry));
    }
    static Big Mul(const Big& a, const Big& b)
    {
        Big p;
        p.limbs.assign(a.limbs.size() + b.limbs.size(), 0);
        for (size_t i = 0; i < a.limbs.size(); ++i) {
            uint64_t carry = 0;
            for (size_t j = 0; j < b.limbs.size(); ++j) {
                uint64_t t = uint64_t{a.limbs[i]} * b.limbs[j] + p.limbs[i + j] + carry;
                p.limbs[i + j] = static_cast<uint32_t>(t);
                carry = t >> 32;
            }
            p.limbs[i + b.limbs.size()] = static_cast<uint32_t>(carry);
        }
        p.Trim();
        return p;
    }
    Big Shifted(int count) const  // left for count > 0, right for count < 0
    {
        Big r;
        if (count >= 0) {
            r.limbs.assign(static_cast<size_t>(count / 32), 0);
            uint32_t carry = 0;
            int s = count % 32;
            for (uint32_t limb : limbs) {
                r.limbs.push_back(s == 0 ? limb : (limb << s) | carry);
                carry = s == 0 ? 0 : limb >> (32 - s);
            }
            r.limbs.push_back(carry);
        } else {
            size_t skip = static_cast<size_t>(-count / 32);
            int s = -count % 32;
            for (size_t i = skip; i < limbs.size(); ++i) {
                uint64_t pair = limbs[i] | (i + 1 < limbs.size() ? uint64_t{limbs[i + 1]} << 32 : 0);
                r.limbs.push_back(static_cast<uint32_t>(pair >> s));
            }
        }
        r.Trim();
        return r;
    }
    static int Compare(const Big& a, const Big& b)
    {
        if (a.limbs.size() != b.limbs.size())
            return a.limbs.size() < b.limbs.size() ? -1 : 1;
        for (size_t i = a.limbs.size(); i-- > 0;) {
            if (a.limbs[i] != b.limbs[i])
                return a.limbs[i] < b.limbs[i] ? -1 : 1;
        }
        return 0;
    }
    void Sub(const Big& b)  // requires *this >= b
    {
        int64_t borrow = 0;
        for (size_t i = 0; i < limbs.size(); ++i) {
            int64_t t = int64_t{limbs[i]} - (i < b.limbs.size() ? b.limbs[i] : 0) - borrow;
            borrow = t < 0;
            limbs[i] = static_cast<uint32_t>(t + (borrow ? (int64_t{1} << 32) : 0));
        }
        Trim();
    }
    uint64_t Bits64(int from) const  // bits from..from+63
    {
        uint64_t v = 0;
        for (int i = 63; i >= 0; --i)
            v = (v << 1) | (Bit(from + i) ? 1u : 0u);
        return v;
    }
    bool AnyBitBelow(int n) const
    {
        for (size_t i = 0; i < limbs.size() && static_cast<int>(i) * 32 < n; ++i) {
            int bits = n - static_cast<int>(i) * 32;
            uint32_t mask = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
            if ((limbs[i] & mask) != 0)
                return true;
        }
        return false;
    }
};

struct Rounded {
    Extended80 value;
    bool exact;
};

// num / den * 2^scale, for num, den > 0, rounded to the nearest extended value
// (ties to even), with gradual underflow below 2^-16382. The range the tests
// need never overflows.
Rounded RoundToExtended(Big num, Big den, int scale)
{
    // Scale so that the quotient has 66 or 67 bits.
    int p = 66 - (num.BitLength() - den.BitLength());
    Big q;
    Big rem;
    if (den.BitLength() == 1 && p < 0) {
        // An integer: its top bits, the rest only matters as sticky.
        q = num.Shifted(p);
        if (num.AnyBitBelow(-p))
            rem = Big::From(1);
    } else {
        if (p >= 0)
            num = num.Shifted(p);
        else
            den = den.Shifted(-p);
        // Restoring division; the quotient is below 2^68, so the first
        // partial remainder is the dividend without its low 68 bits.
        rem = num.Shifted(-68);
        for (int i = 67; i >= 0; --i) {
            rem = rem.Shifted(1);
            if (num.Bit(i))
                rem.SetBit(0);
            if (Big::Compare(rem, den) >= 0) {
                rem.Sub(den);
                q.SetBit(i);
            }
        }
    }
    int qb = q.BitLength();
    int biased = qb - 1 - p + scale + 16383;
    int drop = qb - 64;
    if (biased < 1) {  // subnormal: fewer significand bits
        drop += 1 - biased;
        biased = 0;
    }
    uint64_t sig = q.Bits64(drop);
    bool roundBit = q.Bit(drop - 1);
    bool sticky = q.AnyBitBelow(drop - 1) || !rem.IsZero();
    if (roundBit && (sticky || (sig & 1) != 0)) {
        ++sig;
        if (sig == 0) {  // carried out of the significand
            sig = 0x8000000000000000u;
            ++biased;
        } else if (biased == 0 && sig == 0x8000000000000000u) {
            biased = 1;  // rounded up into the smallest normal
        }
    }
    return Rounded{Extended80{sig, static_cast<uint16_t>(biased)}, !roundBit && !sticky};
}

Rounded RoundedPower(const Big& power, bool reciprocal)
{
    Big one = Big::From(1);
    return reciprocal ? RoundToExtended(one, power, 0) : RoundToExtended(power, one, 0);
}

Rounded CorrectlyRoundedPow10(int n)
{
    return RoundedPower(Big::PowerOfTen(n < 0 ? -n : n), n < 0);
}

// The correctly rounded 10^0..10^15 and 10^(16 * 2^i), derived once.
struct ReferenceTables {
    Extended80 small[16];
    Extended80 large[9];
};

const ReferenceTables& References()
{
    static const ReferenceTables tables = [] {
        ReferenceTables t{};
        for (int k = 0; k < 16; ++k)
            t.small[k] = CorrectlyRoundedPow10(k).value;
        for (int i = 0; i < 9; ++i)
            t.large[i] = CorrectlyRoundedPow10(16 << i).value;
        return t;
    }();
    return tables;
}

// The fixed-order product the x87 unit should produce, emulated with big
// integers: each factor applied with one rounding, then one reciprocal.
Extended80 EmulatedPow10(int n)
{
    uint32_t a = static_cast<uint32_t>(n < 0 ? -n : n);
    Extended80 x = References().small[a % 16];
    uint32_t b = a / 16;
    for (int i = 0; b != 0; ++i, b >>= 1) {
        if ((b & 1) == 0)
            continue;
        Extended80 f = References().large[i];
        Big product = Big::Mul(Big::From(x.Significand), Big::From(f.Significand));
        // (sx * 2^(ex-63)) * (sf * 2^(ef-63)), biases removed.
        int scale = (x.SignExponent - 16383 - 63) + (f.SignExponent - 16383 - 63);
        x = RoundToExtended(product, Big::From(1), scale).value;
    }
    if (n < 0)
        x = RoundToExtended(Big::From(1), Big::From(x.Significand), 63 - (x.SignExponent - 16383)).value;
    return x;
}

std::string Hex(Extended80 v)
{
    char text[40];
    std::snprintf(text, sizeof text, "0x%016llX/0x%04X", static_cast<unsigned long long>(v.Significand),
                  v.SignExponent);
    return text;
}

bool Same(Extended80 a, Extended80 b)
{
    return a.Significand == b.Significand && a.SignExponent == b.SignExponent;
}

// Distance in units in the last place between two positive normal values.
uint64_t UlpDistance(Extended80 a, Extended80 b)
{
    if (a.SignExponent < b.SignExponent ||
        (a.SignExponent == b.SignExponent && a.Significand < b.Significand))
        std::swap(a, b);
    if (a.SignExponent == b.SignExponent)
        return a.Significand - b.Significand;
    if (a.SignExponent == b.SignExponent + 1)  // b's ulp is half of a's
        return (a.Significand - 0x8000000000000000u) + ((0u - b.Significand) >> 1);
    return UINT64_MAX;
}

// Pow10 runs under its caller's control word; every test sets the one the
// program's callers set.
class Pow10Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = X87EnterExtendedNearest();
    }
    void TearDown() override
    {
        X87RestoreControl(saved_);
    }

private:
    uint16_t saved_ = 0;
};

// ---------------------------------------------------------------------------
// Tables
// ---------------------------------------------------------------------------

TEST_F(Pow10Test, SmallTableHoldsExactPowers)
{
    for (int k = 0; k < 16; ++k) {
        Rounded expected = CorrectlyRoundedPow10(k);
        EXPECT_TRUE(expected.exact) << "10^" << k;
        EXPECT_TRUE(Same(Pow10Small[k], expected.value))
            << "Pow10Small[" << k << "] = " << Hex(Pow10Small[k]) << ", want " << Hex(expected.value);
    }
}

TEST_F(Pow10Test, LargeTableHoldsNearestPowers)
{
    for (int i = 0; i < 9; ++i) {
        Rounded expected = CorrectlyRoundedPow10(16 << i);
        EXPECT_EQ(expected.exact, i == 0) << "10^" << (16 << i);
        EXPECT_TRUE(Same(Pow10Large[i], expected.value))
            << "Pow10Large[" << i << "] (10^" << (16 << i) << ") = " << Hex(Pow10Large[i]) << ", want "
            << Hex(expected.value);
    }
}

// The printer's integer scales: each format's SubnormalScale is its smallest
// normal value 2^(1 - bias) times a power of ten, rounded to nearest (no tie
// is possible: 5^k is odd); TinyScale is 10^4932 / 2^16324, truncated.
TEST(PrinterScales, AreTheirPowersOfTenRederived)
{
    const struct {
        const PrinterFacts* facts;
        int power;
    } cases[] = {{&FloatPrinterFacts[0], 56}, {&FloatPrinterFacts[1], 326}, {&FloatPrinterFacts[2], 4950}};
    for (const auto& c : cases) {
        Big power = Big::PowerOfTen(c.power);
        int shift = FloatFormatOf(c.facts->Width)->Bias - 1;
        ASSERT_LE(power.BitLength() - shift, 64) << c.facts->Width << " bits";
        uint64_t expected = power.Bits64(shift) + (power.Bit(shift - 1) ? 1 : 0);
        EXPECT_EQ(c.facts->SubnormalScale, expected)
            << c.facts->Width << " bits: want 0x" << std::hex << expected;
    }
    Big power = Big::PowerOfTen(4932);
    EXPECT_EQ(power.BitLength() - 16324, 60) << "TinyScale needs 60 bits";
    EXPECT_EQ(static_cast<uint64_t>(TinyScale), power.Bits64(16324))
        << "want 0x" << std::hex << power.Bits64(16324);
}

// ---------------------------------------------------------------------------
// Named results
// ---------------------------------------------------------------------------

TEST_F(Pow10Test, SmallPositiveExponentsAreExact)
{
    for (int n : {0, 1, 16, 27}) {
        Rounded expected = CorrectlyRoundedPow10(n);
        ASSERT_TRUE(expected.exact) << "10^" << n;
        EXPECT_TRUE(Same(Pow10(n), expected.value))
            << "Pow10(" << n << ") = " << Hex(Pow10(n)) << ", want " << Hex(expected.value);
    }
}

TEST_F(Pow10Test, BoundaryResults)
{
    struct Case {
        int32_t n;
        Extended80 expected;
    };
    const Case cases[] = {
        // n            significand            biased exponent
        {-1, {0xCCCCCCCCCCCCCCCDu, 0x3FFB}},
        {4932, {0xD72CB2A95C7EF6CDu, 0x7FFE}},  // finite, the largest computed
        {4933, {0x8000000000000000u, 0x7FFF}},  // +infinity
        {INT32_MAX, {0x8000000000000000u, 0x7FFF}},
        {-4932, {0x261247C8F29357F0u, 0x0000}},  // subnormal, not 0
        {-4933, {0, 0}},  // +0
        {INT32_MIN, {0, 0}},  // |n| as unsigned is 2^31
    };
    for (const Case& c : cases) {
        Extended80 got = Pow10(c.n);
        EXPECT_TRUE(Same(got, c.expected))
            << "Pow10(" << c.n << ") = " << Hex(got) << ", want " << Hex(c.expected);
    }
}

TEST_F(Pow10Test, SmallMagnitudesAreCorrectlyRounded)
{
    for (int n = -29; n <= 32; ++n) {
        Extended80 expected = CorrectlyRoundedPow10(n).value;
        EXPECT_TRUE(Same(Pow10(n), expected))
            << "Pow10(" << n << ") = " << Hex(Pow10(n)) << ", want " << Hex(expected);
    }
}

TEST_F(Pow10Test, SomeExponentsDeviateFromCorrectRounding)
{
    for (int n : {33, 43, 52, 65, -30, -33, -37, -41}) {
        Extended80 nearest = CorrectlyRoundedPow10(n).value;
        EXPECT_FALSE(Same(Pow10(n), nearest))
            << "Pow10(" << n << ") = " << Hex(Pow10(n)) << " is the correctly rounded power";
        EXPECT_TRUE(Same(Pow10(n), EmulatedPow10(n)))
            << "Pow10(" << n << ") = " << Hex(Pow10(n)) << ", want " << Hex(EmulatedPow10(n));
    }
}

// ---------------------------------------------------------------------------
// Whole range: the x87 product chain against its big-integer emulation, and
// the size of the deviations from the correctly rounded powers.
// ---------------------------------------------------------------------------

TEST_F(Pow10Test, EveryExponentMatchesTheFixedOrderProduct)
{
    int mismatches = 0;
    int deviating = 0;
    uint64_t worst = 0;
    Big power = Big::From(1);
    for (int k = 0; k <= 4932; ++k, power.MulSmall(10)) {
        for (int side = 0; side < (k == 0 ? 1 : 2); ++side) {
            int n = side == 0 ? k : -k;
            if (n == -4932)
                continue;  // the one subnormal result is a named case
            Extended80 got = Pow10(n);
            Extended80 expected = EmulatedPow10(n);
            if (!Same(got, expected) && ++mismatches <= 10)
                ADD_FAILURE() << "Pow10(" << n << ") = " << Hex(got) << ", want " << Hex(expected);
            uint64_t distance = UlpDistance(got, RoundedPower(power, n < 0).value);
            if (distance != 0)
                ++deviating;
            if (distance > worst)
                worst = distance;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_LE(worst, 4u) << "largest distance from the correctly rounded power, in ulps";
    // About half of the exponents deviate.
    EXPECT_GT(deviating, 9863 * 3 / 10);
    EXPECT_LT(deviating, 9863 * 7 / 10);
}

// ---------------------------------------------------------------------------
// The x87 unit itself
// ---------------------------------------------------------------------------

Extended80 Ext(uint64_t v)
{
    return X87FromUnsigned64(v);
}

TEST(X87Arith, OperandOrderOfTheNonCommutativeOperations)
{
    uint16_t saved = X87EnterExtendedNearest();
    Extended80 quotient = X87Divide(Ext(10), Ext(4));  // 2.5
    Extended80 difference = X87Subtract(Ext(3), Ext(10));  // -7
    X87RestoreControl(saved);
    EXPECT_TRUE(Same(quotient, Extended80{0xA000000000000000u, 0x4000})) << Hex(quotient);
    EXPECT_TRUE(Same(difference, Extended80{0xE000000000000000u, 0xC001})) << Hex(difference);
}

TEST(X87Arith, FromUnsigned64IsExact)
{
    const struct {
        uint64_t value;
        Extended80 expected;
    } cases[] = {
        {0, {0, 0}},
        {1, {0x8000000000000000u, 0x3FFF}},
        {100, {0xC800000000000000u, 0x4005}},
        {0x8000000000000001u, {0x8000000000000001u, 0x403E}},  // above the signed range
        {UINT64_MAX, {UINT64_MAX, 0x403E}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(Same(Ext(c.value), c.expected)) << c.value << ": " << Hex(Ext(c.value));
}

TEST(X87Arith, ByteImageRoundTrip)
{
    const uint8_t bytes[10] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xFE, 0xC0};
    Extended80 v = X87LoadBytes(bytes);
    EXPECT_EQ(v.Significand, 0xEFCDAB8967452301u);
    EXPECT_EQ(v.SignExponent, 0xC0FE);
    uint8_t back[10] = {};
    X87StoreBytes(v, back);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(back[i], bytes[i]) << "byte " << i;
}

TEST(X87Arith, EnterExtendedNearestKeepsOnlyTheMasks)
{
    uint16_t original = X87ReadControl();
    // Precision 24 bits, rounding toward zero, one exception unmasked bit
    // pattern left alone (all masks stay set so nothing traps).
    const uint16_t unusual = 0x0C7F;
    X87RestoreControl(unusual);
    uint16_t returned = X87EnterExtendedNearest();
    uint16_t entered = X87ReadControl();
    X87RestoreControl(returned);
    uint16_t restored = X87ReadControl();
    X87RestoreControl(original);
    EXPECT_EQ(returned, unusual);
    EXPECT_EQ(entered, (unusual & 0xF0FF) | 0x0300) << std::hex << entered;
    EXPECT_EQ(restored, unusual);
}

TEST(X87Arith, ArithmeticFollowsTheControlWord)
{
    // 1/3 rounded to 24 bits under single precision, to 64 under extended.
    uint16_t original = X87ReadControl();
    X87RestoreControl(static_cast<uint16_t>((original & 0xF0FF) | 0x0000));
    Extended80 single = X87Divide(Ext(1), Ext(3));
    X87EnterExtendedNearest();
    Extended80 extended = X87Divide(Ext(1), Ext(3));
    X87RestoreControl(original);
    EXPECT_EQ(single.Significand, 0xAAAAAB0000000000u) << Hex(single);
    EXPECT_EQ(extended.Significand, 0xAAAAAAAAAAAAAAABu) << Hex(extended);
}

TEST(X87Arith, FloorConversionsRoundDownAndRestoreRounding)
{
    uint16_t saved = X87EnterExtendedNearest();
    Extended80 minusHalf = X87Divide(X87Subtract(Ext(0), Ext(1)), Ext(2));
    Extended80 elevenQuarters = X87Divide(Ext(11), Ext(4));
    Extended80 big = X87Subtract(X87Multiply(Ext(1000000000000000000u), Ext(9)), X87Divide(Ext(1), Ext(2)));
    int32_t a = X87FloorToInt32(minusHalf);
    int64_t b = X87FloorToInt64(elevenQuarters);
    int64_t c = X87FloorToInt64(big);  // 8999999999999999999.5
    uint16_t after = X87ReadControl();
    Extended80 third = X87Divide(Ext(1), Ext(3));  // still nearest: rounds up
    X87RestoreControl(saved);
    EXPECT_EQ(a, -1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(c, 8999999999999999999);
    EXPECT_EQ(after & 0x0F00, 0x0300) << std::hex << after;
    EXPECT_EQ(third.Significand, 0xAAAAAAAAAAAAAAABu) << Hex(third);
}

TEST(X87Arith, Log10NearIntegersAndBetween)
{
    uint16_t saved = X87EnterExtendedNearest();
    const struct {
        uint64_t value;
        int32_t floorLog;
    } cases[] = {
        {2, 0}, {9, 0}, {11, 1}, {99, 1}, {101, 2}, {123456789, 8}, {1000000000000000001u, 18},
    };
    for (const auto& c : cases)
        EXPECT_EQ(X87FloorToInt32(X87Log10(Ext(c.value))), c.floorLog) << c.value;
    // log10(10^-5 * 2) lies between -5 and -4.
    Extended80 small = X87Multiply(Pow10(-5), Ext(2));
    EXPECT_EQ(X87FloorToInt32(X87Log10(small)), -5);
    X87RestoreControl(saved);
}

}  // namespace
