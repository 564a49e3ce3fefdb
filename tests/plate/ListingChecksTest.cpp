#include <gtest/gtest.h>

#include <algorithm>

#include "plate/ListingChecks.h"
#include "plate/PageTemplates.h"
#include "shipping/ParcelLists.h"
#include "shipping/ShippingText.h"
#include "support/core/SamplePlate.h"
#include "support/core/TestText.h"

using namespace torepal::test;

using namespace torepal;

namespace {

// A listing the site takes as it is: the sample form's short title, plain
// texts and valid colours, paid through Yahoo!かんたん決済, the first entry
// of each list selected (～25g, 60size, 北海道).
struct Form {
    PlateState state;
    PlateFlags flags;
    PlateSelections selections;

    Form()
    {
        PlateFlags sampleFlags;  // every box ticked: this listing ticks its own
        state = SamplePlateForm(sampleFlags);
        state.bgcolor = "#fff";  // the short and the named forms a browser reads
        state.fcolor = "Black";
        flags.payment.yahooEasy = true;
        // No built-in carrier: their old tables are reported on their own.
    }

    std::vector<CheckResult> check() const { return CheckListing(state, flags, selections, services); }

    std::vector<Tariff> services;
};

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

bool Mentions(const CheckResult& r, const char* utf8)
{
    return r.advice.find(S(utf8)) != std::string::npos;
}

bool SaysNothingWritten(const std::vector<CheckResult>& results)
{
    return std::any_of(results.begin(), results.end(),
                       [](const CheckResult& r) { return Mentions(r, "何も書かれません"); });
}

}  // namespace

TEST(ListingChecks, ACleanListingHasNothingToSay)
{
    EXPECT_TRUE(Form().check().empty());
}

TEST(ListingChecks, TitleOf65CharactersPassesAnd66IsReported)
{
    Form f;
    f.state.Title = Repeat(S("あ"), 65);  // 130 bytes, 65 characters
    EXPECT_TRUE(f.check().empty());
    f.state.Title = Repeat(S("あ"), 66);
    const std::vector<CheckResult> r = f.check();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].field, S("商品タイトル"));
    EXPECT_TRUE(Mentions(r[0], "66文字"));
    f.state.Title = Repeat("a", 66);
    EXPECT_EQ(f.check().size(), 1u);
}

TEST(ListingChecks, TitleCountIsInCharacters)
{
    EXPECT_EQ(TitleCharacterCount(Repeat(S("あ"), 33)), 33u);
    EXPECT_EQ(TitleCountText(S("腕時計 ｱｲ")), "6/65");
    EXPECT_EQ(TitleCountText(""), "0/65");
}

TEST(ListingChecks, AddressesAndNumbersInAnyTextFieldAreReportedByField)
{
    Form f;
    f.state.Items = S("質問はmail@example.jpへ");
    f.state.Others = S("電話：０３－１２３４－５６７８");
    f.state.TOthers = S("http://shop.example.com");
    const std::vector<CheckResult> r = f.check();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].field, S("商品情報"));
    EXPECT_TRUE(Mentions(r[0], "mail@example.jp"));
    EXPECT_EQ(r[1].field, S("追加項目の見出し"));
    EXPECT_EQ(r[2].field, S("追加項目の内容"));
    EXPECT_TRUE(Mentions(r[2], "０３－１２３４－５６７８"));
    EXPECT_TRUE(Mentions(r[2], "取引ナビ"));
}

TEST(ListingChecks, TheCreditLineAndTheSitesOwnAddressesAreNotReported)
{
    Form f;
    f.state.Others = CreditLine() + "https://auctions.yahoo.co.jp/jp/booth/seller_1";
    EXPECT_TRUE(f.check().empty());
}

TEST(ListingChecks, BoothTextCountsOnlyWhenTheBannerIsOn)
{
    Form f;
    f.state.mytext = "a@b.jp";
    EXPECT_TRUE(f.check().empty());
    f.flags.linkOff = false;
    f.flags.linkOn = true;
    ASSERT_EQ(f.check().size(), 1u);
    EXPECT_EQ(f.check()[0].field, S("テキストリンク"));
}

TEST(ListingChecks, ColoursABrowserDoesNotRead)
{
    Form f;
    f.state.color = S("あか");
    f.state.fcolor = "#ff80";
    const std::vector<CheckResult> r = f.check();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].field, S("カラー1（枠カラー）"));
    EXPECT_TRUE(Mentions(r[0], "あか"));
    EXPECT_EQ(r[1].field, S("カラー3（文字カラー）"));

    for (const char* good : {"#F80", "#00ff00", "ff8000", "RebeccaPurple", "navy", ""}) {
        f.state.color = good;
        f.state.fcolor = good;
        EXPECT_TRUE(f.check().empty()) << good;
    }
    for (const char* bad : {"#ggg", "red blue", "#12345", "ff80000", "reds"}) {
        f.state.color = bad;
        EXPECT_EQ(f.check().size(), 1u) << bad;
    }
}

TEST(ListingChecks, ColourTwoOfTypeOneIsNeverWritten)
{
    Form f;
    f.state.bgcolor = S("あか");
    f.selections.type = 0;  // タイプ１ disables the colour 2 edit
    EXPECT_TRUE(f.check().empty());
    f.selections.type = 1;
    ASSERT_EQ(f.check().size(), 1u);
    EXPECT_EQ(f.check()[0].field, S("カラー2"));
}

TEST(ListingChecks, PaymentBoxesOtherThanTheSitesOwnService)
{
    Form f;
    f.state.accounts[3].bankName.clear();  // bank 1 is the sample's みずほ銀行, bank 4 never registered
    f.flags.payment.accounts = {true, false, false, true, true, true};
    f.flags.payment.stamps = true;
    const std::vector<CheckResult> r = f.check();
    ASSERT_EQ(r.size(), 5u);
    for (const CheckResult& one : r) {
        EXPECT_EQ(one.field, S("支払い方法"));
        EXPECT_TRUE(Mentions(one, "2018年3月1日"));
    }
    EXPECT_TRUE(Mentions(r[0], "みずほ銀行"));
    EXPECT_TRUE(Mentions(r[1], "「銀行4」"));  // never registered
    EXPECT_TRUE(Mentions(r[2], "ぱるる"));
    EXPECT_TRUE(Mentions(r[3], "振替口座"));
    EXPECT_TRUE(Mentions(r[4], "切手"));
}

TEST(ListingChecks, EndedAndRenamedServicesWithTheirDates)
{
    Form f;
    f.flags.carriers.yamato = false;
    f.flags.carriers.expack = true;
    f.flags.carriers.kuronekoMail = true;
    f.flags.carriers.yahooYuPack = true;
    f.flags.carriers.sasshi = true;
    const std::vector<CheckResult> r = f.check();
    ASSERT_EQ(r.size(), 4u);  // in the order of the boxes on the form
    EXPECT_TRUE(Mentions(r[0], "Yahoo！ゆうパック") && Mentions(r[0], "2009年4月"));
    EXPECT_TRUE(Mentions(r[1], "ゆうメール") && Mentions(r[1], "2007年10月"));
    EXPECT_TRUE(Mentions(r[2], "クロネコメール便") && Mentions(r[2], "2015年3月31日"));
    EXPECT_TRUE(Mentions(r[3], "2010年3月31日") && Mentions(r[3], "2014年3月31日"));
    for (const CheckResult& one : r) EXPECT_EQ(one.field, S("配送業者"));
}

TEST(ListingChecks, ATickedCarrierThatWritesNothingForTheParcel)
{
    Form f;
    f.flags.carriers.yamato = true;
    f.selections.weight = 28;  // ～30kg: beyond クロネコヤマト's 25kg
    ASSERT_EQ(f.check().size(), 1u);
    EXPECT_TRUE(Mentions(f.check()[0], "クロネコヤマト"));

    Form okinawa;
    okinawa.flags.carriers.yamato = false;
    okinawa.flags.carriers.sagawa = true;
    okinawa.selections.origin = 46;  // 沖　縄: no 佐川急便 price
    ASSERT_EQ(okinawa.check().size(), 1u);
    EXPECT_TRUE(Mentions(okinawa.check()[0], "佐川急便"));
    okinawa.selections.origin = 45;
    EXPECT_FALSE(SaysNothingWritten(okinawa.check()));

    Form heavy;
    heavy.flags.carriers.teikeigai = true;
    heavy.selections.weight = 14;  // ～4kg: 定形外郵便 still has a price
    EXPECT_FALSE(SaysNothingWritten(heavy.check()));
    heavy.selections.weight = 15;  // ～5kg: none
    ASSERT_EQ(heavy.check().size(), 1u);
    EXPECT_TRUE(Mentions(heavy.check()[0], "定形外郵便"));
}

TEST(ListingChecks, MachineDependentCharactersButNotHalfWidthKana)
{
    Form f;
    f.state.Title = S("腕時計①") + "\xB1\xB2";  // ｱｲ
    const std::vector<CheckResult> r = f.check();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].field, S("商品タイトル"));
    EXPECT_TRUE(Mentions(r[0], "①"));
}

// The carrier checks read the form's greying rules; the page is written by
// the rate writers. For every parcel the form can describe, a ticked box is
// reported exactly when its writer leaves the page without its block.
TEST(ListingChecks, ACarrierIsReportedExactlyWhenItsWriterWritesNothing)
{
    const int weights = static_cast<int>(WeightList().size());
    const int sizes = static_cast<int>(SizeList().size());
    const int origins = static_cast<int>(PrefectureList().size());
    const char* const names[] = {"クロネコヤマト", "佐川急便", "ゆうパック", "定形外郵便"};
    int reported = 0;
    for (int w = -1; w < weights; ++w) {
        for (int s = -1; s < sizes; ++s) {
            for (int o = -1; o < origins; ++o) {
                Form f;
                f.flags.carriers = CarrierTicks{};
                f.flags.carriers.yamato = f.flags.carriers.sagawa = f.flags.carriers.yuPack = true;
                f.flags.carriers.teikeigai = true;
                f.selections = PlateSelections{w, s, o, 0};
                const ParcelChoice parcel{w, s, o};
                std::string text[4];
                WriteYamatoRates(text[0], parcel);
                WriteSagawaRates(text[1], parcel);
                WriteYuPackRates(text[2], parcel);
                CarrierTicks teikeigaiOnly;
                teikeigaiOnly.teikeigai = true;
                WriteMailClassRates(text[3], teikeigaiOnly, w);

                const std::vector<CheckResult> found = f.check();
                for (int c = 0; c < 4; ++c) {
                    const bool mentioned = std::any_of(found.begin(), found.end(), [&](const CheckResult& r) {
                        return r.advice.rfind(S("「") + S(names[c]) + S("」"), 0) == 0;
                    });
                    ASSERT_EQ(mentioned, text[c].empty())
                        << names[c] << " weight " << w << " size " << s << " origin " << o;
                    reported += mentioned;
                }
            }
        }
    }
    EXPECT_GT(reported, 0);
}

TEST(ListingChecks, SasshiWithoutAPriceIsReportedBesideItsNewName)
{
    Form f;
    f.flags.carriers = CarrierTicks{};
    f.flags.carriers.sasshi = true;
    f.selections.weight = 13;  // ～3kg: 冊子小包 still has a price
    ASSERT_EQ(f.check().size(), 1u);
    EXPECT_TRUE(Mentions(f.check()[0], "ゆうメール"));
    f.selections.weight = 14;  // ～4kg: none
    ASSERT_EQ(f.check().size(), 2u);
    EXPECT_TRUE(Mentions(f.check()[1], "料金がなく"));
}

// The built-in carriers print the program's own tables, which are not
// today's prices; the seller is told so for each box that writes a price.
TEST(ListingChecks, BuiltInTablesAreNamedAsOld)
{
    Form f;
    f.flags.carriers.yamato = f.flags.carriers.sagawa = f.flags.carriers.yuPack = true;
    f.flags.carriers.teikeigai = true;
    std::vector<CheckResult> r = f.check();
    ASSERT_EQ(r.size(), 4u);
    for (const CheckResult& each : r) EXPECT_EQ(each.field, S("配送業者"));
    EXPECT_TRUE(Mentions(r[0], "組み込みの「クロネコヤマト」の料金は"));
    EXPECT_TRUE(Mentions(r[0], "料金表の編集"));
    EXPECT_TRUE(Mentions(r[1], "組み込みの「佐川急便」"));
    EXPECT_TRUE(Mentions(r[2], "組み込みの「ゆうパック」"));
    EXPECT_TRUE(Mentions(r[3], "「現行の配送サービス」の「定形外郵便」を使って"));

    // Beside the current 定形外郵便: two prices for one service.
    Tariff current;
    current.id = "teikeigai";
    current.name = "定形外郵便";
    current.date = {2024, 10, 1};
    current.shape = TariffShape::Flat;
    current.flatYen = 510;
    current.flatMaxGrams = 1000;
    f.flags.carriers = CarrierTicks{};
    f.flags.carriers.teikeigai = true;
    f.services = {current};
    r = f.check();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(Mentions(r[0], "料金が二つ出ます"));
    EXPECT_TRUE(Mentions(r[0], "2024年10月1日改定"));

    // A box that writes nothing says only that.
    f.selections.weight = 15;  // ～5kg
    r = f.check();
    ASSERT_EQ(r.size(), 2u);  // the built-in box, and the current service too heavy
    EXPECT_TRUE(Mentions(r[0], "何も書かれません"));
    EXPECT_TRUE(Mentions(r[1], "重さでは送れない"));
}

TEST(ListingChecks, CurrentServicesLeftOutForTheParcelSayWhy)
{
    Tariff clickpost;
    clickpost.id = "clickpost";
    clickpost.name = "クリックポスト";
    clickpost.date = {2018, 9, 1};
    clickpost.shape = TariffShape::Flat;
    clickpost.flatYen = 185;
    clickpost.flatMaxGrams = 1000;
    clickpost.limits = ParcelLimits{0, 340, 250, 30};  // 34×25×3 cm

    Form f;
    f.services = {clickpost};
    EXPECT_TRUE(f.check().empty());
    f.selections.size = 4;  // 100size: beyond 34+25+3 = 62 cm
    std::vector<CheckResult> r = f.check();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].field, S("現行の配送サービス"));
    EXPECT_EQ(r[0].advice, S("「クリックポスト」は、この荷物の大きさでは送れないため、ページに何も書かれません。"));
    f.selections.size = 0;
    f.state.thicknessIndex = 4;  // 3cm超
    r = f.check();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(Mentions(r[0], "厚さでは送れない"));
    f.selections.weight = 12;  // ～2kg
    r = f.check();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(Mentions(r[0], "重さ・厚さでは送れない"));
}
