// クロネコヤマト, 佐川急便 and ゆうパック blocks, with the prices worked out
// from the printed tariffs.

#include <gtest/gtest.h>

#include "shipping/ShippingText.h"
#include "support/ShippingTestSupport.h"
#include "support/core/TestText.h"

using namespace torepal;
using namespace torepal::test;

namespace {

// WeightList positions.
constexpr int k25g = 0, k2kg = 12, k3kg = 13, k10kg = 18, k11kg = 19, k20kg = 25, k21kg = 26, k25kg = 27, k30kg = 28;
// SizeList positions.
constexpr int k60 = 0, k80 = 2, k140 = 6, k150 = 7, k160 = 8, k170 = 9;
// PrefectureList positions.
constexpr int kHokkaido = 0, kAomori = 1, kAkita = 2, kFukushima = 6, kTokyo = 12, kYamanashi = 14, kNiigata = 15,
              kShizuoka = 17, kMie = 19, kOkayama = 30, kFukuoka = 39, kOita = 42, kKumamoto = 43, kOkinawa = 46;

std::string Yamato(int weight, int size, int origin)
{
    std::string s;
    WriteYamatoRates(s, {weight, size, origin});
    return s;
}

std::string Sagawa(int weight, int size, int origin)
{
    std::string s;
    WriteSagawaRates(s, {weight, size, origin});
    return s;
}

std::string YuPack(int weight, int size, int origin)
{
    std::string s;
    WriteYuPackRates(s, {weight, size, origin});
    return s;
}

using Prices = std::vector<int>;

}  // namespace

// ---- クロネコヤマト ------------------------------------------------------

TEST(YamatoRates, FromHokkaidoAtTheSmallestClassIsTheWholeBlock)
{
    const std::string expected =
        S("<br>▼クロネコヤマト<br>"
          "【北海道】 740円 （北海道）<br>"
          "【北東北】 950円 （青森県、秋田県、岩手県）<br>"
          "【南東北】 1050円 （宮城県、山形県、福島県）<br>"
          "【関　東】 1160円 （茨城県、栃木県、群馬県、埼玉県、千葉県、神奈川県、東京都、山梨県）<br>"
          "【信　越】 1160円 （新潟県、長野県）<br>"
          "【中　部】 1260円 （静岡県、愛知県、三重県、岐阜県）<br>"
          "【北　陸】 1260円 （富山県、石川県、福井県）<br>"
          "【関　西】 1470円 （大阪府、京都府、滋賀県、奈良県、和歌山県、兵庫県）<br>"
          "【中　国】 1580円 （岡山県、広島県、山口県、鳥取県、島根県）<br>"
          "【四　国】 1680円 （香川県、徳島県、愛媛県、高知県）<br>"
          "【九　州】 1790円 （福岡県、佐賀県、長崎県、熊本県、大分県、宮崎県、鹿児島県）<br>"
          "【沖　縄】 1890円 （沖　縄）<br>");
    const std::string block = Yamato(k25g, k60, kHokkaido);
    EXPECT_EQ(block, expected);
    // The header's ▼ is 81 A5; the label of 関東 holds an ideographic space
    // (81 40) and is followed by an ASCII blank; the tail opens with an
    // ASCII blank and a full-width parenthesis.
    EXPECT_EQ(block.substr(4, 2), "\x81\xA5");
    EXPECT_NE(block.find("\x81\x79\x8A\xD6\x81\x40\x93\x8C\x81\x7A\x20"
                         "1160\x89\x7E\x20\x81\x69"),
              std::string::npos)
        << Hex(block);
}

TEST(YamatoRates, TheLargerOfWeightClassAndSizeClassDecides)
{
    const Prices class1 = {950, 1160, 1260, 1370, 1370, 1470, 1470, 1680, 1790, 1890, 2000, 2420};
    const Prices class4 = {1580, 1790, 1890, 2000, 2000, 2100, 2100, 2310, 2420, 2520, 2630, 3990};
    const Prices class5 = {1790, 2000, 2100, 2210, 2210, 2310, 2310, 2520, 2630, 2730, 2840, 4520};
    EXPECT_EQ(RegionPrices(Yamato(k2kg, k80, kHokkaido)), class1);   // the size decides
    EXPECT_EQ(RegionPrices(Yamato(k3kg, k60, kHokkaido)), class1);   // "～3kg" is past 2 kg
    EXPECT_EQ(RegionPrices(Yamato(k25kg, k60, kHokkaido)), class5);  // the weight decides
    EXPECT_EQ(RegionPrices(Yamato(k25g, k140, kHokkaido)), class4);
    EXPECT_EQ(RegionPrices(Yamato(k25g, k160, kHokkaido)), class5);
    EXPECT_EQ(Yamato(k21kg, k60, kHokkaido), Yamato(k25g, k150, kHokkaido));
}

TEST(YamatoRates, NoPriceForThirtyKilosOrSize170WritesNothing)
{
    EXPECT_EQ(Yamato(k30kg, k60, kHokkaido), "");
    EXPECT_EQ(Yamato(k25g, k170, kHokkaido), "");
    EXPECT_EQ(Yamato(k30kg, k170, kOkinawa), "");
    std::string kept = "before";
    WriteYamatoRates(kept, {k25g, k170, kTokyo});
    EXPECT_EQ(kept, "before");
}

TEST(YamatoRates, OriginGroupsPickTheirMatrixRow)
{
    EXPECT_EQ(RegionPrices(Yamato(k25g, k60, kTokyo)),
              (Prices{1160, 840, 740, 740, 740, 740, 740, 840, 950, 1050, 1160, 1260}));
    EXPECT_EQ(Yamato(k25g, k60, kYamanashi), Yamato(k25g, k60, kTokyo));
    EXPECT_EQ(RegionPrices(Yamato(k25g, k60, kNiigata)),
              (Prices{1160, 840, 740, 740, 740, 740, 740, 840, 950, 1050, 1160, 1370}));
    EXPECT_EQ(RegionPrices(Yamato(k25g, k60, kOkinawa)),
              (Prices{1890, 1580, 1470, 1260, 1370, 1260, 1370, 1260, 1260, 1260, 1160, 740}));
}

// ---- 佐川急便 -----------------------------------------------------------

TEST(SagawaRates, HasTwelveRegionsAndNoOkinawaLine)
{
    const std::vector<std::string> lines = RegionLinesOf(Sagawa(k25g, k60, kHokkaido), "<br>▼佐川急便<br>");
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "【北海道】 740円 （北海道）<br>");
    EXPECT_EQ(lines[5], "【東　海】 1260円 （静岡県、愛知県、三重県、岐阜県）<br>");
    EXPECT_EQ(lines[10], "【北九州】 1790円 （福岡県、佐賀県、長崎県、大分県）<br>");
    EXPECT_EQ(lines[11], "【南九州】 1790円 （熊本県、宮崎県、鹿児島県）<br>");
}

TEST(SagawaRates, ThirtyKilosUseTheLastColumnAndSize170HasNoPrice)
{
    EXPECT_EQ(RegionPrices(Sagawa(k30kg, k60, kHokkaido)),
              (Prices{1790, 2000, 2100, 2210, 2210, 2310, 2310, 2520, 2630, 2730, 2840, 2840}));
    EXPECT_EQ(Sagawa(k25g, k170, kHokkaido), "");
    EXPECT_EQ(Sagawa(k30kg, k170, kTokyo), "");
}

TEST(SagawaRates, WeightClassThreeRunsFromElevenToTwentyKilos)
{
    auto first = [](int weight, int size) { return RegionPrices(Sagawa(weight, size, kHokkaido)).at(0); };
    EXPECT_EQ(first(k10kg, k60), 1260);
    EXPECT_EQ(first(k11kg, k60), 1530);
    EXPECT_EQ(first(k20kg, k60), 1530);
    EXPECT_EQ(first(k21kg, k60), 1790);
    EXPECT_EQ(first(k25g, k140), 1530);  // 120 and 140 share a class here
    EXPECT_EQ(first(k25g, k150), 1790);
}

TEST(SagawaRates, FromOkinawaWritesNothing)
{
    EXPECT_EQ(Sagawa(k25g, k60, kOkinawa), "");
    EXPECT_EQ(Sagawa(k30kg, k160, kOkinawa), "");
}

TEST(SagawaRates, FukuokaAndKumamotoGiveTheSamePrices)
{
    EXPECT_EQ(Sagawa(k25g, k60, kFukuoka), Sagawa(k25g, k60, kKumamoto));
    EXPECT_EQ(Sagawa(k21kg, k60, kOita), Sagawa(k21kg, k60, kKumamoto));
    EXPECT_EQ(RegionPrices(Sagawa(k25g, k60, kKumamoto)),
              (Prices{1790, 1370, 1370, 1160, 1160, 950, 950, 840, 740, 840, 740, 740}));
}

TEST(SagawaRates, ChugokuToMinamiKyushuCostsMoreThanTheWayBack)
{
    // From 岡山県 the 南九州 line is zone 2; from 熊本県 the 中国 line is zone 1.
    EXPECT_EQ(RegionPrices(Sagawa(k25g, k60, kOkayama)),
              (Prices{1580, 1160, 1160, 950, 950, 840, 840, 740, 740, 840, 740, 840}));
    EXPECT_EQ(RegionPrices(Sagawa(k25g, k60, kKumamoto)).at(8), 740);
}

// ---- ゆうパック ---------------------------------------------------------

TEST(YuPackRates, FromTokyoTheOwnLineReplacesTheTokyoRegion)
{
    const std::string expected =
        S("<br>▼ゆうパック<br>"
          "【東京都】 600円 （東京都）<br>"
          "【北海道】 1000円 （北海道）<br>"
          "【東　北】 700円 （青森県、秋田県、岩手県、宮城県、山形県、福島県）<br>"
          "【関　東】 700円 （茨城県、栃木県、群馬県、埼玉県、千葉県）<br>"
          "【南関東】 700円 （神奈川県、山梨県）<br>"
          "【信　越】 700円 （新潟県、長野県）<br>"
          "【北　陸】 700円 （富山県、石川県、福井県）<br>"
          "【東　海】 700円 （岐阜県、静岡県、愛知県、三重県）<br>"
          "【近　畿】 800円 （滋賀県、京都府、大阪府、兵庫県、奈良県、和歌山県）<br>"
          "【中　国】 900円 （鳥取県、島根県、岡山県、広島県、山口県）<br>"
          "【四　国】 900円 （徳島県、香川県、愛媛県、高知県）<br>"
          "【九　州】 1100円 （福岡県、佐賀県、長崎県、熊本県、大分県、宮崎県、鹿児島県）<br>"
          "【沖　縄】 1200円 （沖　縄）<br>");
    EXPECT_EQ(YuPack(k25g, k60, kTokyo), expected);
    EXPECT_EQ(RegionLinesOf(expected, "<br>▼ゆうパック<br>").size(), 13u);
}

TEST(YuPackRates, TheOriginLeavesItsRegionsTail)
{
    const std::string header = "<br>▼ゆうパック<br>";

    const std::vector<std::string> akita = RegionLinesOf(YuPack(k25g, k60, kAkita), header);
    ASSERT_EQ(akita.size(), 14u);
    EXPECT_EQ(akita[0], "【秋田県】 600円 （秋田県）<br>");
    EXPECT_EQ(akita[1], "【北海道】 800円 （北海道）<br>");
    EXPECT_EQ(akita[2], "【東　北】 700円 （青森県、岩手県、宮城県、山形県、福島県）<br>");

    // The last of its list: the "、" before it goes.
    const std::vector<std::string> fukushima = RegionLinesOf(YuPack(k25g, k60, kFukushima), header);
    ASSERT_EQ(fukushima.size(), 14u);
    EXPECT_EQ(fukushima[2], "【東　北】 700円 （青森県、秋田県、岩手県、宮城県、山形県）<br>");

    const std::vector<std::string> shizuoka = RegionLinesOf(YuPack(k25g, k60, kShizuoka), header);
    ASSERT_EQ(shizuoka.size(), 14u);
    EXPECT_EQ(shizuoka[8], "【東　海】 700円 （岐阜県、愛知県、三重県）<br>");
    const std::vector<std::string> mie = RegionLinesOf(YuPack(k25g, k60, kMie), header);
    ASSERT_EQ(mie.size(), 14u);
    EXPECT_EQ(mie[8], "【東　海】 700円 （岐阜県、静岡県、愛知県）<br>");
}

TEST(YuPackRates, AomorisOwnLineHasNoBlankAfterTheBracket)
{
    const std::vector<std::string> lines = RegionLinesOf(YuPack(k25g, k60, kAomori), "<br>▼ゆうパック<br>");
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "【青森県】600円 （青森県）<br>");
    EXPECT_EQ(lines[2], "【東　北】 700円 （秋田県、岩手県、宮城県、山形県、福島県）<br>");
}

TEST(YuPackRates, OkinawaWritesItsOwnLineAsOkinawaken)
{
    const std::vector<std::string> lines = RegionLinesOf(YuPack(k25g, k60, kOkinawa), "<br>▼ゆうパック<br>");
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "【沖縄県】 600円 （沖縄県）<br>");
    EXPECT_EQ(lines[12], "【九　州】 900円 （福岡県、佐賀県、長崎県、熊本県、大分県、宮崎県、鹿児島県）<br>");
    EXPECT_EQ(RegionPrices(S(lines[1] + lines[2] + lines[10])), (Prices{1300, 1300, 1100}));
}

TEST(YuPackRates, Size170FromHokkaido)
{
    const std::string block = YuPack(k25g, k170, kHokkaido);
    const std::vector<std::string> lines = RegionLinesOf(block, "<br>▼ゆうパック<br>");
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "【北海道】 1700円 （北海道）<br>");  // the own line stands for the region
    EXPECT_EQ(lines[12], "【沖　縄】 2500円 （沖　縄）<br>");
    EXPECT_EQ(RegionPrices(block),
              (Prices{1700, 2000, 2200, 2200, 2200, 2200, 2300, 2300, 2400, 2500, 2500, 2500, 2500}));
}

TEST(YuPackRates, PricesBySizeAloneAndIgnoresTheWeight)
{
    EXPECT_EQ(YuPack(k30kg, k60, kTokyo), YuPack(k25g, k60, kTokyo));
    EXPECT_EQ(YuPack(k30kg, k170, kOkinawa), YuPack(k25g, k170, kOkinawa));
    EXPECT_NE(YuPack(k25g, k80, kTokyo), YuPack(k25g, k60, kTokyo));
    EXPECT_EQ(RegionPrices(YuPack(k25g, k150, kTokyo)).at(0), 1600);
    EXPECT_EQ(RegionPrices(YuPack(k25g, k160, kTokyo)).at(0), 1600);
}
