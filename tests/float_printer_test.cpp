#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/field_formats.h"
#include "core/float_format.h"
#include "core/x87_arith.h"
#include "tests/test_support.h"
#include "views/float_printer.h"

namespace {

// A value of one of the three formats, as the bytes PrintFloat reads.
struct Value {
    uint8_t bytes[10];
    uint8_t size;
};

Value Single(uint32_t bits)
{
    Value v{{}, 4};
    for (int i = 0; i < 4; ++i)
        v.bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    return v;
}

Value Double(uint64_t bits)
{
    Value v{{}, 8};
    for (int i = 0; i < 8; ++i)
        v.bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    return v;
}

Value Extended(uint64_t significand, uint16_t signExponent)
{
    Value v{{}, 10};
    for (int i = 0; i < 8; ++i)
        v.bytes[i] = static_cast<uint8_t>(significand >> (8 * i));
    v.bytes[8] = static_cast<uint8_t>(signExponent);
    v.bytes[9] = static_cast<uint8_t>(signExponent >> 8);
    return v;
}

Value SingleOf(float f)
{
    return Single(std::bit_cast<uint32_t>(f));
}
Value DoubleOf(double d)
{
    return Double(std::bit_cast<uint64_t>(d));
}

std::string Describe(const Value& v)
{
    return "size " + std::to_string(v.size) + " 0x" + HexImage(v.bytes, v.size);
}

// The value as a long double (exact for all three formats).
long double Exact(const Value& v)
{
    if (v.size == 4) {
        float f;
        std::memcpy(&f, v.bytes, 4);
        return f;
    }
    if (v.size == 8) {
        double d;
        std::memcpy(&d, v.bytes, 8);
        return d;
    }
    long double x = 0;
    std::memcpy(&x, v.bytes, 10);
    return x;
}

// Calls PrintFloat on a buffer with a guard area, checks that it wrote no
// further than its NUL and returned the NUL's position.
std::string Print(const Value& v, int32_t budget)
{
    constexpr char Guard = 0x55;
    std::vector<char> buffer(static_cast<size_t>(budget > 64 ? budget + 64 : 128), Guard);
    char* end = PrintFloat(buffer.data(), v.bytes, v.size, budget);
    size_t length = std::strlen(buffer.data());
    EXPECT_EQ(end, buffer.data() + length) << Describe(v) << ": returned position is not the NUL's";
    for (size_t i = length + 1; i < buffer.size(); ++i) {
        if (buffer[i] != Guard) {
            ADD_FAILURE() << Describe(v) << ": wrote beyond its NUL at offset " << i;
            break;
        }
    }
    return std::string(buffer.data(), length);
}

std::string Reference(long double x)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.25Le", x);
    return text;
}

// The text read back (strtold) is within the precision the text shows of
// the value: one and a half units of its last written digit, not counting an
// integer's trailing zeros (digits are cut,
// and the subnormal digits are rounded first), plus 3e-18 relative for the
// scaling (the powers of ten are a few units in the last place off, and the
// smallest exponents go through a truncated 10^4932), plus the spacing of the
// smallest subnormals for reading back.
::testing::AssertionResult Denotes(const Value& v, const std::string& text)
{
    long double exact = Exact(v);
    const char* start = text.c_str();
    char* end = nullptr;
    long double parsed = std::strtold(start, &end);
    if (end != start + text.size())
        return ::testing::AssertionFailure() << Describe(v) << ": '" << text << "' is not a number";
    if ((text[0] == '-') != std::signbit(exact))
        return ::testing::AssertionFailure() << Describe(v) << ": '" << text << "' has the wrong sign";

    size_t e = text.find('e');
    long exponent = e == std::string::npos ? 0 : std::strtol(text.c_str() + e + 1, nullptr, 10);
    size_t point = text.find('.');
    long fractionDigits = 0;
    if (point != std::string::npos) {
        fractionDigits = static_cast<long>((e == std::string::npos ? text.size() : e) - point - 1);
    } else {
        // An integer's trailing zeros stand in for digits it does not show.
        for (size_t i = text.size(); i > 1 && text[i - 1] == '0'; --i)
            --fractionDigits;
    }
    long double unit = std::strtold(("1e" + std::to_string(exponent - fractionDigits)).c_str(), nullptr);
    long double tolerance =
        1.5L * unit + 3e-18L * std::fabs(exact) + std::numeric_limits<long double>::denorm_min();
    long double error = std::fabs(parsed - exact);
    if (error <= tolerance)
        return ::testing::AssertionSuccess();
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "error %.3Le > tolerance %.3Le", error, tolerance);
    return ::testing::AssertionFailure()
        << Describe(v) << ": '" << text << "' does not denote " << Reference(exact) << " (" << numbers << ")";
}

struct TextCase {
    Value value;
    int32_t budget;
    const char* text;
};

void ExpectTexts(const TextCase* cases, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const TextCase& c = cases[i];
        EXPECT_EQ(Print(c.value, c.budget), c.text) << Describe(c.value) << ", budget " << c.budget;
    }
}

constexpr uint64_t Int = 0x8000000000000000u;  // the extended format's integer bit

// ---------------------------------------------------------------------------
// Texts of the float view's budget, 28
// ---------------------------------------------------------------------------

TEST(PrintFloat, TextsOfNamedValues)
{
    const TextCase cases[] = {
        // value                                   budget  text
        {SingleOf(1.0f), 28, "1"},
        {SingleOf(0.5f), 28, "0.5"},
        {SingleOf(-2.5f), 28, "-2.5"},
        {Single(0x3DCCCCCD), 28, "0.10000000149011611939"},
        {Single(0x40490FDB), 28, "3.1415927410125732421"},
        {SingleOf(0x1p-20f), 28, "0.00000095367431640625"},
        {SingleOf(1e-20f), 28, "9.9999996e-21"},
        {Single(0x7F7FFFFF), 28, "3.4028234e38"},
        {Single(0x00800000), 28, "1.1754943e-38"},
        {DoubleOf(0.1), 28, "0.10000000000000000555"},
        {DoubleOf(1.0 / 3), 28, "0.33333333333333331484"},
        {DoubleOf(-1.0 / 3), 28, "-0.33333333333333331484"},
        {DoubleOf(123456.789), 28, "123456.7890000000043"},
        {DoubleOf(0x1p70), 28, "1180591620717411303400"},
        {DoubleOf(1e27), 28, "1000000000000000013200000000"},
        {DoubleOf(1e28), 28, "9999999999999999583100000000"},
        {DoubleOf(1e30), 28, "1.0e30"},
        {DoubleOf(1e-9), 28, "1.0e-9"},
        {DoubleOf(1.5e-10), 28, "1.4999999999999999e-10"},
        {Double(0x7FEFFFFFFFFFFFFF), 28, "1.7976931348623157e308"},
        {Double(0x0010000000000000), 28, "2.2250738585072013e-308"},
        {Extended(0xC000000000000000u, 0x3FFF), 28, "1.5"},
        {Extended(0xFFFFFFFFFFFFFFFFu, 0x7FFE), 28, "1.1897314953572317649e4932"},
        {Extended(Int, 0x0001), 28, "3.3621031431120935034e-4932"},
        {Extended(Int, 0x003B), 28, "9.69060253600051052e-4915"},  // 2^-16324, pre-scaled
        {Single(0x00000000), 28, "0.0"},
        {Single(0x80000000), 28, "-0.0"},
        {Double(0x0000000000000000), 28, "0.0"},
        {Double(0x8000000000000000), 28, "-0.0"},
        {Extended(0, 0x0000), 28, "0.0"},
        // 2^100: the scientific digit limits 7, 16 and none (budget only).
        {SingleOf(0x1p100f), 28, "1.2676506e30"},
        {DoubleOf(0x1p100), 28, "1.2676506002282294e30"},
        {Extended(Int, 0x3FFF + 100), 28, "1.2676506002282294014e30"},
        // A sign takes one character of the budget: 1e27 no longer fits.
        {DoubleOf(-1e27), 28, "-1.0e27"},
    };
    ExpectTexts(cases, std::size(cases));
}

TEST(PrintFloat, SubnormalDigits)
{
    const TextCase cases[] = {
        // value                                    budget  text
        {Single(0x00000001), 28, "0.0000000140129846432e-37"},
        {Single(0x00400000), 28, "0.0587747175411143754e-37"},
        {Single(0x007FFFFF), 28, "0.1175494210692441076e-37"},
        {Single(0x80000001), 28, "-0.0000000140129846432e-37"},
        {Double(0x0000000000000001), 28, "0.0000000000000000494e-307"},
        {Double(0x0008000000000000), 28, "0.1112536929253600692e-307"},
        {Double(0x000FFFFFFFFFFFFF), 28, "0.2225073858507200889e-307"},
        {Extended(1, 0x0000), 28, "0.0000000000000000000e-4931"},  // R rounds to 0
        {Extended(2, 0x0000), 28, "0.0000000000000000001e-4931"},
        {Extended(0x4000000000000000u, 0x0000), 28, "0.1681051571556046753e-4931"},
        {Extended(0x7FFFFFFFFFFFFFFFu, 0x0000), 28, "0.3362103143112093506e-4931"},
        {Extended(0x7FFFFFFFFFFFFFFFu, 0x8000), 28, "-0.3362103143112093506e-4931"},
        // The extended -0 is not Zero: it takes the subnormal form.
        {Extended(0, 0x8000), 28, "-0.0000000000000000000e-4931"},
    };
    ExpectTexts(cases, std::size(cases));
}

TEST(PrintFloat, SubnormalTextsDenoteTheirValues)
{
    for (Value v :
         {Single(0x00000001), Single(0x007FFFFF), Double(0x0000000000000001), Double(0x000FFFFFFFFFFFFF),
          Extended(2, 0), Extended(0x4000000000000000u, 0), Extended(0x7FFFFFFFFFFFFFFFu, 0)})
        EXPECT_TRUE(Denotes(v, Print(v, 28)));
}

TEST(PrintFloat, SpecialsKeepSignAndPayload)
{
    const TextCase cases[] = {
        // value                                      budget  text
        {Single(0x7F800000), 28, "1.INF"},
        {Single(0xFF800000), 28, "-1.INF"},
        {Single(0xFFC00000), 28, "-1.IND"},
        {Single(0x7F800001), 28, "1.SNaN#1"},
        {Single(0x7FFFFFFF), 28, "1.QNaN#4194303"},
        {Double(0x7FF0000000000000), 28, "1.INF"},
        {Double(0x7FF8000000000000), 28, "1.IND"},
        {Double(0x7FF8000000000005), 28, "1.QNaN#5"},
        {Double(0xFFF8000000000005), 28, "-1.QNaN#5"},
        {Double(0x7FF7FFFFFFFFFFFF), 28, "1.SNaN#2251799813685247"},
        {Extended(Int, 0x7FFF), 28, "1.INF"},
        {Extended(Int, 0xFFFF), 28, "-1.INF"},
        {Extended(0xC000000000000000u, 0xFFFF), 28, "-1.IND"},
        {Extended(0xC000000000000007u, 0x7FFF), 28, "1.QNaN#7"},
        {Extended(0x8000000000000009u, 0x7FFF), 28, "1.SNaN#9"},
        {Extended(0xFFFFFFFFFFFFFFFFu, 0xFFFF), 28, "-1.QNaN#4611686018427387903"},
        // The budget does not apply to the words.
        {Extended(0xFFFFFFFFFFFFFFFFu, 0xFFFF), 3, "-1.QNaN#4611686018427387903"},
    };
    ExpectTexts(cases, std::size(cases));
}

TEST(PrintFloat, InvalidExtendedEncodingsHaveNoSign)
{
    const TextCase cases[] = {
        // value                                     budget  text
        {Extended(0x4000000000000000u, 0x3FFF), 28, "1.INV"},  // unnormal
        {Extended(0x4000000000000000u, 0xBFFF), 28, "1.INV"},
        {Extended(0x0000000000000000u, 0x7FFF), 28, "1.INV"},  // pseudo-infinity
        {Extended(0x4000000000000001u, 0xFFFF), 28, "1.INV"},  // pseudo-NaN
        {Extended(0x8000000000000000u, 0x0000), 28, "1.INV"},  // pseudo-subnormal
        {Extended(0x8000000000000001u, 0x8000), 28, "1.INV"},
        {Extended(0x0000000000000001u, 0x0001), 28, "1.INV"},  // unnormal, smallest field
        {Extended(0x7FFFFFFFFFFFFFFFu, 0x7FFE), 28, "1.INV"},
    };
    ExpectTexts(cases, std::size(cases));
}

TEST(PrintFloat, InvalidSizeMessage)
{
    const struct {
        uint8_t size;
        const char* text;
    } cases[] = {
        {0, "PrintFloat - Invalid 'size' (0)"},
        {3, "PrintFloat - Invalid 'size' (3)"},
        {16, "PrintFloat - Invalid 'size' (16)"},
        {255, "PrintFloat - Invalid 'size' (255)"},  // 33 characters, the longest
    };
    uint8_t bytes[16] = {0x3F, 0x80};
    for (const auto& c : cases) {
        char out[40];
        std::memset(out, 0x55, sizeof out);
        char* end = PrintFloat(out, bytes, c.size, 4);
        EXPECT_STREQ(out, c.text);
        EXPECT_EQ(end, out + std::strlen(c.text)) << "size " << int{c.size};
    }
}

// ---------------------------------------------------------------------------
// Budgets other than 28
// ---------------------------------------------------------------------------

TEST(PrintFloat, SmallBudgets)
{
    const TextCase cases[] = {
        // value                      budget  text
        {DoubleOf(1.0 / 3), 10, "3.33333e-1"},
        {DoubleOf(0.5), 3, "0.5"},  // c - D = 2 < 3
        {DoubleOf(0.5), 2, "5.0e-1"},  // single digit: budget ignored
        {DoubleOf(123.0), 3, "123"},
        {DoubleOf(123.0), 2, "1.2e2"},  // at least one digit after the point
        {DoubleOf(123.5), 5, "123.5"},
        {DoubleOf(123.5), 4, "1.2e2"},
        {DoubleOf(100.0), 2, "1.0e2"},
        {DoubleOf(1200.0), 3, "1.2e3"},
        {DoubleOf(-2.5), 4, "-2.5"},
        {DoubleOf(-2.5), 3, "-2.5e0"},
        {DoubleOf(-2.5), 0, "-2.5e0"},  // a zero budget is not reduced
        // Cut digits lose their trailing zeros but keep the first.
        {DoubleOf(1.05), 7, "1.05e0"},
        {DoubleOf(1.05), 6, "1.05e0"},
        {DoubleOf(1.05), 5, "1.0e0"},
        // Subnormals keep the leading digits of the nineteen, cut, and at
        // least one, so the suffix still scales them right.
        {Single(0x00000001), 16, "0.0000000140e-37"},
        {Single(0x00000001), 0, "0.0e-37"},
        {Double(0x000FFFFFFFFFFFFF), 10, "0.222e-307"},
        {Extended(0x7FFFFFFFFFFFFFFFu, 0x0000), 8, "0.3e-4931"},
        {Extended(0x7FFFFFFFFFFFFFFFu, 0x8000), 9, "-0.3e-4931"},
    };
    ExpectTexts(cases, std::size(cases));
}

TEST(PrintFloat, SmallBudgetTextsDenoteTheirValues)
{
    const Value values[] = {
        DoubleOf(1.0 / 3),
        DoubleOf(-123.456),
        DoubleOf(6.02214076e23),
        Double(0x0000000000000001),
        Single(0x00012345),
        Extended(0x7FFFFFFFFFFFFFFFu, 0),
        Extended(0xFFFFFFFFFFFFFFFFu, 0x7FFE),
        Extended(Int, 0x8001),
    };
    for (const Value& v : values) {
        for (int32_t budget = 0; budget <= 40; ++budget) {
            std::string text = Print(v, budget);
            EXPECT_TRUE(Denotes(v, text)) << "budget " << budget;
            // The longest: the budget, or a word of up to 27 characters.
            EXPECT_LE(text.size(), static_cast<size_t>(budget > 27 ? budget : 27)) << "budget " << budget;
        }
    }
}

TEST(PrintFloat, LargeBudgetWritesEveryPositionalDigit)
{
    // The largest extended value: twenty digits, then zeros to 10^4932.
    std::string text = Print(Extended(0xFFFFFFFFFFFFFFFFu, 0x7FFE), 5000);
    ASSERT_EQ(text.size(), 4933u);
    EXPECT_EQ(text.substr(0, 20), "11897314953572317649");
    EXPECT_EQ(text.find_first_not_of('0', 20), std::string::npos);
    // The smallest normal: "0.", 4931 zeros, then the digits.
    std::string small = Print(Extended(Int, 0x0001), 5000);
    EXPECT_EQ(small.substr(0, 4933), "0." + std::string(4931, '0'));
    EXPECT_EQ(small.substr(4933), "33621031431120935034");
}

// ---------------------------------------------------------------------------
// Values whose decimal exponent the logarithm misjudges, or whose scaled
// integer lands just outside 18 digits because the power of ten is a few units
// in the last place off. Found by searching the neighbourhoods of every power
// of ten. Their digits must still be placed right.
// ---------------------------------------------------------------------------

TEST(PrintFloat, DigitsPlacedByTheScaledIntegerNearPowersOfTen)
{
    const Value values[] = {
        // Extended, just above negative powers of ten: the logarithm lands
        // below the integer, N = 10^18 has 19 digits.
        Extended(0xE0282E283A7938DEu, 0x14FA),  // 1.0000000000000000000000171e-3315
        Extended(0x8F69E9D842C5C8B3u, 0x25A4),  // 1.0000000000000000000001321e-2031
        Extended(0xB217C907689FE0C8u, 0x2AF9),  // 1.0000000000000000000001477e-1620
        Extended(0xFD4EBE00A8100861u, 0x3564),  // 1.0000000000000000000003095e-817
        // Extended, just above powers of ten: the power is too large, N has
        // 17 digits.
        Extended(0xFFBBCFE994E5C620u, 0x3E19),  // 1.0000000000000000000004360e-146
        Extended(0xD61D163A16A90D30u, 0x31E0),  // 1.0000000000000000000002062e-1088
        Extended(0xC320EE0F3029BB58u, 0x01DD),  // 1.0000000000000000000001832e-4788
        Extended(0xDE3D5B3C8B80B82Au, 0x4A77),  // 1.0000000000000000000000511e+807
        Extended(0xA9F2829138540763u, 0x79EF),  // 1.0000000000000000000008455e+4465
        // Doubles just below large powers of ten: the logarithm lands on the
        // next integer, N has 17 digits.
        Double(0x789D9388B3AA30A5),  // 9.9999999999999994540234170e+272
        Double(0x4AF0B46C6CDD6E3E),  // 9.9999999999999999322094867e+52
        Double(0x4D6E62C4E38FF872),  // 9.9999999999999999209038626e+64
        Double(0x7FAC7B1F3CAC7433),  // 9.9999999999999998603105976e+306
        Double(0x2FBDA48CE468E7C7),  // 9.9999999999999999887872835e-79
        Double(0x009C16C5C5253575),  // 9.9999999999999999628217901e-306
    };
    for (const Value& v : values) {
        std::string text = Print(v, 28);
        EXPECT_TRUE(Denotes(v, text));
        EXPECT_LE(text.size(), 28u) << Describe(v) << ": '" << text << "'";
    }
}

// ---------------------------------------------------------------------------
// Floating-point environment
// ---------------------------------------------------------------------------

TEST(PrintFloat, RestoresTheCallersControlWord)
{
    const Value values[] = {DoubleOf(0.1), Extended(Int, 0x0005), Single(0x00000001),
                            Double(0x7FF8000000000005)};
    std::string expected[std::size(values)];
    for (size_t i = 0; i < std::size(values); ++i)
        expected[i] = Print(values[i], 28);

    uint16_t original = X87ReadControl();
    // 24-bit precision, rounding toward zero, all exceptions masked.
    const uint16_t unusual = 0x0C7F;
    X87RestoreControl(unusual);
    std::string got[std::size(values)];
    uint16_t after[std::size(values)];
    for (size_t i = 0; i < std::size(values); ++i) {
        got[i] = Print(values[i], 28);
        after[i] = X87ReadControl();
    }
    X87RestoreControl(original);
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(after[i], unusual) << Describe(values[i]) << ": control word 0x" << std::hex << after[i];
        EXPECT_EQ(got[i], expected[i])
            << Describe(values[i]) << ": text depends on the caller's control word";
    }
}

// ---------------------------------------------------------------------------
// Sweeps: random bit patterns of every class, and every exponent
// ---------------------------------------------------------------------------

#ifdef DEXOLIN_LONG_SWEEPS
constexpr int RandomPerClass = 400000;
#else
constexpr int RandomPerClass = 3000;
#endif

// Checks one value against what its raw bits say it is.
void CheckValue(const Value& v)
{
    std::string text = Print(v, 28);
    ASSERT_LE(text.size(), 28u) << Describe(v) << ": '" << text << "'";

    uint64_t sig;
    uint32_t field;
    uint32_t allOnes;
    bool negative;
    uint64_t quiet;
    uint64_t payload;
    if (v.size == 10) {
        std::memcpy(&sig, v.bytes, 8);
        uint32_t se = v.bytes[8] | (v.bytes[9] << 8);
        field = se & 0x7FFF;
        allOnes = 0x7FFF;
        negative = (se & 0x8000) != 0;
        bool integerBit = (sig & Int) != 0;
        if (integerBit != (field != 0)) {
            ASSERT_EQ(text, "1.INV") << Describe(v);
            return;
        }
        quiet = sig & 0x4000000000000000u;
        payload = sig & 0x3FFFFFFFFFFFFFFFu;
        if (sig == 0 && se == 0) {
            ASSERT_EQ(text, "0.0") << Describe(v);
            return;
        }
    } else {
        uint64_t bits = 0;
        std::memcpy(&bits, v.bytes, v.size);
        int fractionBits = v.size == 4 ? 23 : 52;
        allOnes = v.size == 4 ? 0xFF : 0x7FF;
        field = static_cast<uint32_t>(bits >> fractionBits) & allOnes;
        negative = (bits >> (8 * v.size - 1)) != 0;
        uint64_t fraction = bits & ((uint64_t{1} << fractionBits) - 1);
        quiet = fraction >> (fractionBits - 1);
        payload = fraction & ((uint64_t{1} << (fractionBits - 1)) - 1);
        if (field == 0 && fraction == 0) {
            ASSERT_EQ(text, negative ? "-0.0" : "0.0") << Describe(v);
            return;
        }
    }
    std::string sign = negative ? "-" : "";
    if (field == allOnes) {
        std::string word = payload != 0 ? (quiet ? "1.QNaN#" : "1.SNaN#") + std::to_string(payload)
                                        : (quiet ? "1.IND" : "1.INF");
        ASSERT_EQ(text, sign + word) << Describe(v);
        return;
    }
    ASSERT_TRUE(Denotes(v, text));
}

class PrintFloatSweep : public ::testing::Test {
protected:
    std::mt19937_64 random_{0x5EEDF10A7ull};

    uint64_t Bits(int n)
    {
        return n == 64 ? random_() : random_() & ((uint64_t{1} << n) - 1);
    }
    uint64_t Sign(int bit)
    {
        return Bits(1) << bit;
    }
};

TEST_F(PrintFloatSweep, RandomSingles)
{
    for (int i = 0; i < RandomPerClass; ++i) {
        uint64_t fraction = Bits(23);
        CheckValue(Single(static_cast<uint32_t>(Sign(31) | fraction)));  // subnormal
        CheckValue(
            Single(static_cast<uint32_t>(Sign(31) | ((1 + Bits(8) % 254) << 23) | fraction)));  // normal
        CheckValue(Single(static_cast<uint32_t>(Sign(31) | (0xFFull << 23) | fraction)));  // special
        CheckValue(Single(static_cast<uint32_t>(Sign(31))));  // zero
    }
}

TEST_F(PrintFloatSweep, RandomDoubles)
{
    for (int i = 0; i < RandomPerClass; ++i) {
        uint64_t fraction = Bits(52);
        CheckValue(Double(Sign(63) | fraction));
        CheckValue(Double(Sign(63) | ((1 + Bits(11) % 2046) << 52) | fraction));
        CheckValue(Double(Sign(63) | (0x7FFull << 52) | fraction));
        CheckValue(Double(Sign(63)));
    }
}

TEST_F(PrintFloatSweep, RandomExtendeds)
{
    for (int i = 0; i < RandomPerClass; ++i) {
        uint16_t sign = static_cast<uint16_t>(Sign(15));
        uint64_t low = Bits(63);
        CheckValue(Extended(low, sign));  // subnormal, -0
        CheckValue(Extended(Int | low, static_cast<uint16_t>(sign | (1 + Bits(15) % 32766))));  // normal
        CheckValue(Extended(Int | low, static_cast<uint16_t>(sign | (1 + Bits(6) % 59))));  // tiny pre-scale
        CheckValue(Extended(Int | low, static_cast<uint16_t>(sign | 0x7FFF)));  // special
        CheckValue(Extended(random_(), static_cast<uint16_t>(random_())));  // anything, invalid too
        CheckValue(Extended(0, 0));
    }
}

TEST_F(PrintFloatSweep, EveryExponent)
{
    for (uint32_t field = 1; field < 0xFF; ++field)
        CheckValue(Single(static_cast<uint32_t>(Sign(31) | (uint64_t{field} << 23) | Bits(23))));
    for (uint64_t field = 1; field < 0x7FF; ++field)
        CheckValue(Double(Sign(63) | (field << 52) | Bits(52)));
    for (uint32_t field = 1; field < 0x7FFF; ++field)
        CheckValue(Extended(Int | Bits(63), static_cast<uint16_t>(Sign(15) | field)));
}

// Every power of ten and its neighbours, where misjudged exponents live.
TEST_F(PrintFloatSweep, NeighboursOfPowersOfTen)
{
    char text[32];
    for (int k = -4931; k <= 4932; ++k) {
        std::snprintf(text, sizeof text, "1e%d", k);
        long double x = std::strtold(text, nullptr);
        long double up = x;
        long double down = x;
        for (int step = 0; step < 2; ++step) {
            Value a{{}, 10};
            Value b{{}, 10};
            std::memcpy(a.bytes, &up, 10);
            std::memcpy(b.bytes, &down, 10);
            CheckValue(a);
            CheckValue(b);
            up = std::nextafter(up, 2 * up);
            down = std::nextafter(down, 0.0L);
        }
    }
    for (int k = -307; k <= 308; ++k) {
        std::snprintf(text, sizeof text, "1e%d", k);
        double x = std::strtod(text, nullptr);
        for (int step = 0; step < 8; ++step) {
            CheckValue(DoubleOf(x));
            x = std::nextafter(x, 0.0);
        }
    }
}

// ---------------------------------------------------------------------------
// The decimal exponent without the logarithm: ScaleToDecimal against the x87
// logarithm's path, ScaleByLogarithm, on the same values
// ---------------------------------------------------------------------------

#ifdef DEXOLIN_LONG_SWEEPS
constexpr int ScalingRandomPerSize = 20000000;
constexpr int UlpsAroundPowers = 256;
#else
constexpr int ScalingRandomPerSize = 20000;
constexpr int UlpsAroundPowers = 12;
#endif

::testing::AssertionResult ScalesAsTheLogarithm(const Value& v)
{
    const FloatFormat& format = *FloatFormatOf(8 * v.size);
    if (ClassifyEncoding(format, v.bytes) != EncodingClass::Normal)
        return ::testing::AssertionFailure() << Describe(v) << " is not normal";
    UnpackedFloat f = UnpackFloat(format, v.bytes);
    ScaledDecimal fast = ScaleToDecimal(f.significand, f.exponent);
    ScaledDecimal x87 = ScaleByLogarithm(f.significand, f.exponent);
    if (fast.Digits == x87.Digits && fast.Extra == x87.Extra && fast.Exponent == x87.Exponent)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << Describe(v) << ": N, G, D " << fast.Digits << ", " << fast.Extra << ", " << fast.Exponent
        << " where the logarithm gives " << x87.Digits << ", " << x87.Extra << ", " << x87.Exponent;
}

Value ValueOf(long double x, uint8_t size)
{
    if (size == 4)
        return SingleOf(static_cast<float>(x));
    if (size == 8)
        return DoubleOf(static_cast<double>(x));
    Value v{{}, 10};
    std::memcpy(v.bytes, &x, 10);
    return v;
}

// The value of the format next to x toward `toward`.
long double Next(long double x, long double toward, uint8_t size)
{
    if (size == 4)
        return std::nextafter(static_cast<float>(x), static_cast<float>(toward));
    if (size == 8)
        return std::nextafter(static_cast<double>(x), static_cast<double>(toward));
    return std::nextafter(x, toward);
}

// The values of the format within `ulps` steps of x, both ways.
void ExpectScalingAround(long double x, uint8_t size, int ulps)
{
    long double up = x;
    long double down = x;
    for (int step = 0; step <= ulps; ++step) {
        EXPECT_TRUE(ScalesAsTheLogarithm(ValueOf(up, size)));
        EXPECT_TRUE(ScalesAsTheLogarithm(ValueOf(down, size)));
        up = Next(up, 2 * up, size);
        down = Next(down, 0, size);
    }
}

// Every power of ten of every format: the values nearest it, where the
// logarithm may land on either side of the integer, and those at the edges of
// the margin (2^-32 relative) within which the logarithm still decides.
TEST(ScaleToDecimal, NeighbourhoodOfEveryPowerOfTen)
{
    struct Format {
        uint8_t size;
        int lowest;  // the smallest power of ten above the smallest normal value
        int highest;  // the largest power of ten below the largest finite value
    };
    const Format formats[] = {{4, -37, 38}, {8, -307, 308}, {10, -4931, 4932}};
    const long double margin = std::ldexp(1.0L, -32);
    char text[32];
    for (const Format& format : formats) {
        for (int k = format.lowest; k <= format.highest; ++k) {
            std::snprintf(text, sizeof text, "1e%d", k);
            long double x = std::strtold(text, nullptr);
            ExpectScalingAround(x, format.size, UlpsAroundPowers);
            if (format.size != 4) {  // a single's spacing, 2^-23, is wider than the margin
                ExpectScalingAround(x * (1 + margin), format.size, UlpsAroundPowers / 4);
                ExpectScalingAround(x * (1 - margin), format.size, UlpsAroundPowers / 4);
            }
        }
    }
}

TEST(ScaleToDecimal, RandomNormalValuesOfEverySize)
{
    std::mt19937_64 random(0x5CA1E);
    for (int i = 0; i < ScalingRandomPerSize; ++i) {
        uint64_t bits = random();
        uint64_t field = random();
        ASSERT_TRUE(ScalesAsTheLogarithm(
            Single(static_cast<uint32_t>((bits & 0x807FFFFFu) | ((1 + field % 254) << 23)))));
        ASSERT_TRUE(ScalesAsTheLogarithm(Double((bits & 0x800FFFFFFFFFFFFFu) | ((1 + field % 2046) << 52))));
        ASSERT_TRUE(
            ScalesAsTheLogarithm(Extended(bits | Int, static_cast<uint16_t>(1 + (field >> 16) % 32766))));
    }
}

}  // namespace
