#pragma once
// Shared pieces of the fuzz targets: splitting one input into several
// values, and a check that stops the run with a readable reason. The same
// target source is linked with libFuzzer (scripts/fuzz.sh) and with the
// plain regression runner (the normal test run).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace torepal::fuzz {

// The input being run, so a failed check can print it (libFuzzer saves the
// crashing input itself; the regression runner relies on this).
inline const std::uint8_t* g_currentData = nullptr;
inline std::size_t g_currentSize = 0;

[[noreturn]] inline void Fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    if (g_currentData) {
        std::fprintf(stderr, "input (%zu bytes):", g_currentSize);
        for (std::size_t i = 0; i < g_currentSize && i < 4096; ++i) std::fprintf(stderr, " %02x", g_currentData[i]);
        std::fprintf(stderr, "\n");
    }
    std::abort();
}

// Reads a fuzz input front to back. Running out gives empty values, never
// an error, so every input is a valid test case.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : text_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t byte()
    {
        if (pos_ >= text_.size()) return 0;
        return static_cast<std::uint8_t>(text_[pos_++]);
    }

    // A piece of at most `largest` bytes whose length comes from one byte.
    std::string_view piece(std::size_t largest)
    {
        const std::size_t n = byte() % (largest + 1);
        return take(n);
    }

    std::string_view take(std::size_t n)
    {
        if (n > text_.size() - pos_) n = text_.size() - pos_;
        const std::string_view p = text_.substr(pos_, n);
        pos_ += n;
        return p;
    }

    std::string_view rest() { return take(text_.size() - pos_); }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

inline std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

}  // namespace torepal::fuzz

#define FUZZ_CHECK(cond)                                               \
    do {                                                               \
        if (!(cond)) ::torepal::fuzz::Fail(#cond, __FILE__, __LINE__); \
    } while (0)

// The entry point each target defines, and libFuzzer or the regression
// runner calls.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
