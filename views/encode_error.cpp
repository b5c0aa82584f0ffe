#include "views/encode_error.h"

#include <cstring>

#include "core/number_text.h"
#include "views/decimal_big.h"
#include "views/float_decimal.h"

namespace {

// A signed decimal number as significant digits (values 0-9, first one not
// zero; none for zero) whose last one weighs 10^Last.
struct DigitNumber {
    bool Negative;
    const char* First;  // in a text, a '.' possibly among them
    int32_t Count;
    int64_t Last;
};

// Digit i of the number counted from its last digit (place 0), across a
// point; callers walk from the top, so the digits are copied once first.
void CopyDigits(const DigitNumber& number, char* out)
{
    int32_t n = 0;
    for (const char* c = number.First; n < number.Count; ++c) {
        if (*c != '.')
            out[n++] = static_cast<char>(*c - '0');
    }
}

// Both numbers' digits, aligned on a common last place: a's then b's digits
// (most significant first) in the work buffers, below DifferenceDigits.
// The exact difference's capacity: two texts' digits and the gap between
// them, bounded so that anything longer takes the rounded form.
constexpr int32_t DifferenceDigits = 2 * ReadingCapacity + 64;

// result <- a - b on digit arrays of length n (most significant first, a >=
// b as magnitudes).
void SubtractDigits(char* a, const char* b, int32_t n)
{
    int borrow = 0;
    for (int32_t i = n - 1; i >= 0; --i) {
        int d = a[i] - b[i] - borrow;
        borrow = d < 0 ? 1 : 0;
        a[i] = static_cast<char>(d + (borrow ? 10 : 0));
    }
}

void AddDigits(char* a, const char* b, int32_t n)
{
    int carry = 0;
    for (int32_t i = n - 1; i >= 0; --i) {
        int d = a[i] + b[i] + carry;
        carry = d >= 10 ? 1 : 0;
        a[i] = static_cast<char>(d - (carry ? 10 : 0));
    }
}

// Writes "[-]D.DDDe" with the digits (values), dropping trailing zeros; the
// exponent follows from the caller.
char* WriteMantissa(char* out, bool negative, const char* digits, int32_t count)
{
    while (count > 1 && digits[count - 1] == 0)
        --count;
    if (negative)
        *out++ = '-';
    *out++ = static_cast<char>('0' + digits[0]);
    if (count > 1) {
        *out++ = '.';
        for (int32_t i = 1; i < count; ++i)
            *out++ = static_cast<char>('0' + digits[i]);
    }
    *out++ = 'e';
    return out;
}

// Rounds count digits to 40, ties to even; below: what lies beyond them
// (-1 nothing, 0 exactly nothing but something tiny of the sign 'tinySign'
// relative to the magnitude: +1 above, -1 below). Returns the new count and
// whether the leading digit carried (then digits[0] is 1 and the exponent
// grows by one).
int32_t RoundTo40(char* digits, int32_t count, int tinySign, bool* carried)
{
    *carried = false;
    if (count <= 40 && tinySign == 0)
        return count;
    if (count <= 40)
        return count;  // a tiny remainder cannot reach half a unit
    // Beyond 40: compare the tail with half a unit.
    int half = digits[40] > 5 ? 1 : digits[40] < 5 ? -1 : 0;
    for (int32_t i = 41; half == 0 && i < count; ++i)
        half = digits[i] != 0 ? 1 : 0;
    if (half == 0)
        half = tinySign;
    bool up = half > 0 || (half == 0 && digits[39] % 2 == 1);
    if (up) {
        int32_t i = 39;
        while (i >= 0 && digits[i] == 9)
            digits[i--] = 0;
        if (i >= 0) {
            ++digits[i];
        } else {
            digits[0] = 1;
            *carried = true;
        }
    }
    return 40;
}

// A hexadecimal text's value m * 2^e as its exact decimal text: m * 2^e
// itself for e >= 0, m * 5^-e digits times 10^e below. Capacity: the
// readings' decimal integers (DecimalBigLimbs limbs of nine digits), enough
// for every value of the extended format's range (2^-16445 has 11,495
// digits); false for a longer one. out holds HexDecimalCapacity characters.
constexpr int32_t HexDecimalCapacity = DecimalBigLimbs * 9 + 24;

bool WriteHexAsDecimal(const ValueText& hex, char* out)
{
    const int64_t bits = 4 * int64_t{hex.Count};
    const int64_t e = hex.Exponent;
    // Digits of m * 2^e below (bits + e) log10 2 + 1, of m * 5^-e below
    // bits log10 2 - e log10 5 + 1 (30103/100000 > log10 2, 69898/100000 >
    // log10 5).
    const int64_t digits =
        e >= 0 ? (bits + e) * 30103 / 100000 + 2 : bits * 30103 / 100000 - e * 69898 / 100000 + 2;
    if (digits > int64_t{DecimalBigLimbs - 1} * 9)
        return false;
    static DecimalBig big;
    static DecimalBig part;
    BigSet(&big, 0);
    // Seven hexadecimal digits (28 bits) at a time: BigMulSmall's factor is
    // at most 2^32.
    uint32_t chunk = 0;
    int32_t chunkDigits = 0;
    int32_t left = hex.Count;
    for (const char* c = hex.First; left > 0; ++c) {
        if (*c == '.')
            continue;
        chunk = chunk * 16 + static_cast<uint32_t>(DigitValue(*c));
        ++chunkDigits;
        --left;
        if (chunkDigits == 7 || left == 0) {
            BigMulSmall(&big, uint64_t{1} << (4 * chunkDigits));
            BigSet(&part, chunk);
            BigAdd(&big, part);
            chunk = 0;
            chunkDigits = 0;
        }
    }
    if (e >= 0)
        BigMulPow2(&big, static_cast<int32_t>(e));
    else
        BigMulPow5(&big, static_cast<int32_t>(-e));
    if (hex.Negative)
        *out++ = '-';
    for (int32_t i = BigDigitCount(big) - 1; i >= 0; --i)
        *out++ = static_cast<char>('0' + BigDigitAt(big, i));
    *out++ = 'e';
    out = WriteSignedDecimal(out, e >= 0 ? 0 : e);
    *out = '\0';
    return true;
}

}  // namespace

char* WriteEncodeError(char* out, const char* text, int32_t maxLength, const EncodeOutcome& outcome)
{
    *out = '\0';
    ValueText typed;
    if (!outcome.Finite || !ReadValueText(text, maxLength, &typed) || typed.Kind != ValueTextKind::Finite)
        return out;
    if (typed.Radix == 16) {
        // A binary value has a finite decimal: compared as that text.
        static char decimal[HexDecimalCapacity];
        if (typed.WrittenCount > 12 || !WriteHexAsDecimal(typed, decimal) ||
            !ReadValueText(decimal, HexDecimalCapacity, &typed))
            return out;
    }

    // Step 1: the stored value's exact digits, read back as a number.
    static char stored[FloatDecimalCapacity];
    BinaryValue binary{outcome.Negative, outcome.Significand, outcome.Exponent, false};
    WriteExactDecimal(stored, binary);
    ValueText kept;
    ReadValueText(stored, FloatDecimalCapacity, &kept);
    DigitNumber a{outcome.Negative, kept.First, kept.Count, kept.Exponent};
    DigitNumber b{!typed.Negative, typed.First, typed.Count, typed.Exponent};  // minus the typed value
    if (a.Count == 0 && b.Count == 0) {
        std::strcpy(out, "0");
        return out + 1;
    }

    // Step 2: the span both occupy; beyond the work buffer's capacity the
    // smaller only nudges the larger (it lies far below its last digit).
    static char x[DifferenceDigits];
    static char y[DifferenceDigits];
    int64_t topA = a.Count ? a.Last + a.Count - 1 : INT64_MIN;
    int64_t topB = b.Count ? b.Last + b.Count - 1 : INT64_MIN;
    int64_t top = topA > topB ? topA : topB;
    int64_t bottom = a.Count == 0 ? b.Last : b.Count == 0 ? a.Last : (a.Last < b.Last ? a.Last : b.Last);
    int tinySign = 0;
    bool negative = false;
    int32_t n = 0;
    int64_t last = 0;
    // A clamped written exponent always takes the rounded form.
    const bool clamped = typed.WrittenCount > 12;
    if (!clamped && top - bottom + 1 <= DifferenceDigits) {
        n = static_cast<int32_t>(top - bottom + 1);
        std::memset(x, 0, static_cast<size_t>(n));
        std::memset(y, 0, static_cast<size_t>(n));
        if (a.Count)
            CopyDigits(a, x + (top - topA));
        if (b.Count)
            CopyDigits(b, y + (top - topB));
        last = bottom;
        if (a.Negative == b.Negative) {
            AddDigits(x, y, n);
            negative = a.Negative;
        } else {
            int order = std::memcmp(x, y, static_cast<size_t>(n));
            if (order < 0) {
                SubtractDigits(y, x, n);
                std::memcpy(x, y, static_cast<size_t>(n));
            } else {
                SubtractDigits(x, y, n);
            }
            negative = order < 0 ? b.Negative : a.Negative;
        }
    } else {
        const DigitNumber& big = topA > topB ? a : b;
        const DigitNumber& small = topA > topB ? b : a;
        n = big.Count;
        CopyDigits(big, x);
        last = big.Last;
        negative = big.Negative;
        tinySign = small.Count == 0 ? 0 : small.Negative == big.Negative ? 1 : -1;
    }

    // Step 3: drop leading and trailing zeros; exact when the text fits.
    int32_t lead = 0;
    while (lead < n && x[lead] == 0)
        ++lead;
    if (lead == n) {
        std::strcpy(out, "0");
        return out + 1;
    }
    char* digits = x + lead;
    int32_t count = n - lead;
    while (count > 1 && digits[count - 1] == 0) {
        --count;
        ++last;
    }
    int64_t leading = last + count - 1;
    int64_t exponentLength = 21;
    if (!clamped && tinySign == 0 && count + exponentLength + 4 < ReadingCapacity) {
        out = WriteMantissa(out, negative, digits, count);
        return WriteSignedDecimal(out, leading);
    }
    bool carried = false;
    count = RoundTo40(digits, count, tinySign, &carried);
    *out++ = '~';
    out = WriteMantissa(out, negative, digits, count);
    int64_t adjust = leading + (carried ? 1 : 0);
    // The exponent exactly, from the written digits when they were clamped.
    const ValueText& source = topA > topB ? kept : typed;
    return WriteExponentSum(out, source, adjust - source.Exponent);
}
