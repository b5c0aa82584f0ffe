// The readings beyond the fields: tables from raw bits at every width, and
// (natively) random patterns checked against the C library.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "tests/test_support.h"
#include "views/float_readings.h"
#include "views/reading_table.h"

namespace {

struct ReadingCase {
    int width;
    const char* bits;  // hex, most significant first; the register's other bytes are zero
    const char* expected;
};

std::string ReadingOf(Reading reading, const uint8_t* value, int width)
{
    static char text[ReadingCapacity];
    char* end = WriteReading(text, reading, value, width);
    EXPECT_LT(end - text, ReadingCapacity);
    EXPECT_EQ(std::strlen(text), static_cast<size_t>(end - text));
    return text;
}

std::string ReadingOf(Reading reading, const char* bits, int width)
{
    uint8_t value[10];
    BytesFromHex(bits, value, 10);
    return ReadingOf(reading, value, width);
}

void ExpectReadings(Reading reading, std::initializer_list<ReadingCase> cases)
{
    for (const ReadingCase& c : cases)
        EXPECT_EQ(ReadingOf(reading, c.bits, c.width), c.expected) << c.width << " bits " << c.bits;
}

TEST(FloatReadings, NamesAndOrderPerWidth)
{
    const struct {
        int width;
        const char* names;
    } cases[] = {
        {8, "unsigned"},
        {16, "unsigned half bfloat16"},
        {32, "unsigned class exact shortest hexfloat next previous"},
        {64, "unsigned class exact shortest hexfloat next previous"},
        {80, "unsigned class exact shortest hexfloat next previous"},
        {12, ""},
    };
    for (const auto& c : cases) {
        std::string names;
        for (const ReadingRow& row : ReadingTable) {
            if (ReadAtWidth(row, c.width))
                names += (names.empty() ? "" : " ") + std::string(row.Name);
        }
        EXPECT_EQ(names, c.names) << c.width;
    }
}

TEST(FloatReadings, Unsigned)
{
    ExpectReadings(Reading::Unsigned,
                   {
                       {8, "00", "0"},
                       {8, "FFFFFFFFFFFFFFFFFF80", "128"},  // bytes above the width
                       {16, "FFFF", "65535"},
                       {32, "80000000", "2147483648"},
                       {64, "FFFFFFFFFFFFFFFF", "18446744073709551615"},
                       {80, "00000000000000000000", "0"},
                       {80, "00010000000000000000", "18446744073709551616"},
                       {80, "3B9ACA00000000000000", "281474976710656000000000"},
                       {80, "FFFFFFFFFFFFFFFFFFFF", "1208925819614629174706175"},
                   });
}

// The classes of finite values; those of infinities, NaNs and the refused
// extended encodings are checked with their words below. The sign never
// changes the class.
TEST(FloatReadings, ClassOfFiniteValues)
{
    ExpectReadings(Reading::Class,
                   {
                       {32, "80000000", "zero"},
                       {32, "00000001", "subnormal"},
                       {32, "807FFFFF", "subnormal"},
                       {32, "00800000", "normal"},
                       {32, "FF7FFFFF", "normal"},
                       {64, "0000000000000000", "zero"},
                       {64, "800FFFFFFFFFFFFF", "subnormal"},
                       {64, "3FF0000000000000", "normal"},
                       {80, "80000000000000000000", "zero"},
                       {80, "00000000000000000001", "subnormal"},
                       {80, "80018000000000000000", "normal"},
                   });
}

TEST(FloatReadings, HalfAndBfloat16)
{
    const struct {
        const char* bits;
        const char* half;
        const char* bfloat16;
    } cases[] = {
        {"0000", "0", "0"},
        {"8000", "-0", "-0"},
        {"0001", "5.9604644775390625e-8",
         "9.18354961579912115600575419704879435795832466228193376178712270530013483949005603790283203125e-"
         "41"},
        {"03FF", "6.0975551605224609375e-5",
         "1.4987552972984165726601390849583632392187985848844115899236584255049820058047771453857421875e-36"},
        {"0400", "6.103515625e-5",
         "1.50463276905252801019998276764447446760789191266827202753120218403637409210205078125e-36"},
        {"3C00", "1e0", "7.8125e-3"},
        {"7BFF", "6.5504e4", "2.64807139785276209055055312790224896e36"},
        {"7C00", "1.INF", "2.658455991569831745807614120560689152e36"},
        {"FC00", "-1.INF", "-2.658455991569831745807614120560689152e36"},
        {"7E00", "1.IND", "4.2535295865117307932921825928971026432e37"},
        {"7D05", "1.SNaN#261", "1.1049207714962113193512896188580364288e37"},
        {"7F80", "1.QNaN#384", "1.INF"},
        {"FFC0", "-1.QNaN#448", "-1.IND"},
        {"7F81", "1.QNaN#385", "1.SNaN#1"},
        {"7FFF", "1.QNaN#511", "1.QNaN#63"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadingOf(Reading::Half, c.bits, 16), c.half) << c.bits;
        EXPECT_EQ(ReadingOf(Reading::Bfloat16, c.bits, 16), c.bfloat16) << c.bits;
    }
}

TEST(FloatReadings, Exact)
{
    ExpectReadings(
        Reading::Exact,
        {
            {32, "00000000", "0"},
            {32, "80000000", "-0"},
            {32, "3DCCCCCD", "1.00000001490116119384765625e-1"},
            {32, "80000001",
             "-1.40129846432481707092372958328991613128026194187651577175706828388979"
             "108268586060148663818836212158203125e-45"},
            {32, "007FFFFF",
             "1.1754942106924410754870294448492873488270524287458933338571745305715888"
             "70475618904265502351336181163787841796875e-38"},
            {32, "00800000",
             "1.17549435082228750796873653722224567781866555677208752150875170627841725"
             "94547271728515625e-38"},
            {32, "3F7FFFFF", "9.99999940395355224609375e-1"},
            {32, "41200000", "1e1"},
            {32, "7F7FFFFF", "3.4028234663852885981170418348451692544e38"},
            {64, "3FF0000000000000", "1e0"},
            {64, "3FB999999999999A", "1.000000000000000055511151231257827021181583404541015625e-1"},
            {64, "3FEFFFFFFFFFFFFF", "9.9999999999999988897769753748434595763683319091796875e-1"},
            {64, "4340000000000001", "9.007199254740994e15"},
            {64, "BFF8000000000000", "-1.5e0"},
            {80, "00000000000000000000", "0"},
            {80, "80000000000000000000", "-0"},
            {80, "BFFE8000000000000000", "-5e-1"},
            {80, "403E8000000000000000", "9.223372036854775808e18"},
            {80, "3FFEFFFFFFFFFFFFFFFF",
             "9.999999999999999999457898913757247782996273599565029144287109375e-1"},
            {80, "3FFFAAAAAAAAAAAAAAAB",
             "1.333333333333333333369473405749516814466915093362331390380859375e0"},
        });
}

// The longest exact values: the digit count and the exponent, which the
// random comparison with the C library below checks digit by digit.
TEST(FloatReadings, ExactLengthAtTheExtendedLimits)
{
    const struct {
        const char* bits;
        size_t digits;
        const char* exponent;
    } cases[] = {
        {"00007FFFFFFFFFFFFFFF", 11514, "e-4932"},  // the largest subnormal
        {"00018000000000000001", 11514, "e-4932"},  // the smallest normal's successor
        {"00000000000000000001", 11495, "e-4951"},  // the smallest subnormal
        {"7FFEFFFFFFFFFFFFFFFF", 4932, "e4932"},  // the largest finite value, a multiple of 10
    };
    for (const auto& c : cases) {
        std::string exact = ReadingOf(Reading::Exact, c.bits, 80);
        size_t e = exact.find('e');
        EXPECT_EQ(exact.substr(e), c.exponent) << c.bits;
        EXPECT_EQ(e - 1, c.digits) << c.bits;  // every digit and one point
    }
}

TEST(FloatReadings, Shortest)
{
    ExpectReadings(Reading::Shortest,
                   {
                       {32, "80000000", "-0"},
                       {32, "3DCCCCCD", "1e-1"},
                       {32, "00000001", "1e-45"},
                       {32, "007FFFFF", "1.1754942e-38"},
                       {32, "00800000", "1.1754944e-38"},
                       {32, "3F7FFFFF", "9.9999994e-1"},
                       {32, "7F7FFFFF", "3.4028235e38"},
                       // The gap below a power of two is half the gap above.
                       {32, "0F800000", "1.2621775e-29"},
                       // 9e9 is the upper end of the interval: it reads back
                       // to the even significand, not to the odd one below.
                       {32, "50061C46", "9e9"},
                       {32, "50061C45", "8.999998e9"},
                       {64, "3FB999999999999A", "1e-1"},
                       {64, "0000000000000001", "5e-324"},
                       {64, "000FFFFFFFFFFFFF", "2.225073858507201e-308"},
                       {64, "0060000000000000", "7.120236347223045e-307"},
                       {64, "7FEFFFFFFFFFFFFF", "1.7976931348623157e308"},
                       {64, "4340000000000001", "9.007199254740994e15"},
                       {80, "00000000000000000000", "0"},
                       {80, "00000000000000000001", "4e-4951"},
                       {80, "00007FFFFFFFFFFFFFFF", "3.362103143112093506e-4932"},
                       {80, "00018000000000000000", "3.3621031431120935063e-4932"},
                       {80, "3FFBCCCCCCCCCCCCCCCD", "1e-1"},
                       {80, "3FFFAAAAAAAAAAAAAAAB", "1.3333333333333333334e0"},
                       {80, "7FFEFFFFFFFFFFFFFFFF", "1.189731495357231765e4932"},
                   });
}

TEST(FloatReadings, HexFloat)
{
    ExpectReadings(Reading::HexFloat,
                   {
                       {32, "00000000", "0x0p+0"},
                       {32, "80000000", "-0x0p+0"},
                       {32, "00000001", "0x1p-149"},
                       {32, "007FFFFF", "0x1.fffffcp-127"},
                       {32, "00800000", "0x1p-126"},
                       {32, "BDCCCCCD", "-0x1.99999ap-4"},
                       {32, "7F7FFFFF", "0x1.fffffep+127"},
                       {64, "0000000000000001", "0x0.0000000000001p-1022"},
                       {64, "0008000000000000", "0x0.8p-1022"},
                       {64, "000FFFFFFFFFFFFF", "0x0.fffffffffffffp-1022"},
                       {64, "0010000000000000", "0x1p-1022"},
                       {64, "3FF0000000000001", "0x1.0000000000001p+0"},
                       {64, "C00921FB54442D18", "-0x1.921fb54442d18p+1"},
                       {64, "7FEFFFFFFFFFFFFF", "0x1.fffffffffffffp+1023"},
                       {80, "80000000000000000000", "-0x0p+0"},
                       {80, "3FFFC000000000000000", "0x1.8p+0"},
                       {80, "00000000000000000001", "0x0.0000000000000002p-16382"},
                       {80, "00007FFFFFFFFFFFFFFF", "0x0.fffffffffffffffep-16382"},
                       {80, "00018000000000000000", "0x1p-16382"},
                       {80, "3FFF8000000000000001", "0x1.0000000000000002p+0"},
                       {80, "7FFEFFFFFFFFFFFFFFFF", "0x1.fffffffffffffffep+16383"},
                   });
}

// Infinities and NaNs read as the float field's words in every float
// reading; the x87 encodings with the integer bit wrong read "1.INV". Their
// classes beside them.
TEST(FloatReadings, WordsAndClassesOfSpecialsAndInvalidEncodings)
{
    const struct {
        int width;
        const char* bits;
        const char* word;
        const char* encodingClass;
    } cases[] = {
        {32, "7F800000", "1.INF", "infinity"},
        {32, "FFC00000", "-1.IND", "indefinite"},
        {32, "7FC00005", "1.QNaN#5", "quiet NaN"},
        {32, "7F800001", "1.SNaN#1", "signalling NaN"},
        {32, "7FBFFFFF", "1.SNaN#4194303", "signalling NaN"},
        {64, "FFF0000000000000", "-1.INF", "infinity"},
        {64, "7FF8000000000000", "1.IND", "indefinite"},
        {64, "FFFFFFFFFFFFFFFF", "-1.QNaN#2251799813685247", "quiet NaN"},
        {64, "7FF4000000000000", "1.SNaN#1125899906842624", "signalling NaN"},
        {80, "7FFF8000000000000000", "1.INF", "infinity"},
        {80, "FFFFC000000000000000", "-1.IND", "indefinite"},
        {80, "7FFFC000000000000005", "1.QNaN#5", "quiet NaN"},
        {80, "FFFF8000000000000001", "-1.SNaN#1", "signalling NaN"},
        {80, "3FFF0000000000000000", "1.INV", "unnormal"},
        {80, "BFFF7FFFFFFFFFFFFFFF", "1.INV", "unnormal"},
        {80, "7FFE7FFFFFFFFFFFFFFF", "1.INV", "unnormal"},
        {80, "00008000000000000000", "1.INV", "pseudo-denormal"},
        {80, "80008000000000000001", "1.INV", "pseudo-denormal"},
        {80, "7FFF0000000000000000", "1.INV", "pseudo-infinity"},
        {80, "7FFF4000000000000000", "1.INV", "pseudo-NaN"},
        {80, "FFFF0000000000000001", "1.INV", "pseudo-NaN"},
    };
    for (const auto& c : cases) {
        for (Reading reading : {Reading::Exact, Reading::Shortest, Reading::HexFloat})
            EXPECT_EQ(ReadingOf(reading, c.bits, c.width), c.word)
                << static_cast<int>(reading) << " " << c.bits;
        EXPECT_EQ(ReadingOf(Reading::Class, c.bits, c.width), c.encodingClass) << c.bits;
    }
}

TEST(FloatReadings, NeighboursAcrossEveryBoundary)
{
    const struct {
        int width;
        const char* bits;
        const char* next;
        const char* previous;
    } cases[] = {
        {32, "00000000", "00000001", "80000001"},
        {32, "80000000", "00000001", "80000001"},
        {32, "00000001", "00000002", "00000000"},
        {32, "80000001", "80000000", "80000002"},
        {32, "007FFFFF", "00800000", "007FFFFE"},
        {32, "3F800000", "3F800001", "3F7FFFFF"},
        {32, "7F7FFFFF", "7F800000", "7F7FFFFE"},
        {32, "7F800000", "7F800000", "7F7FFFFF"},
        {32, "FF800000", "FF7FFFFF", "FF800000"},
        {32, "7FC00001", "7FC00001", "7FC00001"},
        {64, "8000000000000000", "0000000000000001", "8000000000000001"},
        {64, "000FFFFFFFFFFFFF", "0010000000000000", "000FFFFFFFFFFFFE"},
        {64, "BFF0000000000000", "BFEFFFFFFFFFFFFF", "BFF0000000000001"},
        {64, "FFEFFFFFFFFFFFFF", "FFEFFFFFFFFFFFFE", "FFF0000000000000"},
        {64, "FFF0000000000001", "FFF0000000000001", "FFF0000000000001"},
        {80, "00000000000000000000", "00000000000000000001", "80000000000000000001"},
        {80, "80000000000000000000", "00000000000000000001", "80000000000000000001"},
        {80, "80000000000000000001", "80000000000000000000", "80000000000000000002"},
        {80, "00007FFFFFFFFFFFFFFF", "00018000000000000000", "00007FFFFFFFFFFFFFFE"},
        {80, "00018000000000000000", "00018000000000000001", "00007FFFFFFFFFFFFFFF"},
        {80, "80018000000000000000", "80007FFFFFFFFFFFFFFF", "80018000000000000001"},
        {80, "3FFEFFFFFFFFFFFFFFFF", "3FFF8000000000000000", "3FFEFFFFFFFFFFFFFFFE"},
        {80, "3FFF8000000000000000", "3FFF8000000000000001", "3FFEFFFFFFFFFFFFFFFF"},
        {80, "7FFEFFFFFFFFFFFFFFFF", "7FFF8000000000000000", "7FFEFFFFFFFFFFFFFFFE"},
        {80, "7FFF8000000000000000", "7FFF8000000000000000", "7FFEFFFFFFFFFFFFFFFF"},
        {80, "FFFF8000000000000000", "FFFEFFFFFFFFFFFFFFFF", "FFFF8000000000000000"},
        {80, "FFFFC000000000000001", "FFFFC000000000000001", "FFFFC000000000000001"},
        {80, "3FFF0000000000000000", "", ""},
        {80, "00008000000000000000", "", ""},
        {80, "7FFF0000000000000000", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadingOf(Reading::Next, c.bits, c.width), c.next) << c.bits;
        EXPECT_EQ(ReadingOf(Reading::Previous, c.bits, c.width), c.previous) << c.bits;
    }
}

#if !defined(_WIN32)
// Random patterns against the GNU C library and libstdc++ (native only: the
// Windows C library prints differently).

// '[-]D.DDDe[-]N' from printf's "%.*Le" text: trailing zeros dropped, the
// exponent without '+' or leading zeros.
std::string FromPrintf(const char* text)
{
    std::string s(text);
    size_t e = s.find('e');
    std::string mantissa = s.substr(0, e);
    while (mantissa.back() == '0')
        mantissa.pop_back();
    if (mantissa.back() == '.')
        mantissa.pop_back();
    return mantissa + "e" + std::to_string(std::atoi(s.c_str() + e + 1));
}

// std::to_chars's shortest scientific text in the same form.
template <typename T> std::string ShortestFromToChars(T x)
{
    char text[64];
    *std::to_chars(text, text + sizeof text, x, std::chars_format::scientific).ptr = '\0';
    return FromPrintf(text);
}

struct RandomFormat {
    int width;
    long double (*load)(const uint8_t*);
};

long double LoadSingle(const uint8_t* b)
{
    float x;
    std::memcpy(&x, b, 4);
    return x;
}

long double LoadDouble(const uint8_t* b)
{
    double x;
    std::memcpy(&x, b, 8);
    return x;
}

long double LoadExtended(const uint8_t* b)
{
    long double x = 0;
    std::memcpy(&x, b, 10);
    return x;
}

// Random bits, half of them with the exponent field near its ends (where the
// subnormal, normal and infinity boundaries are).
void RandomPattern(std::mt19937_64& random, int width, uint8_t* value)
{
    uint64_t low = random();
    uint64_t high = random();
    for (int i = 0; i < 10; ++i)
        value[i] = static_cast<uint8_t>(i < 8 ? low >> (8 * i) : high >> (8 * (i - 8)));
    if (random() % 2 == 0) {
        // Exponent field 0, 1, all ones or one below, sign kept.
        int topByte = width / 8 - 1;
        uint64_t pick = random() % 4;
        bool ones = pick >= 2;
        bool odd = pick % 2 == 1;
        if (width == 80) {
            value[8] = ones ? static_cast<uint8_t>(0xFF - odd) : static_cast<uint8_t>(odd);
            value[9] = static_cast<uint8_t>((value[9] & 0x80) | (ones ? 0x7F : 0));
        } else {
            int shift = width == 32 ? 7 : 4;  // exponent's low bit in the top 16-bit word
            int bits = width == 32 ? 8 : 11;
            uint32_t field = ones ? (1u << bits) - 1 - odd : odd;
            uint32_t word = value[topByte - 1] | (value[topByte] << 8);
            uint32_t mask = ((1u << bits) - 1) << shift;
            word = (word & ~mask & 0xFFFF) | (field << shift);
            value[topByte - 1] = static_cast<uint8_t>(word);
            value[topByte] = static_cast<uint8_t>(word >> 8);
        }
    }
    if (width == 80 && (value[8] | (value[9] & 0x7F)) != 0)
        value[7] |= 0x80;  // valid encodings: the integer bit follows the exponent field
    else if (width == 80)
        value[7] &= 0x7F;
}

TEST(FloatReadings, RandomPatternsAgreeWithTheCLibrary)
{
    const RandomFormat formats[] = {{32, LoadSingle}, {64, LoadDouble}, {80, LoadExtended}};
    std::mt19937_64 random(20240610);
    static char printed[12000];  // "%.11600Le": 11,601 digits, a sign, a point, the exponent
    for (const RandomFormat& format : formats) {
        for (int i = 0; i < 600; ++i) {
            uint8_t value[10];
            RandomPattern(random, format.width, value);
            long double x = format.load(value);
            std::string where = std::to_string(format.width) + " bits " + HexImage(value, format.width / 8);
            if (std::isnan(x) || std::isinf(x))
                continue;
            if (i < 150) {  // the long expansions are slow to print
                std::snprintf(printed, sizeof printed, "%.11600Le", x);
                EXPECT_EQ(ReadingOf(Reading::Exact, value, format.width), FromPrintf(printed)) << where;
            }
            std::string shortest = format.width == 32 ? ShortestFromToChars(static_cast<float>(x))
                : format.width == 64                  ? ShortestFromToChars(static_cast<double>(x))
                                                      : ShortestFromToChars(x);
            if (x == 0)
                shortest = std::signbit(x) ? "-0" : "0";
            EXPECT_EQ(ReadingOf(Reading::Shortest, value, format.width), shortest) << where;

            std::string hex = ReadingOf(Reading::HexFloat, value, format.width);
            if (format.width != 80) {
                std::snprintf(printed, sizeof printed, "%a", static_cast<double>(x));
                EXPECT_EQ(hex, printed) << where;
            }
            long double back = std::strtold(hex.c_str(), nullptr);
            EXPECT_TRUE(back == x && std::signbit(back) == std::signbit(x)) << where << " " << hex;

            for (bool up : {true, false}) {
                uint8_t step[10] = {};
                BytesFromHex(ReadingOf(up ? Reading::Next : Reading::Previous, value, format.width), step,
                             10);
                long double toward = up ? INFINITY : -INFINITY;
                long double expected = format.width == 32
                    ? std::nextafter(static_cast<float>(x), static_cast<float>(toward))
                    : format.width == 64 ? std::nextafter(static_cast<double>(x), static_cast<double>(toward))
                                         : std::nextafter(x, toward);
                long double got = format.load(step);
                EXPECT_TRUE(got == expected && std::signbit(got) == std::signbit(expected))
                    << where << " up " << up;
            }
        }
    }
}
#endif

}  // namespace
