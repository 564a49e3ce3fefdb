#include <gtest/gtest.h>

#include "plate/PaymentText.h"
#include "support/core/TestText.h"

using namespace torepal;
using namespace torepal::test;

namespace {

Accounts TwoBanks()
{
    Accounts rows;
    rows[0].bankName = S("みずほ銀行");
    rows[1].bankName = S("三井住友銀行");
    rows[0].branch = S("本店");  // never on the page
    return rows;
}

}  // namespace

TEST(PaymentText, NoBoxOnGivesNoText)
{
    EXPECT_EQ(BuildPaymentText(PaymentTicks{}, TwoBanks()), "");
}

TEST(PaymentText, LinesFollowTheBoxOrderNotTheTickingOrder)
{
    PaymentTicks ticks;
    ticks.yahooEasy = true;
    ticks.accounts[0] = true;
    EXPECT_EQ(BuildPaymentText(ticks, TwoBanks()), S("<br><b>▼みずほ銀行</b><br><br><b>▼Yahoo!かんたん決済</b><br>"));
}

TEST(PaymentText, EveryBoxOn)
{
    PaymentTicks ticks;
    ticks.accounts.fill(true);
    ticks.yahooEasy = true;
    ticks.stamps = true;
    // Banks 3 and 4 were never registered: their lines stand with nothing
    // between the marker and "</b>". The 振替口座 box reads 郵便振替 on the page.
    EXPECT_EQ(BuildPaymentText(ticks, TwoBanks()), S("<br><b>▼みずほ銀行</b><br>"
                                                     "<br><b>▼三井住友銀行</b><br>"
                                                     "<br><b>▼</b><br>"
                                                     "<br><b>▼</b><br>"
                                                     "<br><b>▼ぱるる</b><br>"
                                                     "<br><b>▼郵便振替</b><br>"
                                                     "<br><b>▼Yahoo!かんたん決済</b><br>"
                                                     "<br><b>▼切手</b><br>"));
}

TEST(PaymentText, UnregisteredFourthBankStillGivesItsLine)
{
    PaymentTicks ticks;
    ticks.accounts[3] = true;
    const std::string text = BuildPaymentText(ticks, TwoBanks());
    EXPECT_EQ(text, "<br><b>\x81\xA5</b><br>");  // the marker is 81 A5
}

TEST(PaymentText, BankNamesAreInsertedAsStored)
{
    Accounts rows;
    rows[1].bankName = "<i>&amp;</i>";
    PaymentTicks ticks;
    ticks.accounts[1] = true;
    EXPECT_EQ(BuildPaymentText(ticks, rows), S("<br><b>▼<i>&amp;</i></b><br>"));
}
