#pragma once
// The benchmark groups, registered by name so the figures can be picked out
// of the results afterwards; and the figures themselves.

#include <map>
#include <string>

namespace torepal::bench {

void RegisterStartUpBenchmarks();
void RegisterCoreBenchmarks();
void RegisterReplaceBenchmarks();
void RegisterFileListBenchmarks();

// One measured benchmark: the median over its repetitions (or its only
// run), real time per iteration in nanoseconds, and its counters.
struct Measured {
    double ns = 0;
    std::map<std::string, double> counters;
};
using Results = std::map<std::string, Measured>;

// Prints one line per figure and, last, "N of M goals met". Returns the
// number of goals missed.
int PrintFigures(const Results& results);

// The sizes of the replacement texts.
inline constexpr long kReplaceSizes[] = {64L << 10, 1L << 20, 16L << 20};

}  // namespace torepal::bench
