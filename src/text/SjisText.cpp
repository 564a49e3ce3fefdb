#include "text/SjisText.h"

#include <cstring>

namespace torepal {

std::string Replaced(std::string_view text, std::string_view search, std::string_view with)
{
    if (search.empty() || text.size() < search.size())
        return std::string(text);

    std::string out;
    out.reserve(text.size());
    const unsigned char first = static_cast<unsigned char>(search[0]);
    std::size_t pos = 0;          // always on a character boundary
    std::size_t copiedUpTo = 0;
    const std::size_t last = text.size() - search.size();
    while (pos <= last) {
        // Skip quickly over runs of ASCII that cannot start a match; the
        // scanner only has to step character by character near candidates.
        const unsigned char b = static_cast<unsigned char>(text[pos]);
        if (b == first && std::memcmp(text.data() + pos, search.data(), search.size()) == 0) {
            out.append(text, copiedUpTo, pos - copiedUpTo);
            out.append(with);
            pos += search.size();
            copiedUpTo = pos;
            // The search text may end inside a double-byte character of the
            // text only if it ends with a lead byte; resynchronise from here
            // exactly as the text's own characters run.
            continue;
        }
        pos += IsLeadByte(b) ? 2 : 1;
    }
    out.append(text, copiedUpTo, std::string_view::npos);
    return out;
}

void ReplaceAll(std::string& text, std::string_view search, std::string_view with)
{
    if (search.empty() || text.size() < search.size())
        return;
    text = Replaced(text, search, with);
}

std::string WithoutLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n')
            out.push_back(c);
    return out;
}

}  // namespace torepal
