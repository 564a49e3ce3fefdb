#include <gtest/gtest.h>

#include "mail/Mailto.h"
#include "support/MailTestSupport.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

using namespace test;

// "mailto:" (7) + "a@b.jp" (6) + "?body=" (6) = 19 bytes around the body.
const std::string kAddress = "a@b.jp";

TEST(MailtoLimit, LineBreaksAreWrittenLfCodeFirstAndNothingElseIsEscaped)
{
    const std::string body = Sjis("あ & %\r\n?い");
    EXPECT_EQ(MailtoLimitText(kAddress, body), "mailto:a@b.jp?body=" + Sjis("あ & %%0a%0d?い"));
}

TEST(MailtoLimit, At2999BytesItFitsAt3000ItIsTooLong)
{
    const std::string fits(2980, 'x');
    ASSERT_EQ(MailtoLimitText(kAddress, fits).size(), 2999u);
    EXPECT_FALSE(MailtoTooLong(kAddress, fits));
    const std::string tooLong(2981, 'x');
    ASSERT_EQ(MailtoLimitText(kAddress, tooLong).size(), 3000u);
    EXPECT_TRUE(MailtoTooLong(kAddress, tooLong));
}

TEST(MailtoLimit, ALineBreakCountsSixBytes)
{
    // 19 + 2974 + 6 = 2999
    EXPECT_FALSE(MailtoTooLong(kAddress, std::string(2974, 'x') + "\r\n"));
    EXPECT_TRUE(MailtoTooLong(kAddress, std::string(2975, 'x') + "\r\n"));
    // A double-byte character counts two.
    EXPECT_FALSE(MailtoTooLong(kAddress, std::string(2978, 'x') + Sjis("あ")));
    EXPECT_TRUE(MailtoTooLong(kAddress, std::string(2979, 'x') + Sjis("あ")));
}

TEST(MailtoUri, IsPlainAsciiWithCrLfAsPercent0D0A)
{
    const std::string uri = MailtoUri("taro.yamada@example.jp", "a\r\nb");
    EXPECT_EQ(uri, "mailto:taro.yamada@example.jp?body=a%0D%0Ab");
    EXPECT_EQ(MailtoUri("", Sjis("あ")), "mailto:?body=%E3%81%82");
}

TEST(MailtoUri, BodyDecodesBackToExactlyTheMailText)
{
    const std::string body = Sjis(
        "山田様\r\n金額：3,000円 & 送料 800円 = 3800円\r\n100% #1 ?q=a+b\r\n"
        "記号：ソ表\\\r\n\r\n");
    const std::string uri = MailtoUri(Sjis("yamada+1@example.jp"), body);
    for (char c : uri) ASSERT_TRUE(c > 0x20 && c < 0x7F) << uri;

    const std::size_t query = uri.find('?');
    ASSERT_NE(query, std::string::npos);
    ASSERT_EQ(uri.find('?', query + 1), std::string::npos);  // the body's "?" is escaped
    ASSERT_EQ(uri.find('&'), std::string::npos);             // so is its "&": no second parameter
    ASSERT_EQ(uri.find('#'), std::string::npos);             // and "#" cannot cut the address
    ASSERT_EQ(uri.substr(query, 6), "?body=");

    const std::string to = test::PercentDecoded(uri.substr(7, query - 7));
    EXPECT_EQ(to, "yamada+1@example.jp");
    const SjisConversion decoded = SjisFromUtf8(test::PercentDecoded(uri.substr(query + 6)));
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded.text, body);
}

TEST(MailtoUri, AddressSpecialCharactersAreEncoded)
{
    EXPECT_EQ(MailtoUri("a?b&c@d", ""), "mailto:a%3Fb%26c@d?body=");
}

}  // namespace
}  // namespace torepal
