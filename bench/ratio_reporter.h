#pragma once
// A console reporter that keeps each run's CPU time per iteration, so that a
// benchmark program can print, after its table, how many times as fast the
// program's operation is as the C library's on the same inputs in this run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            nanoseconds_[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }

    // One line: label, both times and ours' speed-up; nothing when either
    // benchmark was filtered out.
    void PrintRatio(const char* label, const std::string& ours, const std::string& theirs) const
    {
        auto a = nanoseconds_.find(ours);
        auto b = nanoseconds_.find(theirs);
        if (a == nanoseconds_.end() || b == nanoseconds_.end())
            return;
        std::printf("  %-26s %8.1f ns %9.1f ns %7.2fx\n", label, a->second, b->second, b->second / a->second);
    }

private:
    std::map<std::string, double> nanoseconds_;
};

// Runs the benchmarks with a RatioReporter and hands it to printRatios.
template <typename PrintRatios> int RunWithRatios(int argc, char** argv, PrintRatios printRatios)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printRatios(reporter);
    return 0;
}
