#include "views/float_printer.h"

#include "core/byte_arith.h"
#include "core/field_formats.h"
#include "core/float_format.h"
#include "core/float_presets.h"
#include "core/number_text.h"
#include "core/pow10.h"
#include "core/x87_arith.h"

// Subnormal scales 2^-126 * 10^56, 2^-1022 * 10^326 and 2^-16382 * 10^4950.
const PrinterFacts FloatPrinterFacts[3] = {
    {32, 0x105031E2503DA894u, "e-37", 7},
    {64, 0x1EE10CE2A7545B67u, "e-307", 16},
    {80, 0x2EA896FED76BAF42u, "e-4931", 0},
};

namespace {

const PrinterFacts& PrinterFactsOf(int width)
{
    int i = 0;
    while (i < 2 && FloatPrinterFacts[i].Width != width)
        ++i;
    return FloatPrinterFacts[i];
}

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
int32_t SubnormalOverhead(const PrinterFacts& facts)
{
    int32_t n = 2;
    for (const char* c = facts.SubnormalSuffix; *c != '\0'; ++c)
        ++n;
    return n;
}

// Writes "0." and the subnormal's digits and suffix. Integer arithmetic only:
// R = significand / 2^63 * SubnormalScale, rounded half up.
char* PrintSubnormal(char* out, uint64_t significand, const PrinterFacts& facts, int32_t budget)
{
    // 9 bytes: the 64-bit operands with a zero top byte, as ByteMul takes
    // equal lengths; the product needs twice that.
    uint8_t a[9] = {};
    uint8_t s[9] = {};
    uint8_t product[18];
    uint64_t doubled = significand << 1;  // bit 63 is clear: nothing is lost
    uint64_t scale = facts.SubnormalScale;
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

    int32_t n = budget - SubnormalOverhead(facts);
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
    return WriteText(out, facts.SubnormalSuffix);
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

// Exponents up to this take the tiny pre-scale (exponent fields 1 to 59 of
// the extended format): Pow10(D - 17) would overflow for them.
constexpr int32_t TinyExponent = -16324;
constexpr int32_t TinyDecades = 4932;  // TinyScale * 2^16324 is about 10^4932

// The operand of the scaling: x itself, or x pre-scaled (rounded once).
// Runs under the printer's control word.
Extended80 ScalingOperand(uint64_t significand, int32_t exponent)
{
    Extended80 x{significand, static_cast<uint16_t>(exponent + ExtendedFormat.Bias)};
    if (exponent <= TinyExponent) {
        x.SignExponent = static_cast<uint16_t>(x.SignExponent - TinyExponent);
        x = X87Multiply(x, X87FromUnsigned64(static_cast<uint64_t>(TinyScale)));
    }
    return x;
}

// Step 7's scaling as the x87 unit does it: D from its logarithm, then N and
// G from one division by a power of ten.
ScaledDecimal ScaleOperandByLogarithm(Extended80 x)
{
    ScaledDecimal s;
    s.Exponent = X87FloorToInt32(X87Log10(x));
    Extended80 y = X87Divide(x, Pow10(s.Exponent - (ScaledDigits - 1)));
    s.Digits = X87FloorToInt64(y);
    // y - N and its product with 100 are exact.
    Extended80 fraction = X87Subtract(y, X87FromUnsigned64(static_cast<uint64_t>(s.Digits)));
    s.Extra = X87FloorToInt32(X87Multiply(fraction, X87FromUnsigned64(100)));
    return s;
}

// A guess at floor(log10 x) for a positive normal x, off by at most one:
// log2 x = E + log2(1 + f) is taken as E + f + 0.3466 f (1 - f) (within
// 0.0077 of it) in units of 2^-16, times log10(2) in units of 2^-32. Only
// the speed depends on it: ScaleByEstimate checks the guess.
int32_t EstimateDecimalExponent(Extended80 x)
{
    int64_t e = static_cast<int64_t>(x.SignExponent) - ExtendedFormat.Bias;
    int64_t f = static_cast<int64_t>((x.Significand >> 47) & 0xFFFF);  // 16 bits below the integer bit
    int64_t bend = (f * (65536 - f)) >> 16;  // f (1 - f), below 2^14
    int64_t log2 = e * 65536 + f + ((bend * 22714) >> 16);  // |log2| < 2^30
    // log10(2) * 2^32 = 1292913986.1; the product stays below 2^61. The
    // shift of a negative product rounds toward minus infinity: a floor.
    return static_cast<int32_t>((log2 * 1292913986) >> 48);
}

// The range of N in which D is certain (the margin proof below), as bounds
// on floor(y): 10^17 (1 + 2^-32) <= y < 10^18 (1 - 2^-32).
constexpr uint64_t CertainLow = 100000000000000000u + 23283065u;  // 10^17 / 2^32 = 23283064.4
constexpr uint64_t CertainHigh = 1000000000000000000u - 232830645u;  // 10^18 / 2^32 = 232830643.7

// The logarithm's D without the logarithm. With a guess D', the printer's own
// operations give P = Pow10(D' - 17) and y = x / P rounded; when floor(y)
// lies within [CertainLow, CertainHigh], D' is floor(r), r the x87's log10 x:
//
// - Pow10's result is 10^(D' - 17) (1 + p) with |p| < 20 * 2^-64 < 2^-59 (at
//   most eight rounded table entries, nine rounded products and one rounded
//   reciprocal, each within 2^-64 relative; normal for every D' used here),
//   and y = (x / P)(1 + q) with |q| <= 2^-64.
// - So x / 10^D' = (y / 10^17)(1 + p) / (1 + q) lies strictly between
//   (1 + 2^-32)(1 - 2^-58) > 1 + 2^-33 and 10 (1 - 2^-32)(1 + 2^-58) <
//   10 (1 - 2^-33): L = log10 x lies in (D', D' + 1) at a distance of more
//   than log10(1 + 2^-33) > 2^-35 from both ends.
// - r is log10(2) rounded to 64 bits (relative error 2^-64) times log2 x,
//   rounded once, the processor's fyl2x being documented to within one unit
//   in the last place (2^-63 relative): |r - L| < |L| 2^-62 < 2^-49, since |L|
//   < 4933 < 2^13. That is 2^14 times smaller than the distance to the ends,
//   so floor(r) = floor(L) = D'.
//
// y itself, and so N and G, are then those of the logarithm's path: the same
// Pow10 argument and the same division. Outside the range the guess moves by
// one and is tried once more; failing that (x within about 2^-32 of a power
// of ten, or a guess two off), the logarithm decides.
bool ScaleByEstimate(Extended80 x, ScaledDecimal* s)
{
    int32_t d = EstimateDecimalExponent(x);
    for (int attempt = 0; attempt < 2; ++attempt) {
        // D of a normal extended x is -4914..4932 (the tiny pre-scale takes
        // everything below 2^-16323), so that Pow10 stays normal; a guess
        // kept in that range only comes closer.
        if (d < -4914)
            d = -4914;
        if (d > 4932)
            d = 4932;
        Extended80 y = X87Divide(x, Pow10(d - (ScaledDigits - 1)));
        int32_t e = static_cast<int32_t>(y.SignExponent) - ExtendedFormat.Bias;  // y > 0
        // [10^17, 10^18) lies within [2^56, 2^60).
        if (e < 56 || e > 59) {
            d += e < 56 ? -1 : 1;
            continue;
        }
        int shift = 63 - e;
        uint64_t n = y.Significand >> shift;
        if (n < CertainLow || n > CertainHigh) {
            d += n < CertainLow ? -1 : 1;
            continue;
        }
        // N and G in integer arithmetic: y is positive and has at most 7
        // fraction bits, so the truncation is the floor and 100 times the
        // fraction is exact; no conversion, so no change of the control word.
        uint64_t fraction = y.Significand & ((uint64_t{1} << shift) - 1);
        s->Digits = static_cast<int64_t>(n);
        s->Extra = static_cast<int32_t>((fraction * 100) >> shift);
        s->Exponent = d;
        return true;
    }
    return false;
}

}  // namespace

ScaledDecimal ScaleByLogarithm(uint64_t significand, int32_t exponent)
{
    uint16_t savedControl = X87EnterExtendedNearest();
    ScaledDecimal s = ScaleOperandByLogarithm(ScalingOperand(significand, exponent));
    X87RestoreControl(savedControl);
    if (exponent <= TinyExponent)
        s.Exponent -= TinyDecades;
    return s;
}

ScaledDecimal ScaleToDecimal(uint64_t significand, int32_t exponent)
{
    uint16_t savedControl = X87EnterExtendedNearest();
    Extended80 x = ScalingOperand(significand, exponent);
    ScaledDecimal s;
    if (!ScaleByEstimate(x, &s))
        s = ScaleOperandByLogarithm(x);
    X87RestoreControl(savedControl);
    if (exponent <= TinyExponent)
        s.Exponent -= TinyDecades;
    return s;
}

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
    const PrinterFacts& facts = PrinterFactsOf(8 * size);
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
        return PrintSubnormal(out, f.significand, facts, budget);

    // Step 7: scale the magnitude to an 18-digit integer N and two further
    // digits G, in extended precision rounding to nearest.
    ScaledDecimal scaled = ScaleToDecimal(f.significand, f.exponent);
    int32_t d = scaled.Exponent;
    int32_t g = scaled.Extra;

    // Step 8: the digit string, most significant first. 21 digits: N has 18
    // (19 or 17 when the logarithm lands on the wrong side of an integer),
    // G adds at most two.
    char digits[21];
    int c = 0;
    {
        char reversed[20];  // N < 2^63 has at most 19 digits
        int nd = ReversedDecimalDigits(static_cast<uint64_t>(scaled.Digits), reversed);
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
    int32_t limit = facts.ScientificDigits;
    if (limit != 0 && k > limit)
        k = limit;
    while (k > 1 && digits[k] == '0')  // digits[1..k] follow the point
        --k;
    for (int32_t i = 1; i <= k; ++i)
        *out++ = digits[i];
    return WriteText(out, exponentText);
}
