#include <gtest/gtest.h>

#include "mail/ComposeMail.h"
#include "mail/MailChecks.h"
#include "support/core/SampleAccounts.h"
#include "support/core/SampleMail.h"
#include "text/Encoding.h"

using namespace torepal;

namespace {

std::string S(const char* utf8)
{
    return Sjis(utf8);
}

bool Mentions(const CheckResult& r, const char* utf8)
{
    return r.advice.find(S(utf8)) != std::string::npos;
}

// The sample seller, with the postage typed between blanks: a price as a
// seller may type it is still a number.
MailState Seller()
{
    MailState state = test::SampleMailForm();
    state.ftrans = " 800 ";
    state.accounts = test::SampleAccounts();
    return state;
}

std::vector<CheckResult> Composed(MailState state, const std::string& templateText)
{
    ComposeMail(state, templateText);
    return CheckMail(state, templateText);
}

}  // namespace

TEST(MailChecks, AMessageWithinTheRulesHasNothingToSay)
{
    EXPECT_TRUE(Composed(Seller(), S("[name] 様\r\n合計：[sum] 円\r\n[myname]\r\n")).empty());
}

TEST(MailChecks, AddressesInTheComposedText)
{
    MailState state = Seller();
    state.myname = S("山田（hanako@example.jp）");
    const std::vector<CheckResult> r = Composed(state, S("[myname]\r\n詳しくは www.example.jp で\r\n"));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].field, S("メール本文"));
    EXPECT_TRUE(Mentions(r[0], "hanako@example.jp"));
    EXPECT_TRUE(Mentions(r[1], "www.example.jp"));
}

TEST(MailChecks, BankDetailsFilledInCarryTheNote)
{
    MailState state = Seller();
    state.useAccount[0] = true;
    const std::vector<CheckResult> r = Composed(state, "[bank]");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(Mentions(r[0], "取引ナビ"));
}

TEST(MailChecks, BankAskedForWithNoAccountTicked)
{
    const std::vector<CheckResult> r = Composed(Seller(), "[bank]");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].field, S("振込み口座"));
}

TEST(MailChecks, ATickedAccountWithEmptyDetailsNamesWhatIsMissing)
{
    MailState state = Seller();
    state.accounts[0].number.clear();
    state.accounts[kParuruRow] = {"", "", "12345671", ""};
    state.useAccount = {true, false, false, false, true, false};
    const std::vector<CheckResult> r = Composed(state, S("[name] 様\r\n"));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_TRUE(Mentions(r[0], "「みずほ銀行」の口座番号が空"));
    EXPECT_TRUE(Mentions(r[1], "「ぱるる」の記号・名義が空"));
}

TEST(MailChecks, PricesThatAreNotNumbers)
{
    MailState state = Seller();
    // What "[sum]" cannot add up as written: a price in words, one to come.
    state.fauc = S("千円");
    state.ftrans = S("未定");
    const std::vector<CheckResult> r = Composed(state, "[sum]");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].field, S("落札金額"));
    EXPECT_EQ(r[1].field, S("送料"));
    // A template that never uses the prices does not ask for them.
    EXPECT_TRUE(Composed(state, "[name]").empty());
    // Only [ftrans] used: only the fee counts.
    state.fauc = "";
    EXPECT_EQ(Composed(state, "[ftrans]").size(), 1u);
}

TEST(MailChecks, PricesAsSellersWriteThemAreNumbers)
{
    MailState state = Seller();
    state.fauc = "285,000";
    state.ftrans = S("６００");
    ComposeMail(state, "[sum]");
    EXPECT_EQ(state.body, "285600\r\n");  // the sum as ComposeMail reads them
    EXPECT_TRUE(CheckMail(state, "[sum]").empty());
    state.fauc = S("12,800円");
    state.ftrans = S("￥800");
    EXPECT_TRUE(Composed(state, "[sum]").empty());
    EXPECT_TRUE(ReadsWholeAsPrice(S("　3,000 円 ")));
    EXPECT_FALSE(ReadsWholeAsPrice(S("3万")));
    EXPECT_FALSE(ReadsWholeAsPrice(""));
    EXPECT_FALSE(ReadsWholeAsPrice(S("12,800円です")));
}

TEST(MailChecks, AnEmptyPriceIsSaidToBeEmpty)
{
    MailState state = Seller();
    state.fauc = "";
    state.ftrans = " ";
    const std::vector<CheckResult> r = CheckMail(state, "[sum]");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(CheckLine(r[0]), S("落札金額：空です。数字で書いてください（合計の計算に使います）。"));
    EXPECT_EQ(r[1].field, S("送料"));
}

TEST(MailChecks, BankAndAddressByMailAreOutsideTheRulesSince2018)
{
    // [bank] with an account ticked: one finding, naming the account and
    // the rule, not a request to choose one.
    MailState state = Seller();
    state.useAccount[0] = true;
    std::vector<CheckResult> r = Composed(state, "[bank]");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(Mentions(r[0], "2018年3月1日"));
    EXPECT_TRUE(Mentions(r[0], "「みずほ銀行」"));
    EXPECT_FALSE(Mentions(r[0], "選ばれていません"));

    // A ticked account with a template that does not write it.
    r = Composed(state, S("[name] 様\r\n"));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].field, S("振込み口座"));
    EXPECT_TRUE(Mentions(r[0], "「みずほ銀行」にチェックがあります"));
    EXPECT_TRUE(Mentions(r[0], "2018年3月1日"));

    // The old sample asks for the address by mail; the 取引ナビ one does not.
    const std::string old = S("このメールへのご返信で、次のことをお知らせください。\r\n・郵便番号とご住所\r\n");
    r = Composed(Seller(), old);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].field, S("メール本文"));
    EXPECT_TRUE(Mentions(r[0], "住所をメールで"));
    EXPECT_TRUE(
        Composed(Seller(), S("お届け先は、取引ナビでお知らせいただいたご住所にお送りいたします。\r\n")).empty());
}

TEST(MailChecks, ADateLeftAsInTheSample)
{
    const std::vector<CheckResult> r = Composed(Seller(), S("「[item]」は、○月○日に発送する予定です。\r\n"));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(Mentions(r[0], "「○月○日」"));
    EXPECT_TRUE(Composed(Seller(), S("「[item]」は、3月5日に発送する予定です。\r\n")).empty());
}
