// dexolin-cli --each: lines per second through the batch form (a fresh
// start-up, the one-shot edit, the block printed) at 64 and 80 bits, with and
// without the readings, on two inputs: random bit patterns for the hex field
// and everyday decimal numbers for the float field and for --each encode
// (field 1). Before them, the
// slowest single readings, in microseconds.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "cli/batch_runner.h"
#include "cli/companion.h"
#include "cli/encode_command.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"
#include "views/float_readings.h"

namespace {

constexpr int Lines = 1000;

// Random bits, every digit of the width.
std::string RandomPatterns(int width)
{
    std::mt19937_64 random(42);
    std::string input;
    for (int i = 0; i < Lines; ++i) {
        for (int d = 0; d < width / 4; ++d)
            input += "0123456789ABCDEF"[random() % 16];
        input += '\n';
    }
    return input;
}

// Decimal numbers as people type them: a few digits, magnitudes from 1e-30
// to 1e30.
std::string EverydayNumbers()
{
    std::mt19937_64 random(7);
    std::string input;
    char text[32];
    for (int i = 0; i < Lines; ++i) {
        double mantissa = static_cast<double>(random() % 100000) / 1000.0;
        int exponent = static_cast<int>(random() % 61) - 30;
        std::snprintf(text, sizeof text, "%s%.3fe%d\n", random() % 2 ? "-" : "", mantissa, exponent);
        input += text;
    }
    return input;
}

// Arguments: width, readings (0 or 1), field.
void Batch(benchmark::State& state)
{
    int width = static_cast<int>(state.range(0));
    int field = static_cast<int>(state.range(2));
    std::string input = field == FieldHex ? RandomPatterns(width) : EverydayNumbers();
    BlockOutput sink{std::fopen("/dev/null", "w"), state.range(1) != 0, false};
    // As dexolin-cli runs --each: without the inspector's pane, whose
    // readings only scripts can see.
    MemorySetInspectorShown(false);
    for (auto _ : state) {
        FILE* in = fmemopen(input.data(), input.size(), "r");
        benchmark::DoNotOptimize(CompanionRunBatch(in, sink, field, width, false));
        std::fclose(in);
    }
    std::fclose(sink.File);
    state.SetItemsProcessed(state.iterations() * Lines);
}

// The readings with the most digits: the exact and shortest values of the
// extended format's smallest subnormal, largest subnormal, smallest normal
// and largest finite value (10-byte registers, least significant byte first).
const uint8_t SlowValues[][10] = {
    {1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0x80, 1, 0},
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F},
};

// Arguments: value (index into SlowValues), reading (0 exact, 1 shortest).
void SlowReading(benchmark::State& state)
{
    static char text[ReadingCapacity];
    const uint8_t* value = SlowValues[state.range(0)];
    Reading reading = state.range(1) == 0 ? Reading::Exact : Reading::Shortest;
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteReading(text, reading, value, 80));
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(SlowReading)
    ->ArgNames({"value", "shortest"})
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(Batch)
    ->ArgNames({"width", "readings", "field"})
    ->ArgsProduct({{64, 80}, {0, 1}, {FieldHex, FieldFloat, CompanionEncodeField}})
    ->Unit(benchmark::kMillisecond);
