// Width and endianness changes, the refresh order and the dialog's converter
// handlers, through the in-memory fields.
#include <gtest/gtest.h>

#include <string>

#include "converter/field_events.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"
#include "tests/test_support.h"

namespace {

std::string Register(int bytes = 10)
{
    return HexImage(ConverterState.ValueRegister, bytes);
}
std::string Text(int field)
{
    return MemoryFieldText(field);
}

struct WidthChange {
    bool big;
    int from;
    const char* hex;  // typed at the old width
    int to;
    const char* after;  // the hex field at the new width
    int back;  // 0: no return
    const char* afterBack;
};

TEST(SetWidth, KeepsLowBitsLittleEndianAndHighBitsBigEndian)
{
    const WidthChange cases[] = {
        {false, 16, "1234", 8, "34", 16, "0034"},
        {true, 16, "1234", 8, "12", 16, "1200"},
        {true, 16, "ABCD", 80, "ABCD0000000000000000", 0, ""},
        {false, 8, "FF", 16, "00FF", 0, ""},
        {true, 80, "0123456789ABCDEF0011", 64, "0123456789ABCDEF", 80, "0123456789ABCDEF0000"},
        {true, 80, "0123456789ABCDEF0011", 32, "01234567", 0, ""},
        {true, 80, "0123456789ABCDEF0011", 16, "0123", 0, ""},
        {true, 80, "0123456789ABCDEF0011", 8, "01", 0, ""},
        {true, 8, "A5", 32, "A5000000", 64, "A500000000000000"},
        {true, 8, "A5", 64, "A500000000000000", 0, ""},
        {true, 16, "A5C3", 32, "A5C30000", 16, "A5C3"},
        {true, 32, "89ABCDEF", 64, "89ABCDEF00000000", 0, ""},
        {false, 80, "FFFFFFFFFFFFFFFFFFFF", 16, "FFFF", 64, "000000000000FFFF"},
        {false, 64, "FEDCBA9876543210", 32, "76543210", 80, "00000000000076543210"},
    };
    for (const WidthChange& c : cases) {
        SCOPED_TRACE(std::string(c.big ? "big " : "little ") + std::to_string(c.from) + " " + c.hex + " -> " +
                     std::to_string(c.to));
        MemoryStartUp(c.from, c.big);
        MemoryUserReplace(FieldHex, c.hex);
        MemoryClickButton(ButtonOfWidth(c.to));
        EXPECT_EQ(Text(FieldHex), c.after);
        if (c.back != 0) {
            MemoryClickButton(ButtonOfWidth(c.back));
            EXPECT_EQ(Text(FieldHex), c.afterBack);
        }
    }
}

TEST(SetWidth, LittleEndianWideningZeroExtends)
{
    MemoryStartUp(8, false);
    MemoryUserReplace(FieldDecimal, "-1");
    MemoryClickButton(ButtonWidth16);
    EXPECT_EQ(Text(FieldHex), "00FF");
    EXPECT_EQ(Text(FieldDecimal), "255");
}

TEST(SetWidth, BigEndianWideningPushesLeftoversOutAtTheTop)
{
    // A decimal clamp leaves a byte above the 8-bit width; widening must
    // not bring it back into view.
    MemoryStartUp(8, true);
    MemoryUserReplace(FieldDecimal, "256");  // clamped to 127, byte 1 holds 1
    EXPECT_EQ(Register(2), "017F");
    MemoryClickButton(ButtonWidth16);
    EXPECT_EQ(Text(FieldHex), "7F00");
}

TEST(WidthButton, SameWidthReRendersEveryFieldAndKeepsTheValue)
{
    MemoryStartUp(16, false);
    MemoryUserReplace(FieldHex, "abc");
    MemoryUserReplace(FieldBinary, "1x1");
    EXPECT_EQ(Text(FieldBinary), "1x1");
    MemoryClickButton(ButtonWidth16);
    EXPECT_EQ(Text(FieldBinary), "0000000000000101");
    EXPECT_EQ(Text(FieldHex), "0005");
    EXPECT_EQ(Register(2), "0005");
}

TEST(WidthButton, SetsTheTextLimitsOfItsWidth)
{
    // The dialog's limits per width; 8 and 16 bits leave the exponent and
    // mantissa limits as they were (here the 80-bit ones, 6 and 21).
    const struct {
        int width, binary, decimal, hex, exponent, mantissa;
    } limits[] = {
        // width binary decimal hex exponent mantissa
        {8, 8, 4, 2, 6, 21},     {16, 16, 6, 4, 6, 21},   {32, 32, 11, 8, 4, 9},
        {64, 64, 20, 16, 5, 18}, {80, 80, 25, 20, 6, 21},
    };
    for (const auto& row : limits) {
        MemoryStartUp(80, false);
        MemoryClickButton(ButtonOfWidth(row.width));
        EXPECT_EQ(MemoryFieldLimit(FieldBinary), row.binary) << row.width;
        EXPECT_EQ(MemoryFieldLimit(FieldDecimal), row.decimal) << row.width;
        EXPECT_EQ(MemoryFieldLimit(FieldHex), row.hex) << row.width;
        EXPECT_EQ(MemoryFieldLimit(FieldExponent), row.exponent) << row.width;
        EXPECT_EQ(MemoryFieldLimit(FieldMantissa), row.mantissa) << row.width;
    }
}

TEST(WidthButton, TypedTextIsCutAtTheLimit)
{
    MemoryStartUp(8, false);
    MemoryUserReplace(FieldDecimal, "-12345");
    EXPECT_EQ(Text(FieldDecimal), "-123");
    EXPECT_EQ(Register(1), "85");
}

TEST(EnableFloatFields, NarrowWidthsDisableAndEmptyTheFloatControls)
{
    const int controls[] = {LabelFloat,    FieldFloat,    LabelSign,     FieldSign,
                            LabelExponent, FieldExponent, LabelMantissa, FieldMantissa};
    for (int width : {8, 16, 32, 64, 80}) {
        MemoryStartUp(32, false);
        MemoryUserReplace(FieldHex, "80000000");
        EXPECT_TRUE(MemorySignChecked());
        MemoryClickButton(ButtonOfWidth(width));
        for (int control : controls)
            EXPECT_EQ(MemoryControlEnabled(control), width >= 32)
                << "control " << control << " width " << width;
        if (width < 32) {
            EXPECT_FALSE(MemorySignChecked());
            EXPECT_EQ(Text(FieldFloat), "");
            EXPECT_EQ(Text(FieldExponent), "");
            EXPECT_EQ(Text(FieldMantissa), "");
        }
        EXPECT_EQ(ConverterState.Updating, 0);
    }
}

TEST(EnableFloatFields, StartingAtANarrowWidthDisablesThem)
{
    MemoryStartUp(16, false);
    EXPECT_FALSE(MemoryControlEnabled(FieldFloat));
    EXPECT_EQ(ConverterState.FloatFieldsEnabled, 0);
    MemoryClickButton(ButtonWidth64);
    EXPECT_TRUE(MemoryControlEnabled(FieldMantissa));
}

TEST(Endianness, ClickChangesAlignmentOnlyAndSameClickDoesNothing)
{
    MemoryStartUp(16, false);
    EXPECT_TRUE(MemoryEntryRightAligned());
    MemoryUserReplace(FieldBinary, "11");
    std::string before = Text(FieldBinary) + Text(FieldDecimal) + Text(FieldHex) + Register();
    MemoryClickButton(ButtonBig);
    EXPECT_FALSE(MemoryEntryRightAligned());
    EXPECT_EQ(Text(FieldBinary) + Text(FieldDecimal) + Text(FieldHex) + Register(), before);
    MemoryClickButton(ButtonBig);
    EXPECT_EQ(ConverterState.BigEndian, 1);
    MemoryClickButton(ButtonLittle);
    EXPECT_TRUE(MemoryEntryRightAligned());

    MemoryStartUp(32, true);
    EXPECT_FALSE(MemoryEntryRightAligned()) << "the first click aligns the fields";
}

TEST(RefreshViews, SignBoxFollowsTheSignBitOfTheWidth)
{
    struct Case {
        int width;
        const char* hex;
        bool checked;
    };
    const Case cases[] = {
        {32, "80000000", true},
        {32, "7FFFFFFF", false},
        {64, "8000000000000000", true},
        {64, "0000000080000000", false},
        {80, "80000000000000000000", true},
        {80, "7FFF8000000000000000", false},
    };
    for (const Case& c : cases) {
        MemoryStartUp(c.width, false);
        MemoryUserReplace(FieldHex, c.hex);
        EXPECT_EQ(MemorySignChecked(), c.checked) << c.hex;
        MemoryUserReplace(FieldDecimal, "0");
        EXPECT_FALSE(MemorySignChecked()) << c.hex;
    }
}

TEST(SignClick, SetsOnlyTheSignBit)
{
    MemoryStartUp(64, false);
    MemoryClickSign();
    EXPECT_EQ(Register(8), "8000000000000000");
    EXPECT_TRUE(MemorySignChecked()) << "the box keeps its state";
    EXPECT_EQ(Text(FieldHex), "8000000000000000");
    MemoryUserReplace(FieldHex, "8123");
    EXPECT_FALSE(MemorySignChecked());
    MemoryClickSign();
    EXPECT_EQ(Register(8), "8000000000008123");
    MemoryClickSign();
    EXPECT_EQ(Register(8), "0000000000008123");
}

TEST(KillFocus, ClearsTheErrorFlagAndRendersTheField)
{
    MemoryStartUp(16, false);
    MemoryUserReplace(FieldDecimal, "99999");
    EXPECT_EQ(ConverterState.DecimalError, 1);
    EXPECT_EQ(Text(FieldDecimal), "99999");
    MemoryLoseFocus(FieldDecimal);
    EXPECT_EQ(ConverterState.DecimalError, 0);
    EXPECT_EQ(Text(FieldDecimal), "32767");
}

TEST(UpdatingGuard, ProgramWritesNeverReachAParser)
{
    MemoryStartUp(16, false);
    MemoryUserReplace(FieldHex, "1234");
    // The refresh wrote the binary and decimal fields; had their change
    // notifications been parsed, the decimal error flag or the register
    // would show it. Writing the same texts with the guard set is inert.
    ConverterState.Updating = 1;
    MemoryProgramWrite(FieldDecimal, "garbage");
    ConverterState.Updating = 0;
    EXPECT_EQ(Register(2), "1234");
    EXPECT_EQ(ConverterState.DecimalError, 0);
    EXPECT_EQ(Text(FieldDecimal), "garbage");
}

}  // namespace

struct RepaintCase {
    int width;
    int field;
    const char* texts[4];  // typed one after another; null ends the list
    int repaints[4];  // the field's repaints after each text
};

// The error flag repaints its field only when it changes, whatever the field.
TEST(ErrorFlags, RepaintTheFieldOnlyWhenTheFlagChanges)
{
    const RepaintCase cases[] = {
        {8, FieldDecimal, {"x", "xy", "999", "9"}, {1, 1, 1, 2}},
        {64, FieldFloat, {"1.", "1.x", "1.xyz", "1.5"}, {0, 1, 1, 2}},
        {32, FieldExponent, {"20", "200", "300", "20"}, {0, 1, 1, 2}},
        {32, FieldMantissa, {"1.", "1.x", "1.5", nullptr}, {1, 1, 2, 0}},
    };
    for (const RepaintCase& c : cases) {
        MemoryStartUp(c.width, false);
        int before = MemoryRepaintCount(c.field);
        for (int i = 0; i < 4 && c.texts[i]; ++i) {
            MemoryUserReplace(c.field, c.texts[i]);
            EXPECT_EQ(MemoryRepaintCount(c.field) - before, c.repaints[i])
                << "field " << c.field << " after '" << c.texts[i] << "'";
        }
        EXPECT_EQ(*ErrorFlagOf(c.field), 0) << "field " << c.field << " ends accepted";
    }
}
