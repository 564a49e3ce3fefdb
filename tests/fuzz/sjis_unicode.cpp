// Conversion between Shift-JIS (code page 932) and UTF-8, both ways, on
// arbitrary bytes. Code page 932 maps some characters twice (the NEC and
// IBM rows), so the round trip is checked on the Unicode side: decoding,
// encoding and decoding again gives the first decoding.

#include "FuzzSupport.h"
#include "text/Encoding.h"

namespace {

const std::string_view kReplacement = "\xEF\xBF\xBD";

std::string WithoutReplacement(std::string utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        if (utf8.compare(i, 3, kReplacement) == 0) {
            i += 3;
            continue;
        }
        out += utf8[i++];
    }
    return out;
}

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        std::size_t n;
        char32_t c;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            n = 2;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            n = 3;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            n = 4;
            c = b & 0x07;
        } else {
            return false;
        }
        if (i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3F);
        }
        if ((n == 2 && c < 0x80) || (n == 3 && c < 0x800) || (n == 4 && c < 0x10000) || c > 0x10FFFF ||
            (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace torepal;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The bytes as Shift-JIS (a file's content, a settings text).
    const std::string decoded = Utf8FromSjis(bytes);
    FUZZ_CHECK(IsUtf8(decoded));
    const bool clean = decoded.find(kReplacement) == std::string::npos;
    FUZZ_CHECK(IsValidSjis(bytes) == clean);
    const SjisConversion encoded = SjisFromUtf8(decoded);
    if (clean) {
        FUZZ_CHECK(encoded.ok());
        FUZZ_CHECK(IsValidSjis(encoded.text));
        FUZZ_CHECK(Utf8FromSjis(encoded.text) == decoded);
    } else {
        // Only the replacement character is refused; everything around it
        // goes through.
        FUZZ_CHECK(encoded.unmappable.size() == 1 && encoded.unmappable[0] == 0xFFFD);
        FUZZ_CHECK(Utf8FromSjis(encoded.text) == WithoutReplacement(decoded));
    }

    // The bytes as UTF-8 (what a widget hands over, or a name on disk):
    // whatever fits comes out as valid Shift-JIS that encodes to itself
    // again, and what does not fit is reported, each character once.
    const SjisConversion fromUtf8 = SjisFromUtf8(bytes);
    FUZZ_CHECK(IsValidSjis(fromUtf8.text));
    const std::string back = Utf8FromSjis(fromUtf8.text);
    const SjisConversion again = SjisFromUtf8(back);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.text == fromUtf8.text);
    for (std::size_t i = 0; i < fromUtf8.unmappable.size(); ++i)
        for (std::size_t k = i + 1; k < fromUtf8.unmappable.size(); ++k)
            FUZZ_CHECK(fromUtf8.unmappable[i] != fromUtf8.unmappable[k]);
    if (IsUtf8(bytes) && fromUtf8.ok()) FUZZ_CHECK(fromUtf8.text.size() <= bytes.size());
    FUZZ_CHECK(!DescribeCharacters(fromUtf8.unmappable).empty() || fromUtf8.ok());
    return 0;
}
