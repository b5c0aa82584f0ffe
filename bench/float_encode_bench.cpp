// Entering values: encodings per second of short decimal texts (up to 20
// significant digits, exponents across the format's range) into every
// preset, and the time of one long text into the extended format: 767
// characters, and the readings' capacity.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "core/float_presets.h"
#include "views/float_encoder.h"
#include "views/float_readings.h"

namespace {

constexpr int ShortTexts = 4096;

// Random short texts for the format: 1 to 20 digits, a point after the
// first, a decimal exponent from below the smallest subnormal to above the
// largest finite value.
std::vector<std::string> ShortTextsFor(const FloatFormat& format, uint64_t seed)
{
    std::mt19937_64 random(seed);
    const long low = (SmallestNormalExponent(format) - Precision(format)) * 30103L / 100000 - 1;
    const long high = LargestFiniteExponent(format) * 30103L / 100000 + 1;
    std::vector<std::string> texts;
    for (int i = 0; i < ShortTexts; ++i) {
        int length = 1 + static_cast<int>(random() % 20);
        std::string text = (random() & 1) != 0 ? "-" : "";
        text += static_cast<char>('1' + random() % 9);
        if (length > 1)
            text += '.';
        for (int d = 1; d < length; ++d)
            text += static_cast<char>('0' + random() % 10);
        text += 'e';
        text += std::to_string(low + static_cast<long>(random() % static_cast<uint64_t>(high - low + 1)));
        texts.push_back(text);
    }
    return texts;
}

// Argument: the preset's index.
void EncodeShort(benchmark::State& state)
{
    const FloatFormat& format = FloatPresets[state.range(0)];
    std::vector<std::string> texts = ShortTextsFor(format, 99 + static_cast<uint64_t>(state.range(0)));
    uint8_t value[10] = {};
    EncodeOutcome outcome{};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            EncodeValueText(texts[i].c_str(), ReadingCapacity - 1, format, EncodeOptions{}, value, &outcome));
        benchmark::ClobberMemory();
        i = (i + 1) % texts.size();
    }
    state.SetLabel(format.Name);
    state.SetItemsProcessed(state.iterations());
}

// A long text of the given length: random digits with a point after the
// first and an exponent that puts it among the extended format's normal
// values (exponent 0), its smallest subnormals (-4940) or its largest
// values (4931): the exact division's longest operands.
std::string LongText(int length, int exponent, uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::string tail(1, 'e');
    tail += std::to_string(exponent);
    std::string text(1, static_cast<char>('1' + random() % 9));
    text += '.';
    while (static_cast<int>(text.size() + tail.size()) < length)
        text += static_cast<char>('0' + random() % 10);
    return text + tail;
}

const FloatFormat& Extended()
{
    for (const FloatFormat& format : FloatPresets) {
        if (format.Specials == SpecialValues::X87)
            return format;
    }
    return FloatPresets[0];
}

// Arguments: length, exponent.
void EncodeLongX87(benchmark::State& state)
{
    const std::string text = LongText(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 5);
    uint8_t value[10] = {};
    EncodeOutcome outcome{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            EncodeValueText(text.c_str(), ReadingCapacity - 1, Extended(), EncodeOptions{}, value, &outcome));
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(EncodeShort)->DenseRange(0, FloatPresetCount - 1)->ArgName("preset");
BENCHMARK(EncodeLongX87)
    ->ArgNames({"length", "exponent"})
    ->ArgsProduct({{767, ReadingCapacity - 1}, {-4940, 0, 4931}})
    ->Unit(benchmark::kMillisecond);
