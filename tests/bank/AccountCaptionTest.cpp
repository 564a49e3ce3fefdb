#include <gtest/gtest.h>

#include "bank/AccountCaption.h"
#include "text/Encoding.h"

using namespace torepal;

TEST(AccountBoxCaption, AtTheFirstStartEveryBankBoxSaysUnregistered)
{
    const Accounts none{};
    for (std::size_t row = 0; row < kParuruRow; ++row) EXPECT_EQ(AccountBoxCaption(none, row), Sjis("未登録")) << row;
    EXPECT_EQ(AccountBoxCaption(none, kParuruRow), Sjis("ぱるる"));
    EXPECT_EQ(AccountBoxCaption(none, kFurikaeRow), Sjis("振替口座"));
}

TEST(AccountBoxCaption, ABankNameIsShownAsStored)
{
    Accounts rows{};
    rows[1].bankName = Sjis("三井住友銀行");
    rows[3].bankName = "A&B";
    rows[kParuruRow].bankName = "ignored";
    EXPECT_EQ(AccountBoxCaption(rows, 0), Sjis("未登録"));
    EXPECT_EQ(AccountBoxCaption(rows, 1), Sjis("三井住友銀行"));
    EXPECT_EQ(AccountBoxCaption(rows, 3), "A&B");
    EXPECT_EQ(AccountBoxCaption(rows, kParuruRow), Sjis("ぱるる"));
}

TEST(AccountBoxCaption, ANameOfBlanksOnlyIsNoName)
{
    Accounts rows{};
    rows[0].bankName = Sjis(" 　\t");
    rows[1].bankName = Sjis("　ゆうちょ");
    rows[2].bankName = "\x83\x40";  // ァ: its trail byte is no blank
    EXPECT_TRUE(IsUnregisteredBank(rows[0]));
    EXPECT_EQ(AccountBoxCaption(rows, 0), Sjis("未登録"));
    EXPECT_EQ(AccountBoxCaption(rows, 1), Sjis("　ゆうちょ"));
    EXPECT_FALSE(IsUnregisteredBank(rows[2]));
}
