// What the printed tariffs say about themselves, checked against the
// program's copies of them, and the pick lists against their printed order.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <span>

#include "shipping/ParcelLists.h"
#include "shipping/RateTables.h"
#include "shipping/ShippingText.h"
#include "support/ShippingTestSupport.h"
#include "support/core/TestText.h"

using namespace torepal;
using namespace torepal::test;

namespace {

std::vector<std::string> SplitList(const std::string& utf8)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t at; (at = utf8.find("、", start)) != std::string::npos; start = at + std::string("、").size())
        names.push_back(utf8.substr(start, at - start));
    names.push_back(utf8.substr(start));
    return names;
}

std::vector<std::string> PrefectureNames()
{
    std::vector<std::string> names;
    for (const std::string& p : PrefectureList()) names.push_back(Utf8FromSjis(p));
    return names;
}

// The runs cover 0..last without gap or overlap, and their values count up
// from `firstValue` by one.
void ExpectRunsCover(std::span<const IndexRange> runs, int last, int firstValue, const char* what)
{
    SCOPED_TRACE(what);
    int next = 0;
    int value = firstValue;
    for (const IndexRange& r : runs) {
        EXPECT_EQ(r.first, next);
        EXPECT_LE(r.first, r.last);
        EXPECT_EQ(r.value, value);
        next = r.last + 1;
        ++value;
    }
    EXPECT_EQ(next, last + 1);
}

// The prefecture a region list holds, each once, with the PrefectureList
// positions of the origins grouped with it.
template <std::size_t N>
void ExpectRegionsMatchGroups(const std::array<RegionRow, N>& regions, std::span<const IndexRange> groups,
                              const char* what)
{
    SCOPED_TRACE(what);
    const std::vector<std::string> names = PrefectureNames();
    ASSERT_EQ(groups.size(), N);
    for (const IndexRange& g : groups) {
        std::vector<std::string> fromList(names.begin() + g.first, names.begin() + g.last + 1);
        std::vector<std::string> inTail = SplitList(regions[g.value - 1].prefectures);
        std::sort(fromList.begin(), fromList.end());
        std::sort(inTail.begin(), inTail.end());
        EXPECT_EQ(inTail, fromList) << regions[g.value - 1].label;
    }
}

template <std::size_t N>
std::multiset<std::string> AllTailNames(const std::array<RegionRow, N>& regions)
{
    std::multiset<std::string> all;
    for (const RegionRow& r : regions)
        for (const std::string& n : SplitList(r.prefectures)) all.insert(n);
    return all;
}

// The 47 tier letters of an origin, blanks removed.
std::string Letters(int origin)
{
    std::string s;
    for (const char* c = kYahooTiers[origin]; *c; ++c)
        if (*c != ' ') s += *c;
    return s;
}

// Position in the destination order of a PrefectureList entry.
int DestinationOf(int origin)
{
    const std::string name = origin == 46 ? "沖縄県" : PrefectureNames()[origin];
    for (int d = 0; d < 47; ++d)
        if (name == kYahooDestinations[d]) return d;
    return -1;
}

std::vector<std::string> TierNames(int origin, int tier)
{
    const std::string letters = Letters(origin);
    std::vector<std::string> names;
    for (int d = 0; d < 47; ++d)
        if (letters[d] == "WXYZ"[tier - 1]) names.push_back(kYahooDestinations[d]);
    return names;
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string s;
    for (const std::string& n : names) s += (s.empty() ? "" : "、") + n;
    return s;
}

}  // namespace

// ---- pick lists ---------------------------------------------------------

TEST(ParcelLists, HoldThePrintedEntriesInOrder)
{
    auto joined = [](const std::vector<std::string>& list) {
        std::string s;
        for (const std::string& e : list) s += Utf8FromSjis(e) + "|";
        return s;
    };
    EXPECT_EQ(joined(WeightList()),
              "～25g|～50g|～75g|～100g|～150g|～200g|～250g|～300g|～500g|～600g|～750g|～1kg|～2kg|～3kg|～4kg|"
              "～5kg|～6kg|～8kg|～10kg|～11kg|～12kg|～14kg|～15kg|～16kg|～18kg|～20kg|～21kg|～25kg|～30kg|");
    EXPECT_EQ(joined(SizeList()), "60size|70size|80size|90size|100size|120size|140size|150size|160size|170size|");
    EXPECT_EQ(joined(PrefectureList()),
              "北海道|青森県|秋田県|岩手県|宮城県|山形県|福島県|茨城県|栃木県|群馬県|埼玉県|千葉県|東京都|神奈川県|"
              "山梨県|新潟県|長野県|静岡県|愛知県|三重県|岐阜県|富山県|石川県|福井県|大阪府|京都府|滋賀県|奈良県|"
              "和歌山県|兵庫県|岡山県|広島県|山口県|鳥取県|島根県|香川県|徳島県|愛媛県|高知県|福岡県|佐賀県|長崎県|"
              "大分県|熊本県|宮崎県|鹿児島県|沖　縄|");
    // Full-width tilde 81 60, not the wave dash; ideographic space 81 40.
    EXPECT_EQ(Hex(WeightList()[0]), "81 60 32 35 67");
    EXPECT_EQ(Hex(PrefectureList()[46]), "89 AB 81 40 93 EA");
}

TEST(ParcelLists, AnIndexOutsideAListIsReadAsTheFirst)
{
    EXPECT_EQ(ListIndexOrFirst(-1, 29), 0);
    EXPECT_EQ(ListIndexOrFirst(29, 29), 0);
    EXPECT_EQ(ListIndexOrFirst(28, 29), 28);
    EXPECT_EQ(ListIndexOrFirst(0, 29), 0);
}

// ---- classes and groups -------------------------------------------------

TEST(RateTables, ClassAndGroupRunsCoverTheirLists)
{
    ExpectRunsCover(kYamatoWeightClasses, 28, 0, "ヤマト weight");
    ExpectRunsCover(kYamatoSizeClasses, 9, 0, "ヤマト size");
    ExpectRunsCover(kYamatoOriginGroups, 46, 1, "ヤマト origin");
    ExpectRunsCover(kSagawaWeightClasses, 28, 0, "佐川 weight");
    ExpectRunsCover(kSagawaSizeClasses, 9, 0, "佐川 size");
    ExpectRunsCover(kSagawaOriginGroups, 45, 1, "佐川 origin");  // no group for "沖　縄"
    ExpectRunsCover(kYuPackSizeClasses, 9, 0, "ゆうパック size");
    ExpectRunsCover(kYuPackOriginGroups, 46, 1, "ゆうパック origin");
    ExpectRunsCover(kYahooWeightClasses, 26, 0, "Yahoo weight");  // none for 25 and 30 kg
    int next = 0;
    for (const MailPriceRow& r : kMailClassPrices) {
        EXPECT_EQ(r.first, next);
        next = r.last + 1;
    }
    EXPECT_EQ(next, 29);
}

TEST(RateTables, RegionTailsListEveryPrefectureOnceAndMatchTheOriginGroups)
{
    std::multiset<std::string> all;
    for (const std::string& n : PrefectureNames()) all.insert(n);
    std::multiset<std::string> withoutOkinawa = all;
    withoutOkinawa.erase("沖　縄");

    EXPECT_EQ(AllTailNames(kYamatoRegions), all);
    EXPECT_EQ(AllTailNames(kSagawaRegions), withoutOkinawa);
    EXPECT_EQ(AllTailNames(kYuPackRegions), all);
    // For these two carriers the origin groups are the regions.
    ExpectRegionsMatchGroups(kYamatoRegions, kYamatoOriginGroups, "ヤマト");
    ExpectRegionsMatchGroups(kSagawaRegions, kSagawaOriginGroups, "佐川");
}

// ---- zone rows ----------------------------------------------------------

TEST(RateTables, YamatoZonesOneToElevenRiseBy210)
{
    for (std::size_t z = 0; z < 11; ++z)
        for (std::size_t c = 1; c < 6; ++c)
            EXPECT_EQ(kYamatoZonePrices[z][c] - kYamatoZonePrices[z][c - 1], 210) << "zone " << z + 1;
    EXPECT_NE(kYamatoZonePrices[11][1] - kYamatoZonePrices[11][0], 210);
}

TEST(RateTables, YuPackRowsRiseBy200ButZoneOneFromClassFiveToSix)
{
    for (std::size_t z = 0; z < kYuPackZonePrices.size(); ++z)
        for (std::size_t c = 1; c < 7; ++c) {
            const int step = (z == 0 && c == 6) ? 100 : 200;
            EXPECT_EQ(kYuPackZonePrices[z][c] - kYuPackZonePrices[z][c - 1], step)
                << "zone " << z + 1 << " class " << c;
        }
}

// ---- zone matrices ------------------------------------------------------

TEST(RateTables, YamatoZoneMatrixIsSymmetric)
{
    for (std::size_t i = 0; i < 12; ++i)
        for (std::size_t j = 0; j < 12; ++j) EXPECT_EQ(kYamatoZones[i][j], kYamatoZones[j][i]) << i + 1 << "/" << j + 1;
    EXPECT_EQ(kYamatoZones[0][11], 12);  // 北海道 to 沖縄, the only zone 12
}

TEST(RateTables, SagawaZoneMatrixIsSymmetricButChugokuMinamiKyushu)
{
    std::vector<std::pair<int, int>> asymmetric;
    for (int i = 0; i < 12; ++i)
        for (int j = i + 1; j < 12; ++j)
            if (kSagawaZones[i][j] != kSagawaZones[j][i]) asymmetric.push_back({i + 1, j + 1});
    EXPECT_EQ(asymmetric, (std::vector<std::pair<int, int>>{{9, 12}}));
    EXPECT_EQ(kSagawaZones[8][11], 2);  // 中国 to 南九州
    EXPECT_EQ(kSagawaZones[11][8], 1);  // 南九州 to 中国
}

TEST(RateTables, SagawaIdenticalRowsAreKantoShinetsuTokaiHokurikuAndTheTwoKyushus)
{
    std::vector<std::pair<int, int>> identical;
    for (int i = 0; i < 12; ++i)
        for (int j = i + 1; j < 12; ++j)
            if (kSagawaZones[i] == kSagawaZones[j]) identical.push_back({i + 1, j + 1});
    EXPECT_EQ(identical, (std::vector<std::pair<int, int>>{{4, 5}, {6, 7}, {11, 12}}));
}

// ---- Yahoo！ゆうパック tiers ---------------------------------------------

TEST(YahooTiers, RowsAreFortySevenLettersInGroupsOfTen)
{
    for (int o = 0; o < 47; ++o) {
        const std::string row = kYahooTiers[o];
        ASSERT_EQ(row.size(), 51u) << o;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i % 11 == 10)
                EXPECT_EQ(row[i], ' ') << o << " at " << i;
            else
                EXPECT_TRUE(row[i] >= 'W' && row[i] <= 'Z') << o << " at " << i;
        }
    }
}

TEST(YahooTiers, DestinationsAreThePrefecturesWithOkinawaken)
{
    std::set<std::string> destinations(kYahooDestinations.begin(), kYahooDestinations.end());
    EXPECT_EQ(destinations.size(), 47u);
    for (int o = 0; o < 47; ++o) EXPECT_GE(DestinationOf(o), 0) << o;
    EXPECT_EQ(std::string(kYahooDestinations[46]), "沖縄県");
}

TEST(YahooTiers, IdenticalRowsAreExactlyTheFourPrintedPairs)
{
    std::vector<std::pair<int, int>> identical;
    for (int i = 0; i < 47; ++i)
        for (int j = i + 1; j < 47; ++j)
            if (Letters(i) == Letters(j)) identical.push_back({i, j});
    EXPECT_EQ(identical, (std::vector<std::pair<int, int>>{{18, 19}, {30, 33}, {31, 34}, {44, 45}}));
}

TEST(YahooTiers, EveryTierHoldsAPrefectureAndTheOriginIsInTierOne)
{
    for (int o = 0; o < 47; ++o) {
        const std::string letters = Letters(o);
        for (char t : std::string("WXYZ"))
            EXPECT_NE(letters.find(t), std::string::npos) << "origin " << o << " tier " << t;
        EXPECT_EQ(letters[DestinationOf(o)], 'W') << "origin " << o;
    }
}

TEST(YahooTiers, TheSevenExceptionsHoldTheSamePrefecturesAsTheirTier)
{
    std::set<std::pair<int, int>> seen;
    for (const TierListException& e : kYahooTierListExceptions) {
        EXPECT_TRUE(seen.insert({e.origin, e.tier}).second);
        std::string text = e.list;
        const std::vector<std::string> names = TierNames(e.origin, e.tier);
        EXPECT_NE(text, Joined(names)) << "not an exception: " << e.origin << "/" << e.tier;
        // Read the two misspellings as the prefectures they name.
        std::vector<std::string> read = SplitList(text);
        for (std::string& n : read) {
            if (n == "香川") n = "香川県";
            if (n == "愛 知県") n = "愛知県";
        }
        std::vector<std::string> expected = names;
        std::sort(read.begin(), read.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(read, expected) << e.origin << "/" << e.tier;
    }
    EXPECT_EQ(seen, (std::set<std::pair<int, int>>{{28, 1}, {31, 3}, {32, 3}, {34, 3}, {36, 2}, {37, 1}, {37, 3}}));
}

TEST(YahooTiers, EveryWrittenListFollowsTheMatrixButTheSevenExceptions)
{
    std::map<std::pair<int, int>, std::string> exceptions;
    for (const TierListException& e : kYahooTierListExceptions) exceptions[{e.origin, e.tier}] = e.list;
    const int prices[4] = {550, 640, 740, 920};
    for (int o = 0; o < 47; ++o) {
        std::string expected = "<br>▼Yahooゆうパック<br>";
        for (int t = 1; t <= 4; ++t) {
            const auto ex = exceptions.find({o, t});
            expected += "【" + std::to_string(prices[t - 1]) + "円 の地域 】<br>";
            expected += (ex != exceptions.end() ? ex->second : Joined(TierNames(o, t))) + "<br>";
        }
        std::string block;
        WriteYahooYuPackRates(block, {0, 0, o});
        EXPECT_EQ(block, S(expected)) << "origin " << o;
    }
}

// ---- Shift-JIS --------------------------------------------------------

TEST(RateTables, EveryLiteralConvertsToShiftJisWithoutLoss)
{
    std::vector<std::string> literals = {
        kTailOpen,           kTailClose,     kListSeparator,   kYamatoHeader,       kSagawaHeader,
        kYuPackHeader,       kOwnLineOpen,   kOwnLineClose,    kOwnLineCloseAomori, kOkinawaOwnName,
        kYahooHeader,        kYahooTierOpen, kYahooTierClose,  kYahooListEnd,       kExpackHeader,
        kKuronekoMailHeader, kSasshiHeader,  kTeikeigaiHeader, kMailPriceEnd,
    };
    for (const std::span<const RegionRow> regions :
         {std::span<const RegionRow>(kYamatoRegions), std::span<const RegionRow>(kSagawaRegions),
          std::span<const RegionRow>(kYuPackRegions)})
        for (const RegionRow& r : regions) {
            literals.push_back(r.label);
            literals.push_back(r.prefectures);
        }
    for (const char* d : kYahooDestinations) literals.push_back(d);
    for (const TierListException& e : kYahooTierListExceptions) literals.push_back(e.list);
    for (const MailPriceRow& r : kMailClassPrices) {
        if (r.sasshi) literals.push_back(r.sasshi);
        if (r.teikeigai) literals.push_back(r.teikeigai);
    }
    for (const std::string& utf8 : literals) {
        const SjisConversion c = SjisFromUtf8(utf8);
        EXPECT_TRUE(c.ok()) << utf8 << ": " << DescribeCharacters(c.unmappable);
        EXPECT_EQ(Utf8FromSjis(c.text), utf8);
    }
}

TEST(RateTables, LookAlikeCharactersAreTheIntendedOnes)
{
    // Ideographic space inside the label, ASCII blank after it.
    EXPECT_EQ(Hex(Sjis(kYamatoRegions[3].label)), "81 79 8A D6 81 40 93 8C 81 7A 20");
    // ASCII blank, then full-width parentheses around the list.
    EXPECT_EQ(Hex(Sjis(kTailOpen)), "89 7E 20 81 69");
    EXPECT_EQ(Hex(Sjis(kTailClose)), "81 6A 3C 62 72 3E");
    // ASCII blanks before の and before 】.
    EXPECT_EQ(Hex(Sjis(kYahooTierClose)), "89 7E 20 82 CC 92 6E 88 E6 20 81 7A 3C 62 72 3E");
    // The two priced mail classes end their header with an ASCII blank.
    EXPECT_EQ(Sjis(kSasshiHeader).back(), ' ');
    EXPECT_EQ(Sjis(kTeikeigaiHeader).back(), ' ');
    // "愛 知県" holds an ASCII blank.
    EXPECT_NE(std::string(kYahooTierListExceptions[5].list).find("愛 知県"), std::string::npos);
}
