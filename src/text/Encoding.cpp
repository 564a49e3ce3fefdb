#include "text/Encoding.h"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <mutex>

namespace torepal {
namespace {

// One converter per direction, opened once. Everything runs on one thread,
// but the command-line tool and tests may not; a mutex keeps it safe.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return cd_; }
    std::mutex& lock() { return mutex_; }

private:
    iconv_t cd_;
    std::mutex mutex_;
};

Converter& ToSjis()
{
    static Converter c("CP932", "UTF-8");
    return c;
}

Converter& FromSjis()
{
    static Converter c("UTF-8", "CP932");
    return c;
}

// Decodes one UTF-8 sequence at p (for reporting what could not be held).
char32_t DecodeUtf8(const unsigned char* p, std::size_t left, std::size_t& len)
{
    const unsigned char b = p[0];
    auto cont = [&](std::size_t i) { return i < left && (p[i] & 0xC0) == 0x80; };
    if (b < 0x80) {
        len = 1;
        return b;
    }
    if ((b & 0xE0) == 0xC0 && cont(1)) {
        len = 2;
        return ((b & 0x1F) << 6) | (p[1] & 0x3F);
    }
    if ((b & 0xF0) == 0xE0 && cont(1) && cont(2)) {
        len = 3;
        return ((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    }
    if ((b & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
        len = 4;
        return ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
    }
    len = 1;
    return 0xFFFD;
}

// What code page 932 makes of each character of the Basic Multilingual
// Plane, learnt from iconv one character at a time and kept. The code page
// has no shift states, so a text is converted character by character, and a
// text made only of characters seen before (the names of a folder of saved
// files, a form's fields pulled again) needs no iconv at all.
//
// Learning happens under the UTF-8 to Shift-JIS converter's mutex, but the
// table is read without it: a folder of ten thousand names would otherwise
// take the lock ten thousand times for nothing. A value, once learnt, never
// changes, so a reader sees either "not known yet" (and takes the slow way
// under the lock) or the final value. One flat table, so a look-up is one
// load; it lies in zeroed memory, of which only the pages of characters
// actually met are ever touched.
class KnownCharacters {
public:
    // 0: not known yet; 1: cannot be held; 0x100 | b: the single byte b;
    // otherwise lead byte (81..FC) * 256 + trail byte.
    static constexpr std::uint16_t kUnknown = 0;
    static constexpr std::uint16_t kUnmappable = 1;

    std::uint16_t get(char32_t c) const { return values_[c].load(std::memory_order_relaxed); }

    // Only under the converter's mutex, so there is one writer at a time.
    void set(char32_t c, std::uint16_t value) { values_[c].store(value, std::memory_order_relaxed); }

private:
    std::array<std::atomic<std::uint16_t>, 0x10000> values_{};
};

KnownCharacters& Known()
{
    // Zeroed before the program starts: no first-use check, no page touched
    // for nothing.
    static constinit KnownCharacters known;
    return known;
}

// The length of the well-formed UTF-8 sequence of one BMP character at p
// (no overlong form, no surrogate), with the character in `c`; 0 for
// anything else, which is left to iconv.
std::size_t DecodeBmp(const unsigned char* p, std::size_t left, char32_t& c)
{
    const unsigned char b = p[0];
    if (b < 0x80) {
        c = b;
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        if (left < 2 || (p[1] & 0xC0) != 0x80) return 0;
        c = static_cast<char32_t>(((b & 0x1F) << 6) | (p[1] & 0x3F));
        return 2;
    }
    if ((b & 0xF0) == 0xE0) {
        if (left < 3 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80) return 0;
        c = static_cast<char32_t>(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
        if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)) return 0;
        return 3;
    }
    return 0;
}

// Converts from the known characters alone; false when a character is not
// known to be held (or is not a well-formed BMP character).
bool ConvertKnown(std::string_view utf8, std::string& out)
{
    const KnownCharacters& known = Known();
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t left = utf8.size();
    // Shift-JIS never takes more bytes than UTF-8 for the same character;
    // one byte more lets every character be written as two bytes, the
    // second overwritten by what follows a single byte, without a branch.
    out.resize(utf8.size() + 1);
    char* o = out.data();
    while (left > 0) {
        char32_t c = 0;
        const std::size_t n = DecodeBmp(p, left, c);
        if (n == 0) return false;
        const std::uint16_t v = known.get(c);
        if (v < 0x100) return false;
        const bool pair = v >= 0x200;
        o[0] = static_cast<char>(pair ? v >> 8 : v & 0xFF);
        o[1] = static_cast<char>(v & 0xFF);
        o += pair ? 2 : 1;
        p += n;
        left -= n;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return true;
}

// Converts each well-formed BMP character of `utf8` not known yet on its
// own and keeps what iconv makes of it.
void LearnCharacters(iconv_t cd, std::string_view utf8)
{
    KnownCharacters& known = Known();
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t left = utf8.size();
    while (left > 0) {
        char32_t c = 0;
        std::size_t n = DecodeBmp(p, left, c);
        if (n == 0) {
            ++p;
            --left;
            continue;
        }
        if (known.get(c) == KnownCharacters::kUnknown) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(p));
            std::size_t inLeft = n;
            char buffer[8];
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
            const std::size_t made = static_cast<std::size_t>(out - buffer);
            const auto first = static_cast<unsigned char>(buffer[0]);
            if (rc == static_cast<std::size_t>(-1))
                known.set(c, KnownCharacters::kUnmappable);
            else if (inLeft == 0 && made == 1)
                known.set(c, static_cast<std::uint16_t>(0x100 | first));
            else if (inLeft == 0 && made == 2 && n >= 2 && first >= 0x81)  // never longer than the UTF-8
                known.set(c, static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(buffer[1])));
            // Anything else stays unknown and always goes through iconv.
        }
        p += n;
        left -= n;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
}

void AddOnce(std::vector<char32_t>& list, char32_t c)
{
    for (char32_t x : list)
        if (x == c) return;
    list.push_back(c);
}

// Converts the whole input, appending to `out`. Where iconv stops at input
// it cannot convert, `stuck` is given that place (and what is left from it),
// may append something for it, and says how many bytes to step over.
template <typename Stuck>
void ConvertAll(iconv_t cd, std::string_view input, std::string& out, Stuck stuck)
{
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* next = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &next, &outLeft);
        out.append(buffer, next - buffer);
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        const std::size_t len = stuck(in, inLeft);
        in += len;
        inLeft -= len;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

}  // namespace

SjisConversion SjisFromUtf8(std::string_view utf8)
{
    SjisConversion result;
    if (ConvertKnown(utf8, result.text)) return result;
    result.text.clear();
    Converter& conv = ToSjis();
    std::lock_guard guard(conv.lock());
    iconv(conv.handle(), nullptr, nullptr, nullptr, nullptr);

    result.text.reserve(utf8.size());
    ConvertAll(conv.handle(), utf8, result.text, [&](const char* at, std::size_t left) {
        // EILSEQ (a character the code page cannot hold) or EINVAL (a cut
        // sequence): note the character and step over it.
        std::size_t len = 1;
        AddOnce(result.unmappable, DecodeUtf8(reinterpret_cast<const unsigned char*>(at), left, len));
        return len;
    });
    if (conv.valid()) LearnCharacters(conv.handle(), utf8);
    return result;
}

std::string Utf8FromSjis(std::string_view sjis)
{
    std::string result;
    Converter& conv = FromSjis();
    std::lock_guard guard(conv.lock());
    iconv(conv.handle(), nullptr, nullptr, nullptr, nullptr);

    result.reserve(sjis.size() * 3 / 2);
    ConvertAll(conv.handle(), sjis, result, [&](const char*, std::size_t) {
        // A byte that starts no character of the code page: show U+FFFD and
        // go on with the next byte.
        result.append("\xEF\xBF\xBD");
        return std::size_t{1};
    });
    return result;
}

std::string Sjis(std::string_view utf8Literal)
{
    return SjisFromUtf8(utf8Literal).text;
}

bool IsValidSjis(std::string_view sjis)
{
    Converter& conv = FromSjis();
    std::lock_guard guard(conv.lock());
    iconv(conv.handle(), nullptr, nullptr, nullptr, nullptr);
    bool valid = true;
    std::string decoded;
    ConvertAll(conv.handle(), sjis, decoded, [&](const char*, std::size_t left) {
        valid = false;
        return left;  // the answer is known: skip the rest
    });
    return valid;
}

std::string DescribeCharacters(const std::vector<char32_t>& chars)
{
    std::string out;
    for (char32_t c : chars) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        if (!out.empty()) out += ", ";
        out += code;
    }
    return out;
}

}  // namespace torepal
