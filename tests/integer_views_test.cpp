// The binary, hexadecimal and decimal fields, driven through the in-memory
// fields as the dialog drives them.
#include <gtest/gtest.h>

#include <cstring>

#include <string>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "core/number_text.h"
#include "memory/memory_fields.h"
#include "tests/test_support.h"
#include "views/decimal_view.h"

namespace {

std::string Register(int bytes = 10)
{
    return HexImage(ConverterState.ValueRegister, bytes);
}
std::string Text(int field)
{
    return MemoryFieldText(field);
}

TEST(BinaryHexViews, RenderEveryDigitOfTheWidth)
{
    MemoryStartUp(8, false);
    MemoryUserReplace(FieldDecimal, "5");
    EXPECT_EQ(Text(FieldBinary), "00000101");
    EXPECT_EQ(Text(FieldHex), "05");

    MemoryStartUp(80, false);
    MemoryUserReplace(FieldDecimal, "1");
    EXPECT_EQ(Text(FieldHex), "00000000000000000001");
    EXPECT_EQ(Text(FieldBinary), std::string(79, '0') + "1");
}

struct EntryCase {
    int width;
    bool big;
    int field;
    const char* typed;
    const char* registerHex;  // the width's bytes
    const char* decimal;
    const char* hex;
};

TEST(BinaryHexViews, EntryFillsFromTheEndOfTheMode)
{
    const EntryCase cases[] = {
        {16, false, FieldBinary, "101", "0005", "5", "0005"},
        {16, true, FieldBinary, "101", "A000", "-24576", "A000"},
        {16, true, FieldHex, "AB", "AB00", "-21760", "AB00"},
        {16, false, FieldHex, "AB", "00AB", "171", "00AB"},
        {16, false, FieldHex, "ab", "00AB", "171", "00AB"},
        {16, true, FieldHex, "1 2", "1200", "4608", "1200"},
        {16, true, FieldHex, "12", "1200", "4608", "1200"},
        {32, true, FieldHex, "8", "80000000", "-2147483648", "80000000"},
        {16, true, FieldHex, "", "0000", "0", "0000"},
        {16, false, FieldBinary, "", "0000", "0", "0000"},
        {16, true, FieldBinary, "", "0000", "0", "0000"},
        // Every character but "1" is a 0 bit, but still takes its place.
        {8, false, FieldBinary, "1x!", "04", "4", "04"},
        // Non-digits take no place in the hexadecimal field.
        {16, false, FieldHex, "g-F\xC3", "000F", "15", "000F"},
        {80, true, FieldHex, "ABCD", "ABCD0000000000000000", "-397619568508809385082880",
         "ABCD0000000000000000"},
    };
    for (const EntryCase& c : cases) {
        MemoryStartUp(c.width, c.big);
        MemoryUserReplace(c.field, c.typed);
        SCOPED_TRACE(std::string("width ") + std::to_string(c.width) + (c.big ? " big " : " little ") +
                     c.typed);
        EXPECT_EQ(Register(c.width / 8), c.registerHex);
        EXPECT_EQ(Text(FieldDecimal), c.decimal);
        if (c.field != FieldHex) {
            EXPECT_EQ(Text(FieldHex), c.hex);
        }
        std::string shown = c.typed;
        if (c.field == FieldHex) {
            for (char& ch : shown)
                ch = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
        }
        EXPECT_EQ(Text(c.field), shown) << "the typed field keeps the user's text (hexadecimal in capitals)";
    }
}

TEST(BinaryHexViews, LeavingTheFieldShowsTheCanonicalText)
{
    MemoryStartUp(16, true);
    MemoryUserReplace(FieldBinary, "101");
    EXPECT_EQ(Text(FieldHex), "A000");
    EXPECT_EQ(Text(FieldBinary), "101");
    MemoryLoseFocus(FieldBinary);
    EXPECT_EQ(Text(FieldBinary), "1010000000000000");
}

TEST(BinaryHexViews, ParseClearsTheBytesAboveTheWidth)
{
    MemoryStartUp(80, false);
    MemoryUserReplace(FieldHex, "FFFFFFFFFFFFFFFFFFFF");
    MemoryClickButton(ButtonWidth8);
    MemoryUserReplace(FieldBinary, "1");
    EXPECT_EQ(Register(), "00000000000000000001");
}

TEST(BinaryHexViews, TextBeyondTheLimitIsReadOnlyUpToTheBuffer)
{
    // A program's write is not held to the limit; the parsers read at most
    // 80 binary and 20 hexadecimal characters, counted from the start.
    MemoryStartUp(8, false);
    std::string ones = "1" + std::string(99, '0');
    MemoryProgramWrite(FieldBinary, ones.c_str());
    EXPECT_EQ(Register(), "80000000000000000000") << "the leading 1 stands at position 79, above the width";
    EXPECT_EQ(Text(FieldHex), "00");
    MemoryStartUp(80, false);
    MemoryProgramWrite(FieldHex, "123456789ABCDEF0123456789");
    EXPECT_EQ(Register(), "123456789ABCDEF01234");
    MemoryStartUp(8, true);
    MemoryProgramWrite(FieldBinary, std::string(80, '1').c_str());
    EXPECT_EQ(Register(1), "FF") << "80 bits aligned to an 8-bit width shift right";
}

struct DecimalCase {
    int width;
    const char* typed;
    const char* registerHex;  // the width's bytes
    bool error;
    const char* canonical;  // the text after the field loses the focus
};

TEST(DecimalView, ParsesClampsAndWraps)
{
    const DecimalCase cases[] = {
        {8, "127", "7F", false, "127"},
        {8, "128", "80", false, "-128"},
        {8, "255", "FF", false, "-1"},
        {8, "256", "7F", true, "127"},
        {8, "-128", "80", false, "-128"},
        {8, "-129", "7F", false, "127"},
        {8, "-256", "00", false, "0"},
        {8, "-257", "80", true, "-128"},
        {8, "9999", "7F", true, "127"},
        {8, "-999", "80", true, "-128"},
        {16, "65535", "FFFF", false, "-1"},
        {16, "65536", "7FFF", true, "32767"},
        {32, "4294967295", "FFFFFFFF", false, "-1"},
        {32, "-2147483648", "80000000", false, "-2147483648"},
        {32, "99999999999", "7FFFFFFF", true, "2147483647"},
        {64, "18446744073709551615", "FFFFFFFFFFFFFFFF", false, "-1"},
        {64, "-9223372036854775808", "8000000000000000", false, "-9223372036854775808"},
        {64, "18446744073709551616", "7FFFFFFFFFFFFFFF", true, "9223372036854775807"},
        {80, "-604462909807314587353088", "80000000000000000000", false, "-604462909807314587353088"},
        {80, "604462909807314587353088", "80000000000000000000", false, "-604462909807314587353088"},
        {80, "1208925819614629174706175", "FFFFFFFFFFFFFFFFFFFF", false, "-1"},
        {80, "1208925819614629174706176", "7FFFFFFFFFFFFFFFFFFF", true, "604462909807314587353087"},
        {80, "9999999999999999999999999", "7FFFFFFFFFFFFFFFFFFF", true, "604462909807314587353087"},
        {8, "007", "07", false, "7"},
        {8, "", "00", false, "0"},
        {8, "-", "00", false, "0"},
        {8, "12a", "00", true, "0"},
        {8, "+5", "00", true, "0"},
        {8, " ", "00", true, "0"},
        {8, "-1-", "00", true, "0"},
        {8, "--1", "00", true, "0"},
        {8, "1\xE9", "00", true, "0"},
    };
    for (const DecimalCase& c : cases) {
        MemoryStartUp(c.width, false);
        MemoryUserReplace(FieldDecimal, c.typed);
        SCOPED_TRACE(std::string("width ") + std::to_string(c.width) + " text '" + c.typed + "'");
        EXPECT_EQ(Register(c.width / 8), c.registerHex);
        EXPECT_EQ(ConverterState.DecimalError != 0, c.error);
        EXPECT_EQ(MemoryRepaintCount(FieldDecimal), c.error ? 1 : 0);
        MemoryLoseFocus(FieldDecimal);
        EXPECT_EQ(ConverterState.DecimalError, 0);
        EXPECT_EQ(Text(FieldDecimal), c.canonical);
    }
}

TEST(DecimalView, LongTextIsReadUpTo29Characters)
{
    MemoryStartUp(80, false);
    std::string digits = std::string(29, '0') + "5";  // the 5 lies beyond the read
    MemoryProgramWrite(FieldDecimal, digits.c_str());
    EXPECT_EQ(Register(), "00000000000000000000");
    EXPECT_EQ(ConverterState.DecimalError, 0);
    std::string huge(1000, '9');
    MemoryProgramWrite(FieldDecimal, huge.c_str());
    EXPECT_EQ(Register(), "7FFFFFFFFFFFFFFFFFFF");
    EXPECT_EQ(ConverterState.DecimalError, 1);
}

TEST(SaturateToWidth, LooksOnlyAtTheByteAboveTheWidth)
{
    struct Case {
        const char* acc;  // 3 bytes, most significant first
        bool clamped;
        const char* result;
    };
    const Case cases[] = {
        {"00FFFF", false, "00FFFF"}, {"FF0000", false, "FF0000"}, {"017654", true, "017FFF"},
        {"7F0000", true, "7F7FFF"},  {"FE1234", true, "FE8000"},  {"80FFFF", true, "808000"},
    };
    for (const Case& c : cases) {
        uint8_t acc[3];
        BytesFromHex(c.acc, acc, 3);
        EXPECT_EQ(SaturateToWidth(acc, 2), c.clamped) << c.acc;
        EXPECT_EQ(HexImage(acc, 3), c.result) << c.acc;
    }
}

TEST(PrintInt80, CountsPadTruncateOrKeepTheLeadingDigit)
{
    struct Case {
        const char* value;  // 10 bytes, hex
        int count;
        const char* text;
    };
    const Case cases[] = {
        {"5", 3, "005"},
        {"FFFFFFFFFFFFFFFFFFFB", 3, "-05"},
        {"1E240", 3, "123"},
        {"0", 0, "0"},
        {"FFFFFFFFFFFFFFFFFF85", 1, "-1"},
        {"10000000000000000", 0, "18446744073709551616"},
        {"80000000000000000000", 0, "-604462909807314587353088"},
        {"7FFFFFFFFFFFFFFFFFFF", 0, "604462909807314587353087"},
        {"7FFFFFFFFFFFFFFFFFFF", -3, "6"},
        {"7FFFFFFFFFFFFFFFFFFF", 19, "6044629098073145873"},
        {"0", 19, "0000000000000000000"},
        {"FFFFFFFFFFFFFFFFFFFF", 0, "-1"},
    };
    for (const Case& c : cases) {
        uint8_t value[10];
        BytesFromHex(c.value, value, 10);
        char out[32];
        char* end = PrintInt80(out, value, c.count);
        EXPECT_STREQ(out, c.text) << c.value << " count " << c.count;
        EXPECT_EQ(end, out + std::string(c.text).size());
    }
}

TEST(RenderDecimal, EveryWidthReadsItsBytesAsSigned)
{
    struct Case {
        int width;
        const char* hex;
        const char* text;
    };
    const Case cases[] = {
        {8, "80", "-128"},
        {16, "8000", "-32768"},
        {32, "80000000", "-2147483648"},
        {64, "8000000000000000", "-9223372036854775808"},
        {64, "7FFFFFFFFFFFFFFF", "9223372036854775807"},
        {80, "FFFFFFFFFFFFFFFFFFFF", "-1"},
    };
    for (const Case& c : cases) {
        MemoryStartUp(c.width, false);
        MemoryUserReplace(FieldHex, c.hex);
        EXPECT_EQ(Text(FieldDecimal), c.text) << c.hex;
    }
}

}  // namespace

// A bounded copy keeps at most capacity - 1 characters and always ends the
// text, which the window's copies of clipboard texts and paths rely on.
TEST(WriteTextBounded, CutsAtTheCapacityAndAlwaysEndsTheText)
{
    const struct {
        const char* text;
        int capacity;
        const char* kept;
    } cases[] = {{"abc", 8, "abc"}, {"abcdef", 4, "abc"}, {"abc", 4, "abc"}, {"abc", 1, ""}, {"", 3, ""}};
    for (const auto& c : cases) {
        char out[8];
        std::memset(out, 'x', sizeof out);
        char* end = WriteTextBounded(out, c.text, c.capacity);
        EXPECT_STREQ(out, c.kept) << c.text << " in " << c.capacity;
        EXPECT_EQ(end, out + std::strlen(c.kept));
    }
}
