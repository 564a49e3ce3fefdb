#include "text/Encoding.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>
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
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
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

void AddOnce(std::vector<char32_t>& list, char32_t c)
{
    for (char32_t x : list)
        if (x == c)
            return;
    list.push_back(c);
}

}  // namespace

SjisConversion SjisFromUtf8(std::string_view utf8)
{
    SjisConversion result;
    Converter& conv = ToSjis();
    std::lock_guard guard(conv.lock());
    iconv(conv.handle(), nullptr, nullptr, nullptr, nullptr);

    result.text.reserve(utf8.size());
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(conv.handle(), &in, &inLeft, &out, &outLeft);
        result.text.append(buffer, out - buffer);
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ (a character the code page cannot hold) or EINVAL (a cut
        // sequence): the input pointer stands on it; note it and step over.
        std::size_t len = 1;
        const char32_t c = DecodeUtf8(reinterpret_cast<const unsigned char*>(in), inLeft, len);
        AddOnce(result.unmappable, c);
        in += len;
        inLeft -= len;
        iconv(conv.handle(), nullptr, nullptr, nullptr, nullptr);
    }
    return result;
}

std::string Utf8FromSjis(std::string_view sjis)
{
    std::string result;
    Converter& conv = FromSjis();
    std::lock_guard guard(conv.lock());
    iconv(conv.handle(), nullptr, nullptr, nullptr, nullptr);

    result.reserve(sjis.size() * 3 / 2);
    char* in = const_cast<char*>(sjis.data());
    std::size_t inLeft = sjis.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(conv.handle(), &in, &inLeft, &out, &outLeft);
        result.append(buffer, out - buffer);
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // A byte that starts no character of the code page: show U+FFFD and
        // go on with the next byte.
        result.append("\xEF\xBF\xBD");
        ++in;
        --inLeft;
        iconv(conv.handle(), nullptr, nullptr, nullptr, nullptr);
    }
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
    char* in = const_cast<char*>(sjis.data());
    std::size_t inLeft = sjis.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(conv.handle(), &in, &inLeft, &out, &outLeft);
        if (rc != static_cast<std::size_t>(-1))
            return true;
        if (errno != E2BIG)
            return false;
    }
    return true;
}

std::string DescribeCharacters(const std::vector<char32_t>& chars)
{
    std::string out;
    for (char32_t c : chars) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        if (!out.empty())
            out += ", ";
        out += code;
    }
    return out;
}

}  // namespace torepal
