// Narrowing of extended values to double and single precision, checked
// against an integer model of one rounding to nearest-even.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "core/x87_narrow.h"
#include "tests/test_support.h"

namespace {

struct NarrowFormat {
    int Bytes;  // 4 or 8
    int Precision;  // significand bits with the hidden bit: 24 or 53
    int MinExponent;  // unbiased exponent of the smallest normal: -126 or -1022
    int Bias;  // 127 or 1023
    uint64_t MaxBiased;  // the all-ones exponent: 0xFF or 0x7FF
};

const NarrowFormat Single = {4, 24, -126, 127, 0xFF};
const NarrowFormat Double = {8, 53, -1022, 1023, 0x7FF};

// The model: the finite extended value sig * 2^(scale), rounded once to the
// format, with overflow to infinity and gradual underflow.
uint64_t ModelNarrow(const NarrowFormat& f, Extended80 x)
{
    uint64_t sign = (x.SignExponent >> 15) & 1u;
    int field = x.SignExponent & 0x7FFF;
    uint64_t signBit = sign << (8 * f.Bytes - 1);
    if (x.Significand == 0)
        return signBit;
    int scale = (field == 0 ? 1 : field) - 16383 - 63;  // value = sig * 2^scale
    int msb = 63;
    while (!(x.Significand >> msb & 1))
        --msb;
    int lead = msb + scale;
    int quantum = lead - (f.Precision - 1);
    if (quantum < f.MinExponent - (f.Precision - 1))
        quantum = f.MinExponent - (f.Precision - 1);
    int shift = quantum - scale;  // bits dropped from the significand, > 0 here
    uint64_t q;
    if (shift > 64) {
        q = 0;  // below half of the smallest step
    } else if (shift == 64) {
        q = x.Significand > (uint64_t{1} << 63) ? 1 : 0;  // a tie goes to the even 0
    } else {
        q = x.Significand >> shift;
        uint64_t rest = x.Significand & ((uint64_t{1} << shift) - 1);
        uint64_t half = uint64_t{1} << (shift - 1);
        if (rest > half || (rest == half && (q & 1)))
            ++q;
    }
    if (q >> f.Precision) {  // rounding carried into a new bit
        q >>= 1;
        ++quantum;
    }
    uint64_t fractionMask = (uint64_t{1} << (f.Precision - 1)) - 1;
    if (!(q >> (f.Precision - 1)))
        return signBit | q;  // subnormal or zero
    uint64_t biased = static_cast<uint64_t>(quantum + (f.Precision - 1) + f.Bias);
    if (biased >= f.MaxBiased)
        return signBit | (f.MaxBiased << (f.Precision - 1));  // infinity
    return signBit | (biased << (f.Precision - 1)) | (q & fractionMask);
}

uint64_t LoadBytes(const uint8_t* bytes, int n)
{
    uint64_t value = 0;
    for (int i = n - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

uint64_t Narrow(const NarrowFormat& f, Extended80 x)
{
    uint8_t out[8] = {};
    if (f.Bytes == 8)
        X87NarrowToDouble(x, out);
    else
        X87NarrowToSingle(x, out);
    return LoadBytes(out, f.Bytes);
}

std::string Show(Extended80 x)
{
    uint8_t bytes[10];
    X87StoreBytes(x, bytes);
    return HexImage(bytes + 8, 2) + " " + HexImage(bytes, 8);
}

std::string Hex(uint64_t bits, int bytes)
{
    uint8_t image[8];
    for (int i = 0; i < 8; ++i)
        image[i] = static_cast<uint8_t>(bits >> (8 * i));
    return HexImage(image, bytes);
}

struct NarrowCase {
    uint16_t signExponent;
    uint64_t significand;
    uint64_t single;
    uint64_t dbl;
};

TEST(X87Narrow, RoundsOnceToNearestEvenWithOverflowAndUnderflow)
{
    const NarrowCase cases[] = {
        // sign-exponent, significand, single, double
        {0x3FFF, 0x8000000000000000, 0x3F800000, 0x3FF0000000000000},  // 1
        {0xBFFF, 0xC000000000000000, 0xBFC00000, 0xBFF8000000000000},  // -1.5
        {0x3FFB, 0xCCCCCCCCCCCCCCCD, 0x3DCCCCCD, 0x3FB999999999999A},  // 0.1
        {0x0000, 0x0000000000000000, 0x00000000, 0x0000000000000000},  // +0
        {0x8000, 0x0000000000000000, 0x80000000, 0x8000000000000000},  // -0
        // 1 + 2^-24: a tie for single, goes to the even 1.0.
        {0x3FFF, 0x8000008000000000, 0x3F800000, 0x3FF0000010000000},
        // 1 + 3 * 2^-24: a tie that goes up to the even neighbour.
        {0x3FFF, 0x8000018000000000, 0x3F800002, 0x3FF0000030000000},
        // 1 + 2^-53 (tie, stays) and 1 + 2^-53 + 2^-63 (above the tie).
        {0x3FFF, 0x8000000000000400, 0x3F800000, 0x3FF0000000000000},
        {0x3FFF, 0x8000000000000401, 0x3F800000, 0x3FF0000000000001},
        // 1e39: beyond single, fine for double.
        {0x4080, 0xBC143FA4E250EB31, 0x7F800000, 0x48078287F49C4A1D},
        // Halfway between the largest double and 2^1024 rounds to infinity.
        {0x43FE, 0xFFFFFFFFFFFFFC00, 0x7F800000, 0x7FF0000000000000},
        {0x43FE, 0xFFFFFFFFFFFFF800, 0x7F800000, 0x7FEFFFFFFFFFFFFF},
        // 2^-149, the smallest single subnormal, and half of it (a tie to 0).
        {0x3F6A, 0x8000000000000000, 0x00000001, 0x36A0000000000000},
        {0x3F69, 0x8000000000000000, 0x00000000, 0x3690000000000000},
        {0x3F69, 0x8000000000000001, 0x00000001, 0x3690000000000000},
        // The largest single subnormal rounding up to the smallest normal.
        {0x3F80, 0xFFFFFF8000000000, 0x00800000, 0x380FFFFFF0000000},
        // 2^-1074 and below: double subnormals and zero.
        {0x3BCD, 0x8000000000000000, 0x00000000, 0x0000000000000001},
        {0x3BCC, 0x8000000000000000, 0x00000000, 0x0000000000000000},
        {0xBBCC, 0xC000000000000000, 0x80000000, 0x8000000000000001},
        // Extended subnormals end up as zero in both.
        {0x0000, 0x261247C8F29357F0, 0x00000000, 0x0000000000000000},
        {0x7FFE, 0xD72CB2A95C7EF6CD, 0x7F800000, 0x7FF0000000000000},
    };
    for (const NarrowCase& c : cases) {
        Extended80 x{c.significand, c.signExponent};
        EXPECT_EQ(Hex(Narrow(Single, x), 4), Hex(c.single, 4)) << "extended " << Show(x);
        EXPECT_EQ(Hex(Narrow(Double, x), 8), Hex(c.dbl, 8)) << "extended " << Show(x);
        // The model agrees with every hand-worked row, so the sweep below
        // compares against something known to be right.
        EXPECT_EQ(Hex(ModelNarrow(Single, x), 4), Hex(c.single, 4)) << "model, extended " << Show(x);
        EXPECT_EQ(Hex(ModelNarrow(Double, x), 8), Hex(c.dbl, 8)) << "model, extended " << Show(x);
    }
}

TEST(X87Narrow, RandomValuesAroundBothRangesMatchTheModel)
{
    std::mt19937_64 random(20261207);
    int mismatches = 0;
    for (int i = 0; i < 200000 && mismatches < 10; ++i) {
        uint64_t bits = random();
        // Exponents from well below double's subnormals to well above its
        // largest value, so both formats see every kind of result.
        int field = 16383 - 1200 + static_cast<int>(random() % 2450);
        uint64_t significand = (bits | (uint64_t{1} << 63));
        // Every fourth value gets tie-like low bits below each format's step.
        if (i % 4 == 1)
            significand = (significand & ~uint64_t{0xFFFFFFFFFF}) | (uint64_t{1} << 39);
        if (i % 4 == 2)
            significand = (significand & ~uint64_t{0x7FF}) | (uint64_t{1} << 10);
        Extended80 x{significand, static_cast<uint16_t>(field | (bits & 1 ? 0x8000 : 0))};
        for (const NarrowFormat* f : {&Single, &Double}) {
            uint64_t got = Narrow(*f, x);
            uint64_t want = ModelNarrow(*f, x);
            if (got != want) {
                ++mismatches;
                ADD_FAILURE() << "extended " << Show(x) << ": got " << Hex(got, f->Bytes) << ", expected "
                              << Hex(want, f->Bytes);
            }
        }
    }
}

TEST(X87Narrow, RoundsToNearestWhateverTheCallerSetAndRestoresIt)
{
    uint16_t original = X87ReadControl();
    const uint16_t towardZero = 0x0F7F;  // rounding toward zero, 64-bit precision
    X87RestoreControl(towardZero);
    uint8_t single[4], dbl[8];
    Extended80 tenth{0xCCCCCCCCCCCCCCCD, 0x3FFB};
    X87NarrowToSingle(tenth, single);
    X87NarrowToDouble(tenth, dbl);
    uint16_t after = X87ReadControl();
    X87RestoreControl(original);
    EXPECT_EQ(after, towardZero);
    EXPECT_EQ(HexImage(single, 4), "3DCCCCCD") << "toward zero would give ...CCCC";
    EXPECT_EQ(HexImage(dbl, 8), "3FB999999999999A") << "toward zero would give ...9999";
}

}  // namespace
