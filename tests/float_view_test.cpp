// The float field: typed text through ParseFloat and the narrowing to the
// width, special values moved bit by bit, the error flag, and the rendering.
#include <gtest/gtest.h>

#include <string>

#include "core/converter_state.h"
#include "core/field_formats.h"
#include "core/field_ids.h"
#include "core/float_format.h"
#include "memory/memory_fields.h"
#include "tests/test_support.h"
#include "views/float_view.h"

namespace {

std::string Register(int bytes)
{
    return HexImage(ConverterState.ValueRegister, bytes);
}
std::string Text(int field)
{
    return MemoryFieldText(field);
}

struct TypedCase {
    const char* typed;
    const char* width80;  // the whole register
    const char* width64;  // the width's bytes
    const char* width32;
};

// Types the text at each float width and checks the width's bytes.
void ExpectValues(const TypedCase& c, bool error)
{
    const struct {
        int width;
        const char* expected;
    } widths[] = {{80, c.width80}, {64, c.width64}, {32, c.width32}};
    for (const auto& w : widths) {
        MemoryStartUp(w.width, false);
        MemoryUserReplace(FieldFloat, c.typed);
        EXPECT_EQ(Register(w.width / 8), w.expected) << "width " << w.width << ", typed '" << c.typed << "'";
        EXPECT_EQ(ConverterState.FloatError != 0, error)
            << "width " << w.width << ", typed '" << c.typed << "'";
        EXPECT_EQ(Text(FieldFloat), c.typed) << "the typed text stays while editing";
    }
}

TEST(FloatField, NumbersAreNarrowedToTheWidthRoundingToNearest)
{
    const TypedCase cases[] = {
        // typed, width 80, width 64, width 32
        {"1.5", "3FFFC000000000000000", "3FF8000000000000", "3FC00000"},
        {"0.1", "3FFBCCCCCCCCCCCCCCCD", "3FB999999999999A", "3DCCCCCD"},
        {"-2.5", "C000A000000000000000", "C004000000000000", "C0200000"},
        {"", "00000000000000000000", "0000000000000000", "00000000"},
        {"-", "80000000000000000000", "8000000000000000", "80000000"},
        {"1e39", "4080BC143FA4E250EB31", "48078287F49C4A1D", "7F800000"},
        {"1e309", "4401B201833B35D63F73", "7FF0000000000000", "7F800000"},
        {"2e4932", "7FFF8000000000000000", "7FF0000000000000", "7F800000"},
        {"-2e4932", "FFFF8000000000000000", "FFF0000000000000", "FF800000"},
        // Subnormals of the narrow formats, and values below them.
        {"1.4e-45", "3F69FFC345FA6CAB4C58", "369FF868BF4D956A", "00000001"},
        {"5e-324", "3BCD818995CE7AA0E1B3", "0000000000000001", "00000000"},
        {"1e-4932", "0000261247C8F29357F0", "0000000000000000", "00000000"},
    };
    for (const TypedCase& c : cases)
        ExpectValues(c, false);
}

TEST(FloatField, NarrowWidthsRoundTwice)
{
    // The decimal lies below a midpoint of the narrow format, the extended
    // value lands on it, and the tie goes to the even neighbour above:
    // rounding the decimal once would give ...013D and ...CBC3.
    MemoryStartUp(64, false);
    MemoryUserReplace(FieldFloat, "1.399033327601571286");
    EXPECT_EQ(HexImage(ConverterState.ValueRegister, 10), "3FFF3FF66270C541013E")
        << "bytes 8-9 keep the extended value's exponent word";
    MemoryStartUp(32, false);
    MemoryUserReplace(FieldFloat, "1.139030754566192627");
    EXPECT_EQ(HexImage(ConverterState.ValueRegister, 10), "3FFF91CBC2803F91CBC2")
        << "bytes 4-9 keep the extended value";
}

TEST(FloatField, SpecialWordsAreMovedBitByBit)
{
    const TypedCase cases[] = {
        {"inf", "7FFF8000000000000000", "7FF0000000000000", "7F800000"},
        {"1.INF", "7FFF8000000000000000", "7FF0000000000000", "7F800000"},
        {"-1.INF", "FFFF8000000000000000", "FFF0000000000000", "FF800000"},
        {"ind", "7FFFC000000000000000", "7FF8000000000000", "7FC00000"},
        {"-1.IND", "FFFFC000000000000000", "FFF8000000000000", "FFC00000"},
        {"1.QNaN#5", "7FFFC000000000000005", "7FF8000000000005", "7FC00005"},
        {"1.SNaN#5", "7FFF8000000000000005", "7FF0000000000005", "7F800005"},
        {"-1.SNaN#5", "FFFF8000000000000005", "FFF0000000000005", "FF800005"},
        {"1.SNaN#0", "7FFF8000000000000000", "7FF0000000000000", "7F800000"},
        // The widest payloads of each width.
        {"1.QNaN#4194303", "7FFFC0000000003FFFFF", "7FF80000003FFFFF", "7FFFFFFF"},
        {"1.SNaN#4194303", "7FFF80000000003FFFFF", "7FF00000003FFFFF", "7FBFFFFF"},
    };
    for (const TypedCase& c : cases)
        ExpectValues(c, false);
}

TEST(FloatField, PayloadsTooWideForTheWidthAreErrors)
{
    const struct {
        int width;
        const char* typed;
        const char* whole;  // all 10 bytes: those above the width keep the extended value
    } cases[] = {
        {32, "1.QNaN#4194304",
         "7FFFC0000000"
         "00000000"},
        {32, "-1.SNaN#4194304",
         "FFFF80000000"
         "00000000"},
        {32, "1.QNaN#2251799813685247",
         "7FFFC007FFFF"
         "00000000"},
        {64, "1.QNaN#2251799813685248",
         "7FFF"
         "0000000000000000"},
        {64, "1.QNaN#4611686018427387903",
         "7FFF"
         "0000000000000000"},
    };
    for (const auto& c : cases) {
        MemoryStartUp(c.width, false);
        MemoryUserReplace(FieldFloat, c.typed);
        EXPECT_EQ(Register(10), c.whole) << "width " << c.width << ", typed '" << c.typed << "'";
        EXPECT_EQ(ConverterState.FloatError, 1) << "typed '" << c.typed << "'";
    }
    // One below the 64-bit limit still fits.
    MemoryStartUp(64, false);
    MemoryUserReplace(FieldFloat, "1.QNaN#2251799813685247");
    EXPECT_EQ(Register(10), "7FFF7FFFFFFFFFFFFFFF");
    EXPECT_EQ(ConverterState.FloatError, 0);
}

TEST(FloatField, RejectedTextsLeavePositiveZeroAndFlagUntilFocusLoss)
{
    const char* const rejected[] = {"1.INV",     "1.#INF", "infinity", "1.2.3", "1e4933",
                                    "0.5e-4932", "qnan",   " 1",       "1,5"};
    for (int width : {32, 64, 80}) {
        for (const char* typed : rejected) {
            MemoryStartUp(width, false);
            MemoryUserReplace(FieldHex, "C0490FDB");  // something that is not zero
            MemoryUserReplace(FieldFloat, typed);
            EXPECT_EQ(Register(10), "00000000000000000000")
                << "width " << width << ", typed '" << typed << "'";
            EXPECT_EQ(ConverterState.FloatError, 1) << "typed '" << typed << "'";
            EXPECT_EQ(Text(FieldFloat), typed);
            EXPECT_EQ(Text(FieldHex), std::string(static_cast<size_t>(width / 4), '0'));
            MemoryLoseFocus(FieldFloat);
            EXPECT_EQ(ConverterState.FloatError, 0);
            EXPECT_EQ(Text(FieldFloat), "0.0") << "width " << width << ", typed '" << typed << "'";
        }
    }
}

TEST(FloatField, TheTypedTextIsReadUpToThirtyCharacters)
{
    // The field's own limit is 28; a program's write can be longer, and only
    // the first 30 characters are read.
    MemoryStartUp(80, false);
    MemoryProgramWrite(FieldFloat, "1.0000000000000000000000000000x");
    EXPECT_EQ(ConverterState.FloatError, 0) << "the 31st character is not read";
    MemoryProgramWrite(FieldFloat, "1.000000000000000000000000000x");
    EXPECT_EQ(ConverterState.FloatError, 1) << "the 30th character is";
}

TEST(FloatField, EditRefreshesEveryOtherField)
{
    MemoryStartUp(32, false);
    MemoryUserReplace(FieldFloat, "-1.5");
    EXPECT_EQ(Text(FieldHex), "BFC00000");
    EXPECT_EQ(Text(FieldDecimal), "-1077936128");
    EXPECT_TRUE(MemorySignChecked());
    EXPECT_EQ(Text(FieldExponent), "0");
    EXPECT_EQ(Text(FieldMantissa), "1.5000000");
    EXPECT_EQ(Text(FieldFloat), "-1.5");
    MemoryLoseFocus(FieldFloat);
    EXPECT_EQ(Text(FieldFloat), "-1.5");
}

TEST(FloatField, RendersThePrintersTextForTheWidthsSize)
{
    const struct {
        int width;
        const char* hex;
        const char* text;
    } cases[] = {
        {32, "3F800000", "1"},
        {32, "3DCCCCCD", "0.10000000149011611939"},
        {32, "7F7FFFFF", "3.4028234e38"},
        {32, "FFC00000", "-1.IND"},
        {64, "3FB999999999999A", "0.10000000000000000555"},
        {64, "4589D971E4FE8402", "1000000000000000013200000000"},
        {64, "7FF8000000000005", "1.QNaN#5"},
        {80, "3FFFC000000000000000", "1.5"},
        {80, "7FFEFFFFFFFFFFFFFFFF", "1.1897314953572317649e4932"},
        {80, "3FFF4000000000000000", "1.INV"},
        {80, "00000000000000000000", "0.0"},
    };
    for (const auto& c : cases) {
        MemoryStartUp(c.width, false);
        MemoryUserReplace(FieldHex, c.hex);
        EXPECT_EQ(Text(FieldFloat), c.text) << "width " << c.width << ", value " << c.hex;
    }
}

TEST(FloatField, NarrowWidthsLeaveTheFieldEmptyAndIdle)
{
    MemoryStartUp(16, false);
    MemoryUserReplace(FieldHex, "ABCD");
    EXPECT_EQ(Text(FieldFloat), "");
    EXPECT_FALSE(MemoryControlEnabled(FieldFloat));
    MemoryProgramWrite(FieldFloat, "1.5");
    EXPECT_EQ(Register(10), "0000000000000000ABCD") << "no parse at 16 bits";
    EXPECT_EQ(ConverterState.FloatError, 0);
    MemoryClickButton(ButtonWidth32);
    EXPECT_TRUE(MemoryControlEnabled(FieldFloat));
    EXPECT_NE(Text(FieldFloat), "") << "rendered again at 32 bits";
}

TEST(NarrowSpecial, LimitsOfThePayloadAtEachWidth)
{
    const struct {
        int width;
        const char* extended;  // all 10 bytes
        const char* result;  // all 10 bytes afterwards
        bool error;
    } cases[] = {
        {32, "7FFF8000000000000000",
         "7FFF80000000"
         "7F800000",
         false},
        {32, "FFFFC00000000000000F",
         "FFFFC0000000"
         "FFC0000F",
         false},
        {32, "7FFFC0000000003FFFFF",
         "7FFFC0000000"
         "7FFFFFFF",
         false},
        {32, "7FFFC000000000400000",
         "7FFFC0000000"
         "00000000",
         true},
        {32, "7FFF8000000100000000",
         "7FFF80000001"
         "00000000",
         true},
        {32, "7FFFA000000000000000",
         "7FFFA0000000"
         "00000000",
         true},  // bit 61
        {64, "7FFF8000000000000000",
         "7FFF"
         "7FF0000000000000",
         false},
        {64, "FFFFC007FFFFFFFFFFFF",
         "FFFF"
         "FFFFFFFFFFFFFFFF",
         false},
        {64, "7FFF8007FFFFFFFFFFFF",
         "7FFF"
         "7FF7FFFFFFFFFFFF",
         false},
        {64, "7FFFC008000000000000",
         "7FFF"
         "0000000000000000",
         true},
        {64, "7FFFA000000000000000",
         "7FFF"
         "0000000000000000",
         true},
        {80, "7FFFA000000000000000", "7FFFA000000000000000", false},
    };
    for (const auto& c : cases) {
        uint8_t value[10];
        BytesFromHex(c.extended, value, 10);
        bool error = NarrowSpecial(value, c.width);
        EXPECT_EQ(HexImage(value, 10), c.result) << "width " << c.width << ", extended " << c.extended;
        EXPECT_EQ(error, c.error) << "width " << c.width << ", extended " << c.extended;
    }
}

}  // namespace
