#include "views/float_parser.h"

#include "core/byte_arith.h"
#include "core/float_format.h"
#include "core/float_presets.h"
#include "core/pow10.h"
#include "core/x87_arith.h"

namespace {

constexpr uint64_t LargestSigned64 = 0x7FFFFFFFFFFFFFFFull;
constexpr uint64_t QuietBits = ExtendedIntegerBit | ExtendedQuietBit;

// Far beyond any combined exponent that can pass the range test (the written
// exponent is at most MaxDecimalExponent in magnitude), so saturating here
// never changes a result; it only keeps absurdly long digit strings defined.
constexpr int32_t ExponentAdjustLimit = 1000000;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int DigitValue(char c)
{
    return c - '0';
}

// Letters compare without regard to case: the character ORed with 0x20.
char Folded(char c)
{
    return static_cast<char>(c | 0x20);
}

bool Fail(uint8_t* out)
{
    for (int i = 0; i < 10; ++i)
        out[i] = 0;
    return true;
}

// The payload of "qnan" and "snan": an optional '#', then at least one digit
// and nothing else, below 2^62 so that it stays clear of bits 62 and 63.
bool ParsePayload(const char* p, uint64_t* payload)
{
    if (*p == '#')
        ++p;
    if (*p == '\0')
        return false;
    uint64_t value = 0;
    for (; *p != '\0'; ++p) {
        if (!IsDigit(*p))
            return false;
        if (MulCheck64(value, 10, &value))
            return false;
        value += static_cast<uint64_t>(DigitValue(*p));
    }
    if (value >> 62 != 0)
        return false;
    *payload = value;
    return true;
}

// Step 3: the special word starting at p: p[0] and up to three characters
// after it, stopping at the end of the text. Returns true on error.
bool ParseSpecialWord(const char* p, bool negative, uint8_t* out)
{
    char word[4] = {};  // missing positions stay 0
    int length = 0;
    while (length < 4 && p[length] != '\0') {
        word[length] = Folded(p[length]);
        ++length;
    }
    uint16_t signExponent = static_cast<uint16_t>(AllOnesExponent(ExtendedFormat) | (negative ? 0x8000 : 0));
    auto is = [&word](const char* expected) {
        for (int i = 0; i < 4; ++i) {
            if (word[i] != expected[i])
                return false;
        }
        return true;
    };
    if (is("inf\0") || is("ind\0")) {
        X87StoreBytes(Extended80{word[2] == 'f' ? ExtendedIntegerBit : QuietBits, signExponent}, out);
        return false;
    }
    if (is("qnan") || is("snan")) {
        uint64_t payload = 0;
        if (!ParsePayload(p + 4, &payload))  // all four letters are present
            return Fail(out);
        X87StoreBytes(Extended80{payload | (word[0] == 'q' ? QuietBits : ExtendedIntegerBit), signExponent},
                      out);
        return false;
    }
    return Fail(out);
}

// Step 4: the exponent part from p ('e', 'E' or the end of the text).
// Returns false when the text there is not a valid exponent.
bool ParseWrittenExponent(const char* p, int32_t* exponent)
{
    if (*p == 'e' || *p == 'E')
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    int32_t value = 0;
    for (; *p != '\0'; ++p) {
        if (!IsDigit(*p))
            return false;
        value = value * 10 + DigitValue(*p);
        if (value > MaxDecimalExponent)
            return false;
    }
    *exponent = negative ? -value : value;
    return true;
}

}  // namespace

bool ParseFloat(const char* text, uint8_t* out)
{
    const char* p = text;

    // Step 1: sign, only in the first position.
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;

    // Step 2: mantissa digits into a signed-64-bit-sized accumulator. Once a
    // digit has been dropped every later one is dropped too; a dropped digit
    // before the point still counts as a power of ten.
    uint64_t accumulator = 0;
    int32_t exponentAdjust = 0;
    bool pointSeen = false;
    bool digitOverflow = false;
    for (; *p != '\0' && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.') {
            if (pointSeen)
                return Fail(out);
            pointSeen = true;
            continue;
        }
        if (!IsDigit(*p))
            return ParseSpecialWord(p, negative, out);  // step 3
        uint64_t product;
        bool overflow = MulCheck64(accumulator, 10, &product);
        uint64_t digit = static_cast<uint64_t>(DigitValue(*p));
        if (!digitOverflow && !overflow && product + digit <= LargestSigned64) {
            accumulator = product + digit;
            if (pointSeen && exponentAdjust > -ExponentAdjustLimit)
                --exponentAdjust;
        } else {
            digitOverflow = true;
            if (!pointSeen && exponentAdjust < ExponentAdjustLimit)
                ++exponentAdjust;
        }
    }

    // Step 4: the written exponent.
    int32_t written = 0;
    if (!ParseWrittenExponent(p, &written))
        return Fail(out);

    // Step 5: the combined exponent.
    int32_t n = written + exponentAdjust;
    if (n < -MaxDecimalExponent || n > MaxDecimalExponent)
        return Fail(out);

    // Step 6: one product, rounded once, in extended precision.
    uint16_t saved = X87EnterExtendedNearest();
    Extended80 value = X87Multiply(Pow10(n), X87FromUnsigned64(accumulator));
    X87StoreBytes(value, out);
    X87RestoreControl(saved);
    if (negative)
        WriteSignBit(ExtendedFormat, out, true);
    return false;
}
