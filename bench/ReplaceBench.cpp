// The one text replacement over growing Japanese texts, side by side with
// what another developer would write with the C and C++ libraries for the
// same job (a loop over glibc's memmem, and one over the standard library's
// Boyer-Moore-Horspool searcher, each keeping the Shift-JIS rule that a
// match never starts on a trail byte), with memcpy of the same buffer, the
// floor of anything that writes a new text, and with the output assembled
// at match positions known in advance (no search), the floor of anything
// that returns a new std::string.
//
// The five are timed in the same rounds, one after the other in an order
// that turns each round, so a change in the machine's load touches them
// alike; each figure is the median over the rounds.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

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

// Where the search stands on character boundaries, found beforehand for the
// floor below.
std::vector<std::size_t> MatchPositions(const std::string& text, const std::string& search)
{
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i + search.size() <= text.size();) {
        if (text.compare(i, search.size(), search) == 0) {
            at.push_back(i);
            i += search.size();
        } else {
            i += CharLength(text, i);
        }
    }
    return at;
}

// The floor of any replacement that returns a new std::string: the output
// sized once (resize, which writes zeros first: C++20 has no way around it)
// and assembled with memcpy at match positions known in advance, with no
// search at all. No goal: it shows how close to memcpy the goal can be.
std::string Assembled(const std::string& text, const std::vector<std::size_t>& positions, std::size_t searchLength,
                      const std::string& with)
{
    std::string out;
    out.resize(text.size() - positions.size() * searchLength + positions.size() * with.size());
    char* o = out.data();
    std::size_t copied = 0;
    for (std::size_t at : positions) {
        std::memcpy(o, text.data() + copied, at - copied);
        o += at - copied;
        std::memcpy(o, with.data(), with.size());
        o += with.size();
        copied = at + searchLength;
    }
    std::memcpy(o, text.data() + copied, text.size() - copied);
    return out;
}

// The peers' boundary check, the best one known: look back over the bytes
// that can be lead bytes, never past the last place known to start a
// character; the parity of their count decides. (A peer who walked the text
// character by character from the start would be far slower.)
bool PeerStartsCharacter(const std::string& text, std::size_t known, std::size_t at)
{
    std::size_t i = at;
    while (i > known && IsLeadByte(static_cast<unsigned char>(text[i - 1]))) --i;
    return (at - i) % 2 == 0;
}

// A peer's replacement around a library search `find(from)` that returns the
// next occurrence at or after `from`, or npos.
template <typename Find>
std::string PeerReplaced(const std::string& text, const std::string& search, const std::string& with, Find find)
{
    std::string out;
    std::size_t known = 0, from = 0, copied = 0;
    while (true) {
        const std::size_t at = find(from);
        if (at == std::string::npos) break;
        if (!PeerStartsCharacter(text, known, at)) {
            known = from = at + 1;
            continue;
        }
        if (out.empty()) out.reserve(text.size() + text.size() / 8);
        out.append(text, copied, at - copied);
        out.append(with);
        known = from = copied = at + search.size();
    }
    if (copied == 0 && out.empty()) return text;
    out.append(text, copied, std::string::npos);
    return out;
}

std::string MemmemReplaced(const std::string& text, const std::string& search, const std::string& with)
{
    return PeerReplaced(text, search, with, [&](std::size_t from) {
        const void* hit = ::memmem(text.data() + from, text.size() - from, search.data(), search.size());
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : std::string::npos;
    });
}

std::string HorspoolReplaced(const std::string& text, const std::string& search, const std::string& with)
{
    const std::boyer_moore_horspool_searcher searcher(search.begin(), search.end());
    return PeerReplaced(text, search, with, [&](std::size_t from) {
        const auto hit = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), searcher);
        return hit == text.end() ? std::string::npos : static_cast<std::size_t>(hit - text.begin());
    });
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
    if (MemmemReplaced(text, search, with) != once || HorspoolReplaced(text, search, with) != once) {
        st.SkipWithError("a peer's replacement gives another text");
        return;
    }

    const std::vector<std::size_t> positions = MatchPositions(text, search);
    if (Assembled(text, positions, search.size(), with) != once) {
        st.SkipWithError("the floor's assembly gives another text");
        return;
    }

    std::string copy(text.size(), '\0');
    struct Contender {
        const char* name;
        std::function<void()> run;
        std::vector<double> ns;  // per call, one entry a round
    };
    std::vector<Contender> contenders = {
        {"ours",
         [&] {
             std::string out = Replaced(text, search, with);
             benchmark::DoNotOptimize(out.data());
             benchmark::ClobberMemory();
         },
         {}},
        {"memmem",
         [&] {
             std::string out = MemmemReplaced(text, search, with);
             benchmark::DoNotOptimize(out.data());
             benchmark::ClobberMemory();
         },
         {}},
        {"horspool",
         [&] {
             std::string out = HorspoolReplaced(text, search, with);
             benchmark::DoNotOptimize(out.data());
             benchmark::ClobberMemory();
         },
         {}},
        {"floor",
         [&] {
             std::string out = Assembled(text, positions, search.size(), with);
             benchmark::DoNotOptimize(out.data());
             benchmark::ClobberMemory();
         },
         {}},
        {"memcpy",
         [&] {
             std::memcpy(copy.data(), text.data(), text.size());
             benchmark::DoNotOptimize(copy.data());
             benchmark::ClobberMemory();
         },
         {}},
    };
    // Each contender runs for about 5 ms a round, long enough to reach its
    // steady speed: a copy of a cached buffer runs several times faster in
    // a burst of a few hundred microseconds than it keeps up (the processor
    // lowers its clock under wide vector loads, and the other core's load
    // shows), so short bursts would flatter memcpy and the vector search.
    std::vector<int> calls;
    for (Contender& c : contenders) {
        c.run();
        const auto start = std::chrono::steady_clock::now();
        c.run();
        const std::chrono::duration<double, std::nano> oneCall = std::chrono::steady_clock::now() - start;
        calls.push_back(static_cast<int>(std::clamp(5e6 / std::max(oneCall.count(), 1.0), 3.0, 1e6)));
    }
    const int rounds = 15;
    for (auto _ : st) {
        for (Contender& c : contenders) c.ns.clear();
        for (int round = 0; round < rounds; ++round) {
            for (std::size_t k = 0; k < contenders.size(); ++k) {
                const std::size_t at = (k + static_cast<std::size_t>(round)) % contenders.size();
                Contender& c = contenders[at];
                const auto start = std::chrono::steady_clock::now();
                for (int i = 0; i < calls[at]; ++i) c.run();
                const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
                c.ns.push_back(took.count() / calls[at]);
            }
        }
        st.SetIterationTime(Median(contenders[0].ns) / 1e9);
    }
    for (const Contender& c : contenders) st.counters[std::string(c.name) + "_ns"] = Median(c.ns);
    st.counters["matches"] = static_cast<double>(matches);
    st.counters["bytes"] = static_cast<double>(text.size());
}

}  // namespace

void RegisterReplaceBenchmarks()
{
    for (long size : kReplaceSizes)
        benchmark::RegisterBenchmark("Replace", BenchReplace)
            ->Arg(size)
            ->UseManualTime()
            ->Iterations(1)
            ->Repetitions(1)
            ->Unit(benchmark::kMicrosecond);
}

}  // namespace torepal::bench
