#pragma once
// Conversion between Shift-JIS (code page 932) bytes and UTF-8. This is the
// only place that knows about encodings; it uses the C library's iconv with
// "CP932", whose table maps 81 60 to U+FF5E and 5C to the backslash, and
// whose encoder also takes the JIS-style code points (U+301C WAVE DASH,
// U+2014, U+2212 ...) that an input method or a pasted text may carry.

#include <string>
#include <string_view>
#include <vector>

namespace torepal {

struct SjisConversion {
    std::string text;                  // the Shift-JIS bytes of every character that fits
    std::vector<char32_t> unmappable;  // characters code page 932 cannot hold, in order, each once
    bool ok() const { return unmappable.empty(); }
};

// UTF-8 to Shift-JIS. Characters that cannot be held are left out of `text`
// and listed in `unmappable`, so the caller can tell the seller.
SjisConversion SjisFromUtf8(std::string_view utf8);

// Shift-JIS to UTF-8. Bytes that do not form a character (a lone lead byte,
// an unassigned code) become U+FFFD, so text is always shown.
std::string Utf8FromSjis(std::string_view sjis);

// Converts a UTF-8 literal of the program's own; the literal tables are
// checked by a test to convert without loss.
std::string Sjis(std::string_view utf8Literal);

// True when the bytes decode without any replacement character.
bool IsValidSjis(std::string_view sjis);

// "U+301C" style names of characters, for messages.
std::string DescribeCharacters(const std::vector<char32_t>& chars);

}  // namespace torepal
