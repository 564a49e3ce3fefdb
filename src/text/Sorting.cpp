#include "text/Sorting.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace torepal {
namespace {

unsigned char Folded(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool IsLead(unsigned char x)
{
    return (x >= 0x81 && x <= 0x9F) || (x >= 0xE0 && x <= 0xFC);
}

// The number of leading bytes `a` and `b` share exactly, eight at a time.
// Saved files share long beginnings ("【プレート ～" and the time stamp), so
// most of a comparison is here.
std::size_t CommonPrefix(const char* a, const char* b, std::size_t n)
{
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        // The first byte in memory is the lowest one of the word.
        if (x != y) {
            if constexpr (std::endian::native == std::endian::little)
                return i + static_cast<std::size_t>(std::countr_zero(x ^ y) / 8);
            break;
        }
    }
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

}  // namespace

int CompareSortKeys(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    const std::size_t i = CommonPrefix(a.data(), b.data(), n);
    if (i < n) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool SjisLess(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    // Bytes both texts share exactly compare equal folded or not, so the
    // comparison starts at the first byte that differs. Whether that byte
    // is a trail byte: a byte that cannot be a lead byte ends its
    // character, and the lead-valued bytes after it pair up.
    std::size_t i = CommonPrefix(a.data(), b.data(), n);
    std::size_t run = i;
    while (run > 0 && IsLead(static_cast<unsigned char>(a[run - 1]))) --run;
    bool trail = (i - run) % 2 == 1;

    // Trail bytes may fall in the ASCII letter range (41-5A); fold only
    // bytes that stand on a character boundary.
    while (i < n) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        const unsigned char fx = trail ? x : Folded(x);
        const unsigned char fy = trail ? y : Folded(y);
        if (fx != fy) return fx < fy;
        trail = !trail && IsLead(x);
        ++i;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

void AppendSjisSortKey(std::string& keys, std::string_view text)
{
    const std::size_t at = keys.size();
    keys.append(text);
    // Step a character at a time, so a trail byte is passed over with its
    // lead byte instead of being tested on its own.
    char* k = keys.data() + at;
    char* const end = k + text.size();
    while (k < end) {
        const unsigned char x = static_cast<unsigned char>(*k);
        if (IsLead(x)) {
            k += 2;
            continue;
        }
        if (static_cast<unsigned char>(x - 'A') < 26) *k = static_cast<char>(x + ('a' - 'A'));
        ++k;
    }
}

std::string SjisSortKey(std::string_view text)
{
    std::string key;
    AppendSjisSortKey(key, text);
    return key;
}

}  // namespace torepal
