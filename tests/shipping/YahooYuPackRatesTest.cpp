// Yahoo！ゆうパック blocks: four tier prices by weight, the tier lists by
// origin, worked out from the printed tier matrix.

#include <gtest/gtest.h>

#include "shipping/ShippingText.h"
#include "support/ShippingTestSupport.h"
#include "support/core/TestText.h"

using namespace torepal;
using namespace torepal::test;

namespace {

constexpr int k25g = 0, k2kg = 12, k3kg = 13, k21kg = 26, k25kg = 27, k30kg = 28;
constexpr int k60 = 0, k170 = 9;
constexpr int kHokkaido = 0, kWakayama = 28, kOkinawa = 46;

std::string Yahoo(int weight, int size, int origin)
{
    std::string s;
    WriteYahooYuPackRates(s, {weight, size, origin});
    return s;
}

// The four tier prices of a block, in order.
std::vector<int> TierPrices(const std::string& sjis)
{
    const std::string text = Utf8FromSjis(sjis);
    static const std::regex price("【([0-9]+)円 の地域 】<br>");
    std::vector<int> prices;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), price); it != std::sregex_iterator(); ++it)
        prices.push_back(std::stoi((*it)[1]));
    return prices;
}

}  // namespace

TEST(YahooYuPackRates, FromOkinawaIsTheWholeBlock)
{
    const std::string expected =
        S("<br>▼Yahooゆうパック<br>"
          "【550円 の地域 】<br>福岡県、佐賀県、大分県、熊本県、長崎県、宮崎県、鹿児島県、沖縄県<br>"
          "【640円 の地域 】<br>鳥取県、岡山県、島根県、広島県、山口県、香川県、徳島県、愛媛県、高知県<br>"
          "【740円 の地域 】<br>滋賀県、京都府、大阪府、兵庫県、奈良県、和歌山県<br>"
          "【920円 の地域 】<br>北海道、青森県、岩手県、秋田県、山形県、宮城県、福島県、茨城県、栃木県、群馬県、"
          "埼玉県、千葉県、東京都、神奈川県、山梨県、新潟県、長野県、富山県、石川県、福井県、"
          "静岡県、愛知県、岐阜県、三重県<br>");
    EXPECT_EQ(Yahoo(k25g, k60, kOkinawa), expected);
}

TEST(YahooYuPackRates, FromHokkaidoBeginsWithItsFirstThreeTiers)
{
    const std::string block = Yahoo(k25g, k60, kHokkaido);
    const std::string start =
        S("<br>▼Yahooゆうパック<br>"
          "【550円 の地域 】<br>北海道、青森県<br>"
          "【640円 の地域 】<br>岩手県、秋田県<br>"
          "【740円 の地域 】<br>山形県、宮城県、福島県、新潟県<br>"
          "【920円 の地域 】<br>茨城県、");
    EXPECT_EQ(block.substr(0, start.size()), start);
    EXPECT_EQ(block.substr(block.size() - S("沖縄県<br>").size()), S("沖縄県<br>"));
}

TEST(YahooYuPackRates, WakayamaWritesKagawaWithoutKen)
{
    const std::string block = Yahoo(k25g, k60, kWakayama);
    const std::string tier1 = S(
        "【550円 の地域 】<br>長野県、富山県、石川県、福井県、静岡県、愛知県、岐阜県、三重県、滋賀県、京都府、大阪府、"
        "兵庫県、奈良県、和歌山県、鳥取県、岡山県、島根県、広島県、山口県、香川、徳島県、愛媛県、高知県<br>"
        "【640円 の地域 】<br>");
    EXPECT_NE(block.find(tier1), std::string::npos);
    EXPECT_NE(block.find(S("香川、")), std::string::npos);
    EXPECT_EQ(block.find(S("香川県")), std::string::npos);
}

TEST(YahooYuPackRates, WeightClassBoundaries)
{
    EXPECT_EQ(TierPrices(Yahoo(k25g, k60, kHokkaido)), (std::vector<int>{550, 640, 740, 920}));
    EXPECT_EQ(Yahoo(k2kg, k60, kHokkaido), Yahoo(k25g, k60, kHokkaido));
    EXPECT_EQ(TierPrices(Yahoo(k3kg, k60, kHokkaido)), (std::vector<int>{700, 790, 890, 1070}));
    EXPECT_EQ(TierPrices(Yahoo(k21kg, k60, kHokkaido)), (std::vector<int>{1350, 1440, 1530, 1710}));
    EXPECT_EQ(TierPrices(Yahoo(20, k60, kHokkaido)), (std::vector<int>{1060, 1150, 1250, 1430}));  // ～12kg
    EXPECT_EQ(TierPrices(Yahoo(17, k60, kHokkaido)), (std::vector<int>{910, 1000, 1100, 1280}));   // ～8kg
}

TEST(YahooYuPackRates, TwentyFiveAndThirtyKilosWriteNothing)
{
    EXPECT_EQ(Yahoo(k25kg, k60, kHokkaido), "");
    EXPECT_EQ(Yahoo(k30kg, k60, kOkinawa), "");
}

TEST(YahooYuPackRates, TheSizeNeverChangesTheBlock)
{
    EXPECT_EQ(Yahoo(k25g, k170, kHokkaido), Yahoo(k25g, k60, kHokkaido));
    EXPECT_EQ(Yahoo(k21kg, k170, kWakayama), Yahoo(k21kg, k60, kWakayama));
}
