#include "text/SjisText.h"

#include <cstring>

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

// Appends the replaced text to `out` and returns true, or returns false
// without touching `out` when nothing matches. Candidates come from memchr
// on the search's least common byte; only the places where the whole search
// matches are checked against the character boundaries.
bool ReplaceInto(std::string& out, std::string_view text, std::string_view search, std::string_view with)
{
    if (search.empty() || text.size() < search.size()) return false;
    const char* const data = text.data();
    const auto* const bytes = reinterpret_cast<const unsigned char*>(data);
    const std::size_t size = text.size();
    const std::size_t length = search.size();
    const std::size_t last = size - length;  // the last place a match can start

    std::size_t rare = 0;
    for (std::size_t k = 1; k < length; ++k)
        if (Commonness(static_cast<unsigned char>(search[k])) < Commonness(static_cast<unsigned char>(search[rare])))
            rare = k;
    const int rareByte = static_cast<unsigned char>(search[rare]);

    std::size_t known = 0;   // a boundary of the scan: the start or just after a match
    std::size_t from = 0;    // no match starts before this
    std::size_t copied = 0;  // text before this is in `out`
    bool matched = false;
    while (from <= last) {
        const void* hit = std::memchr(data + from + rare, rareByte, last - from + 1);
        if (hit == nullptr) break;
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data) - rare;
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
        if (!matched) {
            out.reserve(out.size() + size + (with.size() > length ? size / 8 : 0));
            matched = true;
        }
        out.append(data + copied, at - copied);
        out.append(with);
        known = from = copied = at + length;
    }
    if (!matched) return false;
    out.append(data + copied, size - copied);
    return true;
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
