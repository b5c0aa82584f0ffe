// The sign box, the exponent field and the mantissa field, driven through the
// in-memory fields as the dialog drives them.
#include <gtest/gtest.h>

#include <string>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"
#include "tests/test_support.h"
#include "views/exponent_field.h"

namespace {

std::string Register(int bytes)
{
    return HexImage(ConverterState.ValueRegister, bytes);
}
std::string Text(int field)
{
    return MemoryFieldText(field);
}

// Starts at a width with the value's bits typed into the hexadecimal field.
void StartWith(int width, const char* hex)
{
    MemoryStartUp(width, false);
    MemoryUserReplace(FieldHex, hex);
    MemoryLoseFocus(FieldHex);
}

struct RenderCase {
    int width;
    const char* hex;
    const char* exponent;
    const char* mantissa;
    bool sign;
};

TEST(ComponentFields, RenderExponentMantissaAndSignOfTheValue)
{
    const RenderCase cases[] = {
        // width, value, exponent, mantissa, sign box
        {32, "3F800000", "0", "1.0000000", false},
        {32, "00000000", "-127", "0.0000000", false},
        {32, "80000000", "-127", "0.0000000", true},
        {32, "7F800000", "128", "1.0000000", false},
        {32, "3FC00000", "0", "1.5000000", false},
        {32, "3F800001", "0", "1.0000001", false},
        {32, "3FFFFFFF", "0", "1.9999999", false},
        {32, "C0490FDB", "1", "1.5707964", true},
        {32, "007FFFFF", "-127", "0.9999999", false},
        // 0x8000 * 10^7 / 2^23 is 39062.5: the renderer rounds half up.
        {32, "3F808000", "0", "1.0039063", false},
        {64, "3FF0000000000000", "0", "1.0000000000000000", false},
        {64, "000F000000000000", "-1023", "0.9375000000000000", false},
        {64, "1000000000000000", "-767", "1.0000000000000000", false},
        {64, "3FF0000000000001", "0", "1.0000000000000002", false},
        {64, "3FFFFFFFFFFFFFFF", "0", "1.9999999999999998", false},
        {64, "FFF0000000000000", "1024", "1.0000000000000000", true},
        // 2^35 * 10^16 / 2^52 is 76293945312.5.
        {64, "3FF0000800000000", "0", "1.0000076293945313", false},
        {80, "3FFF8000000000000000", "0", "1.0000000000000000000", false},
        {80, "3FFFC000000000000000", "0", "1.5000000000000000000", false},
        {80, "00000000000000000000", "-16383", "0.0000000000000000000", false},
        {80, "7FFF8000000000000000", "16384", "1.0000000000000000000", false},
        {80, "3FFF4000000000000000", "0", "0.5000000000000000000", false},
        {80, "BFFFFFFFFFFFFFFFFFFF", "0", "1.9999999999999999999", true},
        // 2^43 * 10^19 / 2^63 is 9536743164062.5.
        {80, "3FFF8000080000000000", "0", "1.0000009536743164063", false},
    };
    for (const RenderCase& c : cases) {
        StartWith(c.width, c.hex);
        EXPECT_EQ(Text(FieldExponent), c.exponent) << "width " << c.width << ", value " << c.hex;
        EXPECT_EQ(Text(FieldMantissa), c.mantissa) << "width " << c.width << ", value " << c.hex;
        EXPECT_EQ(MemorySignChecked(), c.sign) << "width " << c.width << ", value " << c.hex;
    }
}

struct ExponentCase {
    int width;
    const char* start;  // the value before the edit
    const char* typed;
    const char* value;  // the value after it
    bool error;
    const char* shownAfterLeaving;
};

TEST(ComponentFields, ExponentIsBiasedClampedAndFlagged)
{
    const ExponentCase cases[] = {
        // width, start value, typed, value, error, text after focus loss
        {32, "3F800000", "-127", "00000000", false, "-127"},
        {32, "3F800000", "-128", "00000000", true, "-127"},
        {32, "3F800000", "200", "7F800000", true, "128"},
        {32, "3F800000", "128", "7F800000", false, "128"},
        {32, "3F800001", "128", "7F800001", false, "128"},  // a NaN now
        {32, "40490FDB", "-", "3FC90FDB", false, "0"},
        {32, "40490FDB", "", "3FC90FDB", false, "0"},
        {32, "C0490FDB", "0", "BFC90FDB", false, "0"},  // sign and fraction stay
        {32, "3F800000", " +5x", "42000000", false, "5"},
        {32, "3F800000", "\t-3", "3E000000", false, "-3"},
        {32, "3F800000", "abc", "3F800000", false, "0"},
        {32, "3F800000", "-999", "00000000", true, "-127"},
        {64, "3FF0000000000000", "1024", "7FF0000000000000", false, "1024"},
        {64, "3FF0000000000000", "1025", "7FF0000000000000", true, "1024"},
        {64, "BFFFFFFFFFFFFFFF", "-1023", "800FFFFFFFFFFFFF", false, "-1023"},
        {64, "3FF0000000000000", "-1024", "0000000000000000", true, "-1023"},
        {80, "3FFF8000000000000000", "16384", "7FFF8000000000000000", false, "16384"},
        {80, "3FFF8000000000000000", "-16384", "00008000000000000000", true, "-16383"},
        {80, "BFFF8000000000000001", "-16383", "80008000000000000001", false, "-16383"},
        {80, "3FFF8000000000000000", "99999", "7FFF8000000000000000", true, "16384"},
    };
    for (const ExponentCase& c : cases) {
        StartWith(c.width, c.start);
        MemoryUserReplace(FieldExponent, c.typed);
        int bytes = c.width / 8;
        EXPECT_EQ(Register(bytes), c.value) << "width " << c.width << ", typed '" << c.typed << "'";
        EXPECT_EQ(ConverterState.ExponentError != 0, c.error) << "typed '" << c.typed << "'";
        EXPECT_EQ(Text(FieldExponent), c.typed) << "the typed text stays while editing";
        MemoryLoseFocus(FieldExponent);
        EXPECT_EQ(ConverterState.ExponentError, 0);
        EXPECT_EQ(Text(FieldExponent), c.shownAfterLeaving) << "typed '" << c.typed << "'";
    }
}

TEST(ComponentFields, ExponentFieldKeepsTheTextLimitOfItsWidth)
{
    StartWith(32, "3F800000");
    MemoryUserReplace(FieldExponent, "-12799");  // cut at 4 characters: "-127"
    EXPECT_EQ(Register(4), "00000000");
    EXPECT_EQ(ConverterState.ExponentError, 0);
}

TEST(ComponentFields, ExponentTextReadsLikeAtoi)
{
    // At 80 bits, whose exponents run from -16383 to 16384: the seven
    // characters the field reads are taken as atoi takes them, and leaving
    // the field shows the exponent they set, clamped to that range.
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"", 0},
        {"-", 0},
        {"+", 0},
        {"12", 12},
        {"-12", -12},
        {"+12", 12},
        {" \t\n\v\f\r7", 7},
        {"7 8", 7},
        {"--1", 0},
        {"1e3", 1},
        {"0x10", 0},
        {"0009", 9},
        {"16384", 16384},
        {"- 1", 0},
        {"-16384", -16384},
        {"9999999", 9999999},
        {"-999999", -999999},
    };
    for (const auto& c : cases) {
        StartWith(80, "3FFF8000000000000000");
        MemoryProgramWrite(FieldExponent, c.text);
        MemoryLoseFocus(FieldExponent);
        int32_t shown = c.value < -16383 ? -16383 : c.value > 16384 ? 16384 : c.value;
        EXPECT_EQ(Text(FieldExponent), std::to_string(shown)) << "text '" << c.text << "'";
    }
}

struct MantissaCase {
    int width;
    const char* start;
    const char* typed;
    const char* value;
    bool error;
    const char* shownAfterLeaving;
};

TEST(ComponentFields, MantissaParsesByTruncationAndKeepsSignAndExponent)
{
    const MantissaCase cases[] = {
        // width, start value, typed, value, error, text after focus loss
        {32, "3FC00000", "1.25", "3FA00000", false, "1.2500000"},
        {32, "BF800000", "1.5", "BFC00000", false, "1.5000000"},
        // The renderer rounds, the parser truncates: the shown 1.0000001 does
        // not come back as fraction 1 (10^12 * 2^23 / 10^19 truncates to 0).
        {32, "3F800001", "1.0000001", "3F800000", false, "1.0000000"},
        {32, "3F800000", "1.0039063", "3F808000", false, "1.0039063"},
        {32, "3F800000", "1.9999999", "3FFFFFFF", false, "1.9999999"},
        {32, "3F800000", "1.0", "3F800000", false, "1.0000000"},
        {32, "3F800000", "1.", "3F800000", true, "1.0000000"},
        {32, "3FC00000", "1.2x", "3F800000", true, "1.0000000"},
        {32, "3FC00000", "0.5", "3F800000", true, "1.0000000"},
        {32, "3FC00000", "2.5", "3F800000", true, "1.0000000"},
        {32, "3FC00000", "1,5", "3F800000", true, "1.0000000"},
        {32, "3FC00000", "", "3F800000", true, "1.0000000"},
        {32, "00400000", "1.5", "00400000", false, "0.5000000"},  // shown with 0: no exponent
        {64, "3FF0000000000000", "1.5", "3FF8000000000000", false, "1.5000000000000000"},
        {64, "3FF0000000000001", "1.0000000000000002", "3FF0000000000000", false, "1.0000000000000000"},
        {64, "3FF0000000000000", "1.0000000000000003", "3FF0000000000001", false, "1.0000000000000002"},
        {64, "C00FFFFFFFFFFFFF", "1.x", "C000000000000000", true, "1.0000000000000000"},
        {64, "3FF8000000000000", "0.5", "3FF0000000000000", true, "1.0000000000000000"},
        {80, "3FFF8000000000000000", "0.5", "3FFF4000000000000000", false, "0.5000000000000000000"},
        {80, "3FFF8000000000000000", "1.9999999999999999999", "3FFFFFFFFFFFFFFFFFFF", false,
         "1.9999999999999999999"},
        {80, "BFFF4000000000000000", "1.25", "BFFFA000000000000000", false, "1.2500000000000000000"},
        // An error resets the significand to the integer bit alone.
        {80, "3FFF4000000000000001", "0.5y", "3FFF8000000000000000", true, "1.0000000000000000000"},
        {80, "3FFFC000000000000000", "2.5", "3FFF8000000000000000", true, "1.0000000000000000000"},
    };
    for (const MantissaCase& c : cases) {
        StartWith(c.width, c.start);
        MemoryUserReplace(FieldMantissa, c.typed);
        int bytes = c.width / 8;
        EXPECT_EQ(Register(bytes), c.value) << "width " << c.width << ", typed '" << c.typed << "'";
        EXPECT_EQ(ConverterState.MantissaError != 0, c.error) << "typed '" << c.typed << "'";
        EXPECT_EQ(Text(FieldMantissa), c.typed) << "the typed text stays while editing";
        MemoryLoseFocus(FieldMantissa);
        EXPECT_EQ(ConverterState.MantissaError, 0);
        EXPECT_EQ(Text(FieldMantissa), c.shownAfterLeaving) << "typed '" << c.typed << "'";
    }
}

TEST(ComponentFields, MantissaWithMoreThanNineteenDigitsIsRejected)
{
    // The field limits keep such text out; a program's write can bring it.
    const struct {
        int width;
        const char* start;
        const char* text;
        const char* value;
        bool error;
    } cases[] = {
        {32, "3FC00000", "1.9999999999999999999", "3FFFFFFF", false},
        {32, "3FC00000", "1.99999999999999999999", "3F800000", true},
        {32, "3FC00000", "1.00000000000000000000", "3F800000", true},
        {64, "3FF8000000000000", "1.50000000000000000000", "3FF0000000000000", true},
        {80, "3FFFC000000000000000", "1.50000000000000000000", "3FFF8000000000000000", true},
        {80, "3FFFC000000000000000", "0.99999999999999999999999", "3FFF8000000000000000", true},
    };
    for (const auto& c : cases) {
        StartWith(c.width, c.start);
        MemoryProgramWrite(FieldMantissa, c.text);
        EXPECT_EQ(Register(c.width / 8), c.value) << "text '" << c.text << "'";
        EXPECT_EQ(ConverterState.MantissaError != 0, c.error) << "text '" << c.text << "'";
    }
}

TEST(ComponentFields, EditsRefreshEveryOtherFieldButNotThemselves)
{
    StartWith(32, "3F800000");
    MemoryUserReplace(FieldExponent, "1");
    EXPECT_EQ(Text(FieldHex), "40000000");
    EXPECT_EQ(Text(FieldDecimal), "1073741824");
    EXPECT_EQ(Text(FieldMantissa), "1.0000000");
    EXPECT_EQ(Text(FieldExponent), "1");

    MemoryUserReplace(FieldMantissa, "1.5");
    EXPECT_EQ(Text(FieldHex), "40400000");
    EXPECT_EQ(Text(FieldExponent), "1");
    EXPECT_EQ(Text(FieldMantissa), "1.5") << "the source field keeps the typed text";
}

TEST(ComponentFields, SignBoxFlipsOnlyTheSignBit)
{
    StartWith(64, "0000000000000000");
    MemoryClickSign();
    EXPECT_TRUE(MemorySignChecked());
    EXPECT_EQ(Register(10), "00008000000000000000") << "-0.0; the bytes above the width stay";
    EXPECT_EQ(Text(FieldHex), "8000000000000000");
    EXPECT_EQ(Text(FieldDecimal), "-9223372036854775808");
    EXPECT_EQ(Text(FieldExponent), "-1023");
    MemoryClickSign();
    EXPECT_FALSE(MemorySignChecked());
    EXPECT_EQ(Register(8), "0000000000000000");

    StartWith(80, "7FFFC000000000000005");
    MemoryClickSign();
    EXPECT_EQ(Register(10), "FFFFC000000000000005") << "NaNs flip the same way";
    StartWith(32, "7F800000");
    MemoryClickSign();
    EXPECT_EQ(Register(4), "FF800000");
    EXPECT_EQ(Text(FieldExponent), "128");
}

TEST(ComponentFields, NarrowWidthsLeaveTheFloatControlsEmptyAndIdle)
{
    StartWith(16, "ABCD");
    EXPECT_EQ(Text(FieldExponent), "");
    EXPECT_EQ(Text(FieldMantissa), "");
    EXPECT_FALSE(MemoryControlEnabled(FieldExponent));
    EXPECT_FALSE(MemoryControlEnabled(FieldMantissa));
    // Even a program's write into the disabled fields leaves the value alone.
    MemoryProgramWrite(FieldExponent, "5");
    MemoryProgramWrite(FieldMantissa, "1.5");
    EXPECT_EQ(Register(10), "0000000000000000ABCD");
    EXPECT_EQ(ConverterState.ExponentError, 0);
    EXPECT_EQ(ConverterState.MantissaError, 0);
    EXPECT_EQ(Text(FieldHex), "ABCD");

    MemoryClickButton(ButtonWidth32);
    EXPECT_EQ(Text(FieldExponent), "-127");
    EXPECT_EQ(Text(FieldMantissa), "0.0052429") << "0xABCD zero-extended";
}

}  // namespace
