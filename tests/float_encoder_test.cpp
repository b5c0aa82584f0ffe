// Entering values: corner cases by convention and mode, from raw bits, and
// every encoding of every preset up to 16 bits read back from its readings.
#include <gtest/gtest.h>

#include <string>

#include "core/float_format_names.h"
#include "core/float_presets.h"
#include "tests/test_support.h"
#include "views/encode_error.h"
#include "views/float_encoder.h"
#include "views/float_readings.h"

namespace {

struct EncodeCase {
    const char* format;
    const char* text;
    RoundingMode mode;
    bool saturate;
    const char* bits;  // hex of the width holding the format; "" for not a number
    const char* flags;
};

void ExpectEncodings(std::initializer_list<EncodeCase> cases)
{
    for (const EncodeCase& c : cases) {
        FloatFormat format;
        ASSERT_EQ(ReadFormatName(c.format, &format), FormatNameResult::Ok) << c.format;
        int bytes = WidthHolding(format) / 8;
        uint8_t value[10] = {};
        EncodeOutcome outcome;
        bool number =
            EncodeValueText(c.text, ReadingCapacity - 1, format, {c.mode, c.saturate}, value, &outcome);
        char flags[40];
        WriteEncodeFlags(flags, outcome.Flags);
        std::string got = number ? HexImage(value, bytes) : "";
        EXPECT_EQ(got, c.bits) << c.format << " " << c.text << " " << RoundingModeName(c.mode);
        EXPECT_STREQ(flags, c.flags) << c.format << " " << c.text;
    }
}

constexpr RoundingMode E = RoundingMode::Even, A = RoundingMode::Away, Z = RoundingMode::Zero,
                       U = RoundingMode::Up, D = RoundingMode::Down;

TEST(FloatEncoder, TiesAndModes)
{
    ExpectEncodings({
        // half 0.999755859375 lies halfway between 0x3BFF and 0x3C00
        {"half", "0.999755859375", E, false, "3C00", "inexact"},
        {"half", "0.999755859375", A, false, "3C00", "inexact"},
        {"half", "0.999755859375", Z, false, "3BFF", "inexact"},
        {"half", "-0.999755859375", U, false, "BBFF", "inexact"},
        {"half", "-0.999755859375", D, false, "BC00", "inexact"},
        // 1 + 3 * 2^-11 is halfway between 0x3C01 and 0x3C02: even goes up
        {"half", "1.00146484375", E, false, "3C02", "inexact"},
        {"half", "1.00048828125", E, false, "3C00", "inexact"},
        {"half", "1.00048828125", A, false, "3C01", "inexact"},
        {"half", "0x1.004p0", E, false, "3C01", ""},
        {"double", "0.1", E, false, "3FB999999999999A", "inexact"},
        {"x87", "1.5", E, false, "3FFFC000000000000000", ""},
    });
}

TEST(FloatEncoder, OverflowByConventionAndMode)
{
    ExpectEncodings({
        {"half", "65520", E, false, "7C00", "inexact overflow"},  // the threshold itself
        {"half", "65519.99", E, false, "7BFF", "inexact"},
        {"half", "1e6", Z, false, "7BFF", "inexact overflow"},
        {"half", "-1e6", U, false, "FBFF", "inexact overflow"},
        {"half", "-1e6", D, false, "FC00", "inexact overflow"},
        {"half", "1e6", E, true, "7BFF", "inexact overflow"},
        {"e4m3fn", "465", E, false, "7F", "inexact overflow"},  // 448 is the largest, 480 beyond
        {"e4m3fn", "464", E, false, "7E", "inexact"},  // the tie goes to even 448
        {"e4m3fn", "463", E, false, "7E", "inexact"},
        {"e4m3fn", "-1e9", Z, false, "FE", "inexact overflow"},
        {"e4m3fn", "1e9", E, true, "7E", "inexact overflow"},
        {"e4m3fnuz", "1e9", E, false, "80", "inexact overflow"},
        {"e2m1fn", "1e9", E, false, "07", "inexact overflow"},  // no NaN: 6
        {"x87", "1e99999999999999999999", E, false, "7FFF8000000000000000", "inexact overflow"},
        {"x87", "1e99999999999999999999", Z, false, "7FFEFFFFFFFFFFFFFFFF", "inexact overflow"},
    });
}

TEST(FloatEncoder, ZerosAndUnderflow)
{
    ExpectEncodings({
        {"half", "-0", E, false, "8000", ""},
        {"e4m3fnuz", "-0", E, false, "00", ""},
        {"e4m3fnuz", "-1e-9", E, false, "00", "inexact underflow"},
        {"half", "-1e-9", E, false, "8000", "inexact underflow"},
        {"half", "1e-99999999999999999999", U, false, "0001", "inexact underflow"},
        {"half", "6.103515625e-5", E, false, "0400", ""},  // the smallest normal, exact
        {"half", "6.1e-5", E, false, "03FF", "inexact underflow"},
        // just below the smallest normal, rounding up to it: not tiny after rounding
        {"half", "6.1035e-5", E, false, "0400", "inexact"},
    });
}

TEST(FloatEncoder, NaNsAndInfinities)
{
    ExpectEncodings({
        {"half", "nan", E, false, "7E00", ""},
        {"half", "-1.IND", E, false, "FE00", ""},
        {"half", "1.QNaN#5", E, false, "7E05", ""},
        {"half", "1.SNaN#5", E, false, "7C05", ""},
        {"half", "1.SNaN#0", E, false, "", ""},
        {"half", "1.QNaN#512", E, false, "", ""},
        {"x87", "NaN", E, false, "7FFFC000000000000000", ""},
        {"e4m3fn", "-nan", E, false, "FF", ""},
        {"e4m3fn", "1.QNaN#1", E, false, "", ""},
        {"e4m3fnuz", "NaN", E, false, "80", ""},
        {"e2m1fn", "nan", E, false, "00", "invalid"},
        {"half", "-Infinity", E, false, "FC00", ""},
        {"e4m3fn", "inf", E, false, "7F", "invalid"},
        {"e4m3fn", "-1.INF", E, true, "FE", "invalid"},
        {"e2m1fn", "inf", E, false, "07", "invalid"},
    });
}

TEST(FloatEncoder, NotNumbers)
{
    for (const char* text : {"", " ", "1.2.3", "e5", "1e", "1e+", "0x", "0xp1", "--1", "1,5", "infinit",
                             "nan1", "1.QNaN#", "1.INV", "0x1.8q3", "1 2"}) {
        uint8_t value[10] = {};
        EncodeOutcome outcome;
        EXPECT_FALSE(EncodeValueText(text, ReadingCapacity - 1, SingleFormat, {}, value, &outcome)) << text;
    }
}

TEST(FloatEncoder, Errors)
{
    const struct {
        const char* format;
        const char* text;
        RoundingMode mode;
        const char* error;
    } cases[] = {
        {"half", "0.999755859375", E, "2.44140625e-4"},  // 1 - 0.999755859375 = 2^-12
        {"single", "0.1", E, "1.490116119384765625e-9"},  // 13421773 * 2^-27 - 0.1
        {"half", "1.5", E, "0"},
        {"half", "1e-99999999999999999999", E, "~-1e-99999999999999999999"},
        {"half", "-1e99999999999999999999", Z, "~1e99999999999999999999"},
        {"half", "inf", E, ""},
        // Hexadecimal texts: 1 + 2^-11 ties to 1, 1 + 3 * 2^-13 is nearer
        // 1, 2^-25 ties to 0, 1 + 2^-24 ties to 1 in single.
        {"half", "0x1.002p0", E, "-4.8828125e-4"},
        {"half", "-0x1.0018p0", E, "3.662109375e-4"},
        {"half", "0x1p-25", E, "-2.98023223876953125e-8"},
        {"single", "0x1.000001p0", E, "-5.9604644775390625e-8"},
        {"half", "0x1.004p0", E, "0"},
        // 2^-16600 has more digits than the readings' decimal integers hold.
        {"half", "0x1p-16600", E, ""},
    };
    for (const auto& c : cases) {
        FloatFormat format;
        ASSERT_EQ(ReadFormatName(c.format, &format), FormatNameResult::Ok);
        uint8_t value[10] = {};
        EncodeOutcome outcome;
        ASSERT_TRUE(EncodeValueText(c.text, ReadingCapacity - 1, format, {c.mode, false}, value, &outcome));
        static char error[EncodeErrorCapacity];
        WriteEncodeError(error, c.text, ReadingCapacity - 1, outcome);
        EXPECT_STREQ(error, c.error) << c.text;
    }
}

// Every encoding of every preset up to 16 bits: its shortest and exact
// readings encode back to the same bits, the exact one without flags.
TEST(FloatEncoder, EveryNarrowEncodingReadsBack)
{
    static char text[ReadingCapacity];
    for (const FloatFormat& format : FloatPresets) {
        int width = WidthHolding(format);
        if (width > 16)
            continue;
        for (uint32_t bits = 0; bits < (1u << FormatBits(format)); ++bits) {
            uint8_t value[10] = {static_cast<uint8_t>(bits << format.PaddingBits),
                                 static_cast<uint8_t>((bits << format.PaddingBits) >> 8)};
            EncodingClass encoding = ClassifyEncoding(format, value);
            if (IsInfinityOrNaN(encoding))
                continue;
            for (Reading reading : {Reading::Shortest, Reading::Exact}) {
                WriteFormatReading(text, reading, format, value, width);
                uint8_t back[10] = {};
                EncodeOutcome outcome;
                ASSERT_TRUE(EncodeValueText(text, ReadingCapacity - 1, format, {}, back, &outcome)) << text;
                EXPECT_EQ(HexImage(back, 2), HexImage(value, 2)) << format.Name << " " << text;
                if (reading == Reading::Exact) {
                    EXPECT_EQ(outcome.Flags, 0) << format.Name << " " << text;
                }
            }
        }
    }
}

}  // namespace
