// The current services: reading tariff files, pricing a parcel from them,
// and the blocks they add to the shipping text. Expected prices are those of
// the printed rate cards quoted in the files.
#include <gtest/gtest.h>

#include <variant>

#include "shipping/ParcelLists.h"
#include "shipping/ServiceTicks.h"
#include "shipping/TariffLookup.h"
#include "shipping/TariffReader.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"

using namespace torepal::test;

using namespace torepal;

namespace {

using Lines = std::vector<std::string>;

const std::filesystem::path kShipped = std::filesystem::path(TOREPAL_SOURCE_DIR) / "program" / "tariffs";

Tariff Read(const std::string& text, const std::string& id = "test")
{
    auto result = ReadTariffText(id, text, id + ".toml");
    if (auto* p = std::get_if<TariffProblem>(&result)) ADD_FAILURE() << DescribeTariffProblem(*p);
    return std::holds_alternative<Tariff>(result) ? std::get<Tariff>(result) : Tariff{};
}

TariffProblem Refused(const std::string& text)
{
    auto result = ReadTariffText("bad", text, "bad.toml");
    if (std::holds_alternative<Tariff>(result)) {
        ADD_FAILURE() << "read a file that should be refused";
        return {};
    }
    return std::get<TariffProblem>(result);
}

const Tariff& Shipped(const std::string& id)
{
    static const TariffFolder folder = ReadTariffFolder(kShipped);
    for (const Tariff& t : folder.services)
        if (t.id == id) return t;
    static const Tariff none;
    ADD_FAILURE() << "no shipped service " << id;
    return none;
}

ParcelMeasures Grams(int grams)
{
    return ParcelMeasures{grams, 60, 0};
}

int WeightIndex(const char* entry)
{
    const auto& list = WeightList();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == Sjis(entry)) return static_cast<int>(i);
    ADD_FAILURE() << "no weight entry " << entry;
    return 0;
}

const char* const kHeader = R"(name = "テスト便"
carrier = "テスト運輸"
effective = 2024-10-01
source = "https://example.invalid/rates"
)";

// A size × region service with made-up prices (no real carrier's): three
// regions covering the 47 prefectures, two size classes.
std::string RegionsFile()
{
    const auto& names = OfficialPrefectureNames();
    std::string east, west;
    for (std::size_t i = 1; i < names.size(); ++i) {
        std::string& list = i < 24 ? east : west;
        list += std::string(list.empty() ? "" : ", ") + "\"" + names[i] + "\"";
    }
    return std::string(kHeader) + R"(shape = "regions"
sizes = [
  [ 60, 2000],
  [100, 10000],
]
[[region]]
name = "北海道"
prefectures = ["北海道"]
[[region]]
name = "東日本"
prefectures = [)" +
           east + R"(]
[[region]]
name = "西日本"
prefectures = [)" +
           west + R"(]

[prices."北海道"]
"北海道" = [700, 1000]
"東日本" = [900, 1300]
"西日本" = [1100, 1500]
[prices."東日本"]
"北海道" = [900, 1300]
"東日本" = [800, 1100]
"西日本" = [1000, 1400]
[prices."西日本"]
"北海道" = [1100, 1500]
"東日本" = [1000, 1400]
"西日本" = [800, 1100]
)";
}

}  // namespace

// ---- the form's entries in tariff units --------------------------------

TEST(TariffUnits, WeightEntriesStandForTheirUpperLimitInGrams)
{
    ASSERT_EQ(WeightListGrams().size(), WeightList().size());
    for (std::size_t i = 0; i < WeightList().size(); ++i) {
        const std::string entry = Utf8FromSjis(WeightList()[i]);
        const bool kg = entry.ends_with("kg");
        const int number = std::stoi(entry.substr(std::string("～").size()));
        EXPECT_EQ(WeightListGrams()[i], kg ? number * 1000 : number) << entry;
    }
    EXPECT_EQ(MeasuresOf({WeightIndex("～500g"), 0, 0}).grams, 500);
    EXPECT_EQ(MeasuresOf({WeightIndex("～1kg"), 0, 0}).grams, 1000);
}

TEST(TariffUnits, SizeEntriesStandForTheSumOfTheSides)
{
    ASSERT_EQ(SizeListCm().size(), SizeList().size());
    for (std::size_t i = 0; i < SizeList().size(); ++i)
        EXPECT_EQ(std::to_string(SizeListCm()[i]) + "size", SizeList()[i]);
}

TEST(TariffUnits, OriginsAreThePrefecturesOfTheFormsList)
{
    ASSERT_EQ(OfficialPrefectureNames().size(), PrefectureList().size());
    for (std::size_t i = 0; i + 1 < PrefectureList().size(); ++i)
        EXPECT_EQ(Sjis(OfficialPrefectureNames()[i]), PrefectureList()[i]);
    EXPECT_EQ(std::string(OfficialPrefectureNames()[46]), "沖縄県");
    EXPECT_EQ(MeasuresOf({-1, 99, 47}).originPrefecture, 0);  // outside the lists: first entry
}

// ---- the shipped files, as rate cards -----------------------------------

TEST(ShippedTariffs, AllReadWithoutProblem)
{
    const TariffFolder folder = ReadTariffFolder(kShipped);
    for (const TariffProblem& p : folder.problems) ADD_FAILURE() << DescribeTariffProblem(p);
    std::vector<std::string> ids;
    for (const Tariff& t : folder.services) ids.push_back(t.id);
    EXPECT_EQ(ids, (Lines{"teikeigai", "letterpack-light", "letterpack-plus", "smartletter", "clickpost", "yu-mail",
                          "yu-packet"}));
}

TEST(ShippedTariffs, TeikeigaiAtTheBandEdges)
{
    const Tariff& t = Shipped("teikeigai");
    EXPECT_EQ(TariffLines(t, Grams(50)), (Lines{"【規格内】 140円", "【規格外】 260円"}));
    EXPECT_EQ(TariffLines(t, Grams(51)), (Lines{"【規格内】 180円", "【規格外】 290円"}));
    EXPECT_EQ(TariffLines(t, Grams(500)), (Lines{"【規格内】 510円", "【規格外】 660円"}));
    EXPECT_EQ(TariffLines(t, Grams(1000)), (Lines{"【規格内】 750円", "【規格外】 920円"}));
    // One gram over 1 kg: only the larger column still has a price.
    EXPECT_EQ(TariffLines(t, Grams(1001)), (Lines{"【規格外】 1350円"}));
    EXPECT_EQ(TariffLines(t, Grams(4000)), (Lines{"【規格外】 1750円"}));
    EXPECT_TRUE(TariffLines(t, Grams(4001)).empty());
    EXPECT_EQ(TariffDateLine(t), "（2024年10月1日改定の料金）");
}

TEST(ShippedTariffs, FlatPricesUpToTheirLimit)
{
    EXPECT_EQ(TariffLines(Shipped("letterpack-light"), Grams(4000)), (Lines{" 430円"}));
    EXPECT_TRUE(TariffLines(Shipped("letterpack-light"), Grams(4001)).empty());
    EXPECT_EQ(TariffLines(Shipped("letterpack-plus"), Grams(25)), (Lines{" 600円"}));
    EXPECT_EQ(TariffLines(Shipped("smartletter"), Grams(1000)), (Lines{" 210円"}));
    EXPECT_TRUE(TariffLines(Shipped("smartletter"), Grams(1001)).empty());
    EXPECT_EQ(TariffLines(Shipped("clickpost"), Grams(1000)), (Lines{" 185円"}));
    EXPECT_TRUE(TariffLines(Shipped("clickpost"), Grams(2000)).empty());
}

TEST(ShippedTariffs, YuMailAndYuPacket)
{
    EXPECT_EQ(TariffLines(Shipped("yu-mail"), Grams(150)), (Lines{" 180円"}));
    EXPECT_EQ(TariffLines(Shipped("yu-mail"), Grams(151)), (Lines{" 215円"}));
    EXPECT_EQ(TariffLines(Shipped("yu-mail"), Grams(1000)), (Lines{" 360円"}));
    EXPECT_TRUE(TariffLines(Shipped("yu-mail"), Grams(1001)).empty());
    EXPECT_EQ(TariffLines(Shipped("yu-packet"), Grams(1000)),
              (Lines{"【厚さ1cm】 250円", "【厚さ2cm】 310円", "【厚さ3cm】 360円"}));
    EXPECT_EQ(TariffDateLine(Shipped("yu-packet")), "（2024年10月1日時点の料金）");
}

// ---- size × region -----------------------------------------------------

TEST(RegionTariff, PricesEveryDestinationFromTheOriginsRegion)
{
    const Tariff t = Read(RegionsFile());
    // 東京都 (12) is in 東日本; a 60 cm parcel of 2 kg is the first class.
    const auto lines = TariffLines(t, ParcelMeasures{2000, 60, 12});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "【北海道】 900円 （北海道）");
    EXPECT_TRUE(lines[1].starts_with("【東日本】 800円 （青森県、秋田県、")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with("【西日本】 1000円 （大阪府、")) << lines[2];
    EXPECT_TRUE(lines[2].ends_with("鹿児島県、沖縄県）")) << lines[2];
}

TEST(RegionTariff, AnOriginInEachRegion)
{
    const Tariff t = Read(RegionsFile());
    EXPECT_TRUE(TariffLines(t, {100, 60, 0})[0].starts_with("【北海道】 700円"));    // 北海道
    EXPECT_TRUE(TariffLines(t, {100, 60, 23})[0].starts_with("【北海道】 900円"));   // 福井県, last of 東日本
    EXPECT_TRUE(TariffLines(t, {100, 60, 24})[0].starts_with("【北海道】 1100円"));  // 大阪府
    EXPECT_TRUE(TariffLines(t, {100, 60, 46})[2].starts_with("【西日本】 800円"));   // 沖縄県
}

TEST(RegionTariff, SizeAndWeightOnAndOverTheClassEdges)
{
    const Tariff t = Read(RegionsFile());
    EXPECT_TRUE(TariffLines(t, {2000, 60, 0})[0].starts_with("【北海道】 700円"));
    EXPECT_TRUE(TariffLines(t, {2001, 60, 0})[0].starts_with("【北海道】 1000円"));  // weight moves it up
    EXPECT_TRUE(TariffLines(t, {100, 70, 0})[0].starts_with("【北海道】 1000円"));   // size moves it up
    EXPECT_TRUE(TariffLines(t, {10000, 100, 0})[0].starts_with("【北海道】 1000円"));
    EXPECT_TRUE(TariffLines(t, {10000, 120, 0}).empty());
    EXPECT_TRUE((TariffLines(t, {10001, 60, 0})).empty());
}

// ---- the block on the page ---------------------------------------------

TEST(CurrentServiceBlocks, HeaderLinesAndDateInShiftJis)
{
    std::vector<Tariff> ticked = {Shipped("teikeigai"), Shipped("letterpack-light")};
    std::string sdata = "x";
    AppendCurrentServices(sdata, ticked, ParcelChoice{WeightIndex("～500g"), 0, 0});
    EXPECT_EQ(sdata, "x" + Sjis("<br><b>▼定形外郵便</b><br>"
                                "【規格内】 510円<br>"
                                "【規格外】 660円<br>"
                                "（2024年10月1日改定の料金）<br>"
                                "<br><b>▼レターパックライト</b><br>"
                                " 430円<br>"
                                "（2024年10月1日改定の料金）<br>"));
}

TEST(CurrentServiceBlocks, AServiceWithoutAPriceWritesNothing)
{
    std::vector<Tariff> ticked = {Shipped("smartletter"), Shipped("letterpack-plus")};
    std::string sdata;
    AppendCurrentServices(sdata, ticked, ParcelChoice{WeightIndex("～2kg"), 0, 0});
    EXPECT_EQ(sdata, Sjis("<br><b>▼レターパックプラス</b><br> 600円<br>（2024年10月1日改定の料金）<br>"));
    sdata.clear();
    AppendCurrentServices(sdata, ticked, ParcelChoice{WeightIndex("～5kg"), 0, 0});
    EXPECT_EQ(sdata, "");
}

TEST(CurrentServiceBlocks, TickedServicesKeepTheGroupsOrder)
{
    const TariffFolder folder = ReadTariffFolder(kShipped);
    const auto ticked = TickedServices(folder.services, {"yu-mail", "teikeigai", "gone"});
    ASSERT_EQ(ticked.size(), 2u);
    EXPECT_EQ(ticked[0].id, "teikeigai");
    EXPECT_EQ(ticked[1].id, "yu-mail");
    EXPECT_EQ(UnknownServiceIds({"yu-mail", "gone"}, folder.services), (Lines{"gone"}));
    EXPECT_EQ(KnownServiceIds({"yu-mail", "gone"}, folder.services), (Lines{"yu-mail"}));
}

// ---- the reader's refusals ---------------------------------------------

TEST(TariffReader, RefusesWhatIsNotToml)
{
    const TariffProblem p = Refused("name = \"x\"\ncarrier = \n");
    EXPECT_EQ(p.file, "bad.toml");
    EXPECT_EQ(p.line, 2);
    EXPECT_TRUE(p.reason.starts_with("TOMLとして読めません")) << p.reason;
}

TEST(TariffReader, RefusesJapaneseOutsideStringsButNotInsideThemOrInComments)
{
    // Japanese punctuation typed straight after a value, or an ideographic
    // space between key and value: refused with its line, never parsed.
    EXPECT_EQ(Refused("name = \"x\"\norder = 10、\n").line, 2);
    EXPECT_EQ(Refused("name = \"x\"\ncarrier\u3000= \"y\"\n").line, 2);
    EXPECT_EQ(Refused("name = \"x\\あ\"\n").line, 1);
    // Inside strings of every kind and in comments it is ordinary text.
    const TariffProblem p =
        Refused("# 料金表\nname = \"定形外、\"\ncarrier = '日本郵便'\nsource = \"\"\"あ\n い\"\"\"\n");
    EXPECT_FALSE(p.reason.starts_with("文字列")) << p.reason;
}

TEST(TariffReader, RefusesBandsNotAscending)
{
    const TariffProblem p =
        Refused(std::string(kHeader) + "shape = \"bands\"\n[[variant]]\nbands = [\n  [100, 180],\n  [50, 140],\n]\n");
    EXPECT_EQ(p.line, 9);  // the second band
    EXPECT_EQ(p.reason, "重さの区切りが小さい順に並んでいません（100g の次に 50g）。");
}

TEST(TariffReader, RefusesPricesThatAreNotPositiveWholeYen)
{
    const std::string flat = std::string(kHeader) + "shape = \"flat\"\nmax_weight_g = 1000\nprice = ";
    EXPECT_EQ(Refused(flat + "0\n").line, 7);
    EXPECT_EQ(Refused(flat + "-5\n").line, 7);
    EXPECT_EQ(Refused(flat + "430.5\n").reason, "料金は1円以上の整数（円）で書いてください。");
    EXPECT_EQ(Refused(flat + "\"430\"\n").reason, "料金は1円以上の整数（円）で書いてください。");
}

TEST(TariffReader, RefusesADateThatIsNotADate)
{
    const std::string rest = "source = \"s\"\nshape = \"flat\"\nprice = 1\nmax_weight_g = 1\n";
    EXPECT_EQ(Refused("name = \"a\"\ncarrier = \"b\"\neffective = \"2024-10-01\"\n" + rest).line, 3);
    EXPECT_EQ(Refused("name = \"a\"\ncarrier = \"b\"\neffective = 2023-02-29\n" + rest).line, 3);
    EXPECT_EQ(Refused("name = \"a\"\ncarrier = \"b\"\n" + rest).reason,
              "料金の日付（「effective」か「in_force」）がありません。");
    // A leap day is a date.
    Read("name = \"a\"\ncarrier = \"b\"\neffective = 2024-02-29\n" + rest);
}

TEST(TariffReader, RefusesAnUnknownShape)
{
    const TariffProblem p = Refused(std::string(kHeader) + "shape = \"zones\"\n");
    EXPECT_EQ(p.line, 5);
    EXPECT_EQ(p.reason, "料金の形「zones」は使えません（flat、bands、regions のどれかです）。");
}

TEST(TariffReader, RefusesARegionMapMissingOrRepeatingAPrefecture)
{
    std::string missing = RegionsFile();
    missing.replace(missing.find(", \"沖縄県\""), std::string(", \"沖縄県\"").size(), "");
    EXPECT_EQ(Refused(missing).reason, "「沖縄県」がどの地域にもありません。");

    std::string twice = RegionsFile();
    twice.replace(twice.find("prefectures = [\"北海道\"]"), std::string("prefectures = [\"北海道\"]").size(),
                  "prefectures = [\"北海道\", \"青森県\"]");
    EXPECT_EQ(Refused(twice).reason, "「青森県」が二度書かれています。");

    std::string unknown = RegionsFile();
    unknown.replace(unknown.find("\"沖縄県\""), std::string("\"沖縄県\"").size(), "\"沖縄\"");
    EXPECT_EQ(Refused(unknown).reason, "「沖縄」は都道府県名ではありません。");
}

TEST(TariffReader, RefusesARegionTableWithAMissingPrice)
{
    std::string file = RegionsFile();
    file.replace(file.rfind("\"西日本\" = [800, 1100]"), std::string("\"西日本\" = [800, 1100]").size(),
                 "\"西日本\" = [800]");
    EXPECT_EQ(Refused(file).reason, "大きさの区分が2つなのに料金が1つです。");
}

TEST(TariffReader, RefusesANameShiftJisCannotHold)
{
    const TariffProblem p = Refused("name = \"🚚便\"\n");
    EXPECT_EQ(p.line, 1);
    EXPECT_TRUE(p.reason.starts_with("「name」にShift-JISで書けない文字があります")) << p.reason;
}

TEST(TariffReader, FolderLeavesOutBadFilesAndNamesThem)
{
    TempFolder dir;
    std::filesystem::copy_file(kShipped / "clickpost.toml", dir / "clickpost.toml");
    WriteBytes(dir / "broken.toml", "name = \n");
    WriteBytes(dir / "half.toml",
               std::string(kHeader) + "shape = \"bands\"\n[[variant]]\nbands = [[50, 140], [50, 180]]\n");
    WriteBytes(dir / "notes.txt", "not a tariff");
    WriteBytes(dir / "日本.toml", std::string(kHeader) + "shape = \"flat\"\nprice = 1\nmax_weight_g = 1\n");
    const TariffFolder folder = ReadTariffFolder(dir.path());
    ASSERT_EQ(folder.services.size(), 1u);
    EXPECT_EQ(folder.services[0].id, "clickpost");
    ASSERT_EQ(folder.problems.size(), 3u);
    EXPECT_EQ(folder.problems[0].file, "broken.toml");
    EXPECT_EQ(folder.problems[1].file, "half.toml");
    EXPECT_EQ(folder.problems[1].line, 7);
    EXPECT_EQ(folder.problems[2].file, "日本.toml");

    const std::string message = Utf8FromSjis(TariffProblemsMessage(folder.problems));
    EXPECT_NE(message.find("・half.toml（7行目）：重さの区切りが小さい順に並んでいません（50g の次に 50g）。"),
              std::string::npos)
        << message;
    EXPECT_EQ(TariffProblemsMessage({}), "");
}

TEST(TariffReader, AMissingFolderHasNoServiceAndNoProblem)
{
    const TariffFolder folder = ReadTariffFolder("/nonexistent/torepal/tariffs");
    EXPECT_TRUE(folder.services.empty());
    EXPECT_TRUE((folder.problems).empty());
}

// ---- the tick file -----------------------------------------------------

TEST(ServiceTicks, RoundTripAndNoFileWithoutTicks)
{
    TempFolder dir;
    EXPECT_TRUE((ReadServiceTicks(dir.path())).empty());
    ASSERT_EQ(WriteServiceTicks(dir.path(), {"teikeigai", "yu-packet"}), WriteStatus::Ok);
    EXPECT_EQ(ReadBytes(dir / "current_services.txt"), "teikeigai\nyu-packet\n");
    EXPECT_EQ(ReadServiceTicks(dir.path()), (Lines{"teikeigai", "yu-packet"}));
    ASSERT_EQ(WriteServiceTicks(dir.path(), {}), WriteStatus::Ok);
    EXPECT_FALSE(std::filesystem::exists(dir / "current_services.txt"));
}

TEST(ServiceTicks, AFailedWriteKeepsTheOldFile)
{
    TempFolder dir;
    ASSERT_EQ(WriteServiceTicks(dir.path(), {"clickpost"}), WriteStatus::Ok);
    {
        WriteFaultGuard fault(WriteFault::Write);
        EXPECT_NE(WriteServiceTicks(dir.path(), {"teikeigai"}), WriteStatus::Ok);
    }
    EXPECT_EQ(ReadBytes(dir / "current_services.txt"), "clickpost\n");
}

TEST(ServiceTicks, ParsingSkipsWhatIsNoId)
{
    EXPECT_EQ(ParseServiceTicks("# ticks\r\n teikeigai \r\n\r\nbad id\nteikeigai\nyu-mail"),
              (Lines{"teikeigai", "yu-mail"}));
}
