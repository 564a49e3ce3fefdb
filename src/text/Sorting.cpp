#include "text/Sorting.h"

namespace torepal {
namespace {

unsigned char Folded(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SjisLess(std::string_view a, std::string_view b)
{
    // Trail bytes may fall in the ASCII letter range (41-5A); fold only
    // bytes that stand on a character boundary.
    std::size_t i = 0;
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    bool trail = false;
    while (i < n) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        const unsigned char fx = trail ? x : Folded(x);
        const unsigned char fy = trail ? y : Folded(y);
        if (fx != fy)
            return fx < fy;
        trail = !trail && ((x >= 0x81 && x <= 0x9F) || (x >= 0xE0 && x <= 0xFC));
        ++i;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

}  // namespace torepal
