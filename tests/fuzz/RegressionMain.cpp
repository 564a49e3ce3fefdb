// Runs a fuzz target without libFuzzer, as part of the normal test run:
// every file of the seed corpus, then a fixed number of inputs mutated from
// them by a seeded generator, so a run is the same every time and a failure
// can be reproduced with the same command.
//
//   fuzz_regress_<target> CORPUS_DIR... [--mutations=N] [--seed=S]

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "FuzzSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Random {
    std::uint64_t state;
    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return n == 0 ? 0 : next() % n; }
};

// Bytes that matter to the program's formats: length prefixes, Shift-JIS
// lead bytes, line ends, the markers' brackets and the percent sign.
const std::uint8_t kInteresting[] = {0x00, 0x01, 0x0A, 0x0D, 0x25, 0x2C, 0x2D, 0x5B, 0x5C, 0x5D,
                                     0x7F, 0x80, 0x81, 0x9F, 0xA0, 0xE0, 0xFC, 0xFD, 0xFE, 0xFF};

Bytes Mutate(const Bytes& base, const std::vector<Bytes>& corpus, Random& rng)
{
    Bytes b = base;
    const int steps = 1 + static_cast<int>(rng.below(4));
    for (int s = 0; s < steps; ++s) {
        switch (rng.below(7)) {
            case 0:  // flip a bit
                if (!b.empty()) b[rng.below(b.size())] ^= static_cast<std::uint8_t>(1u << rng.below(8));
                break;
            case 1:  // an interesting byte in place
                if (!b.empty()) b[rng.below(b.size())] = kInteresting[rng.below(sizeof kInteresting)];
                break;
            case 2: {  // insert bytes
                const std::size_t at = rng.below(b.size() + 1);
                const std::size_t n = 1 + rng.below(4);
                for (std::size_t i = 0; i < n; ++i)
                    b.insert(b.begin() + static_cast<std::ptrdiff_t>(at),
                             rng.below(2) ? kInteresting[rng.below(sizeof kInteresting)]
                                          : static_cast<std::uint8_t>(rng.next()));
                break;
            }
            case 3: {  // delete a range
                if (b.empty()) break;
                const std::size_t at = rng.below(b.size());
                const std::size_t n = 1 + rng.below(std::min<std::size_t>(16, b.size() - at));
                b.erase(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
                break;
            }
            case 4: {  // repeat a range
                if (b.empty() || b.size() > 8192) break;
                const std::size_t at = rng.below(b.size());
                const std::size_t n = 1 + rng.below(std::min<std::size_t>(64, b.size() - at));
                const Bytes chunk(b.begin() + static_cast<std::ptrdiff_t>(at),
                                  b.begin() + static_cast<std::ptrdiff_t>(at + n));
                b.insert(b.begin() + static_cast<std::ptrdiff_t>(rng.below(b.size() + 1)), chunk.begin(), chunk.end());
                break;
            }
            case 5: {  // splice with another seed
                const Bytes& other = corpus[rng.below(corpus.size())];
                const std::size_t cut = rng.below(b.size() + 1);
                const std::size_t from = rng.below(other.size() + 1);
                b.resize(cut);
                b.insert(b.end(), other.begin() + static_cast<std::ptrdiff_t>(from), other.end());
                break;
            }
            case 6:  // cut the end off
                b.resize(rng.below(b.size() + 1));
                break;
        }
    }
    return b;
}

void Run(const Bytes& input)
{
    // A copy of exactly the input's size, so AddressSanitizer sees a read
    // past its end as it would under libFuzzer.
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[input.size() ? input.size() : 1]);
    if (!input.empty()) std::memcpy(copy.get(), input.data(), input.size());
    torepal::fuzz::g_currentData = copy.get();
    torepal::fuzz::g_currentSize = input.size();
    LLVMFuzzerTestOneInput(copy.get(), input.size());
    torepal::fuzz::g_currentData = nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    long mutations = 0;
    std::uint64_t seed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--mutations=", 0) == 0) {
            mutations = std::stol(arg.substr(12));
        } else if (arg.rfind("--seed=", 0) == 0) {
            seed = std::stoull(arg.substr(7));
        } else if (std::filesystem::is_directory(arg)) {
            for (const auto& e : std::filesystem::directory_iterator(arg))
                if (e.is_regular_file()) files.push_back(e.path());
        } else {
            files.push_back(arg);
        }
    }
    std::sort(files.begin(), files.end());

    std::vector<Bytes> corpus;
    corpus.emplace_back();  // the empty input is always a case
    for (const auto& f : files) {
        std::ifstream in(f, std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    for (const Bytes& input : corpus) Run(input);

    Random rng{seed};
    for (long i = 0; i < mutations; ++i) Run(Mutate(corpus[rng.below(corpus.size())], corpus, rng));

    std::printf("%zu seed files and %ld mutated inputs ran\n", files.size(), mutations);
    return 0;
}
