#include "views/float_printer.h"

#include "core/byte_arith.h"
#include "core/float_format.h"
#include "core/number_text.h"
#include "core/pow10.h"
#include "core/x87_arith.h"

namespace {

// The printer's own classes of a value.
enum class FloatClass : uint8_t {
    Zero,  // sizes 4 and 8: +0 and -0; size 10: +0 only
    Subnormal,  // exponent field all zeros (and the extended -0)
    Normal,
    Special,  // exponent field all ones: infinity, indefinite, NaNs
    Invalid,  // extended encodings the x87 does not allow
};

FloatClass ClassOf(EncodingClass encoding, const FloatFormat& format, bool negative)
{
    if (IsRefusedEncoding(encoding))
        return FloatClass::Invalid;
    if (IsInfinityOrNaN(encoding))
        return FloatClass::Special;
    switch (encoding) {
    case EncodingClass::Zero:
        // Only the whole sign-and-exponent word zero is the extended Zero.
        return negative && format.ExplicitIntegerBit ? FloatClass::Subnormal : FloatClass::Zero;
    case EncodingClass::Subnormal: return FloatClass::Subnormal;
    default: return FloatClass::Normal;
    }
}

constexpr int ScaledDigits = 18;  // N = floor(x / 10^(D-17)) has 18 digits
constexpr int SubnormalDigitCap = 19;  // SubnormalScale is below 10^19

// Characters the subnormal form needs besides its digits: "0." and the suffix.
int32_t SubnormalOverhead(const FloatFormat& format)
{
    int32_t n = 2;
    for (const char* c = format.SubnormalSuffix; *c != '\0'; ++c)
        ++n;
    return n;
}

// Writes "0." and the subnormal's digits and suffix. Integer arithmetic only:
// R = significand / 2^63 * SubnormalScale, rounded half up.
char* PrintSubnormal(char* out, uint64_t significand, const FloatFormat& format, int32_t budget)
{
    // 9 bytes: the 64-bit operands with a zero top byte, as ByteMul takes
    // equal lengths; the product needs twice that.
    uint8_t a[9] = {};
    uint8_t s[9] = {};
    uint8_t product[18];
    uint64_t doubled = significand << 1;  // bit 63 is clear: nothing is lost
    uint64_t scale = format.SubnormalScale;
    for (int i = 0; i < 8; ++i) {
        a[i] = static_cast<uint8_t>(doubled >> (8 * i));
        s[i] = static_cast<uint8_t>(scale >> (8 * i));
    }
    ByteMul(a, s, product, 9);
    // R: the product's top 10 bytes (divided by 2^64), rounded by bit 63.
    uint8_t* r = product + 8;
    if (product[7] & 0x80) {
        uint8_t one[10] = {1};
        ByteAdd(r, one, 10);
    }

    int32_t n = budget - SubnormalOverhead(format);
    if (n > SubnormalDigitCap)
        n = SubnormalDigitCap;
    // The digits are R padded to nineteen, so that the suffix scales them
    // right; a smaller budget keeps their leading part (truncated), and at
    // least one digit.
    if (n < 1)
        n = 1;
    char padded[SubnormalDigitCap + 1];  // R < 10^19: exactly 19 digits and a NUL
    PrintInt80(padded, r, SubnormalDigitCap);
    out = WriteText(out, "0.");
    for (int32_t i = 0; i < n; ++i)
        *out++ = padded[i];
    return WriteText(out, format.SubnormalSuffix);
}

char* PrintSpecial(char* out, uint64_t significand)
{
    bool quiet = (significand & ExtendedQuietBit) != 0;
    uint64_t payload = significand & ~(ExtendedIntegerBit | ExtendedQuietBit);
    if (payload == 0)
        return WriteText(out, quiet ? "1.IND" : "1.INF");
    out = WriteText(out, quiet ? "1.QNaN#" : "1.SNaN#");
    return WriteSignedDecimal(out, static_cast<int64_t>(payload));
}

}  // namespace

char* PrintFloat(char* out, const uint8_t* value, uint8_t size, int32_t budget)
{
    // Step 1: size.
    if (size != 4 && size != 8 && size != 10) {
        out = WriteText(out, "PrintFloat - Invalid 'size' (");
        out = WriteSignedDecimal(out, size);
        return WriteText(out, ")");
    }

    // Step 2: unpacking; invalid extended encodings have no sign.
    const FloatFormat& format = *FloatFormatOf(8 * size);
    UnpackedFloat f = UnpackFloat(format, value);
    FloatClass floatClass = ClassOf(ClassifyEncoding(format, value), format, f.negative);
    if (floatClass == FloatClass::Invalid)
        return WriteText(out, "1.INV");

    // Step 3: sign, for every class below.
    if (f.negative) {
        *out++ = '-';
        if (budget != 0)
            --budget;
    }

    // Steps 4 to 6: the classes that need no floating-point work.
    if (floatClass == FloatClass::Zero)
        return WriteText(out, "0.0");
    if (floatClass == FloatClass::Special)
        return PrintSpecial(out, f.significand);
    if (floatClass == FloatClass::Subnormal)
        return PrintSubnormal(out, f.significand, format, budget);

    // Step 7: scale the magnitude to an 18-digit integer N and two further
    // digits G, in extended precision rounding to nearest.
    uint16_t savedControl = X87EnterExtendedNearest();
    Extended80 x{f.significand, static_cast<uint16_t>(f.exponent + ExtendedFormat.Bias)};
    // The smallest extended exponents (fields 1 to 59) would make
    // Pow10(D - 17) overflow; pre-scale by about 10^4932 and take it back
    // from D at the end.
    bool tiny = size == 10 && f.exponent <= -16324;
    if (tiny) {
        x.SignExponent = static_cast<uint16_t>(x.SignExponent + 16324);
        x = X87Multiply(x, X87FromUnsigned64(static_cast<uint64_t>(TinyScale)));
    }
    int32_t d = X87FloorToInt32(X87Log10(x));
    Extended80 y = X87Divide(x, Pow10(d - (ScaledDigits - 1)));
    int64_t n = X87FloorToInt64(y);
    // y - N and its product with 100 are exact.
    Extended80 fraction = X87Subtract(y, X87FromUnsigned64(static_cast<uint64_t>(n)));
    int32_t g = X87FloorToInt32(X87Multiply(fraction, X87FromUnsigned64(100)));
    X87RestoreControl(savedControl);
    if (tiny)
        d -= 4932;

    // Step 8: the digit string, most significant first. 21 digits: N has 18
    // (19 or 17 when the logarithm lands on the wrong side of an integer),
    // G adds at most two.
    char digits[21];
    int c = 0;
    {
        char reversed[20];  // N < 2^63 has at most 19 digits
        int nd = ReversedDecimalDigits(static_cast<uint64_t>(n), reversed);
        // The leading digit stands for 10^D when N has 18 digits; place it by
        // the digits N really has, so a misjudged D cannot shift the text by
        // a power of ten.
        d += nd - ScaledDigits;
        while (nd > 0)
            digits[c++] = reversed[--nd];
    }
    if (g >= 1 && g <= 98) {
        digits[c++] = static_cast<char>('0' + g / 10);
        if (g % 10 != 0)
            digits[c++] = static_cast<char>('0' + g % 10);
    } else {
        // 0 and 99 add nothing (99 is not rounded up); N's trailing zeros go.
        while (c > 1 && digits[c - 1] == '0')
            --c;
    }

    // Step 9: positional notation when it fits the budget.
    int32_t b = budget;
    if (d < 0) {
        if (c - d < b) {
            out = WriteText(out, "0.");
            for (int32_t i = 0; i < -d - 1; ++i)
                *out++ = '0';
            for (int i = 0; i < c; ++i)
                *out++ = digits[i];
            *out = '\0';
            return out;
        }
    } else if (c > d + 1) {
        if (c < b) {
            for (int i = 0; i < c; ++i) {
                if (i == d + 1)
                    *out++ = '.';
                *out++ = digits[i];
            }
            *out = '\0';
            return out;
        }
    } else if (d + 1 <= b) {
        for (int32_t i = 0; i <= d; ++i)
            *out++ = i < c ? digits[i] : '0';
        *out = '\0';
        return out;
    }

    // Step 10: scientific notation; the exponent is D, the digits after the
    // point are cut (not rounded) to the room left.
    *out++ = digits[0];
    *out++ = '.';
    if (c == 1) {
        *out++ = '0';
        *out++ = 'e';
        return WriteSignedDecimal(out, d);
    }
    char exponentText[13];  // "e" and at most 11 characters of a 32-bit integer, NUL
    exponentText[0] = 'e';
    int32_t exponentLength = static_cast<int32_t>(WriteSignedDecimal(exponentText + 1, d) - exponentText);
    int32_t k = b - 2 - exponentLength;
    if (k > c - 1)
        k = c - 1;
    if (k < 1)
        k = 1;
    int32_t limit = format.ScientificDigits;
    if (limit != 0 && k > limit)
        k = limit;
    while (k > 1 && digits[k] == '0')  // digits[1..k] follow the point
        --k;
    for (int32_t i = 1; i <= k; ++i)
        *out++ = digits[i];
    return WriteText(out, exponentText);
}
