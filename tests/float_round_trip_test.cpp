// Every text the float printer writes reads back through the float parser:
// random bit patterns of every class, at each size, with a fixed seed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "core/field_formats.h"
#include "core/float_format.h"
#include "core/little_endian.h"
#include "core/x87_narrow.h"
#include "tests/test_support.h"
#include "views/float_parser.h"
#include "views/float_printer.h"
#include "views/float_view.h"

namespace {

enum class Kind { Zero, Subnormal, Normal, Special, Invalid };

const char* KindName(Kind kind)
{
    switch (kind) {
    case Kind::Zero: return "zero";
    case Kind::Subnormal: return "subnormal";
    case Kind::Normal: return "normal";
    case Kind::Special: return "special";
    case Kind::Invalid: return "invalid";
    }
    return "?";
}

struct Format {
    uint8_t size;  // 4, 8, 10
    int exponentBits;  // 8, 11, 15
    int fractionBits;  // 23, 52, 64 (the whole significand at 10 bytes)
};

const Format Formats[] = {{4, 8, 23}, {8, 11, 52}, {10, 15, 64}};

// A random value of the kind, written as size little-endian bytes.
void RandomValue(const Format& f, Kind kind, std::mt19937_64& random, uint8_t* value)
{
    uint64_t fraction = random();
    uint64_t sign = random() & 1;
    uint64_t exponentMax = (uint64_t{1} << f.exponentBits) - 1;
    uint64_t exponent = 1 + random() % (exponentMax - 1);
    if (f.size == 10) {
        uint64_t integerBit = uint64_t{1} << 63;
        switch (kind) {
        case Kind::Zero:
            fraction = 0;
            exponent = 0;
            sign = 0;
            break;
        case Kind::Subnormal:
            fraction = (fraction & ~integerBit) | 1;
            exponent = 0;
            break;
        case Kind::Normal: fraction |= integerBit; break;
        case Kind::Special:
            fraction |= integerBit;
            exponent = exponentMax;
            break;
        case Kind::Invalid: fraction &= ~integerBit; break;  // an unnormal
        }
        StoreLittle(value, fraction, 8);
        StoreLittle(value + 8, (sign << 15) | exponent, 2);
        return;
    }
    fraction &= (uint64_t{1} << f.fractionBits) - 1;
    switch (kind) {
    case Kind::Zero:
        fraction = 0;
        exponent = 0;
        break;
    case Kind::Subnormal:
        fraction |= 1;
        exponent = 0;
        break;
    case Kind::Normal: break;
    case Kind::Special: exponent = exponentMax; break;
    case Kind::Invalid: break;
    }
    uint64_t bits = (sign << (8 * f.size - 1)) | (exponent << f.fractionBits) | fraction;
    StoreLittle(value, bits, f.size);
}

long double AsLongDouble(const uint8_t* value, uint8_t size)
{
    if (size == 4) {
        float x;
        std::memcpy(&x, value, 4);
        return x;
    }
    if (size == 8) {
        double x;
        std::memcpy(&x, value, 8);
        return x;
    }
    long double x = 0;
    std::memcpy(&x, value, 10);
    return x;
}

// Significant digits of a number text: from the first non-zero digit to the
// last non-zero one, before any exponent.
int SignificantDigits(const std::string& text)
{
    std::string digits;
    for (char c : text) {
        if (c == 'e')
            break;
        if (c >= '0' && c <= '9')
            digits += c;
    }
    size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    size_t last = digits.find_last_not_of('0');
    return static_cast<int>(last - first + 1);
}

// Narrows the parsed extended value back to the size as the float field does.
void NarrowLikeTheField(uint8_t* parsed, uint8_t size)
{
    if (size == 10)
        return;
    bool special = (LoadLittle(parsed + 8, 2) & 0x7FFF) == 0x7FFF && (parsed[7] & 0x80);
    if (special)
        NarrowSpecial(parsed, size == 4 ? 32 : 64);
    else if (size == 8)
        X87NarrowToDouble(X87LoadBytes(parsed), parsed);
    else
        X87NarrowToSingle(X87LoadBytes(parsed), parsed);
}

// Below this the printed exponent of an extended value leaves the parser's
// range once its digits are counted in.
constexpr long double ExtendedTextLimit = 1e-4912L;

void CheckRoundTrip(const Format& f, Kind kind, const uint8_t* value, int* failures)
{
    char text[40];  // at most 28 characters and the NUL with the budget 28
    PrintFloat(text, value, f.size, 28);
    uint8_t parsed[10];
    bool error = ParseFloat(text, parsed);
    std::string where =
        std::string(KindName(kind)) + " " + HexImage(value, f.size) + " printed as '" + text + "'";
    auto fail = [&](const std::string& why) {
        ++*failures;
        ADD_FAILURE() << where << ": " << why << ", parsed " << HexImage(parsed, 10);
    };

    long double original = AsLongDouble(value, f.size);
    if (kind == Kind::Invalid) {
        if (std::string(text) != "1.INV" || !error)
            fail("an invalid encoding must print as 1.INV and be rejected");
        return;
    }
    bool belowTextRange = f.size == 10 && std::fabs(original) < ExtendedTextLimit;
    if (error) {
        if (!belowTextRange)
            fail("rejected");
        return;
    }
    if (kind == Kind::Special || kind == Kind::Zero || (kind == Kind::Subnormal && f.size != 10)) {
        // These read back to the very bits.
        NarrowLikeTheField(parsed, f.size);
        if (HexImage(parsed, f.size) != HexImage(value, f.size))
            fail("did not read back to the same bits");
        return;
    }
    long double back = AsLongDouble(parsed, 10);
    // The text is truncated after its last digit, and the parser keeps at
    // most 19 digits: the value is within one unit of the last digit kept.
    int digits = SignificantDigits(text);
    if (digits > 19)
        digits = 19;
    long double tolerance = std::pow(10.0L, 1 - digits) + 0x1p-60L;
    long double ratio = back / original;
    if (!(std::fabs(ratio - 1) <= tolerance))
        fail("off by a ratio of " + std::to_string(static_cast<double>(ratio - 1)));
}

TEST(FloatRoundTrip, PrintedTextsReadBack)
{
    std::mt19937_64 random(0x5EED2026);
    const struct {
        Kind kind;
        int count;
    } kinds[] = {{Kind::Zero, 4},
                 {Kind::Subnormal, 3000},
                 {Kind::Normal, 20000},
                 {Kind::Special, 2000},
                 {Kind::Invalid, 500}};
    int failures = 0;
    for (const Format& f : Formats) {
        for (const auto& k : kinds) {
            if (k.kind == Kind::Invalid && f.size != 10)
                continue;
            for (int i = 0; i < k.count && failures < 20; ++i) {
                uint8_t value[10] = {};
                RandomValue(f, k.kind, random, value);
                CheckRoundTrip(f, k.kind, value, &failures);
            }
        }
    }
}

TEST(FloatRoundTrip, NegativeZerosAndSubnormalSuffixes)
{
    int failures = 0;
    const struct {
        uint8_t size;
        const char* hex;
    } values[] = {
        {4, "80000000"},         {8, "8000000000000000"}, {4, "00000001"}, {4, "807FFFFF"},
        {8, "0000000000000001"}, {8, "800FFFFFFFFFFFFF"}, {4, "00400000"},
    };
    for (const auto& v : values) {
        uint8_t value[10] = {};
        BytesFromHex(v.hex, value, v.size);
        Format f = v.size == 4 ? Formats[0] : Formats[1];
        CheckRoundTrip(f, LoadLittle(value, v.size) << 1 == 0 ? Kind::Zero : Kind::Subnormal, value,
                       &failures);
    }
}

}  // namespace
