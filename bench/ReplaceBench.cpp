// The one text replacement over growing Japanese texts, against memchr
// scanning the same buffer for a byte it does not hold; and memcpy of the
// buffer, to show what merely writing the new text costs.

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>

#include "BenchData.h"
#include "Benchmarks.h"
#include "text/SjisText.h"

namespace torepal::bench {
namespace {

using benchmark::State;

const std::string& TextOf(long size)
{
    static std::map<long, std::string> texts;
    auto it = texts.find(size);
    if (it == texts.end()) it = texts.emplace(size, JapaneseText(static_cast<std::size_t>(size))).first;
    return it->second;
}

// A plain count of the search's occurrences on character boundaries, to
// check that the benchmark replaces what it should.
std::size_t Occurrences(const std::string& text, const std::string& search)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i + search.size() <= text.size();) {
        if (text.compare(i, search.size(), search) == 0) {
            ++count;
            i += search.size();
        } else {
            i += CharLength(text, i);
        }
    }
    return count;
}

void BenchReplace(State& st)
{
    const std::string& text = TextOf(st.range(0));
    const std::string& search = ReplaceSearch();
    const std::string& with = ReplaceWith();
    const std::size_t matches = Occurrences(text, search);
    const std::string once = Replaced(text, search, with);
    if (once.size() != text.size() + matches * (with.size() - search.size())) {
        st.SkipWithError("the replacement did not replace every match");
        return;
    }
    for (auto _ : st) {
        std::string out = Replaced(text, search, with);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(text.size()));
    st.counters["matches"] = static_cast<double>(matches);
}

void BenchMemchr(State& st)
{
    const std::string& text = TextOf(st.range(0));
    if (std::memchr(text.data(), 0, text.size()) != nullptr) {
        st.SkipWithError("the text holds a zero byte");
        return;
    }
    for (auto _ : st) {
        const void* found = std::memchr(text.data(), 0, text.size());
        benchmark::DoNotOptimize(found);
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(text.size()));
}

// The floor of any replacement that writes a new text: copying the buffer.
void BenchMemcpy(State& st)
{
    const std::string& text = TextOf(st.range(0));
    std::string copy(text.size(), '\0');
    for (auto _ : st) {
        std::memcpy(copy.data(), text.data(), text.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(text.size()));
}

}  // namespace

void RegisterReplaceBenchmarks()
{
    for (long size : kReplaceSizes) {
        benchmark::RegisterBenchmark("Replace", BenchReplace)->Arg(size)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("Memchr", BenchMemchr)->Arg(size)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("Memcpy", BenchMemcpy)->Arg(size)->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace torepal::bench
