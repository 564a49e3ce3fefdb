// The size limits of the current services: reading and writing them, and
// which services the form's size, weight and thickness entries leave out.
// The limits are those printed by the carriers and quoted in the shipped
// files; each expectation below is worked out from them by hand.
#include <gtest/gtest.h>

#include <variant>

#include "shipping/ParcelLists.h"
#include "shipping/ShippingText.h"
#include "shipping/TariffLookup.h"
#include "shipping/TariffReader.h"
#include "shipping/TariffWriter.h"
#include "shipping/ThicknessList.h"
#include "text/Encoding.h"

using namespace torepal;

namespace {

using Lines = std::vector<std::string>;

const std::filesystem::path kShipped = std::filesystem::path(TOREPAL_SOURCE_DIR) / "program" / "tariffs";

const Tariff& Shipped(const std::string& id)
{
    static const TariffFolder folder = ReadTariffFolder(kShipped);
    for (const Tariff& t : folder.services)
        if (t.id == id) return t;
    static const Tariff none;
    ADD_FAILURE() << "no shipped service " << id;
    return none;
}

int Index(const std::vector<std::string>& list, const char* entry)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == Sjis(entry)) return static_cast<int>(i);
    ADD_FAILURE() << "no entry " << entry;
    return 0;
}

// The parcel as the form gives it: weight, size and thickness entries.
ParcelMeasures Parcel(const char* weight, const char* size, const char* thickness = "指定なし")
{
    return MeasuresOf(
        ParcelChoice{Index(WeightList(), weight), Index(SizeList(), size), 12, Index(ThicknessList(), thickness)});
}

Lines LinesOf(const char* id, const ParcelMeasures& parcel)
{
    return TariffLines(Shipped(id), parcel);
}

const char* const kHeader = R"(name = "テスト便"
carrier = "テスト運輸"
effective = 2024-10-01
source = "https://example.invalid/rates"
)";

std::variant<Tariff, TariffProblem> ReadText(const std::string& body)
{
    return ReadTariffText("test", kHeader + body, "test.toml");
}

}  // namespace

TEST(ParcelLimits, FilesStateThemInCentimetresAndTheWriterKeepsThem)
{
    const auto read = ReadText(R"(shape = "flat"
price = 430
max_weight_g = 4000
max_sum_cm = 59
max_length_cm = 34
max_width_cm = 24.8
max_thickness_cm = 3
)");
    ASSERT_TRUE(std::holds_alternative<Tariff>(read));
    const Tariff& t = std::get<Tariff>(read);
    EXPECT_EQ(t.limits, (ParcelLimits{590, 340, 248, 30}));
    const std::string written = TariffToToml(t);
    EXPECT_NE(written.find("max_width_cm = 24.8\n"), std::string::npos);
    EXPECT_NE(written.find("max_length_cm = 34\n"), std::string::npos);
    const auto again = ReadTariffText("test", written, "test.toml");
    ASSERT_TRUE(std::holds_alternative<Tariff>(again));
    EXPECT_EQ(std::get<Tariff>(again).limits, t.limits);

    // A column's own limits stand beside the service's.
    const auto bands = ReadText(R"(shape = "bands"
max_sum_cm = 60

[[variant]]
name = "厚さ1cm"
max_thickness_cm = 1
bands = [[1000, 250]]
)");
    ASSERT_TRUE(std::holds_alternative<Tariff>(bands));
    EXPECT_EQ(std::get<Tariff>(bands).limits, (ParcelLimits{600, 0, 0, 0}));
    EXPECT_EQ(std::get<Tariff>(bands).variants[0].limits, (ParcelLimits{0, 0, 0, 10}));
    const std::string bandsText = TariffToToml(std::get<Tariff>(bands));
    EXPECT_NE(bandsText.find("name = \"厚さ1cm\"\nmax_thickness_cm = 1\nbands"), std::string::npos);

    // A service without limits is written as it always was.
    Tariff plain = Shipped("clickpost");
    plain.limits = {};
    EXPECT_EQ(TariffToToml(plain).find("_cm"), std::string::npos);
}

TEST(ParcelLimits, BrokenLimitsLeaveTheFileOutWithItsLine)
{
    const auto refused = [](const std::string& limits, int line) {
        const auto read = ReadText("shape = \"flat\"\nprice = 185\nmax_weight_g = 1000\n" + limits);
        ASSERT_TRUE(std::holds_alternative<TariffProblem>(read)) << limits;
        EXPECT_EQ(std::get<TariffProblem>(read).line, line) << limits;
    };
    refused("max_length_cm = 0\n", 8);
    refused("max_length_cm = 24.85\n", 8);
    refused("max_length_cm = \"34cm\"\n", 8);
    refused("max_length_cm = -3\n", 8);
    refused("max_length_cm = 25\nmax_width_cm = 34\n", 9);     // the second side longer than the longest
    refused("max_width_cm = 17\nmax_thickness_cm = 20\n", 9);  // thicker than wide
}

TEST(ParcelLimits, ShippedServicesAt60SizeAnd500gAllWrite)
{
    const ParcelMeasures p = Parcel("～500g", "60size");
    EXPECT_EQ(LinesOf("teikeigai", p), (Lines{"【規格内】 510円", "【規格外】 660円"}));
    EXPECT_EQ(LinesOf("smartletter", p), (Lines{" 210円"}));
    EXPECT_EQ(LinesOf("clickpost", p), (Lines{" 185円"}));
    EXPECT_EQ(LinesOf("yu-mail", p), (Lines{" 310円"}));
    EXPECT_EQ(LinesOf("letterpack-light", p), (Lines{" 430円"}));
    EXPECT_EQ(LinesOf("letterpack-plus", p), (Lines{" 600円"}));
    // No thickness chosen: every thickness price, as before.
    EXPECT_EQ(LinesOf("yu-packet", p), (Lines{"【厚さ1cm】 250円", "【厚さ2cm】 310円", "【厚さ3cm】 360円"}));
}

TEST(ParcelLimits, LargerSizesLeaveOutWhatCannotHoldThem)
{
    // 70size: the sides add up to 61–70 cm. 規格内 holds up to
    // 34+25+3 = 62, クリックポスト and ゆうメール too; スマートレター at most
    // 25+17+2 = 44, ゆうパケット 60, レターパック 59.
    const ParcelMeasures p70 = Parcel("～500g", "70size");
    EXPECT_EQ(LinesOf("teikeigai", p70), (Lines{"【規格内】 510円", "【規格外】 660円"}));
    EXPECT_EQ(LinesOf("clickpost", p70), (Lines{" 185円"}));
    EXPECT_EQ(LinesOf("yu-mail", p70), (Lines{" 310円"}));
    EXPECT_TRUE(LinesOf("smartletter", p70).empty());
    EXPECT_TRUE(LinesOf("yu-packet", p70).empty());
    EXPECT_TRUE(LinesOf("letterpack-light", p70).empty());
    EXPECT_TRUE(LinesOf("letterpack-plus", p70).empty());

    // 80size (71–80): only 規格外 (three sides up to 90 cm) is left.
    const ParcelMeasures p80 = Parcel("～500g", "80size");
    EXPECT_EQ(LinesOf("teikeigai", p80), (Lines{"【規格外】 660円"}));
    EXPECT_TRUE(LinesOf("clickpost", p80).empty());
    EXPECT_TRUE(LinesOf("yu-mail", p80).empty());

    // 90size (81–90) still fits 規格外; 100size (91–100) fits nothing.
    EXPECT_EQ(LinesOf("teikeigai", Parcel("～500g", "90size")), (Lines{"【規格外】 660円"}));
    for (const char* id :
         {"teikeigai", "smartletter", "clickpost", "yu-mail", "yu-packet", "letterpack-light", "letterpack-plus"}) {
        EXPECT_TRUE(LinesOf(id, Parcel("～500g", "100size")).empty()) << id;
        EXPECT_TRUE(LinesOf(id, Parcel("～500g", "170size")).empty()) << id;
    }
}

TEST(ParcelLimits, ThicknessPicksTheOnePriceAndDropsTheLetterPost)
{
    EXPECT_EQ(LinesOf("yu-packet", Parcel("～500g", "60size", "～1cm")), (Lines{"【厚さ1cm】 250円"}));
    EXPECT_EQ(LinesOf("yu-packet", Parcel("～500g", "60size", "～2cm")), (Lines{"【厚さ2cm】 310円"}));
    EXPECT_EQ(LinesOf("yu-packet", Parcel("～500g", "60size", "～3cm")), (Lines{"【厚さ3cm】 360円"}));
    // スマートレター takes 2 cm, not 3.
    EXPECT_EQ(LinesOf("smartletter", Parcel("～500g", "60size", "～2cm")), (Lines{" 210円"}));
    EXPECT_TRUE(LinesOf("smartletter", Parcel("～500g", "60size", "～3cm")).empty());

    // Thicker than 3 cm: only 規格外 and レターパックプラス, which state no
    // thickness, are left.
    const ParcelMeasures thick = Parcel("～500g", "60size", "3cm超");
    EXPECT_EQ(LinesOf("teikeigai", thick), (Lines{"【規格外】 660円"}));
    EXPECT_EQ(LinesOf("letterpack-plus", thick), (Lines{" 600円"}));
    for (const char* id : {"smartletter", "clickpost", "yu-mail", "yu-packet", "letterpack-light"})
        EXPECT_TRUE(LinesOf(id, thick).empty()) << id;
}

TEST(ParcelLimits, WhyAServiceIsLeftOut)
{
    EXPECT_EQ(ServiceCarryFaults(Shipped("clickpost"), Parcel("～500g", "60size")), kCarries);
    EXPECT_EQ(ServiceCarryFaults(Shipped("clickpost"), Parcel("～2kg", "60size")), kTooHeavy);
    EXPECT_EQ(ServiceCarryFaults(Shipped("clickpost"), Parcel("～500g", "100size")), kTooLarge);
    EXPECT_EQ(ServiceCarryFaults(Shipped("clickpost"), Parcel("～500g", "60size", "3cm超")), kTooThick);
    EXPECT_EQ(ServiceCarryFaults(Shipped("clickpost"), Parcel("～2kg", "100size", "3cm超")),
              kTooHeavy | kTooLarge | kTooThick);
    // 定形外郵便 at 2 kg and 100size: 規格内 is too heavy and too large,
    // 規格外 too large; the size is what keeps both out.
    EXPECT_EQ(ServiceCarryFaults(Shipped("teikeigai"), Parcel("～2kg", "100size")), kTooLarge);
    // At 5 kg both columns are too heavy (規格外 goes to 4 kg).
    EXPECT_EQ(ServiceCarryFaults(Shipped("teikeigai"), Parcel("～5kg", "60size")), kTooHeavy);
}

TEST(ParcelLimits, ThicknessListAndItsSteps)
{
    EXPECT_EQ(ThicknessList(),
              (std::vector<std::string>{Sjis("指定なし"), Sjis("～1cm"), Sjis("～2cm"), Sjis("～3cm"), Sjis("3cm超")}));
    ParcelSpan span;
    ApplyThickness(2, span);
    EXPECT_EQ(span.thicknessOverMm, 10);
    EXPECT_EQ(span.thicknessUpToMm, 20);
    ApplyThickness(4, span);
    EXPECT_EQ(span.thicknessOverMm, 30);
    EXPECT_EQ(span.thicknessUpToMm, 0);
    ApplyThickness(-1, span);
    EXPECT_EQ(span.thicknessOverMm, 0);
    EXPECT_EQ(span.thicknessUpToMm, 0);
}
