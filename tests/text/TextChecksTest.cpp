#include <gtest/gtest.h>

#include "text/Encoding.h"
#include "text/TextChecks.h"

using namespace torepal;

namespace {

using List = std::vector<std::string>;

std::string S(const char* utf8)
{
    return Sjis(utf8);
}

const std::vector<std::string> kOwn = {"auctions.yahoo.co.jp", "torepal.example.jp"};

}  // namespace

TEST(CharacterCount, CountsCharactersNotBytes)
{
    EXPECT_EQ(SjisCharacterCount(""), 0u);
    EXPECT_EQ(SjisCharacterCount("abc"), 3u);
    EXPECT_EQ(SjisCharacterCount(S("あいう")), 3u);              // six bytes
    EXPECT_EQ(SjisCharacterCount("\xB1\xB2"), 2u);               // ｱｲ, half-width: one byte each
    EXPECT_EQ(SjisCharacterCount(S("ソ") + "\\"), 2u);           // 83 5C then a backslash
    EXPECT_EQ(SjisCharacterCount(std::string("a\x82", 2)), 2u);  // a lone lead byte at the end
}

TEST(CheckLine, JoinsFieldAndAdviceWithAFullWidthColon)
{
    EXPECT_EQ(CheckLine({S("商品情報"), S("消してください。")}), S("商品情報：消してください。"));
}

TEST(MailAddresses, FoundInsideAWordOfJapaneseText)
{
    EXPECT_EQ(FindMailAddresses(S("連絡はabc.def@example.co.jpまで")), (List{"abc.def@example.co.jp"}));
    // Full-width, as an input method may leave it; reported as written.
    EXPECT_EQ(FindMailAddresses(S("ａｂｃ＠ｅｘａｍｐｌｅ．ｊｐ")), (List{S("ａｂｃ＠ｅｘａｍｐｌｅ．ｊｐ")}));
    // Once each, in order.
    EXPECT_EQ(FindMailAddresses("a@b.jp, c@d.com a@b.jp"), (List{"a@b.jp", "c@d.com"}));
}

TEST(MailAddresses, AnAtSignAloneIsNone)
{
    EXPECT_TRUE(FindMailAddresses(S("単価@100円")).empty());
    EXPECT_TRUE(FindMailAddresses("@example.jp").empty());
    EXPECT_TRUE(FindMailAddresses("name@localhost").empty());
    EXPECT_TRUE(FindMailAddresses("name@example.1").empty());
}

TEST(PhoneNumbers, FoundWithHalfAndFullWidthDigits)
{
    EXPECT_EQ(FindPhoneNumbers(S("電話03-1234-5678まで")), (List{"03-1234-5678"}));
    EXPECT_EQ(FindPhoneNumbers(S("携帯：０９０－１２３４－５６７８")), (List{S("０９０－１２３４－５６７８")}));
    EXPECT_EQ(FindPhoneNumbers(S("０９０ー１２３４ー５６７８")), (List{S("０９０ー１２３４ー５６７８")}));
    EXPECT_EQ(FindPhoneNumbers("(03)1234-5678"), (List{"(03)1234-5678"}));
    EXPECT_EQ(FindPhoneNumbers(S("（03-1234-5678）")), (List{S("（03-1234-5678）")}));
    EXPECT_EQ(FindPhoneNumbers("09012345678"), (List{"09012345678"}));
    EXPECT_EQ(FindPhoneNumbers("0120-123-456"), (List{"0120-123-456"}));
}

TEST(PhoneNumbers, OtherNumbersAreNone)
{
    EXPECT_TRUE(FindPhoneNumbers("156-0054").empty());             // a postal code
    EXPECT_TRUE(FindPhoneNumbers("2024-03-01").empty());           // a date
    EXPECT_TRUE(FindPhoneNumbers("012345678901").empty());         // twelve digits
    EXPECT_TRUE(FindPhoneNumbers("0012345678").empty());           // starts with 00
    EXPECT_TRUE(FindPhoneNumbers(S("型番AB0312345678")).empty());  // a model number
    EXPECT_TRUE(FindPhoneNumbers(S("12,800円")).empty());
}

TEST(WebAddresses, OutsideAddressesAreFound)
{
    EXPECT_EQ(FindWebAddresses(S("詳細はhttp://shop.example.com/item?id=1をご覧ください"), kOwn),
              (List{"http://shop.example.com/item?id=1"}));
    EXPECT_EQ(FindWebAddresses(S("（www.example.jp）"), kOwn), (List{"www.example.jp"}));
    EXPECT_EQ(FindWebAddresses("<a href=\"HTTPS://Example.com/\">", kOwn), (List{"HTTPS://Example.com/"}));
    // Looks like the site, is not.
    EXPECT_EQ(FindWebAddresses("https://fakeauctions.yahoo.co.jp/", kOwn), (List{"https://fakeauctions.yahoo.co.jp/"}));
    EXPECT_EQ(FindWebAddresses("https://auctions.yahoo.co.jp.example.com/", kOwn),
              (List{"https://auctions.yahoo.co.jp.example.com/"}));
}

TEST(WebAddresses, TheSiteAndTheCreditLineAreNotReported)
{
    EXPECT_TRUE(FindWebAddresses("https://auctions.yahoo.co.jp/jp/booth/seller_1", kOwn).empty());
    EXPECT_TRUE(FindWebAddresses("https://page.auctions.yahoo.co.jp/jp/auction/x123", kOwn).empty());
    EXPECT_TRUE(FindWebAddresses(S("<a href=https://torepal.example.jp/>トレパル</a>"), kOwn).empty());
    EXPECT_TRUE(FindWebAddresses("awww.example.jp", kOwn).empty());  // not the start of an address
}

TEST(WebAddresses, HostIsFoldedAndWithoutPortOrPath)
{
    EXPECT_EQ(HostOfAddress("HTTPS://Auctions.Yahoo.co.jp:443/x"), "auctions.yahoo.co.jp");
    EXPECT_EQ(HostOfAddress("www.example.jp/a"), "www.example.jp");
}

TEST(MachineDependentCharacters, NecAndIbmExtensionsButNotHalfWidthKana)
{
    EXPECT_EQ(FindMachineDependentCharacters(S("①㈱①")), (List{"\x87\x40", "\x87\x8A"}));
    EXPECT_EQ(FindMachineDependentCharacters(S("髙橋")), (List{"\xFB\xFC"}));  // IBM extension
    EXPECT_EQ(FindMachineDependentCharacters(S("ⅰ")), (List{"\xFA\x40"}));
    EXPECT_TRUE(FindMachineDependentCharacters(S("あいうＡ〒") + "\xB1\xB2\xB3").empty());
}
