#include "text/SjisText.h"

#include <algorithm>
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
// up inside other characters.
#define TOREPAL_AVX2 __attribute__((target("avx2"), always_inline)) inline

TOREPAL_AVX2 __m256i Load32(const char* at)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}

TOREPAL_AVX2 void Store32(char* at, __m256i bytes)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), bytes);
}

// Up to 32 bytes in a register, the rest zero.
TOREPAL_AVX2 __m256i Padded32(std::string_view bytes)
{
    alignas(32) char padded[32] = {};
    std::memcpy(padded, bytes.data(), bytes.size() < 32 ? bytes.size() : 32);
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(padded));
}

// A block reads 64 + 32 + length bytes from its start (the candidates and
// their check); after a match in it, 64 more bytes are copied from the
// match's end. So a block starts at least 128 + length bytes before the end
// of the text, and the last stretch is left to memchr: no load reaches past
// the text.
struct VectorSearch {
    const char* data;
    std::string_view search;
    std::size_t blocksEnd;  // blocks start before this
    __m256i rareBytes, secondBytes, pattern;
    std::uint32_t whole;  // the bits of `pattern` that hold the search
    std::size_t rare, second;

    static std::size_t Reach(std::size_t length) { return 128 + length; }

    __attribute__((target("avx2"))) VectorSearch(std::string_view text, std::string_view s, const SearchBytes& picked)
        : data(text.data()),
          search(s),
          blocksEnd(text.size() - Reach(s.size()) + 1),
          rareBytes(_mm256_set1_epi8(s[picked.rare])),
          secondBytes(_mm256_set1_epi8(s[picked.second])),
          pattern(Padded32(s)),
          whole(s.size() >= 32 ? 0xFFFFFFFFu : (1u << s.size()) - 1),
          rare(picked.rare),
          second(picked.second)
    {
    }

    // The candidates among places from + 0..63, one byte each (FF or 0) in
    // two registers: testing them costs less than their 64-bit mask, which
    // only a block with one needs.
    struct Block {
        __m256i low, high;

        TOREPAL_AVX2 bool any() const
        {
            const __m256i both = _mm256_or_si256(low, high);
            return _mm256_testz_si256(both, both) == 0;
        }

        // Bit k: place from + k is a candidate.
        TOREPAL_AVX2 std::uint64_t mask() const
        {
            return static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
                   static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(high))) << 32;
        }
    };

    TOREPAL_AVX2 Block block(std::size_t from) const
    {
        const char* at = data + from;
        return {_mm256_and_si256(_mm256_cmpeq_epi8(Load32(at + rare), rareBytes),
                                 _mm256_cmpeq_epi8(Load32(at + second), secondBytes)),
                _mm256_and_si256(_mm256_cmpeq_epi8(Load32(at + 32 + rare), rareBytes),
                                 _mm256_cmpeq_epi8(Load32(at + 32 + second), secondBytes))};
    }

    // The whole search stands at `at` (boundaries not checked).
    TOREPAL_AVX2 bool matchesAt(std::size_t at) const
    {
        if (search.size() > 32) return SameBytes(data + at, search.data(), search.size());
        const auto equal =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(Load32(data + at), pattern)));
        return (equal & whole) == whole;
    }
};

// StartsCharacter for the vector search: the lead-valued bytes just before
// `at` are counted from one mask of the 32 bytes before it, with no loop
// whose length the processor would have to guess at every match. A run that
// fills the 32 bytes goes on with the byte loop.
TOREPAL_AVX2 bool StartsCharacterByVector(const unsigned char* text, std::size_t known, std::size_t at)
{
    // Mostly the byte before the match cannot be a lead byte (ASCII, a line
    // end, a trail byte such as that of "は" or "。"): then a character ends
    // there, and nothing more is looked at.
    if (at == known || !IsLeadByte(text[at - 1])) return true;
    if (at < 32) return StartsCharacter(text, known, at);
    // Lead-valued bytes 81-9F and E0-FC: less 0x81 they are 00-1E, less
    // 0xE0 they are 00-1C (wrapping, unsigned).
    const __m256i bytes = Load32(reinterpret_cast<const char*>(text) + at - 32);
    const __m256i low = _mm256_sub_epi8(bytes, _mm256_set1_epi8(static_cast<char>(0x81)));
    const __m256i high = _mm256_sub_epi8(bytes, _mm256_set1_epi8(static_cast<char>(0xE0)));
    const __m256i lead = _mm256_or_si256(_mm256_cmpeq_epi8(_mm256_min_epu8(low, _mm256_set1_epi8(0x1E)), low),
                                         _mm256_cmpeq_epi8(_mm256_min_epu8(high, _mm256_set1_epi8(0x1C)), high));
    const auto notLead = ~static_cast<std::uint32_t>(_mm256_movemask_epi8(lead));
    if (notLead == 0) return StartsCharacter(text, known, at);
    // Bit 31 is the byte just before `at`: the run is as long as the ones
    // above the highest byte that is not lead-valued.
    std::size_t i = at - static_cast<std::size_t>(__builtin_clz(notLead));
    if (i < known) i = known;
    return (at - i) % 2 == 0;
}

// The first match from `from` on within the blocks, or npos; `known` and
// `from` are left where the memchr search carries on when there is none.
__attribute__((target("avx2"))) std::size_t FindFirst(const VectorSearch& s, std::size_t& known, std::size_t& from)
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(s.data);
    for (; from < s.blocksEnd; from += 64) {
        std::uint64_t candidates = s.block(from).mask();
        while (candidates != 0) {
            const std::size_t at = from + static_cast<std::size_t>(__builtin_ctzll(candidates));
            candidates &= candidates - 1;
            if (!s.matchesAt(at)) continue;
            if (StartsCharacterByVector(bytes, known, at)) return at;
            known = at + 1;
        }
    }
    return std::string_view::npos;
}

// The output grows in steps of this size, each zero-filled by resize (the
// standard string has no way to grow without writing) just before the copy
// overwrites it: the step is still in the first-level cache then, so the
// zeros cost little. One step for the whole text would have them travel to
// memory and back for a large text. Of 2, 4, 8, 16 and 128 KiB, a page's
// worth kept a 16 MiB text fastest by far (12.5 GB/s against 10 at most).
constexpr std::size_t kGrowStep = 4 << 10;

// Makes `out` at least `needed` bytes long, keeping what is in it.
char* Grow(std::string& out, std::size_t needed)
{
    out.resize(std::max(needed, out.size() + kGrowStep));
    return out.data();
}

// Replaces through the whole text: searches up to the first match without
// writing anything, then copies each 64-byte block to the output while
// searching it, so the text between matches costs two wide loads and stores
// and no call. The output is longer than what is finished in it: a block is
// stored whole, and where a match turns out to lie inside it, the
// replacement and then the text after the match are stored over the block's
// tail. Every store is at or after the end of what is finished, so the last
// store to a byte is the right one.
__attribute__((target("avx2"))) bool ReplaceByVector(std::string& out, std::string_view text, std::string_view search,
                                                     std::string_view with, const SearchBytes& picked)
{
    const std::size_t length = search.size();
    std::size_t known = 0;  // a boundary of the scan: the start, after a match or a rejected candidate
    std::size_t from = 0;   // no match starts before this
    if (text.size() < VectorSearch::Reach(length)) {
        Assembly assembly{&out, text, with, length};
        ReplaceByMemchr(assembly, search, picked, known, from);
        return assembly.finish();
    }
    const VectorSearch s(text, search, picked);
    const std::size_t first = FindFirst(s, known, from);
    if (first == std::string_view::npos) {
        Assembly assembly{&out, text, with, length};
        ReplaceByMemchr(assembly, search, picked, known, from);
        return assembly.finish();
    }

    const char* const data = text.data();
    const auto* const bytes = reinterpret_cast<const unsigned char*>(data);
    // As much room as the text when the replacement is not longer, an
    // eighth more when it is (a larger growth doubles the room).
    out.reserve(text.size() + (with.size() > length ? text.size() / 8 : 0) + 2 * kGrowStep);
    char* o = Grow(out, first + 128);
    std::memcpy(o, data, first);
    const __m256i withBytes = Padded32(with);
    // A match writes the replacement and 64 bytes of text after it.
    const std::size_t matchRoom = with.size() + 64;

    // Stores through `o` may touch any memory as far as the compiler knows:
    // the search's registers and the output's size are kept in locals so
    // they are not read again after every store.
    const VectorSearch v = s;
    std::size_t room = out.size();
    std::size_t p = first;  // the text before p is replaced into out[0, q)
    std::size_t q = first;
    known = first;
    // A block whose candidates' matches all lie inside it is replaced
    // without leaving the copy loop: each replacement and the text after it
    // are stored over the block's tail. The processor still guesses wrong
    // at such a block, but leaving the loop and coming back (the search's
    // registers set aside and fetched again, the room worked out anew) cost
    // about as much again. A match running into the next block, or a long
    // search or replacement, goes to the loop over candidates below.
    const bool shortBoth = length <= 32 && with.size() <= 32;
    const std::size_t growth = with.size() - length;  // wraps when shorter, as q does
    // Candidates whose match would run into the next block, or all of them
    // when the search or the replacement is too long for one load.
    const std::uint64_t lateBits = !shortBoth    ? ~std::uint64_t{0}
                                   : length == 1 ? 0
                                                 : ~std::uint64_t{0} << (65 - length);
    // A block stores up to 64 + 32 + 64 bytes from q, more when its matches
    // (at most one per `length` bytes) made the output longer. Only short
    // replacements are made in the copy loop; a long one would otherwise
    // have every block ask for room for dozens of it (a placeholder
    // replaced by a description: tens of kilobytes zero-filled for nothing).
    const std::size_t blockRoom = 160 + (shortBoth && with.size() > length ? 64 / length * growth : 0);
    while (p < v.blocksEnd) {
        if (q + blockRoom > room) {
            o = Grow(out, q + blockRoom);
            room = out.size();
        }
        // Most blocks hold no candidate: they are copied and tested in a
        // tight loop, which stops where the output's room ends.
        std::uint64_t candidates = 0;
        for (; p < v.blocksEnd && q + blockRoom <= room; p += 64, q += 64) {
            Store32(o + q, Load32(data + p));
            Store32(o + q + 32, Load32(data + p + 32));
            const VectorSearch::Block block = v.block(p);
            if (!block.any()) continue;
            std::uint64_t mask = block.mask();
            if ((mask & lateBits) != 0) {
                candidates = mask;
                break;
            }
            while (mask != 0) {
                const std::size_t at = p + static_cast<std::size_t>(__builtin_ctzll(mask));
                mask &= mask - 1;
                // Inside the match before it, or no match (the search is
                // at most 32 bytes here: one load holds it).
                const auto equal =
                    static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(Load32(data + at), v.pattern)));
                if (at < known || (equal & v.whole) != v.whole) continue;
                if (!StartsCharacterByVector(bytes, known, at)) {
                    known = at + 1;
                    continue;
                }
                // The text after the match runs to the block's end at most
                // 64 bytes on; block starts keep these loads in the text.
                Store32(o + q + (at - p), withBytes);
                q += growth;
                known = at + length;
                Store32(o + q + (known - p), Load32(data + known));
                Store32(o + q + (known - p) + 32, Load32(data + known + 32));
            }
        }
        if (candidates == 0) continue;
        const std::size_t start = p;
        std::size_t next = start + 64;  // where the next block starts
        while (candidates != 0) {
            const std::size_t at = start + static_cast<std::size_t>(__builtin_ctzll(candidates));
            candidates &= candidates - 1;
            if (!v.matchesAt(at)) continue;
            if (!StartsCharacterByVector(bytes, known, at)) {
                known = at + 1;
                continue;
            }
            q += at - p;
            if (q + matchRoom > room) {
                o = Grow(out, q + matchRoom);
                room = out.size();
            }
            if (with.size() <= 32)
                Store32(o + q, withBytes);
            else
                std::memcpy(o + q, with.data(), with.size());
            q += with.size();
            p = known = at + length;
            Store32(o + q, Load32(data + p));
            Store32(o + q + 32, Load32(data + p + 32));
            if (p >= next) {
                next = p;
                break;
            }
            candidates &= ~std::uint64_t{0} << (p - start);
        }
        q += next - p;
        p = next;
    }
    out.resize(q);

    Assembly assembly{&out, text, with, length, p, true};
    ReplaceByMemchr(assembly, search, picked, known, p);
    return assembly.finish();
}
#undef TOREPAL_AVX2

bool HasVectorSearch()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

// Appends the replaced text to the empty `out` and returns true, or returns
// false when nothing matches (`out` may then hold anything).
bool ReplaceInto(std::string& out, std::string_view text, std::string_view search, std::string_view with,
                 bool vectors = true)
{
    if (search.empty() || text.size() < search.size()) return false;
    const SearchBytes picked = PickSearchBytes(search);
#ifdef TOREPAL_VECTOR_SEARCH
    if (vectors && HasVectorSearch()) return ReplaceByVector(out, text, search, with, picked);
#else
    (void)vectors;
#endif
    Assembly assembly{&out, text, with, search.size()};
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

void ReplaceEach(std::string& text, std::initializer_list<Placeholder> placeholders)
{
    for (const Placeholder& p : placeholders) ReplaceAll(text, p.search, p.with);
}

std::string ReplacedWithoutVectors(std::string_view text, std::string_view search, std::string_view with)
{
    std::string out;
    if (!ReplaceInto(out, text, search, with, false)) return std::string(text);
    return out;
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
