// The one text replacement of the program, against a plain reference written
// here from its rules: left to right, matches do not overlap, inserted text
// is not scanned again, a match never starts on the second byte of a
// double-byte character, an empty search changes nothing.
//
// Input: one byte for the search length (0..15), one for the replacement
// length (0..15), the search, the replacement, then the text.

#include "FuzzSupport.h"
#include "text/SjisText.h"

namespace {

std::string Reference(std::string_view text, std::string_view search, std::string_view with)
{
    if (search.empty()) return std::string(text);
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.substr(i, search.size()) == search) {
            out += with;
            i += search.size();
            continue;
        }
        // Step one character: a lead byte takes its trail byte along, unless
        // it is the text's last byte.
        const unsigned char b = static_cast<unsigned char>(text[i]);
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        const std::size_t n = (lead && i + 1 < text.size()) ? 2 : 1;
        out += text.substr(i, n);
        i += n;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    torepal::fuzz::InputReader in(data, size);
    const std::size_t searchLength = in.byte() % 16;
    const std::size_t withLength = in.byte() % 16;
    const std::string_view search = in.take(searchLength);
    const std::string_view with = in.take(withLength);
    const std::string_view text = in.rest();

    const std::string got = torepal::Replaced(text, search, with);
    FUZZ_CHECK(got == Reference(text, search, with));

    std::string inPlace(text);
    torepal::ReplaceAll(inPlace, search, with);
    FUZZ_CHECK(inPlace == got);

    if (search == with || text.find(search) == std::string_view::npos) FUZZ_CHECK(got == text);

    // Every character boundary of the text and its CharLength agree: no
    // character runs past the end.
    for (std::size_t i = 0; i < text.size(); i += torepal::CharLength(text, i))
        FUZZ_CHECK(i + torepal::CharLength(text, i) <= text.size());

    const std::string flat = torepal::WithoutLineBreaks(text);
    FUZZ_CHECK(flat.find('\r') == std::string::npos && flat.find('\n') == std::string::npos);
    return 0;
}
