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
#include "views/float_encoder.h"
#include "views/float_readings.h"

namespace {

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

// Texts at a midpoint (2k + 1) * 2^(e - 1) and one unit of the 30th and the
// 700th significant digit on either side of it. The midpoint's own text,
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
    for (size_t place : {size_t{30}, size_t{700}}) {
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
        mpz_set_ui(odd, static_cast<unsigned long>(significand >> 32));
        mpz_mul_2exp(odd, odd, 32);
        mpz_add_ui(odd, odd, static_cast<unsigned long>(significand & 0xFFFFFFFFu));
        mpz_mul_2exp(odd, odd, 1);
        mpz_add_ui(odd, odd, 1);
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
    const char* conventions[] = {"", "fn", "fnuz"};
    int layouts = 0;
    while (layouts < RandomLayouts) {
        std::string name = "e" + std::to_string(2 + random() % 14) + "m" + std::to_string(1 + random() % 63) +
            conventions[random() % 3];
        FloatFormat format;
        if (ReadFormatName(name.c_str(), &format) != FormatNameResult::Ok)
            continue;
        ++layouts;
        Checker checker{format};
        checker.Sweep(random, SamplesPerFormat);
    }
}

}  // namespace
