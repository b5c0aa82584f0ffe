// PrintFloat against the C library's conversion of the same values to twenty
// significant digits ("%.19Le"), on a fixed set of magnitudes from subnormal
// to near overflow.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "views/float_printer.h"

namespace {

const double Doubles[] = {
    0.1,
    -1.0 / 3,
    123456.789,
    1e27,
    1e28,
    1.5e-10,
    6.02214076e23,
    -2.718281828459045e-300,
    1.7976931348623157e308,
    2.2250738585072014e-308,
    0.5,
    3.0,
    9.999999999999999e52,
    1e-9,
    42.125,
    -7e150,
};

// The same magnitudes widened, plus values only the extended format holds.
struct ExtendedSet {
    uint8_t bytes[16][10];
    long double values[16];
    ExtendedSet()
    {
        const long double extra[] = {1e4000L, -3.3621031431120935e-4932L, 1.1e-4920L, 1e-1000L};
        for (int i = 0; i < 16; ++i) {
            long double v = i < 12 ? static_cast<long double>(Doubles[i]) : extra[i - 12];
            values[i] = v;
            std::memcpy(bytes[i], &v, 10);
        }
    }
};

const ExtendedSet& Extendeds()
{
    static const ExtendedSet set;
    return set;
}

constexpr int Count = 16;

void PrintFloatDouble(benchmark::State& state)
{
    char out[32];  // 28 characters and the NUL with the budget 28
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PrintFloat(out, reinterpret_cast<const uint8_t*>(&Doubles[i]), 8, 28));
        benchmark::ClobberMemory();
        i = (i + 1) % Count;
    }
}

void SnprintfDouble(benchmark::State& state)
{
    char out[40];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            std::snprintf(out, sizeof out, "%.19Le", static_cast<long double>(Doubles[i])));
        benchmark::ClobberMemory();
        i = (i + 1) % Count;
    }
}

void PrintFloatExtended(benchmark::State& state)
{
    const ExtendedSet& set = Extendeds();
    char out[32];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PrintFloat(out, set.bytes[i], 10, 28));
        benchmark::ClobberMemory();
        i = (i + 1) % Count;
    }
}

void SnprintfExtended(benchmark::State& state)
{
    const ExtendedSet& set = Extendeds();
    char out[40];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::snprintf(out, sizeof out, "%.19Le", set.values[i]));
        benchmark::ClobberMemory();
        i = (i + 1) % Count;
    }
}

}  // namespace

BENCHMARK(PrintFloatDouble);
BENCHMARK(SnprintfDouble);
BENCHMARK(PrintFloatExtended);
BENCHMARK(SnprintfExtended);
