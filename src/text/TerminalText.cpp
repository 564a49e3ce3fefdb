#include "text/TerminalText.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "text/Encoding.h"

namespace torepal {
namespace {

// "Shift_JIS", "shift-jis" and "SHIFTJIS" are one set: compare names
// without case, "-" or "_".
std::string Folded(std::string_view name)
{
    std::string out;
    for (char c : name)
        if (c != '-' && c != '_') out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
}

// The length of the UTF-8 sequence starting with `lead` (1 for a stray
// byte), so an unconvertible character is stepped over whole.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

std::string Convert(std::string_view utf8, const char* to)
{
    const iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(utf8);
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(utf8.data());
    std::size_t left = utf8.size();
    while (left > 0) {
        char* o = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = iconv(cd, &in, &left, &o, &room);
        out.append(buffer, static_cast<std::size_t>(o - buffer));
        if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ or a sequence cut at the end: one "?" for the character.
        out.push_back('?');
        const std::size_t skip = std::min(left, SequenceLength(static_cast<unsigned char>(*in)));
        in += skip;
        left -= skip;
    }
    char* o = buffer;
    std::size_t room = sizeof buffer;
    iconv(cd, nullptr, nullptr, &o, &room);  // a stateful set closes its shift
    out.append(buffer, static_cast<std::size_t>(o - buffer));
    iconv_close(cd);
    return out;
}

}  // namespace

TerminalEncoding TerminalEncodingOf(std::string_view codeset)
{
    const std::string name = Folded(codeset);
    if (name == "UTF8") return {TerminalCharset::Utf8, "UTF-8"};
    if (name == "SHIFTJIS" || name == "SJIS" || name == "CP932" || name == "WINDOWS31J" || name == "MSKANJI")
        return {TerminalCharset::ShiftJis, "CP932"};
    // The C and POSIX locales name plain ASCII, which holds no Japanese at
    // all; a terminal run without a locale (a bare ssh or container login)
    // shows UTF-8 far more often than anything else, so that is written.
    if (name.empty() || name == "ANSIX3.41968" || name == "ASCII" || name == "USASCII" || name == "646")
        return {TerminalCharset::Utf8, "UTF-8"};
    return {TerminalCharset::Other, std::string(codeset)};
}

std::string ForTerminal(std::string_view utf8, const TerminalEncoding& terminal)
{
    if (terminal.charset == TerminalCharset::Utf8) return std::string(utf8);
    return Convert(utf8, terminal.name.c_str());
}

std::string ReadableFromSjis(std::string_view sjis, const TerminalEncoding& terminal)
{
    std::string lines;
    lines.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        // CR is the only byte that is never the second byte of a Shift-JIS
        // character, so it can be looked at byte by byte.
        if (sjis[i] == '\r') {
            std::size_t j = i;
            while (j < sjis.size() && sjis[j] == '\r') ++j;
            if (j < sjis.size() && sjis[j] == '\n') {
                i = j - 1;
                continue;
            }
        }
        lines.push_back(sjis[i]);
    }
    if (terminal.charset == TerminalCharset::ShiftJis) return lines;
    return ForTerminal(Utf8FromSjis(lines), terminal);
}

}  // namespace torepal
