// The tariff editor's core: writing a service back as its file, reading
// pasted cells, the shared rules naming the cell at fault, and the file
// operations (save under a failing disk, delete to a backup, import).
#include <gtest/gtest.h>

#include <variant>

#include "shipping/TariffFiles.h"
#include "shipping/TariffPaste.h"
#include "shipping/TariffReader.h"
#include "shipping/TariffRules.h"
#include "shipping/TariffWriter.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Files.h"

using namespace torepal::test;

using namespace torepal;

namespace {

Tariff Header(TariffShape shape)
{
    Tariff t;
    t.id = "test";
    t.name = "テスト便 \"特\"";
    t.carrier = "テスト運輸";
    t.source = "https://example.invalid/rates#2024";
    t.date = {2024, 10, 1};
    t.shape = shape;
    return t;
}

// Made-up prices (no real carrier's).
Tariff BandsService()
{
    Tariff t = Header(TariffShape::Bands);
    t.dateKind = TariffDateKind::InForce;
    t.order = 20;
    t.variants = {{"規格内", {{50, 140}, {100, 180}}}, {"規格外", {{50, 260}, {1000, 920}, {4000, 1750}}}};
    return t;
}

// Three regions: 北海道, 東 (青森県..福井県), 西 (the rest).
Tariff RegionsService()
{
    Tariff t = Header(TariffShape::Regions);
    t.sizeClasses = {{60, 2000}, {80, 5000}};
    const auto& names = OfficialPrefectureNames();
    t.regions = {{"北海道", {names[0]}}, {"東", {}}, {"西", {}}};
    for (std::size_t i = 1; i < names.size(); ++i) t.regions[i < 24 ? 1 : 2].prefectures.push_back(names[i]);
    t.regionYen = {{{900, 1200}, {1100, 1400}, {1300, 1600}},
                   {{1100, 1400}, {800, 1000}, {1000, 1300}},
                   {{1300, 1600}, {1000, 1300}, {800, 1000}}};
    return t;
}

Tariff ReadBack(const std::string& text)
{
    auto r = ReadTariffText("test", text, "test.toml");
    if (auto* p = std::get_if<TariffProblem>(&r)) ADD_FAILURE() << DescribeTariffProblem(*p) << "\n" << text;
    return std::holds_alternative<Tariff>(r) ? std::get<Tariff>(r) : Tariff{};
}

bool Same(const Tariff& a, const Tariff& b)
{
    auto bands = [](const Tariff& t) {
        std::vector<std::tuple<std::string, int, int>> out;
        for (const auto& v : t.variants)
            for (const auto& band : v.bands) out.emplace_back(v.name, band.upToGrams, band.yen);
        return out;
    };
    auto sizes = [](const Tariff& t) {
        std::vector<std::pair<int, int>> out;
        for (const auto& s : t.sizeClasses) out.emplace_back(s.sizeCm, s.maxGrams);
        return out;
    };
    auto regions = [](const Tariff& t) {
        std::vector<std::pair<std::string, std::vector<std::string>>> out;
        for (const auto& r : t.regions) out.emplace_back(r.name, r.prefectures);
        return out;
    };
    return a.id == b.id && a.name == b.name && a.carrier == b.carrier && a.source == b.source &&
           a.date.year == b.date.year && a.date.month == b.date.month && a.date.day == b.date.day &&
           a.dateKind == b.dateKind && a.order == b.order && a.shape == b.shape && a.flatYen == b.flatYen &&
           a.flatMaxGrams == b.flatMaxGrams && a.variants.size() == b.variants.size() && bands(a) == bands(b) &&
           sizes(a) == sizes(b) && regions(a) == regions(b) && a.regionYen == b.regionYen;
}

}  // namespace

// ---- writing a service back --------------------------------------------

TEST(TariffToToml, FlatReadsBackTheSame)
{
    Tariff t = Header(TariffShape::Flat);
    t.flatYen = 430;
    t.flatMaxGrams = 4000;
    const std::string text = TariffToToml(t);
    EXPECT_NE(text.find("price = 430\nmax_weight_g = 4000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("name = \"テスト便 \\\"特\\\"\"\n"), std::string::npos) << text;
    EXPECT_TRUE(Same(ReadBack(text), t));
}

TEST(TariffToToml, BandsReadBackTheSameLaidOutLikeThePrintedCard)
{
    const Tariff t = BandsService();
    const std::string text = TariffToToml(t);
    EXPECT_NE(text.find("in_force = 2024-10-01\n"), std::string::npos);
    EXPECT_NE(text.find("order = 20\n"), std::string::npos);
    EXPECT_NE(text.find("name = \"規格外\"\nbands = [\n  [  50,  260],\n  [1000,  920],\n  [4000, 1750],\n]\n"),
              std::string::npos)
        << text;
    EXPECT_TRUE(Same(ReadBack(text), t));
}

TEST(TariffToToml, RegionsReadBackTheSame)
{
    const Tariff t = RegionsService();
    const std::string text = TariffToToml(t);
    EXPECT_NE(text.find("[prices.\"東\"]\n\"北海道\" = [1100, 1400]\n"), std::string::npos) << text;
    EXPECT_TRUE(Same(ReadBack(text), t));
}

TEST(TariffToToml, CommentsAreFoundOutsideStringsOnly)
{
    EXPECT_FALSE(HasComments(TariffToToml(Header(TariffShape::Flat))));  // its source holds "#"
    EXPECT_TRUE(HasComments("# 定形外郵便\nname = \"a\"\n"));
    EXPECT_TRUE(HasComments("price = 430  # 税込\n"));
    EXPECT_FALSE(HasComments("name = 'a#b'\nsource = \"\"\"x\n#y\"\"\"\n"));
}

// ---- pasted cells ---------------------------------------------------------

TEST(TariffPaste, ReadsPricesAsTheSellerMeansThem)
{
    EXPECT_EQ(ReadPriceCell("1,200"), 1200);
    EXPECT_EQ(ReadPriceCell("1,200円"), 1200);
    EXPECT_EQ(ReadPriceCell("１，２００円"), 1200);  // full-width digits and comma
    EXPECT_EQ(ReadPriceCell(" ￥1,350 "), 1350);
    EXPECT_EQ(ReadPriceCell("\u3000８２０"), 820);
    EXPECT_EQ(ReadPriceCell("12,345,678"), 12345678);
    EXPECT_EQ(ReadPriceCell(""), std::nullopt);
    EXPECT_EQ(ReadPriceCell("-"), std::nullopt);
    EXPECT_EQ(ReadPriceCell("1.5"), std::nullopt);
    EXPECT_EQ(ReadPriceCell("12,00"), std::nullopt);  // not a thousands separator
    EXPECT_EQ(ReadPriceCell("無料"), std::nullopt);
    EXPECT_EQ(ReadGramsCell("～500g"), 500);
    EXPECT_EQ(ReadGramsCell("1.5kg"), 1500);
    EXPECT_EQ(ReadGramsCell("４ｋｇまで"), 4000);
    EXPECT_EQ(ReadSizeCell("60サイズ"), 60);
}

TEST(TariffPaste, SplitsASpreadsheetBlock)
{
    const CellBlock block = SplitCells("50\t140円\r\n100\t\"1,180\"\r\n");
    ASSERT_EQ(block.size(), 2u);
    EXPECT_EQ(block[1], (std::vector<std::string>{"100", "1,180"}));
    EXPECT_EQ(SplitCells("a,\"b,c\"\n", ',')[0], (std::vector<std::string>{"a", "b,c"}));
}

TEST(TariffPaste, ABlockWithCommasYenAndFullWidthDigitsFillsTheGridAndAddsRows)
{
    Tariff t = BandsService();
    const PasteOutcome o =
        PasteCells(t, TariffGrid::Bands, 0, 1, 0, SplitCells("100\t1,180円\n１５０g\t２７０\n250\t￥3,200\n"));
    EXPECT_TRUE(o.refused.empty());
    EXPECT_EQ(o.taken.size(), 6u);
    const auto& bands = t.variants[0].bands;
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0].yen, 140);  // above the cursor: untouched
    EXPECT_EQ(bands[1].yen, 1180);
    EXPECT_EQ(bands[2].upToGrams, 150);
    EXPECT_EQ(bands[2].yen, 270);
    EXPECT_EQ(bands[3].yen, 3200);
    EXPECT_FALSE(ValidateTariff(t));
}

TEST(TariffPaste, ACellThatIsNotAPriceIsMarkedAndNotTaken)
{
    Tariff t = RegionsService();
    // Into the 80 size grid at 東発 北海道着: one row of three destinations.
    const PasteOutcome o = PasteCells(t, TariffGrid::Prices, 1, 1, 0, SplitCells("1,500\t問い合わせ\t1,700\t999\n"));
    ASSERT_EQ(o.refused.size(), 1u);
    EXPECT_EQ(o.refused[0], (TariffCell{TariffField::Price, 1, 1, 1}));
    EXPECT_EQ(o.outside, 1);  // a fourth column past the three regions
    EXPECT_EQ(t.regionYen[1][0][1], 1500);
    EXPECT_EQ(t.regionYen[1][1][1], 1000);  // as it was
    EXPECT_EQ(t.regionYen[1][2][1], 1700);
}

// ---- the shared rules -----------------------------------------------------

TEST(TariffRules, AnInvalidServiceIsRefusedWithTheCellNamed)
{
    Tariff bands = BandsService();
    bands.variants[1].bands[2].upToGrams = 900;  // after 1000
    auto fault = ValidateTariff(bands);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->cell, (TariffCell{TariffField::BandWeight, 1, 2, -1}));
    EXPECT_EQ(DescribeTariffCell(bands, fault->cell), "「規格外」の3行目の重さ");
    EXPECT_EQ(fault->reason, "重さの区切りが小さい順に並んでいません（1000g の次に 900g）。");

    Tariff regions = RegionsService();
    regions.regionYen[2][0][1] = 0;
    fault = ValidateTariff(regions);
    ASSERT_TRUE(fault);
    EXPECT_EQ(DescribeTariffCell(regions, fault->cell), "80サイズの「西」発「北海道」着");

    AssignPrefecture(regions, "沖縄県", 99);  // out of every region
    fault = ValidateTariff(regions);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->reason, "「沖縄県」がどの地域にもありません。");

    TempFolder dir;
    const TariffSaveResult saved = SaveTariff(dir.path(), bands);
    EXPECT_EQ(saved.status, TariffFileStatus::Invalid);
    EXPECT_FALSE(std::filesystem::exists(dir / "test.toml"));
}

TEST(TariffRules, MovingAPrefectureKeepsTheOfficialOrder)
{
    Tariff t = RegionsService();
    AssignPrefecture(t, "北海道", 1);
    EXPECT_EQ(t.regions[1].prefectures.front(), "北海道");
    EXPECT_EQ(RegionOfPrefecture(t, "北海道"), 1);
    EXPECT_EQ(ValidateTariff(t)->reason, "地域「北海道」に都道府県がありません。");
}

// The editor names the fields as its form labels them; a file keeps its keys.
TEST(TariffRules, TheFormNamesFieldsByTheirLabels)
{
    struct Row {
        void (*spoil)(Tariff&);
        const char* file;
        const char* form;
    };
    const Row rows[] = {
        {[](Tariff& t) { t.name.clear(); }, "「name」が空です。", "「サービス名」が空です。"},
        {[](Tariff& t) { t.carrier.clear(); }, "「carrier」が空です。", "「運送会社」が空です。"},
        {[](Tariff& t) { t.source.clear(); }, "「source」が空です。", "「出典」が空です。"},
        {[](Tariff& t) { t.order = 10000; }, "「order」は0～9999にしてください（10000）。",
         "「一覧での順番」は0～9999にしてください（10000）。"},
        {[](Tariff& t) { t.variants[0].name.clear(); }, "列が二つ以上あるときは、どの列にも「name」を書いてください。",
         "列が二つ以上あるときは、どの列にも「列の名前」を書いてください。"},
        {[](Tariff& t) { t.variants[1].bands.clear(); }, "「bands」に料金がありません。",
         "「重さの区切りと料金」に料金がありません。"},
    };
    for (const Row& r : rows) {
        Tariff t = BandsService();
        r.spoil(t);
        EXPECT_EQ(ValidateTariff(t)->reason, r.file);
        EXPECT_EQ(ValidateTariff(t, TariffWording::Form)->reason, r.form);
    }
    Tariff regions = RegionsService();
    regions.regions[1].name.clear();
    EXPECT_EQ(ValidateTariff(regions, TariffWording::Form)->reason, "「地域の名前」が空です。");
    regions.sizeClasses.clear();
    EXPECT_EQ(ValidateTariff(regions, TariffWording::Form)->reason, "大きさの区分がありません。");
}

TEST(TariffRules, AnIdIsCheckedAsItIsTyped)
{
    const std::vector<std::string> taken{"clickpost", "teikeigai"};
    EXPECT_FALSE(ServiceIdFault("my-post_2", taken));
    EXPECT_EQ(ServiceIdFault("clickpost", taken), "ID「clickpost」のサービスはすでにあります。別のIDにしてください。");
    EXPECT_EQ(ServiceIdFault("", taken), "IDが空です。");
    const std::string rule = "IDは半角の英数字と「-」「_」だけで、64文字までにしてください。";
    EXPECT_EQ(ServiceIdFault("my post", taken), rule);
    EXPECT_EQ(ServiceIdFault("定形外", taken), rule);
    EXPECT_EQ(ServiceIdFault(std::string(65, 'a'), taken), rule);
    EXPECT_FALSE(ServiceIdFault(std::string(64, 'a'), taken));
    // Case matters in a Linux file name.
    EXPECT_FALSE(ServiceIdFault("ClickPost", taken));
}

// A page prints "（2024年10月1日改定の料金）" under the prices: new prices
// never keep the saved date.
TEST(TariffRules, ChangedPricesTakeTodaysDate)
{
    const Tariff saved = BandsService();  // 2024-10-01, in force
    const TariffDate today{2025, 6, 30};

    Tariff renamed = saved;
    renamed.name = "別の名前";
    renamed.variants[0].name = "小型";
    EXPECT_FALSE(RatesDiffer(saved, renamed));
    EXPECT_FALSE(DateNewRates(saved, renamed, today));
    EXPECT_EQ(renamed.date.year, 2024);

    Tariff dearer = saved;
    dearer.variants[1].bands[0].yen = 270;
    EXPECT_TRUE(RatesDiffer(saved, dearer));
    EXPECT_TRUE(DateNewRates(saved, dearer, today));
    EXPECT_EQ(dearer.date.year, 2025);
    EXPECT_EQ(dearer.date.month, 6);
    EXPECT_EQ(dearer.date.day, 30);
    EXPECT_EQ(dearer.dateKind, TariffDateKind::InForce);

    // A date the seller has entered stays.
    dearer.date = {2025, 4, 1};
    dearer.dateKind = TariffDateKind::Effective;
    dearer.variants[1].bands[1].yen = 930;
    EXPECT_FALSE(DateNewRates(saved, dearer, today));
    EXPECT_EQ(dearer.date.month, 4);

    // A new band, a new weight limit, a prefecture moved: all the rate card.
    Tariff banded = saved;
    banded.variants[0].bands.push_back({150, 270});
    EXPECT_TRUE(RatesDiffer(saved, banded));
    Tariff regions = RegionsService();
    Tariff moved = regions;
    AssignPrefecture(moved, "青森県", 2);
    EXPECT_TRUE(RatesDiffer(regions, moved));
    Tariff priced = regions;
    priced.regionYen[0][1][0] = 1150;
    EXPECT_TRUE(RatesDiffer(regions, priced));
    Tariff named = regions;
    named.regions[1].name = "東日本";
    EXPECT_FALSE(RatesDiffer(regions, named));
}

// ---- files ------------------------------------------------------------------

TEST(TariffFiles, SavingUnderAWriteFaultKeepsTheOldFile)
{
    TempFolder dir;
    Tariff t = BandsService();
    ASSERT_EQ(SaveTariff(dir.path(), t).status, TariffFileStatus::Done);
    const std::string before = ReadWholeFile(dir / "test.toml").bytes;
    t.variants[0].bands[0].yen = 150;
    for (WriteFault f : {WriteFault::Create, WriteFault::Write, WriteFault::Sync, WriteFault::Rename}) {
        WriteFaultGuard guard(f);
        EXPECT_EQ(SaveTariff(dir.path(), t).status, TariffFileStatus::WriteFailed) << FaultName(f);
        EXPECT_EQ(ReadWholeFile(dir / "test.toml").bytes, before) << FaultName(f);
    }
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"test.toml"}));
    ASSERT_EQ(SaveTariff(dir.path(), t).status, TariffFileStatus::Done);
    EXPECT_EQ(ReadBack(ReadWholeFile(dir / "test.toml").bytes).variants[0].bands[0].yen, 150);
}

TEST(TariffFiles, ADeletedServiceIsKeptOutOfTheListAndCanBeRestored)
{
    TempFolder dir;
    ASSERT_EQ(SaveTariff(dir.path(), BandsService()).status, TariffFileStatus::Done);
    ASSERT_EQ(DeleteTariffToBackup(dir.path(), "test"), TariffFileStatus::Done);
    EXPECT_TRUE(ReadTariffFolder(dir.path()).services.empty());
    EXPECT_TRUE(ReadTariffFolder(dir.path()).problems.empty());
    EXPECT_EQ(DeletedTariffIds(dir.path()), (std::vector<std::string>{"test"}));
    ASSERT_EQ(RestoreTariff(dir.path(), "test"), TariffFileStatus::Done);
    EXPECT_EQ(ReadTariffFolder(dir.path()).services.size(), 1u);

    // Renaming never replaces another service.
    Tariff other = BandsService();
    other.id = "other";
    ASSERT_EQ(SaveTariff(dir.path(), other).status, TariffFileStatus::Done);
    EXPECT_EQ(RenameTariff(dir.path(), "test", "other"), TariffFileStatus::Exists);
    EXPECT_EQ(RenameTariff(dir.path(), "test", "test 2"), TariffFileStatus::Invalid);
    EXPECT_EQ(RenameTariff(dir.path(), "test", "next"), TariffFileStatus::Done);
    EXPECT_EQ(FreeTariffId(dir.path(), "next"), "next-2");
}

TEST(TariffImport, ASpreadsheetReplacesTheBandsAndNamesABadCell)
{
    const TariffImport ok = ImportTariffTable(BandsService(), "重さ,規格内,規格外\n50,150,\"1,260円\"\n100,190,\n");
    ASSERT_TRUE(ok.ok()) << ok.problems[0];
    ASSERT_EQ(ok.tariff.variants.size(), 2u);
    EXPECT_EQ(ok.tariff.variants[0].bands.size(), 2u);
    ASSERT_EQ(ok.tariff.variants[1].bands.size(), 1u);  // the empty cell: no price at 100 g
    EXPECT_EQ(ok.tariff.variants[1].bands[0].yen, 1260);

    const TariffImport bad = ImportTariffTable(BandsService(), "50\t150\t260\n100\tお問い合わせ\t290\n");
    ASSERT_EQ(bad.problems.size(), 1u);
    EXPECT_EQ(bad.problems[0], "2行目2列目: 「お問い合わせ」は料金として読めません。");
}
