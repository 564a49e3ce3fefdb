#pragma once
// Shift-JIS (code page 932) byte text. Every text inside the program is a
// std::string of these bytes; lengths are byte counts.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace torepal {

// A lead byte starts a double-byte character: 81-9F and E0-FC.
constexpr bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length in bytes of the character starting at text[pos]. A lead byte in the
// last position counts as one byte, so nothing reads past the text.
inline std::size_t CharLength(std::string_view text, std::size_t pos)
{
    if (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) return 2;
    return 1;
}

// Replaces every occurrence of `search`, scanning left to right. Matches do
// not overlap, inserted text is not scanned again, and a match never starts
// on the second byte of a double-byte character. An empty search changes
// nothing.
std::string Replaced(std::string_view text, std::string_view search, std::string_view with);
void ReplaceAll(std::string& text, std::string_view search, std::string_view with);

// A placeholder and the text that takes its place.
struct Placeholder {
    std::string_view search;
    std::string_view with;
};
// ReplaceAll for each placeholder in the order given, so a value that holds
// a later placeholder is itself filled by that later step.
void ReplaceEach(std::string& text, std::initializer_list<Placeholder> placeholders);
// The same as Replaced on a processor without AVX2 (the memchr search alone),
// so tests can hold that path to the same results on any machine.
std::string ReplacedWithoutVectors(std::string_view text, std::string_view search, std::string_view with);

// Removes every CR and LF byte (values that must stay on one line).
std::string WithoutLineBreaks(std::string_view text);

// Byte count as decimal text, as the dialogs show it.
inline std::string ByteCountText(std::string_view text)
{
    return std::to_string(text.size());
}

}  // namespace torepal
