// The tariff editor's presets: the facts each carries, as the carrier's
// published tables print them, with every price left empty, and the rules
// refusing a service while a price cell is empty.
#include <gtest/gtest.h>

#include <set>

#include "shipping/TariffPaste.h"
#include "shipping/TariffPresets.h"
#include "shipping/TariffReader.h"
#include "shipping/TariffRules.h"
#include "shipping/TariffWriter.h"
#include "text/Encoding.h"

using namespace torepal;

namespace {

const TariffPreset& Preset(const std::string& idBase)
{
    for (const TariffPreset& p : TariffPresets())
        if (p.idBase == idBase) return p;
    ADD_FAILURE() << "no preset " << idBase;
    static const TariffPreset none;
    return none;
}

// The preset's size classes and limits against the table its source
// prints: {size, grams} per class.
void ExpectShape(const std::string& idBase, const std::vector<std::pair<int, int>>& printed, const ParcelLimits& limits)
{
    SCOPED_TRACE(idBase);
    const Tariff& t = Preset(idBase).service;
    EXPECT_EQ(t.shape, TariffShape::Regions);
    ASSERT_EQ(t.sizeClasses.size(), printed.size());
    for (std::size_t i = 0; i < printed.size(); ++i) {
        EXPECT_EQ(t.sizeClasses[i].sizeCm, printed[i].first);
        EXPECT_EQ(t.sizeClasses[i].maxGrams, printed[i].second);
    }
    EXPECT_EQ(t.limits, limits);
}

}  // namespace

TEST(TariffPresets, TakkyubinSizeClassesAsTheCarrierListsThem)
{
    // 60サイズ(60㎝以内で2㎏まで) ... 200サイズ(200㎝以内で30㎏まで); 3辺の合計が
    // 200㎝以内 ... 1辺の長さが170㎝まで
    EXPECT_EQ(Preset("takkyubin").service.carrier, "ヤマト運輸");
    ExpectShape(
        "takkyubin",
        {{60, 2000}, {80, 5000}, {100, 10000}, {120, 15000}, {140, 20000}, {160, 25000}, {180, 30000}, {200, 30000}},
        {2000, 1700, 0, 0});
}

TEST(TariffPresets, TakkyubinRegionsAsTheRateCardHeadsThem)
{
    // Column heads: 北海道 北東北 南東北 関東 信越 北陸 中部 関西 中国 四国 九州 沖縄;
    // under 関東 the fee table lists 茨城 栃木 群馬 埼玉 千葉 東京 神奈川 山梨,
    // under 中部 静岡 愛知 三重 岐阜, under 中国 岡山 広島 山口 鳥取 島根.
    const Tariff& t = Preset("takkyubin").service;
    const std::vector<std::string> names = {"北海道", "北東北", "南東北", "関東", "信越", "北陸",
                                            "中部",   "関西",   "中国",   "四国", "九州", "沖縄"};
    ASSERT_EQ(t.regions.size(), names.size());
    for (std::size_t r = 0; r < names.size(); ++r) EXPECT_EQ(t.regions[r].name, names[r]);
    // Which prefectures, whatever order the region lists them in.
    auto holds = [&](std::size_t r) {
        return std::set<std::string>(t.regions[r].prefectures.begin(), t.regions[r].prefectures.end());
    };
    EXPECT_EQ(holds(3), (std::set<std::string>{"茨城県", "栃木県", "群馬県", "埼玉県", "千葉県", "東京都", "神奈川県",
                                               "山梨県"}));
    EXPECT_EQ(holds(4), (std::set<std::string>{"新潟県", "長野県"}));
    EXPECT_EQ(holds(6), (std::set<std::string>{"岐阜県", "静岡県", "愛知県", "三重県"}));
    EXPECT_EQ(holds(8), (std::set<std::string>{"鳥取県", "島根県", "岡山県", "広島県", "山口県"}));
    EXPECT_EQ(t.regions[10].prefectures.size(), 7u);
    EXPECT_EQ(holds(11), (std::set<std::string>{"沖縄県"}));
    std::size_t named = 0;
    for (const TariffRegion& region : t.regions) named += region.prefectures.size();
    EXPECT_EQ(named, 47u);
    // Every origin by every destination by every size waits for a price,
    // and the rules name the first: 60 size from 北海道 to 北海道.
    EXPECT_EQ(EmptyPriceCells(t).size(), 12u * 12u * 8u);
    Tariff dated = t;
    dated.source = "https://example.invalid/price-page";
    dated.date = {2026, 12, 9};
    const auto fault = ValidateTariff(dated);
    ASSERT_TRUE(fault);
    EXPECT_EQ(DescribeTariffCell(dated, fault->cell), "60サイズの「北海道」発「北海道」着");
    EXPECT_NE(Preset("takkyubin").note.find("github.com/ShimotsumaA/eclipse"), std::string::npos);
}

TEST(TariffPresets, YuPackSizesUpTo170AndEveryOneUpTo25Kg)
{
    // | サイズ | 60 | 80 | 100 | 120 | 140 | 160 | 170 |, 重さ25kgまで (重量ゆうパック
    // from 25 to 30 kg is a surcharge, not a class)
    EXPECT_EQ(Preset("yu-pack").service.carrier, "日本郵便");
    ExpectShape("yu-pack",
                {{60, 25000}, {80, 25000}, {100, 25000}, {120, 25000}, {140, 25000}, {160, 25000}, {170, 25000}},
                {1700, 0, 0, 0});
}

TEST(TariffPresets, HikyakuSizesAsTabledWithoutA120Size)
{
    // 60 2kg迄, 80 5kg迄, 100 10kg迄, 140 20kg迄, 160 30kg迄
    EXPECT_EQ(Preset("hikyaku").service.carrier, "佐川急便");
    ExpectShape("hikyaku", {{60, 2000}, {80, 5000}, {100, 10000}, {140, 20000}, {160, 30000}}, {1600, 0, 0, 0});
}

TEST(TariffPresets, EveryPresetIsRefusedWhileAPriceIsEmpty)
{
    for (const TariffPreset& p : TariffPresets()) {
        if (!p.service.regions.empty()) continue;  // takes the carrier's regions, above
        SCOPED_TRACE(p.idBase);
        Tariff t = p.service;
        t.source = "https://example.invalid/price-page";
        t.date = {2026, 12, 9};
        // The note tells the seller what the preset leaves out.
        EXPECT_NE(p.note.find("地域の分け方は公の出典で確かめられなかった"), std::string::npos);
        auto fault = ValidateTariff(t);
        ASSERT_TRUE(fault);
        EXPECT_EQ(fault->reason, "地域がありません。");

        // Two regions the seller might add: every size has 2 × 2 empty cells.
        AddRegion(t, "東");
        AddRegion(t, "西");
        for (const char* name : OfficialPrefectureNames()) AssignPrefecture(t, name, 0);
        AssignPrefecture(t, "沖縄県", 1);
        EXPECT_EQ(EmptyPriceCells(t).size(), 4 * t.sizeClasses.size());
        fault = ValidateTariff(t);
        ASSERT_TRUE(fault);
        EXPECT_EQ(fault->cell, (TariffCell{TariffField::Price, 0, 0, 0}));
        EXPECT_EQ(DescribeTariffCell(t, fault->cell), "60サイズの「東」発「東」着");
    }
}

TEST(TariffPresets, EveryPresetCitesItsSourceAndCarriesNoPriceOrSource)
{
    ASSERT_FALSE(TariffPresets().empty());
    for (const TariffPreset& p : TariffPresets()) {
        SCOPED_TRACE(p.idBase);
        EXPECT_TRUE(IsServiceId(p.idBase));
        EXPECT_NE(p.note.find("https://"), std::string::npos);
        EXPECT_NE(p.note.find("確認"), std::string::npos);
        for (const std::string* text : {&p.label, &p.note, &p.service.name, &p.service.carrier})
            EXPECT_TRUE(SjisFromUtf8(*text).ok()) << *text;
        // The seller names the price page the prices are pasted from.
        EXPECT_TRUE(p.service.source.empty());
        EXPECT_EQ(p.service.flatYen, 0);
        for (const auto& variant : p.service.variants)
            for (const WeightBand& band : variant.bands) EXPECT_EQ(band.yen, 0);
        for (const auto& row : p.service.regionYen)
            for (const auto& cell : row)
                for (int yen : cell) EXPECT_EQ(yen, 0);
    }
}

TEST(TariffPresets, AServiceWithAnEmptyPriceCellIsNotSavedAndTheCellIsNamed)
{
    // The seller's own one region instead of the carrier's twelve.
    Tariff t = Preset("takkyubin").service;
    while (!t.regions.empty()) RemoveRegion(t, 0);
    t.source = "https://example.invalid/price-page";
    t.date = {2026, 12, 9};
    ASSERT_TRUE(ValidateTariff(t));
    EXPECT_EQ(ValidateTariff(t)->reason, "地域がありません。");

    AddRegion(t, "全国");
    for (const char* name : OfficialPrefectureNames()) AssignPrefecture(t, name, 0);
    EXPECT_EQ(EmptyPriceCells(t).size(), 8u);
    auto fault = ValidateTariff(t);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->cell, (TariffCell{TariffField::Price, 0, 0, 0}));
    EXPECT_EQ(fault->reason, "料金が入っていません（0円のサービスは保存できません）。");
    EXPECT_EQ(DescribeTariffCell(t, fault->cell), "60サイズの「全国」発「全国」着");

    // Made-up prices pasted for six of the eight sizes: the first empty one is named.
    for (int s = 0; s < 6; ++s) PasteCells(t, TariffGrid::Prices, s, 0, 0, {{std::to_string(1000 + s)}});
    EXPECT_EQ(EmptyPriceCells(t),
              (std::vector<TariffCell>{{TariffField::Price, 6, 0, 0}, {TariffField::Price, 7, 0, 0}}));
    fault = ValidateTariff(t);
    ASSERT_TRUE(fault);
    EXPECT_EQ(DescribeTariffCell(t, fault->cell), "180サイズの「全国」発「全国」着");
    PasteCells(t, TariffGrid::Prices, 6, 0, 0, {{"1,800円"}});
    PasteCells(t, TariffGrid::Prices, 7, 0, 0, {{"２０００"}});
    EXPECT_TRUE(EmptyPriceCells(t).empty());
    EXPECT_FALSE(ValidateTariff(t));

    // Saved, the file keeps the preset's limits and reads back with them.
    t.id = "takkyubin";
    const std::string toml = TariffToToml(t);
    EXPECT_NE(toml.find("max_sum_cm = 200\n"), std::string::npos) << toml;
    EXPECT_NE(toml.find("max_length_cm = 170\n"), std::string::npos) << toml;
    const auto read = ReadTariffText("takkyubin", toml, "takkyubin.toml");
    ASSERT_TRUE(std::holds_alternative<Tariff>(read)) << std::get<TariffProblem>(read).reason;
    EXPECT_EQ(std::get<Tariff>(read).limits, (ParcelLimits{2000, 1700, 0, 0}));
}

TEST(TariffPresets, EmptyCellsOfTheOtherShapes)
{
    Tariff flat;
    flat.shape = TariffShape::Flat;
    EXPECT_EQ(EmptyPriceCells(flat), (std::vector<TariffCell>{{TariffField::FlatPrice, -1, -1, -1}}));
    flat.flatYen = 185;
    EXPECT_TRUE(EmptyPriceCells(flat).empty());

    Tariff bands;
    bands.shape = TariffShape::Bands;
    bands.variants = {{"規格内", {{50, 140}, {100, 0}}}, {"規格外", {{50, 0}}}};
    EXPECT_EQ(EmptyPriceCells(bands),
              (std::vector<TariffCell>{{TariffField::BandPrice, 0, 1, -1}, {TariffField::BandPrice, 1, 0, -1}}));
}
