#include "mail/Mailto.h"

#include "text/Encoding.h"
#include "text/SjisText.h"

namespace torepal {
namespace {

bool Unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

// Percent-encodes the UTF-8 form of a Shift-JIS text. Every byte that is not
// an unreserved character (or one of `keep`) is written as %XX, so nothing
// in the text can end the parameter or start another one.
std::string PercentEncoded(std::string_view sjis, std::string_view keep)
{
    static const char hex[] = "0123456789ABCDEF";
    const std::string utf8 = Utf8FromSjis(sjis);
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (Unreserved(c) || keep.find(ch) != std::string_view::npos) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 0x0F]);
        }
    }
    return out;
}

}  // namespace

std::string MailtoLimitText(std::string_view sjisAddress, std::string_view sjisBody)
{
    return "mailto:" + std::string(sjisAddress) + "?body=" + Replaced(sjisBody, "\r\n", "%0a%0d");
}

bool MailtoTooLong(std::string_view sjisAddress, std::string_view sjisBody)
{
    return MailtoLimitText(sjisAddress, sjisBody).size() >= kMailtoLimit;
}

std::string MailtoUri(std::string_view sjisAddress, std::string_view sjisBody)
{
    // The body's CR LF pairs become %0D%0A, the line break mail programs
    // expect in a mailto: body.
    return "mailto:" + PercentEncoded(sjisAddress, "@") + "?body=" + PercentEncoded(sjisBody, {});
}

}  // namespace torepal
