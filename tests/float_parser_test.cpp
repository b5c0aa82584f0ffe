// ParseFloat on its own: numbers, exponents, special words, errors, and the
// x87 control word around it.
#include <gtest/gtest.h>

#include <string>

#include "core/x87_arith.h"
#include "tests/test_support.h"
#include "views/float_parser.h"

namespace {

// The 10-byte result as "SEXP SIGNIFICAND" (sign-and-exponent word, then the
// 64-bit significand), the way the expectations below are written.
std::string Extended(const uint8_t* bytes)
{
    return HexImage(bytes + 8, 2) + " " + HexImage(bytes, 8);
}

struct ParseCase {
    const char* text;
    const char* expected;  // sign-and-exponent word, significand
};

// Parses into a buffer pre-filled with garbage so that every byte is checked.
std::string Parse(const std::string& text, bool* error)
{
    uint8_t out[10];
    for (uint8_t& byte : out)
        byte = 0xA5;
    *error = ParseFloat(text.c_str(), out);
    return Extended(out);
}

void ExpectAccepted(const ParseCase* cases, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        bool error = true;
        std::string result = Parse(cases[i].text, &error);
        EXPECT_FALSE(error) << "text '" << cases[i].text << "'";
        EXPECT_EQ(result, cases[i].expected) << "text '" << cases[i].text << "'";
    }
}

TEST(ParseFloat, NumbersAreOneRoundedProductOfDigitsAndPowerOfTen)
{
    const ParseCase cases[] = {
        {"1.5", "3FFF C000000000000000"},
        {"0.1", "3FFB CCCCCCCCCCCCCCCD"},
        {"+0.1", "3FFB CCCCCCCCCCCCCCCD"},
        {"-1.5", "BFFF C000000000000000"},
        {"1", "3FFF 8000000000000000"},
        {"10", "4002 A000000000000000"},
        {".5", "3FFE 8000000000000000"},
        {"5.", "4001 A000000000000000"},
        {"000001.2500", "3FFF A000000000000000"},
        // Not correctly rounded: Pow10(-4) and the product are each rounded;
        // the nearest extended value would end in ...0481.
        {"12345.6789", "400C C0E6B7318FC50482"},
        {"9223372036854775807", "403D FFFFFFFFFFFFFFFE"},
        // The 19th digit would pass 2^63 - 1: dropped, counted as a power of ten.
        {"9223372036854775808", "403D FFFFFFFFFFFFFFF0"},
        {"12345678901234567890123", "4048 A750AD939D9C5091"},
        // Dropped fraction digits do not change the exponent.
        {"0.1234567890123456789012", "3FFB FCD6E9BA37B2F8E2"},
        {"1e4932", "7FFE D72CB2A95C7EF6CD"},
        {"1E+4932", "7FFE D72CB2A95C7EF6CD"},
        {"1e0004932", "7FFE D72CB2A95C7EF6CD"},
        {"10e4931", "7FFE D72CB2A95C7EF6CD"},
        {"1e-4932", "0000 261247C8F29357F0"},
        {"0e4932", "0000 0000000000000000"},
        {"0e-4932", "0000 0000000000000000"},
        {"-0", "8000 0000000000000000"},
        {"2.5e-1", "3FFD 8000000000000000"},
    };
    ExpectAccepted(cases, std::size(cases));
}

TEST(ParseFloat, OverflowIsInfinityAndUnderflowSubnormalWithoutError)
{
    struct LongCase {
        std::string text;
        const char* expected;
    };
    const LongCase cases[] = {
        {"2e4932", "7FFF 8000000000000000"},
        {"-2e4932", "FFFF 8000000000000000"},
        {"99999999999e4932", "7FFF 8000000000000000"},
        // A 1 and 4950 zeros: 18 zeros are taken, the other 4932 are dropped
        // and each one still counts as a power of ten.
        {"1" + std::string(4950, '0'), "7FFF 8000000000000000"},
        // Below the normal range (about 3.36e-4932): subnormal results.
        {"-1e-4932", "8000 261247C8F29357F0"},
        {"2e-4932", "0000 4C248F91E526AFE0"},
        {"0.00003e-4927", "0000 7236D75AD7BA07D0"},
    };
    for (const LongCase& c : cases) {
        bool error = true;
        std::string result = Parse(c.text, &error);
        EXPECT_FALSE(error) << "text '" << c.text.substr(0, 40) << "' (" << c.text.size() << " chars)";
        EXPECT_EQ(result, c.expected)
            << "text '" << c.text.substr(0, 40) << "' (" << c.text.size() << " chars)";
    }
}

TEST(ParseFloat, EmptyAndBareSignsPointsAndExponentsAreZero)
{
    const ParseCase cases[] = {
        {"", "0000 0000000000000000"},   {"+", "0000 0000000000000000"},   {".", "0000 0000000000000000"},
        {"e", "0000 0000000000000000"},  {"E-", "0000 0000000000000000"},  {"-", "8000 0000000000000000"},
        {"1e", "3FFF 8000000000000000"}, {"1e+", "3FFF 8000000000000000"}, {"1e-", "3FFF 8000000000000000"},
    };
    ExpectAccepted(cases, std::size(cases));
}

TEST(ParseFloat, SpecialWordsIgnoreCaseAndWhatCameBefore)
{
    const ParseCase cases[] = {
        {"inf", "7FFF 8000000000000000"},
        {"1.INF", "7FFF 8000000000000000"},
        {"1.inf", "7FFF 8000000000000000"},
        {"INF", "7FFF 8000000000000000"},
        {"-1.INF", "FFFF 8000000000000000"},
        {"123.45iNf", "7FFF 8000000000000000"},
        {"ind", "7FFF C000000000000000"},
        {"1.IND", "7FFF C000000000000000"},
        {"1.Ind", "7FFF C000000000000000"},
        {"-1.IND", "FFFF C000000000000000"},
        {"qnan5", "7FFF C000000000000005"},
        {"qnan#5", "7FFF C000000000000005"},
        {"1.QNaN#5", "7FFF C000000000000005"},
        {"-1.QNaN#5", "FFFF C000000000000005"},
        {"1.SNaN#5", "7FFF 8000000000000005"},
        {"1.snan#007", "7FFF 8000000000000007"},
        {"1.QNaN#4611686018427387903", "7FFF FFFFFFFFFFFFFFFF"},
        {"1.SNaN#4611686018427387903", "7FFF BFFFFFFFFFFFFFFF"},
        // A zero payload gives the infinity and indefinite patterns.
        {"1.SNaN#0", "7FFF 8000000000000000"},
        {"1.QNaN#0", "7FFF C000000000000000"},
    };
    ExpectAccepted(cases, std::size(cases));
}

TEST(ParseFloat, RejectedTextsLeavePositiveZero)
{
    const std::string rejected[] = {
        // Malformed numbers.
        "1.2.3",
        "1e5.5",
        "1e+-5",
        "1e--5",
        " 1",
        "1 ",
        "--1",
        "-+1",
        "+-1",
        "1,5",
        "1e5e5",
        "0x10",
        "1e\xB5",
        "\xB9",
        // Exponents out of range, written or combined.
        "1e4933",
        "0.1e4933",
        "1e-4933",
        "5e-4933",
        "1e99999999999999",
        "1e-99999999999999",
        "0.5e-4932",
        "10e-4933",
        "1" + std::string(4951, '0'),
        "0." + std::string(4932, '0') + "1",
        // Words that are not special words.
        "1.#INF",
        "#inf",
        "1.INV",
        "inv",
        "infinity",
        "inf5",
        "infx",
        "in",
        "i",
        "nan",
        "NaN5",
        "x",
        "inde",
        "1.IND#5",
        // NaNs without a valid payload.
        "qnan",
        "qnan#",
        "snan",
        "snan#",
        "qnan##5",
        "qnan#5x",
        "qnan# 5",
        "qnan-5",
        "qnan#+5",
        "1.QNaN#4611686018427387904",
        "1.SNaN#9223372036854775808",
        "qnan#99999999999999999999",
    };
    for (const std::string& text : rejected) {
        bool error = false;
        std::string result = Parse(text, &error);
        EXPECT_TRUE(error) << "text '" << text.substr(0, 40) << "'";
        EXPECT_EQ(result, "0000 0000000000000000") << "text '" << text.substr(0, 40) << "'";
    }
}

TEST(ParseFloat, VeryLongDigitStringsStayDefined)
{
    // Millions of digits before or after the point push the decimal exponent
    // far out of range, however many there are.
    bool error = false;
    EXPECT_EQ(Parse(std::string(3000000, '7'), &error), "0000 0000000000000000");
    EXPECT_TRUE(error);
    EXPECT_EQ(Parse("0." + std::string(3000000, '7'), &error), "3FFE C71C71C71C71C71B");
    EXPECT_FALSE(error) << "fraction digits beyond the accumulator are dropped without effect";
    EXPECT_EQ(Parse("0." + std::string(3000000, '0') + "1", &error), "0000 0000000000000000");
    EXPECT_TRUE(error);
}

// A control word with 53-bit precision and rounding toward zero, exception
// masks as usual: under it 0.1 would come out differently.
constexpr uint16_t ForeignControl = 0x0E7F;

TEST(ParseFloat, WorksUnderItsOwnControlWordAndRestoresTheCallers)
{
    uint16_t original = X87ReadControl();
    X87RestoreControl(ForeignControl);
    uint8_t out[10];
    bool error = ParseFloat("0.1", out);
    uint16_t after = X87ReadControl();
    bool rejected = ParseFloat("1.2.3", out);
    uint16_t afterError = X87ReadControl();
    X87RestoreControl(original);

    EXPECT_FALSE(error);
    EXPECT_TRUE(rejected);
    EXPECT_EQ(after, ForeignControl);
    EXPECT_EQ(afterError, ForeignControl);
    ParseFloat("0.1", out);
    EXPECT_EQ(Extended(out), "3FFB CCCCCCCCCCCCCCCD");
}

TEST(ParseFloat, ResultDoesNotDependOnTheCallersRounding)
{
    uint16_t original = X87ReadControl();
    X87RestoreControl(ForeignControl);
    uint8_t out[10];
    ParseFloat("0.1", out);
    X87RestoreControl(original);
    EXPECT_EQ(Extended(out), "3FFB CCCCCCCCCCCCCCCD") << "rounded to nearest with 64 bits, not toward zero";
}

}  // namespace
