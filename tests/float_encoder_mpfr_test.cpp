// The encoder against an independent reference, MPFR: decimal texts at and
// next to the midpoints between neighbouring values (the hardest cases for
// rounding), at the overflow threshold and around the smallest subnormal,
// for every preset and random layouts, in every mode; values and flags.
#include <gmp.h>
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cstdlib>
#include <random>
#include <string>

#include "core/float_format_names.h"
#include "core/float_presets.h"
#include "views/encode_error.h"
#include "views/float_encoder.h"
#include "views/float_readings.h"
#include "views/short_decimal.h"
#include "views/text_rounding.h"

namespace {

// odd <- 2 * significand + 1: the midpoint above significand in units of
// half its quantum (set in two 32-bit halves: unsigned long may be 32 bits).
void SetOddAbove(mpz_t odd, uint64_t significand)
{
    mpz_set_ui(odd, static_cast<unsigned long>(significand >> 32));
    mpz_mul_2exp(odd, odd, 32);
    mpz_add_ui(odd, odd, static_cast<unsigned long>(significand & 0xFFFFFFFFu));
    mpz_mul_2exp(odd, odd, 1);
    mpz_add_ui(odd, odd, 1);
}

// Random midpoints per format and random layouts: a few by default, many in
// the long sweeps.
#ifdef DEXOLIN_LONG_SWEEPS
constexpr int SamplesPerFormat = 400;
constexpr int RandomLayouts = 200;
#else
constexpr int SamplesPerFormat = 6;
constexpr int RandomLayouts = 12;
#endif

const RoundingMode Modes[] = {RoundingMode::Even, RoundingMode::Away, RoundingMode::Zero, RoundingMode::Up,
                              RoundingMode::Down};

mpfr_rnd_t MpfrMode(RoundingMode mode)
{
    switch (mode) {
    case RoundingMode::Zero: return MPFR_RNDZ;
    case RoundingMode::Up: return MPFR_RNDU;
    case RoundingMode::Down: return MPFR_RNDD;
    default: return MPFR_RNDN;
    }
}

// text rounded to p bits, with subnormals from 2^emin down when bounded, in
// the mode. MPFR has no ties-away mode: a tie (the text is exactly the
// midpoint of the values below and above) goes to the larger magnitude,
// anything else as to nearest. Returns the ternary value.
int RoundReference(mpfr_t out, const std::string& text, int p, long emin, bool bounded, RoundingMode mode)
{
    auto round = [&](mpfr_t x, mpfr_rnd_t rnd) {
        mpfr_exp_t oldMin = mpfr_get_emin();
        if (bounded)
            mpfr_set_emin(emin - p + 2);
        mpfr_clear_flags();
        int t = mpfr_strtofr(x, text.c_str(), nullptr, 10, rnd);
        if (bounded) {
            t = mpfr_subnormalize(x, t, rnd);
            mpfr_set_emin(oldMin);
        }
        return t;
    };
    if (mode != RoundingMode::Away)
        return round(out, MpfrMode(mode));
    mpfr_t below, above, mid, exact;
    mpfr_inits2(p, below, above, static_cast<mpfr_ptr>(nullptr));
    mpfr_inits2(p + 2, mid, exact, static_cast<mpfr_ptr>(nullptr));
    int tBelow = round(below, MPFR_RNDD);
    round(above, MPFR_RNDU);
    mpfr_add(mid, below, above, MPFR_RNDN);
    mpfr_div_2ui(mid, mid, 1, MPFR_RNDN);
    bool tie = tBelow != 0 && mpfr_strtofr(exact, text.c_str(), nullptr, 10, MPFR_RNDN) == 0 &&
        mpfr_equal_p(exact, mid);
    int t = 0;
    if (tie) {
        bool up = mpfr_sgn(mid) > 0;
        mpfr_set(out, up ? above : below, MPFR_RNDN);
        t = up ? 1 : -1;
    } else {
        t = round(out, MPFR_RNDN);
    }
    mpfr_clears(below, above, mid, exact, static_cast<mpfr_ptr>(nullptr));
    return t;
}

// The exact decimal text of m * 2^e (m odd or even, any sign).
std::string ExactDecimal(const mpz_t m, long e)
{
    mpz_t digits;
    mpz_init(digits);
    long decimalExponent = 0;
    if (e >= 0) {
        mpz_mul_2exp(digits, m, static_cast<mp_bitcnt_t>(e));
    } else {
        mpz_ui_pow_ui(digits, 5, static_cast<unsigned long>(-e));
        mpz_mul(digits, digits, m);
        decimalExponent = e;
    }
    char* text = mpz_get_str(nullptr, 10, digits);
    std::string result = std::string(text) + "e" + std::to_string(decimalExponent);
    std::free(text);
    mpz_clear(digits);
    return result;
}

// Texts at a midpoint (2k + 1) * 2^(e - 1) and one unit of the 16th, 19th
// (short texts, the fast path's), 30th and 700th significant digit on
// either side of it. The midpoint's own text,
// thousands of digits long in the wide formats, is left out unless asked
// for or short.
std::vector<std::string> TextsAround(const mpz_t twiceSignificandPlusOne, long e, bool negative, bool always)
{
    std::vector<std::string> texts;
    std::string exact = ExactDecimal(twiceSignificandPlusOne, e - 1);
    size_t ePos = exact.find('e');
    std::string digits = exact.substr(0, ePos);
    long exponent = std::stol(exact.substr(ePos + 1));
    std::string sign = negative ? "-" : "";
    if (always || digits.size() <= 800)
        texts.push_back(sign + exact);
    for (size_t place : {size_t{16}, size_t{19}, size_t{30}, size_t{700}}) {
        std::string padded = digits;
        long padExponent = exponent;
        while (padded.size() < place) {
            padded += '0';
            --padExponent;
        }
        // Cut below the place (the cut part only makes the text differ by
        // less than the unit), then one unit up and down.
        long cutExponent = padExponent + static_cast<long>(padded.size() - place);
        std::string head = padded.substr(0, place);
        mpz_t value;
        mpz_init_set_str(value, head.c_str(), 10);
        for (int step : {1, -1}) {
            mpz_t shifted;
            mpz_init(shifted);
            if (step > 0)
                mpz_add_ui(shifted, value, 1);
            else
                mpz_sub_ui(shifted, value, 1);
            char* text = mpz_get_str(nullptr, 10, shifted);
            texts.push_back(sign + text + "e" + std::to_string(cutExponent));
            std::free(text);
            mpz_clear(shifted);
        }
        mpz_clear(value);
    }
    return texts;
}

struct Checker {
    const FloatFormat& format;
    int checked = 0;

    void Check(const std::string& text, RoundingMode mode)
    {
        const int p = Precision(format);
        const long emin = SmallestNormalExponent(format);
        mpfr_t ref, unbounded, largest, got;
        mpfr_inits2(p, ref, unbounded, largest, static_cast<mpfr_ptr>(nullptr));
        mpfr_init2(got, 64);
        int t = RoundReference(ref, text, p, emin, true, mode);
        RoundReference(unbounded, text, p, emin, false, mode);
        uint64_t largestSignificand = (uint64_t{1} << (p - 1)) | LargestFiniteFraction(format);
        mpfr_set_uj_2exp(largest, largestSignificand, LargestFiniteExponent(format) - p + 1, MPFR_RNDN);
        bool overflow = mpfr_cmpabs(ref, largest) > 0;
        mpfr_abs(unbounded, unbounded, MPFR_RNDN);
        bool tiny = !mpfr_zero_p(unbounded) && mpfr_cmp_ui_2exp(unbounded, 1, emin) < 0;

        uint8_t value[10] = {};
        EncodeOutcome outcome{};
        EncodeOptions options{mode, false};
        ASSERT_TRUE(EncodeValueText(text.c_str(), ReadingCapacity - 1, format, options, value, &outcome))
            << text;
        uint8_t flags = t != 0 ? FlagInexact : 0;
        if (overflow)
            flags = FlagInexact | FlagOverflow;
        else if (t != 0 && tiny)
            flags |= FlagUnderflow;
        EXPECT_EQ(outcome.Flags, flags) << format.Name << " " << RoundingModeName(mode) << " " << text;
        if (!overflow) {
            ASSERT_TRUE(outcome.Finite);
            mpfr_set_uj_2exp(got, outcome.Significand, outcome.Exponent, MPFR_RNDN);
            if (outcome.Negative)
                mpfr_neg(got, got, MPFR_RNDN);
            EXPECT_TRUE(mpfr_equal_p(got, ref)) << format.Name << " " << RoundingModeName(mode) << " " << text
                                                << " got " << outcome.Significand << "p" << outcome.Exponent;
            if (!mpfr_zero_p(ref)) {
                EXPECT_EQ(outcome.Negative, mpfr_signbit(ref) != 0) << text;
            }
        }
        ++checked;
        mpfr_clears(ref, unbounded, largest, got, static_cast<mpfr_ptr>(nullptr));
    }

    // Every text around the midpoint above significand * 2^e (the quantum).
    void CheckAround(uint64_t significand, long e, bool negative, bool always = true)
    {
        mpz_t odd;
        mpz_init(odd);
        SetOddAbove(odd, significand);
        for (const std::string& text : TextsAround(odd, e, negative, always)) {
            for (RoundingMode mode : Modes)
                Check(text, mode);
        }
        mpz_clear(odd);
    }

    void Sweep(std::mt19937_64& random, int count)
    {
        const int p = Precision(format);
        const long subnormalQuantum = SmallestNormalExponent(format) - p + 1;
        const uint64_t largest = (uint64_t{1} << (p - 1)) | LargestFiniteFraction(format);
        const long largestQuantum = LargestFiniteExponent(format) - p + 1;
        // The overflow threshold, the smallest subnormals and zero.
        CheckAround(largest, largestQuantum, false);
        CheckAround(largest, largestQuantum, true);
        CheckAround(0, subnormalQuantum, false);
        CheckAround(1, subnormalQuantum, true);
        CheckAround((uint64_t{1} << (p - 1)) - 1, subnormalQuantum, false);
        for (int i = 0; i < count; ++i) {
            long field = static_cast<long>(random() % LargestFiniteField(format)) + (i % 4 == 0 ? 0 : 1);
            uint64_t fraction = random() & FractionMask(format);
            uint64_t significand = field == 0 ? fraction : (uint64_t{1} << (p - 1)) | fraction;
            long quantum = field == 0 ? subnormalQuantum : subnormalQuantum + field - 1;
            CheckAround(significand, quantum, (random() & 1) != 0, false);
        }
    }
};

// A random layout's name: exponent 2 to 15 bits, 1 to 63 fraction bits, any
// convention.
bool RandomLayout(std::mt19937_64& random, FloatFormat* format)
{
    const char* conventions[] = {"", "fn", "fnuz"};
    std::string name = "e" + std::to_string(2 + random() % 14) + "m" + std::to_string(1 + random() % 63) +
        conventions[random() % 3];
    return ReadFormatName(name.c_str(), format) == FormatNameResult::Ok;
}

TEST(FloatEncoderMpfr, EveryPresetNearMidpoints)
{
    std::mt19937_64 random(20261208);
    for (const FloatFormat& format : FloatPresets) {
        Checker checker{format};
        checker.Sweep(random, SamplesPerFormat);
        EXPECT_GT(checker.checked, 0);
    }
}

TEST(FloatEncoderMpfr, RandomLayoutsNearMidpoints)
{
    std::mt19937_64 random(777);
    int layouts = 0;
    while (layouts < RandomLayouts) {
        FloatFormat format;
        if (!RandomLayout(random, &format))
            continue;
        ++layouts;
        Checker checker{format};
        checker.Sweep(random, SamplesPerFormat);
    }
}

// The power table against GMP: each entry is floor(10^q / 2^Shift), 128
// bits long, and exact exactly when the power is.
TEST(ShortDecimal, PowerTableIsExact)
{
    mpz_t power, mantissa, expected, scaled;
    mpz_inits(power, mantissa, expected, scaled, static_cast<mpz_ptr>(nullptr));
    for (int32_t q = ShortDecimalMinPower; q <= ShortDecimalMaxPower; ++q) {
        const Pow10Approximation entry = ShortDecimalPow10(q);
        mpz_set_ui(mantissa, static_cast<unsigned long>(entry.High >> 32));
        for (uint64_t part : {entry.High & 0xFFFFFFFFu, entry.Low >> 32, entry.Low & 0xFFFFFFFFu}) {
            mpz_mul_2exp(mantissa, mantissa, 32);
            mpz_add_ui(mantissa, mantissa, static_cast<unsigned long>(part));
        }
        ASSERT_EQ(mpz_sizeinbase(mantissa, 2), 128u) << q;
        // expected = floor(10^q / 2^Shift) as floor(numerator / denominator).
        mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(q < 0 ? -q : q));
        mpz_set_ui(scaled, 1);
        if (q >= 0)
            mpz_set(expected, power);
        else
            mpz_set_ui(expected, 1);
        if (entry.Shift < 0)
            mpz_mul_2exp(expected, expected, static_cast<mp_bitcnt_t>(-entry.Shift));
        else
            mpz_mul_2exp(scaled, scaled, static_cast<mp_bitcnt_t>(entry.Shift));
        if (q < 0)
            mpz_mul(scaled, scaled, power);
        const bool exact = mpz_divisible_p(expected, scaled) != 0;
        mpz_fdiv_q(expected, expected, scaled);
        ASSERT_EQ(mpz_cmp(mantissa, expected), 0) << q;
        ASSERT_EQ(entry.Exact, exact) << q;
    }
    mpz_clears(power, mantissa, expected, scaled, static_cast<mpz_ptr>(nullptr));
}

// The fast path against the exact one on short texts: random digits with
// exponents across the format's range, and the 16th and 19th digits around
// midpoints. Every decision it takes must be the exact path's, and it must
// take most of the random ones.
struct FastPathChecker {
    const FloatFormat& format;
    int tried = 0;
    int decided = 0;

    void Check(const std::string& text)
    {
        ValueText read;
        ASSERT_TRUE(ReadValueText(text.c_str(), static_cast<int32_t>(text.size()), &read)) << text;
        const RoundingTarget target{Precision(format), SmallestNormalExponent(format)};
        for (RoundingMode mode : Modes) {
            const RoundedValue exact = RoundValueTextExact(read, target, LargestFiniteExponent(format), mode);
            const RoundedValue both = RoundValueText(read, target, LargestFiniteExponent(format), mode);
            EXPECT_TRUE(both.Significand == exact.Significand && both.Exponent == exact.Exponent &&
                        both.Inexact == exact.Inexact && both.Tiny == exact.Tiny)
                << format.Name << " " << RoundingModeName(mode) << " " << text;
            if (read.Count == 0 || read.Count > 19)
                continue;
            uint64_t digits = 0;  // the significant digits, trailing zeros gone into the exponent
            for (int32_t j = 0; j < read.Count; ++j)
                digits = digits * 10 + static_cast<uint64_t>(read.First[j] - '0');
            RoundedValue fast{};
            // Results above the smallest normal binade and within range,
            // of values neither on a value nor on a midpoint (inexact at
            // one bit more), are the fast path's to decide; the others need
            // an exact power, or round up into the normal range from below.
            const bool normal = exact.Exponent > target.MinExponent - target.Precision + 1 &&
                exact.Exponent + target.Precision - 1 <= LargestFiniteExponent(format) &&
                (target.Precision == 64 ||
                 RoundValueTextExact(read, {target.Precision + 1, target.MinExponent},
                                     LargestFiniteExponent(format), mode)
                     .Inexact);
            tried += normal ? 1 : 0;
            if (!RoundShortDecimal(0, digits, read.Exponent, read.Negative, target, mode, &fast))
                continue;
            decided += normal ? 1 : 0;
            // Far beyond the range the exact path stands a power of two in
            // for the value (the same overflow): compared through the
            // encoder's path above only.
            if (fast.Exponent + target.Precision - 1 > LargestFiniteExponent(format) + 1)
                continue;
            EXPECT_TRUE(fast.Significand == exact.Significand && fast.Exponent == exact.Exponent &&
                        fast.Inexact == exact.Inexact && fast.Tiny == exact.Tiny)
                << format.Name << " " << RoundingModeName(mode) << " " << text << " fast " << fast.Significand
                << "p" << fast.Exponent << " exact " << exact.Significand << "p" << exact.Exponent;
        }
    }

    // Texts of 1 to 38 random digits with a decimal exponent spread over
    // the format's range and a little beyond.
    void Random(std::mt19937_64& random, int count)
    {
        const long low = (SmallestNormalExponent(format) - Precision(format)) * 30103L / 100000 - 41;
        const long high = LargestFiniteExponent(format) * 30103L / 100000 + 3;
        for (int i = 0; i < count; ++i) {
            int length = 1 + static_cast<int>(random() % 38);
            std::string digits(1, static_cast<char>('1' + random() % 9));
            while (static_cast<int>(digits.size()) < length)
                digits += static_cast<char>('0' + random() % 10);
            long exponent = low + static_cast<long>(random() % static_cast<uint64_t>(high - low + 1));
            Check(((random() & 1) != 0 ? "-" : "") + digits + "e" + std::to_string(exponent));
        }
    }

    // The short texts around random midpoints, a quarter of them subnormal.
    void Midpoints(std::mt19937_64& random, int count)
    {
        const int p = Precision(format);
        const long subnormalQuantum = SmallestNormalExponent(format) - p + 1;
        for (int i = 0; i < count; ++i) {
            long field = static_cast<long>(random() % LargestFiniteField(format)) + (i % 4 == 0 ? 0 : 1);
            uint64_t fraction = random() & FractionMask(format);
            uint64_t significand = field == 0 ? fraction : (uint64_t{1} << (p - 1)) | fraction;
            mpz_t odd;
            mpz_init(odd);
            SetOddAbove(odd, significand);
            for (const std::string& text : TextsAround(odd, subnormalQuantum + field - 1, false, false)) {
                std::string digits = text.substr(0, text.find('e'));
                if (digits.size() <= 38)
                    Check(text);
            }
            mpz_clear(odd);
        }
    }
};

#ifdef DEXOLIN_LONG_SWEEPS
constexpr int FastSamples = 20000;
#else
constexpr int FastSamples = 120;
#endif

TEST(ShortDecimal, FastPathMatchesExactPath)
{
    std::mt19937_64 random(4242);
    auto sweep = [&](const FloatFormat& format) {
        FastPathChecker checker{format};
        checker.Random(random, FastSamples);
        const int randomTried = checker.tried;
        const int randomDecided = checker.decided;
        checker.Midpoints(random, FastSamples / 4);
        // Random texts are rarely near a rounding boundary: nearly every
        // inexact normal one is decided fast.
        EXPECT_GE(randomDecided, randomTried * 95 / 100) << format.Name;
    };
    for (const FloatFormat& format : FloatPresets)
        sweep(format);
    for (int layouts = 0; layouts < 10;) {
        FloatFormat format;
        if (!RandomLayout(random, &format))
            continue;
        ++layouts;
        sweep(format);
    }
}

// A hexadecimal text 2^-n that rounds to zero in the extended format (a
// tie at n = 16446, below half the smallest subnormal at 16447): its error is
// -2^-n, exactly 5^n * 10^-n, thousands of digits, from GMP.
TEST(EncodeError, HexadecimalTextsAreExact)
{
    for (int n : {16446, 16447}) {
        std::string text = "0x1p-" + std::to_string(n);
        uint8_t value[10] = {};
        EncodeOutcome outcome{};
        FloatFormat format;
        ASSERT_EQ(ReadFormatName("x87", &format), FormatNameResult::Ok);
        ASSERT_TRUE(EncodeValueText(text.c_str(), ReadingCapacity - 1, format, {}, value, &outcome));
        static char error[EncodeErrorCapacity];
        WriteEncodeError(error, text.c_str(), ReadingCapacity - 1, outcome);
        mpz_t power;
        mpz_init(power);
        mpz_ui_pow_ui(power, 5, static_cast<unsigned long>(n));
        char* digits = mpz_get_str(nullptr, 10, power);
        std::string all = digits;
        std::free(digits);
        mpz_clear(power);
        std::string fraction = all.substr(1);
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
        std::string expected = "-" + all.substr(0, 1) + (fraction.empty() ? "" : "." + fraction) + "e" +
            std::to_string(static_cast<long>(all.size()) - 1 - n);
        EXPECT_EQ(std::string(error), expected) << text;
    }
}

}  // namespace
