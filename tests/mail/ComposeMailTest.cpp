#include <gtest/gtest.h>

#include "mail/ComposeMail.h"
#include "support/core/SampleMail.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

using test::SampleMailForm;

TEST(ComposeMailLines, TemplateWithoutPlaceholdersKeepsItsLinesEachEndingInCrLf)
{
    MailState s = SampleMailForm();
    ComposeMail(s, "Hello\r\nThanks");
    EXPECT_EQ(s.body, "Hello\r\nThanks\r\n");

    ComposeMail(s, "a\n\nb\n");  // LF only, an empty line in between
    EXPECT_EQ(s.body, "a\r\n\r\nb\r\n");

    ComposeMail(s, "a\r\r\nb\r\r\n");  // as the editor stores it
    EXPECT_EQ(s.body, "a\r\nb\r\n");
}

TEST(ComposeMailLines, StrayCrIsDroppedAndTheTextKept)
{
    MailState s;
    ComposeMail(s, "ab\rcd\r\nef");
    EXPECT_EQ(s.body, "abcd\r\nef\r\n");
}

TEST(ComposeMailLines, EmptyTemplateGivesEmptyBody)
{
    MailState s;
    s.body = "old";
    ComposeMail(s, "");
    EXPECT_EQ(s.body, "");
}

TEST(ComposeMailPlaceholders, AllThirteenAreFilled)
{
    MailState s = SampleMailForm();
    s.useAccount[kParuruRow] = true;
    s.accounts[kParuruRow] = {"", "10120", "12345671", "YAMADA", 0};
    ComposeMail(s,
                "[myname]|[post]|[zip]|[tel]|[ktel]|[item]|[name]|[transmen]|[transnum]|[fauc]|[ftrans]|[sum]|"
                "[bank]|[other]");
    EXPECT_EQ(s.body, Sjis("山田太郎|東京都千代田区1-1|100-0001|03-1234-5678|090-1234-5678|時計|buyer_01|ゆうパック|"
                           "1234-5678-9012|3000|800|3800|\r\nぱるる\r\n記号：10120\r\n番号：12345671\r\n名義：YAMADA"
                           "\r\n|[other]\r\n"));
    EXPECT_EQ(s.sum, "3800");
}

TEST(ComposeMailPlaceholders, ValueHoldingALaterPlaceholderIsFilledByThatStep)
{
    MailState s = SampleMailForm();
    s.myname = "[item]";
    s.item = "[myname]";  // an earlier placeholder is not looked for again
    ComposeMail(s, "[myname] / [item]");
    EXPECT_EQ(s.body, "[myname] / [myname]\r\n");
}

TEST(ComposeMailPlaceholders, PlaceholdersAreCaseSensitiveAndEveryOccurrenceIsReplaced)
{
    MailState s = SampleMailForm();
    ComposeMail(s, "[NAME][name]x[name]");
    EXPECT_EQ(s.body, "[NAME]buyer_01xbuyer_01\r\n");
}

TEST(MailSum, ReadsPricesAsTheAuctionShowsThem)
{
    EXPECT_EQ(MailSum("3000", "800"), "3800");
    EXPECT_EQ(MailSum("12,800", "1,100"), "13900");
    EXPECT_EQ(MailSum(Sjis("3,000円"), "800"), "3800");
    EXPECT_EQ(MailSum("", ""), "0");
    EXPECT_EQ(MailSum("  +12", "-20"), "-8");
    EXPECT_EQ(MailSum("12abc", "\t7"), "19");
    EXPECT_EQ(MailSum("-", "+"), "0");
}

TEST(MailSum, FullWidthDigitsCommasSignsAndBlanksCount)
{
    EXPECT_EQ(ParseMailNumber(Sjis("３０００")), 3000);
    EXPECT_EQ(ParseMailNumber(Sjis("１２，８００")), 12800);
    EXPECT_EQ(ParseMailNumber(Sjis("　　１,１００")), 1100);  // ideographic spaces before
    EXPECT_EQ(ParseMailNumber(Sjis("－５００")), -500);
    EXPECT_EQ(ParseMailNumber(Sjis(" 　-5")), -5);
    EXPECT_EQ(MailSum(Sjis("１２，８００"), Sjis("１，１００")), "13900");
}

TEST(MailSum, YenSignBeforeThePriceIsSkipped)
{
    EXPECT_EQ(ParseMailNumber("\\12,800"), 12800);
    EXPECT_EQ(ParseMailNumber(Sjis("￥12,800")), 12800);
    EXPECT_EQ(ParseMailNumber("\\-3"), -3);
    EXPECT_EQ(ParseMailNumber("\\\\5"), 0);  // one yen sign only
    // The yen sign a Japanese keyboard types is U+00A5; code page 932 holds it
    // as byte 5C, so a pasted "¥12,800" reads like the auction's own text.
    const SjisConversion typed = SjisFromUtf8(
        "\xC2\xA5"
        "12,800");
    ASSERT_TRUE(typed.ok());
    EXPECT_EQ(typed.text, "\\12,800");
    EXPECT_EQ(ParseMailNumber(typed.text), 12800);
}

TEST(MailSum, CommaCountsOnlyBetweenDigits)
{
    EXPECT_EQ(ParseMailNumber("12,"), 12);
    EXPECT_EQ(ParseMailNumber(",12"), 0);
    EXPECT_EQ(ParseMailNumber("1,,2"), 1);
    EXPECT_EQ(ParseMailNumber("1, 2"), 1);
    EXPECT_EQ(ParseMailNumber("1,234,567"), 1234567);
    EXPECT_EQ(ParseMailNumber("1.5"), 1);
    EXPECT_EQ(ParseMailNumber(Sjis("円12")), 0);
    // 82 4F is ０; the neighbouring 82 4E and 82 59 are no digits.
    EXPECT_EQ(ParseMailNumber("\x82\x4E"), 0);
    EXPECT_EQ(ParseMailNumber("1\x82\x59"), 1);
    EXPECT_EQ(ParseMailNumber("\x82"), 0);  // a lone lead byte at the end
}

TEST(MailSum, NumbersSaturateAtThe32BitRangeAndTheSumIsExact)
{
    EXPECT_EQ(ParseMailNumber("99999999999"), 2147483647);
    EXPECT_EQ(ParseMailNumber("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(ParseMailNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseMailNumber("2147483648"), 2147483647);
    EXPECT_EQ(ParseMailNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseMailNumber("000000000000000000000042"), 42);
    EXPECT_EQ(MailSum("99999999999", "1"), "2147483648");
    EXPECT_EQ(MailSum("2147483647", "2147483647"), "4294967294");
    EXPECT_EQ(MailSum("-99999999999", "-5"), "-2147483653");
    EXPECT_EQ(ParseMailNumber("9,999,999,999"), 2147483647);
    EXPECT_EQ(ParseMailNumber(Sjis("－９９９９９９９９９９９")), -2147483647 - 1);
    EXPECT_EQ(MailSum(Sjis("￥９，９９９，９９９，９９９"), "1"), "2147483648");
}

TEST(BuildAccountText, BankRowTextsHolderBeforeNumber)
{
    const BankAccount ordinary{Sjis("みずほ銀行"), Sjis("新宿支店"), "1234567", Sjis("ヤマダタロウ"), 0};
    EXPECT_EQ(BuildAccountText(ordinary, 0), Sjis("銀行名：みずほ銀行\r\n支店名：新宿支店\r\n名義：ヤマダタロウ\r\n"
                                                  "口座番号：1234567\r\n口座種別：普通口座\r\n"));
    BankAccount current = ordinary;
    current.kind = 1;
    EXPECT_EQ(BuildAccountText(current, 3), Sjis("銀行名：みずほ銀行\r\n支店名：新宿支店\r\n名義：ヤマダタロウ\r\n"
                                                 "口座番号：1234567\r\n口座種別：当座口座\r\n"));
    current.kind = -1;  // nothing chosen in the editor counts as a current account
    EXPECT_NE(BuildAccountText(current, 1).find(Sjis("口座種別：当座口座")), std::string::npos);
    EXPECT_EQ(BuildAccountText(BankAccount{}, 2),
              Sjis("銀行名：\r\n支店名：\r\n名義：\r\n口座番号：\r\n口座種別：普通口座\r\n"));
}

TEST(BuildAccountText, PostalRowsHaveFixedHeadingsAndIgnoreKind)
{
    const BankAccount postal{"ignored", "10120", "12345671", Sjis("ヤマダ"), 1};
    EXPECT_EQ(BuildAccountText(postal, kParuruRow),
              Sjis("ぱるる\r\n記号：10120\r\n番号：12345671\r\n名義：ヤマダ\r\n"));
    EXPECT_EQ(BuildAccountText(postal, kFurikaeRow),
              Sjis("郵便振替\r\n記号：10120\r\n番号：12345671\r\n名義：ヤマダ\r\n"));
}

class BankText : public ::testing::Test {
protected:
    BankText()
    {
        s.accounts[0] = {"A", "B", "1", "H", 0};
        s.accounts[1] = {"C", "D", "2", "I", 1};
        s.accounts[kParuruRow] = {"", "P", "3", "J", 0};
        s.accounts[kFurikaeRow] = {"", "F", "4", "K", 0};
    }
    MailState s;
    const std::string first = Sjis("銀行名：A\r\n支店名：B\r\n名義：H\r\n口座番号：1\r\n口座種別：普通口座\r\n");
    const std::string second = Sjis("銀行名：C\r\n支店名：D\r\n名義：I\r\n口座番号：2\r\n口座種別：当座口座\r\n");
    const std::string paruru = Sjis("ぱるる\r\n記号：P\r\n番号：3\r\n名義：J\r\n");
    const std::string furikae = Sjis("郵便振替\r\n記号：F\r\n番号：4\r\n名義：K\r\n");
};

TEST_F(BankText, OnlyTheFirstBankHasNoLeadingLineBreak)
{
    s.useAccount = {true, false, false, false, false, false};
    EXPECT_EQ(BuildBankText(s), first);
}

TEST_F(BankText, OnlyParuruStartsWithALineBreak)
{
    s.useAccount = {false, false, false, false, true, false};
    EXPECT_EQ(BuildBankText(s), "\r\n" + paruru);
}

TEST_F(BankText, TickedAccountsAreSeparatedByOneEmptyLine)
{
    s.useAccount = {true, true, false, false, true, true};
    EXPECT_EQ(BuildBankText(s), first + "\r\n" + second + "\r\n" + paruru + "\r\n" + furikae);
    EXPECT_EQ(s.accountText[kFurikaeRow], furikae);
}

TEST_F(BankText, NothingTickedRemovesThePlaceholder)
{
    ComposeMail(s, "x[bank]y");
    EXPECT_EQ(s.body, "xy\r\n");
    EXPECT_EQ(s.bank, "");
}

}  // namespace
}  // namespace torepal
