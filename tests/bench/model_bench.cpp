// The model's calculate alone, every group filled, with Google Benchmark.
// Prints its own report on standard error and one figure a line on standard
// output: the median of the repetitions, in nanoseconds.

#include "crossover.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

void calculate(benchmark::State& state, Slope slope)
{
    const Values values{
        .fc = 500, .rvg = 8, .fc1 = 500, .fc2 = 3000, .rvg1 = 8, .fc3 = 3000, .rvg2 = 8};
    for (auto _ : state)
        benchmark::DoNotOptimize(crossover(slope).calculate(values, "."));
}

// The console report, plus each benchmark's median kept for the figures.
class Reporter : public benchmark::ConsoleReporter
{
public:
    struct Median
    {
        std::string name;
        double nanoseconds;
    };

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians.push_back({run.run_name.function_name,
                                   run.GetAdjustedRealTime() /
                                       benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9});
        }
    }

    std::vector<Median> medians;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("model.first_order", calculate, Slope::First)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("model.second_order", calculate, Slope::Second)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("model.third_order", calculate, Slope::Third)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::Initialize(&argc, argv);

    Reporter reporter;
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    for (const Reporter::Median& median : reporter.medians)
        std::printf("%s_ns\t%.1f\tns\n", median.name.c_str(), median.nanoseconds);
    return 0;
}
