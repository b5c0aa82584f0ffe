// Byte-string arithmetic, checked against native 128-bit arithmetic where it
// can be and against known values beyond that.
#include <gtest/gtest.h>

#include <random>

#include "core/byte_arith.h"
#include "tests/test_support.h"

namespace {

TEST(ByteAddNegate, CarryLeavesTheTopByte)
{
    for (int n : {1, 8, 10, 11}) {
        uint8_t a[11], one[11] = {1};
        for (int i = 0; i < n; ++i)
            a[i] = 0xFF;
        EXPECT_EQ(ByteAdd(a, one, n), 1) << n;
        EXPECT_EQ(HexImage(a, n), std::string(2 * n, '0')) << n;
        ByteNegate(one, n);
        EXPECT_EQ(HexImage(one, n), std::string(2 * n, 'F')) << "-1, n " << n;
    }
}

#ifdef __SIZEOF_INT128__
// The random cross-checks use the compiler's 128-bit integers, which 32-bit
// targets lack; the fixed cases below run everywhere.
__extension__ typedef unsigned __int128 u128;

void Store(u128 value, uint8_t* bytes, int n)
{
    for (int i = 0; i < n; ++i) {
        bytes[i] = static_cast<uint8_t>(value);
        value >>= 8;
    }
}

u128 Load(const uint8_t* bytes, int n)
{
    u128 value = 0;
    for (int i = n - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

TEST(ByteAddNegate, AgreeWithNativeArithmeticOnRandomOperands)
{
    std::mt19937_64 random(7);
    for (int round = 0; round < 2000; ++round) {
        int n = 1 + static_cast<int>(random() % 15);
        u128 a = (static_cast<u128>(random()) << 64) | random();
        u128 b = (static_cast<u128>(random()) << 64) | random();
        u128 mask = n == 16 ? ~static_cast<u128>(0) : (static_cast<u128>(1) << (8 * n)) - 1;
        a &= mask;
        b &= mask;
        uint8_t x[16], y[16];
        Store(a, x, n);
        Store(b, y, n);
        int carry = ByteAdd(x, y, n);
        EXPECT_EQ(Load(x, n), (a + b) & mask);
        EXPECT_EQ(carry, (a + b) > mask ? 1 : 0);
        Store(a, x, n);
        ByteNegate(x, n);
        EXPECT_EQ(Load(x, n), (0 - a) & mask) << "negation, n " << n;
    }
}

#endif

TEST(ByteMul, LargestValueSquared)
{
    for (int n : {1, 8, 9, 11}) {
        uint8_t a[11], product[22];
        for (int i = 0; i < n; ++i)
            a[i] = 0xFF;
        ByteMul(a, a, product, n);
        std::string expected = std::string(2 * n - 1, 'F') + "E" + std::string(2 * n - 1, '0') + "1";
        EXPECT_EQ(HexImage(product, 2 * n), expected) << n;
    }
}

#ifdef __SIZEOF_INT128__
TEST(ByteMul, AgreesWithNativeProducts)
{
    std::mt19937_64 random(11);
    for (int round = 0; round < 2000; ++round) {
        uint64_t a = random(), b = round % 3 == 0 ? 10 : random();
        uint8_t x[8], y[8], product[16];
        Store(a, x, 8);
        Store(b, y, 8);
        ByteMul(x, y, product, 8);
        EXPECT_EQ(Load(product, 16), static_cast<u128>(a) * b) << a << " * " << b;
    }
}

TEST(ByteDivMod, TwoToThe79ByTen)
{
    uint8_t dividend[20] = {}, ten[10] = {10}, quotient[10], remainder[10];
    dividend[9] = 0x80;
    EXPECT_FALSE(ByteDivMod(dividend, ten, quotient, remainder, 10));
    // 2^79 / 10 = 60446290980731458735308 = 0xCCCCCCCCCCCCCCCCCCC
    EXPECT_EQ(HexImage(quotient, 10), "0CCCCCCCCCCCCCCCCCCC");
    EXPECT_EQ(HexImage(remainder, 10), "00000000000000000008");
}

TEST(ByteDivMod, AgreesWithNativeDivisionAndReportsOverflow)
{
    std::mt19937_64 random(13);
    for (int round = 0; round < 2000; ++round) {
        u128 dividend = (static_cast<u128>(random()) << 64) | random();
        uint64_t divisor = round % 2 ? 10 : (random() >> (random() % 64)) | 1;
        uint8_t in[16], d[8], q[8], r[8];
        Store(dividend, in, 16);
        Store(divisor, d, 8);
        bool overflow = ByteDivMod(in, d, q, r, 8);
        u128 trueQuotient = dividend / divisor;
        EXPECT_EQ(Load(q, 8), trueQuotient & 0xFFFFFFFFFFFFFFFFull);
        EXPECT_EQ(Load(r, 8), dividend % divisor);
        EXPECT_EQ(overflow, (trueQuotient >> 64) != 0);
    }
}

#endif

TEST(ByteDivMod, ZeroDivisorGivesAllOnes)
{
    uint8_t dividend[4] = {0x34, 0x12, 0x78, 0x56}, zero[2] = {}, q[2], r[2];
    EXPECT_TRUE(ByteDivMod(dividend, zero, q, r, 2));
    EXPECT_EQ(HexImage(q, 2), "FFFF");
    EXPECT_EQ(HexImage(r, 2), "1234");
}

// The plain bitwise restoring division, byte by byte, as a reference for
// every divisor width.
bool ReferenceDivMod(const uint8_t* dividend, const uint8_t* divisor, uint8_t* quotient, uint8_t* remainder,
                     int n)
{
    uint8_t rem[24] = {};
    bool overflow = false;
    for (int i = 0; i < n; ++i)
        quotient[i] = 0;
    for (int bit = 16 * n - 1; bit >= 0; --bit) {
        unsigned carry = (dividend[bit / 8] >> (bit % 8)) & 1;
        for (int i = 0; i <= n; ++i) {
            unsigned out = rem[i] >> 7;
            rem[i] = static_cast<uint8_t>((rem[i] << 1) | carry);
            carry = out;
        }
        bool below = rem[n] == 0;
        if (below) {
            below = false;
            for (int i = n - 1; i >= 0; --i) {
                if (rem[i] != divisor[i]) {
                    below = rem[i] < divisor[i];
                    break;
                }
            }
        }
        unsigned q = 0;
        if (!below) {
            uint8_t negated[24];  // rem - divisor as rem + (-divisor)
            for (int i = 0; i < n; ++i)
                negated[i] = divisor[i];
            ByteNegate(negated, n);
            ByteAdd(rem, negated, n);
            rem[n] = 0;
            q = 1;
        }
        for (int i = 0; i < n; ++i) {
            unsigned out = quotient[i] >> 7;
            quotient[i] = static_cast<uint8_t>((quotient[i] << 1) | q);
            q = out;
        }
        overflow = overflow || q != 0;
    }
    for (int i = 0; i < n; ++i)
        remainder[i] = rem[i];
    return overflow;
}

TEST(ByteDivMod, AgreesWithTheBitwiseReferenceAtEveryWidth)
{
    std::mt19937 random(23);
    for (int round = 0; round < 3000; ++round) {
        int n = 1 + static_cast<int>(random() % 11);
        uint8_t dividend[22], divisor[11], q[11], r[11], refQ[11], refR[11];
        for (int i = 0; i < 2 * n; ++i)
            dividend[i] = static_cast<uint8_t>(random());
        // Divisors of every size: a few bytes, all bytes, zero.
        int used = static_cast<int>(random() % static_cast<unsigned>(n + 1));
        for (int i = 0; i < n; ++i)
            divisor[i] = i < used ? static_cast<uint8_t>(random()) : 0;
        if (round % 50 == 0)
            dividend[2 * n - 1] = 0;  // leading zero bytes
        bool overflow = ByteDivMod(dividend, divisor, q, r, n);
        bool refOverflow = ReferenceDivMod(dividend, divisor, refQ, refR, n);
        SCOPED_TRACE("n " + std::to_string(n) + " dividend " + HexImage(dividend, 2 * n) + " divisor " +
                     HexImage(divisor, n));
        EXPECT_EQ(HexImage(q, n), HexImage(refQ, n));
        EXPECT_EQ(HexImage(r, n), HexImage(refR, n));
        EXPECT_EQ(overflow, refOverflow);
    }
}

TEST(ShiftBytes, TwoByteTable)
{
    struct Case {
        int32_t count;
        const char* expected;
    };
    const Case cases[] = {
        {0, "8001"},  {1, "0002"},  {-1, "C000"},        {7, "0080"},         {8, "0100"},
        {15, "8000"}, {16, "0000"}, {100, "0000"},       {-15, "FFFF"},       {-16, "FFFF"},
        {-9, "FFC0"}, {-8, "FF80"}, {INT32_MIN, "FFFF"}, {INT32_MAX, "0000"},
    };
    for (const Case& c : cases) {
        uint8_t buf[2] = {0x01, 0x80};
        ShiftBytes(buf, c.count, 2);
        EXPECT_EQ(HexImage(buf, 2), c.expected) << "count " << c.count;
    }
}

#ifdef __SIZEOF_INT128__
TEST(ShiftBytes, AgreesWithNativeShifts)
{
    std::mt19937_64 random(17);
    for (int round = 0; round < 2000; ++round) {
        uint64_t value = random();
        int count = static_cast<int>(random() % 140) - 70;
        uint8_t buf[8];
        Store(value, buf, 8);
        ShiftBytes(buf, count, 8);
        uint64_t expected;
        if (count >= 64)
            expected = 0;
        else if (count >= 0)
            expected = value << count;
        else if (count <= -64)
            expected = static_cast<uint64_t>(static_cast<int64_t>(value) >> 63);
        else
            expected = static_cast<uint64_t>(static_cast<int64_t>(value) >> -count);
        EXPECT_EQ(static_cast<uint64_t>(Load(buf, 8)), expected)
            << std::hex << value << " by " << std::dec << count;
    }
}

#endif

TEST(ShiftBytes, TenBytesBy72MovesByteZeroToTheTop)
{
    uint8_t buf[10] = {0xAB, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ShiftBytes(buf, 72, 10);
    EXPECT_EQ(HexImage(buf, 10), "AB000000000000000000");
}

TEST(DivMod64, ExactForSmallDivisors)
{
    uint64_t remainder = 0;
    EXPECT_EQ(DivMod64(~0ull, 10, &remainder), 1844674407370955161ull);
    EXPECT_EQ(remainder, 5u);
    std::mt19937_64 random(19);
    for (int round = 0; round < 5000; ++round) {
        uint64_t dividend = random() >> (random() % 64);
        uint64_t divisor = (random() >> 32) | 1;
        EXPECT_EQ(DivMod64(dividend, divisor, &remainder), dividend / divisor);
        EXPECT_EQ(remainder, dividend % divisor);
    }
}

TEST(MulCheck64, FlagsProductsFrom2To63)
{
    uint64_t product = 0;
    EXPECT_FALSE(MulCheck64(922337203685477580ull, 10, &product));
    EXPECT_EQ(product, 9223372036854775800ull);
    EXPECT_TRUE(MulCheck64(922337203685477581ull, 10, &product));
    EXPECT_EQ(product, 922337203685477581ull * 10);
    EXPECT_FALSE(MulCheck64(0, 10, &product));
    EXPECT_TRUE(MulCheck64(1ull << 62, 2, &product));
    EXPECT_FALSE(MulCheck64((1ull << 62) - 1, 2, &product));
}

TEST(AbsInt, MostNegativeMapsToItself)
{
    EXPECT_EQ(AbsInt(-5), 5);
    EXPECT_EQ(AbsInt(5), 5);
    EXPECT_EQ(AbsInt(0), 0);
    EXPECT_EQ(AbsInt(INT32_MIN), INT32_MIN);
}

}  // namespace
