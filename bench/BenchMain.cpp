// The benchmark program: Google Benchmark's own table goes to standard
// error (scripts/bench.sh keeps it in a log); standard output gets one line
// per figure with its reference from the same run, and last the count of
// goals met.
//
// The start-up figures run first, while this process is still small: a
// child's peak memory as the system reports it starts from what the
// process that started it held.

#include <benchmark/benchmark.h>

#include <iostream>

#include "Benchmarks.h"

namespace torepal::bench {
namespace {

double NsPer(benchmark::TimeUnit unit)
{
    switch (unit) {
        case benchmark::kNanosecond:
            return 1;
        case benchmark::kMicrosecond:
            return 1e3;
        case benchmark::kMillisecond:
            return 1e6;
        case benchmark::kSecond:
            return 1e9;
    }
    return 1;
}

// Keeps the median of each benchmark (or its only run, when it was not
// repeated) while the console reporter prints everything.
class Collector final : public benchmark::ConsoleReporter {
public:
    Collector() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            std::string key = run.run_name.function_name;
            if (!run.run_name.args.empty()) key += "/" + run.run_name.args;
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!median && !single) continue;
            Measured m;
            m.ns = run.GetAdjustedRealTime() * NsPer(run.time_unit);
            for (const auto& [name, counter] : run.counters) m.counters[name] = counter.value;
            results_[key] = m;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    const Results& results() const { return results_; }

private:
    Results results_;
};

}  // namespace
}  // namespace torepal::bench

int main(int argc, char** argv)
{
    using namespace torepal::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    RegisterStartUpBenchmarks();
    RegisterCoreBenchmarks();
    RegisterReplaceBenchmarks();
    RegisterFileListBenchmarks();

    Collector collector;
    collector.SetOutputStream(&std::cerr);
    collector.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    std::cerr.flush();
    return PrintFigures(collector.results()) == 0 ? 0 : 1;
}
