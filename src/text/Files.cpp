#include "text/Files.h"

#include <string.h>

#include <utility>

#include "text/Encoding.h"

namespace torepal {

std::filesystem::path JoinSjis(const std::filesystem::path& folder, std::string_view sjisName)
{
    std::string utf8 = Utf8FromSjis(sjisName);
    for (char& c : utf8)
        if (c == '\\') c = '/';
    return folder / std::filesystem::path(utf8).relative_path();
}

std::string SjisFileName(const std::filesystem::path& name, bool* exact)
{
    // The last part of the path as its bytes, without building a path for
    // it: a folder lists thousands of names through here.
    std::string_view utf8 = name.native();
    // A listed name has no slash, so the whole name is searched: memrchr
    // does it a word at a time.
    if (const void* slash = ::memrchr(utf8.data(), '/', utf8.size()))
        utf8.remove_prefix(static_cast<const char*>(slash) - utf8.data() + 1);
    SjisConversion conv = SjisFromUtf8(utf8);
    if (exact) *exact = conv.ok();
    if (conv.ok()) return std::move(conv.text);
    // Rebuild with "?" where a character could not be held, so the seller
    // still sees most of the name.
    std::string shown;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        std::size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
        if (i + len > utf8.size()) len = utf8.size() - i;
        const SjisConversion one = SjisFromUtf8(utf8.substr(i, len));
        shown += one.ok() ? one.text : std::string("?");
        i += len;
    }
    return shown;
}

}  // namespace torepal
