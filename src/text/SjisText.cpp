#include "text/SjisText.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace torepal {
namespace {

// True when `pos` starts a character of the scan that stands on the
// character boundary `known` (known <= pos). A byte that cannot be a lead
// byte always ends its character (it is a single byte or a trail byte), so
// the byte after it is a boundary; from there to `pos` every byte is
// lead-valued and the characters run in pairs, so the parity decides.
// Looking back never passes `known`, and the caller moves `known` beyond
// `pos` afterwards, so no byte is looked at more than twice overall.
bool StartsCharacter(const unsigned char* text, std::size_t known, std::size_t pos)
{
    std::size_t i = pos;
    while (i > known && IsLeadByte(text[i - 1])) --i;
    return (pos - i) % 2 == 0;
}

// How often a byte turns up in the program's texts (Japanese in Shift-JIS,
// HTML markup, CR LF line ends), roughly: higher is more common. The search
// looks for its least common byte first, so the byte search stops rarely
// at a place that is not a match.
int Commonness(unsigned char b)
{
    if (b >= 0x81 && b <= 0x83) return 9;  // lead bytes of kana and symbols
    switch (b) {
        case ' ':
        case '\r':
        case '\n':
        case '<':
        case '>':
        case '"':
        case '=':
        case '/':
            return 8;
        default:
            break;
    }
    if (b >= 'a' && b <= 'z') return 7;
    if (b >= '0' && b <= '9') return 6;
    if ((b >= 0x88 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEA)) return 5;  // lead bytes of kanji
    if (b >= 0x40 && b <= 0xFC) return 3;  // trail bytes, also upper-case letters and half-width kana
    return 2;
}

// The searches are short (placeholders, line ends, a word): a plain loop
// beats a call into the library for each candidate.
inline bool SameBytes(const char* a, const char* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Where the candidates come from: the search's least common byte and, for
// the vector search, its next least common one.
struct SearchBytes {
    std::size_t rare = 0;
    std::size_t second = 0;
};

SearchBytes PickSearchBytes(std::string_view search)
{
    SearchBytes picked;
    const auto commonness = [&](std::size_t k) { return Commonness(static_cast<unsigned char>(search[k])); };
    for (std::size_t k = 1; k < search.size(); ++k)
        if (commonness(k) < commonness(picked.rare)) picked.rare = k;
    picked.second = picked.rare == 0 && search.size() > 1 ? 1 : 0;
    for (std::size_t k = 0; k < search.size(); ++k)
        if (k != picked.rare && commonness(k) < commonness(picked.second)) picked.second = k;
    return picked;
}

// The text before `copied` is in `out` (or untouched while nothing matched
// yet). Takes the match at `at`: the text up to it, then the replacement.
struct Assembly {
    std::string* out;
    std::string_view text;
    std::string_view with;
    std::size_t searchLength;
    std::size_t copied = 0;
    bool matched = false;

    void take(std::size_t at)
    {
        if (!matched) {
            out->reserve(out->size() + text.size() + (with.size() > searchLength ? text.size() / 8 : 0));
            matched = true;
        }
        out->append(text.data() + copied, at - copied);
        out->append(with);
        copied = at + searchLength;
    }

    bool finish()
    {
        if (matched) out->append(text.data() + copied, text.size() - copied);
        return matched;
    }
};

// The candidates from memchr on the search's least common byte, from `from`
// on; `known` is a character boundary at or before `from`. Only the places
// where the whole search matches are checked against the boundaries.
void ReplaceByMemchr(Assembly& assembly, std::string_view search, const SearchBytes& picked, std::size_t known,
                     std::size_t from)
{
    const std::string_view text = assembly.text;
    const char* const data = text.data();
    const auto* const bytes = reinterpret_cast<const unsigned char*>(data);
    const std::size_t length = search.size();
    const std::size_t last = text.size() - length;  // the last place a match can start
    const int rareByte = static_cast<unsigned char>(search[picked.rare]);
    while (from <= last) {
        const void* hit = std::memchr(data + from + picked.rare, rareByte, last - from + 1);
        if (hit == nullptr) break;
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data) - picked.rare;
        if (!SameBytes(data + at, search.data(), length)) {
            from = at + 1;
            continue;
        }
        if (!StartsCharacter(bytes, known, at)) {
            // `at` is the trail byte of the character before it, so the
            // next character starts just after it.
            known = from = at + 1;
            continue;
        }
        assembly.take(at);
        known = from = at + length;
    }
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TOREPAL_VECTOR_SEARCH 1

// The same search 64 places at a time with AVX2: a place is a candidate when
// both picked bytes of the search are where they belong, and a candidate is
// checked against the whole search (32 bytes compared at once) before the
// boundaries. A match every line or two, as in a listing's text, would
// otherwise cost two memchr calls each, as the least common byte also turns
// up inside other characters. Leaves the last hundred or so bytes to memchr,
// so no load reaches past the text.
__attribute__((target("avx2"))) inline __m256i Load32(const char* at)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}

__attribute__((target("avx2"))) void ReplaceByVector(Assembly& result, std::string_view search,
                                                     const SearchBytes& picked)
{
    Assembly assembly = result;  // kept in registers over the loop
    const std::string_view text = assembly.text;
    const char* const data = text.data();
    const auto* const bytes = reinterpret_cast<const unsigned char*>(data);
    const std::size_t length = search.size();
    const std::size_t rare = picked.rare;
    const std::size_t second = picked.second;
    std::size_t known = 0;  // a boundary of the scan: the start, after a match or a rejected candidate
    std::size_t from = 0;   // no match starts before this
    // A block reads 64 + length bytes from `from`, a candidate's check 32
    // bytes from the candidate.
    const std::size_t reach = 64 + 32 + length;
    if (text.size() >= reach) {
        const std::size_t blocksEnd = text.size() - reach + 1;
        const __m256i rareBytes = _mm256_set1_epi8(search[rare]);
        const __m256i secondBytes = _mm256_set1_epi8(search[second]);
        alignas(32) char padded[32] = {};
        std::memcpy(padded, search.data(), length < 32 ? length : 32);
        const __m256i pattern = _mm256_load_si256(reinterpret_cast<const __m256i*>(padded));
        const std::uint32_t whole = length >= 32 ? 0xFFFFFFFFu : (1u << length) - 1;
        while (from < blocksEnd) {
            const __m256i low = _mm256_and_si256(_mm256_cmpeq_epi8(Load32(data + from + rare), rareBytes),
                                                 _mm256_cmpeq_epi8(Load32(data + from + second), secondBytes));
            const __m256i high = _mm256_and_si256(_mm256_cmpeq_epi8(Load32(data + from + 32 + rare), rareBytes),
                                                  _mm256_cmpeq_epi8(Load32(data + from + 32 + second), secondBytes));
            std::uint64_t candidates =
                static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
                static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(high))) << 32;
            std::size_t next = from + 64;
            while (candidates != 0) {
                const std::size_t at = from + static_cast<std::size_t>(__builtin_ctzll(candidates));
                candidates &= candidates - 1;
                if (length <= 32) {
                    const auto equal =
                        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(Load32(data + at), pattern)));
                    if ((equal & whole) != whole) continue;
                } else if (!SameBytes(data + at, search.data(), length)) {
                    continue;
                }
                if (!StartsCharacter(bytes, known, at)) {
                    known = at + 1;
                    continue;
                }
                assembly.take(at);
                known = at + length;
                if (known >= next) {
                    next = known;
                    break;
                }
                candidates &= ~std::uint64_t{0} << (known - from);
            }
            from = next;
        }
    }
    result = assembly;
    ReplaceByMemchr(result, search, picked, known, from);
}

bool HasVectorSearch()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

// Appends the replaced text to `out` and returns true, or returns false
// without touching `out` when nothing matches.
bool ReplaceInto(std::string& out, std::string_view text, std::string_view search, std::string_view with)
{
    if (search.empty() || text.size() < search.size()) return false;
    Assembly assembly{&out, text, with, search.size()};
    const SearchBytes picked = PickSearchBytes(search);
#ifdef TOREPAL_VECTOR_SEARCH
    if (HasVectorSearch()) {
        ReplaceByVector(assembly, search, picked);
        return assembly.finish();
    }
#endif
    ReplaceByMemchr(assembly, search, picked, 0, 0);
    return assembly.finish();
}

}  // namespace

std::string Replaced(std::string_view text, std::string_view search, std::string_view with)
{
    std::string out;
    if (!ReplaceInto(out, text, search, with)) return std::string(text);
    return out;
}

void ReplaceAll(std::string& text, std::string_view search, std::string_view with)
{
    // Most calls (placeholders of a section that is not used) find nothing
    // and leave the text as it is, without a copy.
    std::string out;
    if (ReplaceInto(out, text, search, with)) text = std::move(out);
}

std::string WithoutLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n') out.push_back(c);
    return out;
}

}  // namespace torepal
