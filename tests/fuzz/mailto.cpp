// The mail hand-off on arbitrary address and body bytes: the URI is plain
// ASCII with nothing in it that could end the body or start another
// parameter, and decoding it gives back exactly the address and body the
// seller wrote (as Unicode), line breaks included. The size limit is judged
// on the traditional text, as the mail and file pages show it.
//
// Input: one byte for the address length (0..63), the address, the body.

#include "mail/Mailto.h"

#include "FuzzSupport.h"
#include "text/Encoding.h"
#include "text/SjisText.h"

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%') {
            FUZZ_CHECK(i + 2 < s.size());  // a percent sign always has its two digits
            const int hi = HexValue(s[i + 1]);
            const int lo = HexValue(s[i + 2]);
            FUZZ_CHECK(hi >= 0 && lo >= 0);
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace torepal;
    fuzz::InputReader in(data, size);
    const std::string_view address = in.piece(63);
    const std::string_view body = in.rest();

    const std::string uri = MailtoUri(address, body);
    for (char c : uri) {
        const unsigned char u = static_cast<unsigned char>(c);
        FUZZ_CHECK(u > 0x20 && u < 0x7F);
        FUZZ_CHECK(c != '#' && c != '&' && c != '"' && c != '<' && c != '>' && c != '\\');
    }
    FUZZ_CHECK(uri.rfind("mailto:", 0) == 0);
    const std::size_t query = uri.find('?');
    FUZZ_CHECK(query != std::string::npos);
    FUZZ_CHECK(uri.compare(query, 6, "?body=") == 0);
    FUZZ_CHECK(uri.find('?', query + 1) == std::string::npos);
    FUZZ_CHECK(uri.find('=', query + 6) == std::string::npos);

    const std::string_view uriAddress = std::string_view(uri).substr(7, query - 7);
    const std::string_view uriBody = std::string_view(uri).substr(query + 6);
    FUZZ_CHECK(PercentDecoded(uriAddress) == Utf8FromSjis(address));
    FUZZ_CHECK(PercentDecoded(uriBody) == Utf8FromSjis(body));

    const std::string limitText = MailtoLimitText(address, body);
    FUZZ_CHECK(limitText == "mailto:" + std::string(address) + "?body=" + Replaced(body, "\r\n", "%0a%0d"));
    FUZZ_CHECK(MailtoTooLong(address, body) == (limitText.size() >= kMailtoLimit));
    return 0;
}
