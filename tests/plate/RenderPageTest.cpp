#include <gtest/gtest.h>

#include "plate/PageTemplates.h"
#include "plate/PrintedTemplates.h"
#include "plate/RenderPage.h"
#include "shipping/ShippingText.h"
#include "support/core/SamplePlate.h"
#include "support/core/TestText.h"
#include "text/Encoding.h"

using namespace torepal;
using namespace torepal::test;
using namespace torepal::printed;

namespace {

std::string FrameOf(const PrintedTemplate& p)
{
    return p.frameHead + kCreditLine + p.frameTail;
}

// The colours every case uses; they appear in the expected pages as typed.
const std::string kColor = "#336699";
const std::string kBgcolor = "#eeeeff";
const std::string kFcolor = "#222222";

PlateState Coloured(int type)
{
    PlateState s;
    s.templateType = type;
    s.color = kColor;
    s.bgcolor = kBgcolor;
    s.fcolor = kFcolor;
    return s;
}

std::string Colours(const std::string& text, const std::string& open = "<center>",
                    const std::string& close = "</center>")
{
    return Fill(
        text,
        {{"<color>", kColor}, {"<bgcolor>", kBgcolor}, {"<fcolor>", kFcolor}, {"<state>", open}, {"</state>", close}});
}

PlateFlags Centred()
{
    PlateFlags f;
    f.center = true;
    f.left = false;
    f.linkOff = true;
    f.linkOn = false;
    return f;
}

}  // namespace

// ---- the templates themselves ------------------------------------------

TEST(PageTemplates, AreThePrintedPiecesInShiftJis)
{
    for (int type = 0; type < kTemplateTypeCount; ++type) {
        SCOPED_TRACE(type);
        const PageTemplate* t = TemplateOfType(type);
        ASSERT_NE(t, nullptr);
        const PrintedTemplate& p = PrintedType(type);
        EXPECT_EQ(t->frame, S(FrameOf(p)));
        EXPECT_EQ(t->item, S(p.item));
        EXPECT_EQ(t->shipping, S(p.shipping));
        EXPECT_EQ(t->others, S(p.others));
        EXPECT_EQ(t->payment, S(p.payment));
    }
    EXPECT_EQ(TemplateOfType(-1), nullptr);
    EXPECT_EQ(TemplateOfType(5), nullptr);
}

TEST(PageTemplates, LookAlikeCharactersAreTheRightBytes)
{
    // The blanks beside the shadow cells of タイプ２ are ideographic spaces.
    EXPECT_NE(TemplateOfType(1)->frame.find("bgcolor=<bgcolor>>\x81\x40</TD>"), std::string::npos);
    EXPECT_NE(CreditLine().find("\x81\x46<a href="), std::string::npos);  // the full-width colon
    EXPECT_EQ(
        CreditLine(),
        S("オークション出品ツール：<a href=https://auctions.yahoo.co.jp/>トレパル</a>によって作成されています。"));
    EXPECT_EQ(BoothBanner(), S(kBoothBanner));
    // タイプ５ shares the sections of タイプ４ and has a frame of its own.
    EXPECT_EQ(TemplateOfType(4)->item, TemplateOfType(3)->item);
    EXPECT_EQ(TemplateOfType(4)->payment, TemplateOfType(3)->payment);
    EXPECT_NE(TemplateOfType(4)->frame, TemplateOfType(3)->frame);
    ASSERT_EQ(TemplateTypeNames().size(), 5u);
    EXPECT_EQ(TemplateTypeNames()[0], S("タイプ１"));
    EXPECT_EQ(TemplateTypeNames()[4], "\x83\x5E\x83\x43\x83\x76\x82\x54");
}

TEST(PageTemplates, AddressesAreAbsoluteAndInOnePlace)
{
    EXPECT_EQ(HomePageUrl(), "https://auctions.yahoo.co.jp/");  // no page of its own in this build
    EXPECT_EQ(BoothSiteUrl(), "https://auctions.yahoo.co.jp");
    EXPECT_EQ(BannerImageUrl(), "https://auctions.c.yimg.jp/images.auctions.yahoo.co.jp/image");
    EXPECT_NE(CreditLine().find(HomePageUrl()), std::string::npos);
}

// ---- sections that are left out ---------------------------------------

TEST(RenderPage, Type1WithOnlyATitleLeavesTheOtherPlaceholders)
{
    PlateState s = Coloured(0);
    s.Title = S("腕時計");
    RenderPage(s, Centred());

    const PrintedTemplate& p = kType1;
    const std::string item = Fill(p.item, {{"<Title>", "腕時計"}, {"<Items>", ""}, {"<myboot>", ""}});
    const std::string expected = Colours(Fill(FrameOf(p), {{"<data1>", item}}));
    EXPECT_EQ(s.page, S(expected));
    EXPECT_NE(s.page.find("</tr><data2><data3><data4><tr>"), std::string::npos);
    EXPECT_EQ(s.sdata, "");
    EXPECT_EQ(s.pdata, "");
}

TEST(RenderPage, Type3WithoutOthersKeepsData3InTheItemSection)
{
    PlateState s = Coloured(2);
    s.Items = S("説明");
    s.TOthers = S("注意");
    RenderPage(s, Centred());

    const PrintedTemplate& p = kType3;
    const std::string item = Fill(p.item, {{"<Items>", "説明"}, {"<myboot>", ""}});
    EXPECT_EQ(s.page, S(Colours(Fill(FrameOf(p), {{"<data1>", item}}))));
    EXPECT_NE(s.page.find(S("説明<data3></font>")), std::string::npos);
    EXPECT_EQ(s.page.find(S("注意")), std::string::npos);
}

TEST(RenderPage, ShippingNoteAloneHasNoSeparatorAndKeepsSdata)
{
    PlateState s = Coloured(0);
    s.trans = S("入金確認後に発送します。");
    RenderPage(s, Centred());

    const PrintedTemplate& p = kType1;
    const std::string item = Fill(p.item, {{"<Title>", ""}, {"<Items>", ""}, {"<myboot>", ""}});
    const std::string shipping = Fill(p.shipping, {{"<trans>", "入金確認後に発送します。"}});
    EXPECT_EQ(s.page, S(Colours(Fill(FrameOf(p), {{"<data1>", item}, {"<data2>", shipping}}))));
    EXPECT_NE(s.page.find(S("入金確認後に発送します。<sdata></font>")), std::string::npos);
    EXPECT_EQ(s.page.find("<br><hr>"), std::string::npos);
}

TEST(RenderPage, ShippingNoteBeforePriceTextGetsTheSeparator)
{
    PlateState s = Coloured(1);
    s.trans = S("送料は下記の通りです。");
    PlateFlags f = Centred();
    f.carriers.sasshi = true;  // "～25g"
    RenderPage(s, f);
    EXPECT_EQ(s.sdata, S("<br><b>▼冊子小包</b><br> 180円<br>"));
    EXPECT_NE(
        s.page.find(S("<hr><br><b>■発送方法<br>送料は下記の通りです。<br><hr><br><b>▼冊子小包</b><br> 180円<br></b>")),
        std::string::npos);
}

TEST(RenderPage, NoShippingTextAndNoNoteLeavesData2)
{
    PlateState s = Coloured(3);
    PlateFlags f = Centred();
    f.carriers.sasshi = true;
    s.weightIndex = 20;  // "～12kg": no 冊子小包 price
    RenderPage(s, f);
    EXPECT_EQ(s.sdata, "");
    EXPECT_NE(s.page.find("<data2>"), std::string::npos);
}

TEST(RenderPage, HeadingWithoutOthersShowsNoOthersSection)
{
    PlateState s = Coloured(0);
    s.TOthers = S("注意事項");
    RenderPage(s, Centred());
    EXPECT_EQ(s.page.find(S("注意事項")), std::string::npos);
    EXPECT_NE(s.page.find("<data3>"), std::string::npos);
}

TEST(RenderPage, OthersWithoutHeadingShowsTheSection)
{
    PlateState s = Coloured(3);
    s.Others = S("本文");
    RenderPage(s, Centred());
    const std::string others = Fill(kType4.others, {{"<TOthers>", ""}, {"<Others>", "本文"}});
    EXPECT_NE(s.page.find(S(Colours(others))), std::string::npos);
}

// ---- line breaks, position, booth banner --------------------------------

TEST(RenderPage, LineBreaksOfTheFormBecomeBr)
{
    PlateState s = Coloured(1);
    s.Items = S("一行目\r\n二行目\r\n\r\n四行目");
    s.Others = S("a\r\nb");
    RenderPage(s, Centred());
    EXPECT_NE(s.page.find(S("<b><br><br>一行目<br>二行目<br><br>四行目</b>")), std::string::npos);
    EXPECT_NE(s.page.find("<br><br>a<br>b</b>"), std::string::npos);
    EXPECT_EQ(s.page.find("\r\n"), std::string::npos);
}

TEST(RenderPage, LoneCrAndLfStayAsTheyAre)
{
    PlateState s = Coloured(1);
    s.Items = "a\rb\nc";
    RenderPage(s, Centred());
    EXPECT_NE(s.page.find("a\rb\nc"), std::string::npos);
}

TEST(RenderPage, NoPositionButtonKeepsTheStateTags)
{
    PlateState s = Coloured(0);
    PlateFlags f = Centred();
    f.center = false;
    RenderPage(s, f);
    EXPECT_EQ(s.page.rfind("<state><table width=610", 0), 0u);
    const std::string end = "<br></state>";
    ASSERT_GE(s.page.size(), end.size());
    EXPECT_EQ(s.page.substr(s.page.size() - end.size()), end);
}

TEST(RenderPage, LeftAndBothPositions)
{
    PlateState s = Coloured(4);
    PlateFlags f = Centred();
    f.center = false;
    f.left = true;
    RenderPage(s, f);
    EXPECT_EQ(s.page.rfind("<left><table width=700", 0), 0u);
    EXPECT_EQ(s.page.find("<state>"), std::string::npos);

    // A stored file may hold both: 左寄せ takes the tags first.
    f.center = true;
    RenderPage(s, f);
    EXPECT_EQ(s.page.rfind("<left>", 0), 0u);
    EXPECT_EQ(s.page.find("<center><table"), std::string::npos);
}

TEST(RenderPage, BoothOnWithEmptyTextAndEmptyId)
{
    PlateState s = Coloured(0);
    PlateFlags f = Centred();
    f.linkOff = false;
    f.linkOn = true;
    RenderPage(s, f);
    const std::string banner =
        "<center><center><A HREF=https://auctions.yahoo.co.jp/jp/booth/> "
        "<IMG ALT=マイ・オークションをごらんください "
        "SRC=https://auctions.c.yimg.jp/images.auctions.yahoo.co.jp/image/banner.gif><br></A></center></center>";
    // The banner follows the whole page, after its closing "<br>".
    const std::string expectedEnd = "</font></td></tr></table><br></center>" + banner;
    ASSERT_GE(s.page.size(), S(expectedEnd).size());
    EXPECT_EQ(s.page.substr(s.page.size() - S(expectedEnd).size()), S(expectedEnd));
}

TEST(RenderPage, BoothTextKeepsItsLineBreaksAndPlaceholders)
{
    // The banner is appended after the line-break and colour steps.
    PlateState s = Coloured(0);
    s.mytext = "a\r\nb<color>";
    s.yahooId = "id_1";
    PlateFlags f = Centred();
    f.linkOn = true;
    RenderPage(s, f);
    EXPECT_NE(s.page.find("/jp/booth/id_1> "), std::string::npos);
    EXPECT_NE(s.page.find("<br>a\r\nb<color></A>"), std::string::npos);
}

TEST(RenderPage, BoothOffLeavesNoBanner)
{
    PlateState s = Coloured(0);
    s.mytext = "text";
    s.yahooId = "id";
    RenderPage(s, Centred());
    EXPECT_EQ(s.page.find("booth"), std::string::npos);
}

TEST(RenderPage, NoTemplateTypeGivesOnlyTheBanner)
{
    for (int type : {-1, 5}) {
        PlateState s = Coloured(type);
        s.Title = S("腕時計");
        s.yahooId = "seller";
        s.mytext = S("ほかの出品");
        PlateFlags f = Centred();
        RenderPage(s, f);
        EXPECT_EQ(s.page, "");

        f.linkOn = true;
        RenderPage(s, f);
        EXPECT_EQ(s.page, S(Fill(kBoothBanner, {{"yahoo-id", "seller"},
                                                {"mytext", "ほかの出品"},
                                                {"<state>", "<center>"},
                                                {"</state>", "</center>"}})));
    }
}

TEST(RenderPage, TypedPlaceholdersAreReplacedByLaterSteps)
{
    PlateState s = Coloured(1);
    s.Title = "<Items>";
    s.Items = "ITEM";
    RenderPage(s, Centred());
    EXPECT_NE(s.page.find("<b>ITEM<br><br>ITEM</b>"), std::string::npos);
}

TEST(RenderPage, ShippingAndPaymentTextAreRebuiltEachTime)
{
    PlateState s = Coloured(0);
    s.sdata = "old";
    s.pdata = "old";
    s.page = "old";
    RenderPage(s, Centred());
    EXPECT_EQ(s.sdata, "");
    EXPECT_EQ(s.pdata, "");
    const std::string first = s.page;
    RenderPage(s, Centred());
    EXPECT_EQ(s.page, first);
}

// ---- a complete page of every type -------------------------------------

namespace {

struct FullForm {
    PlateState state;
    PlateFlags flags;
    std::string carrierText;  // the carrier writers' part of the shipping text (UTF-8)
};

FullForm MakeFullForm(int type, bool left)
{
    FullForm form;
    PlateState& s = form.state;
    PlateFlags sampleFlags;  // every box ticked: this form ticks its own below
    s = SamplePlateForm(sampleFlags);
    s.templateType = type;
    s.color = kColor;
    s.bgcolor = kBgcolor;
    s.fcolor = kFcolor;
    s.Others = S("ノークレーム・ノーリターンで\r\nお願いします。");  // a line break in each text that turns it to <br>
    s.weightIndex = 0;                                               // "～25g"
    s.sizeIndex = 0;                                                 // "60size"
    s.originIndex = 12;                                              // 東京都

    PlateFlags& f = form.flags;
    f.center = !left;
    f.left = left;
    f.linkOff = false;
    f.linkOn = true;
    f.payment.accounts[0] = true;
    f.payment.accounts[kParuruRow] = true;
    f.payment.accounts[kFurikaeRow] = true;
    f.payment.yahooEasy = true;
    f.carriers.yamato = true;
    f.carriers.expack = true;
    f.carriers.sasshi = true;
    f.carriers.teikeigai = true;

    // The carrier blocks are the writers' own text, checked with the rate
    // tables; the mail-class blocks below are written out by hand.
    std::string yamato;
    WriteYamatoRates(yamato, ParcelChoice{0, 0, 12});
    form.carrierText = Utf8FromSjis(yamato);
    return form;
}

std::string ExpectedFullPage(int type, const FullForm& form, bool left)
{
    const PrintedTemplate& p = PrintedType(type);
    const std::string sdata = form.carrierText +
                              "<br><b>▼ＥＸＰＡＣＫ５００</b><br>"
                              "<br><b>▼冊子小包</b><br> 180円<br>"
                              "<br><b>▼定形外郵便</b><br> 120円<br>";
    const std::string pdata =
        "<br><b>▼みずほ銀行</b><br>"
        "<br><b>▼ぱるる</b><br>"
        "<br><b>▼郵便振替</b><br>"
        "<br><b>▼Yahoo!かんたん決済</b><br>";
    const std::string others =
        Fill(p.others, {{"<TOthers>", "注意事項"}, {"<Others>", "ノークレーム・ノーリターンで<br>お願いします。"}});
    std::string item =
        Fill(p.item, {{"<Title>", "腕時計 ステンレス 日本製"},
                      {"<Items>", "ステンレス製の腕時計です。<br>動作確認済み、傷はほとんどありません。"},
                      {"<myboot>", ""}});
    if (type == 2) item = Fill(item, {{"<data3>", others}});
    const std::string shipping =
        Fill(p.shipping, {{"<trans>", "入金確認後、3日以内に発送します。<br><hr>"}, {"<sdata>", sdata}});
    const std::string payment = Fill(p.payment, {{"<pdata>", pdata}});
    const std::string frame =
        Fill(FrameOf(p), {{"<data1>", item}, {"<data2>", shipping}, {"<data3>", others}, {"<data4>", payment}});
    const std::string banner =
        Fill(kBoothBanner, {{"yahoo-id", "seller_01"}, {"mytext", "ほかの出品もごらんください"}});
    const std::string open = left ? "<left>" : "<center>";
    const std::string close = left ? "</left>" : "</center>";
    return Colours(frame, open, close) + Fill(banner, {{"<state>", open}, {"</state>", close}});
}

}  // namespace

TEST(RenderPage, CompletePageOfEveryType)
{
    for (int type = 0; type < kTemplateTypeCount; ++type) {
        for (bool left : {false, true}) {
            SCOPED_TRACE(testing::Message() << "type " << type << (left ? " left" : " centre"));
            FullForm form = MakeFullForm(type, left);
            ASSERT_FALSE(form.carrierText.empty());
            RenderPage(form.state, form.flags);
            EXPECT_EQ(form.state.page, S(ExpectedFullPage(type, form, left)));
        }
    }
}

TEST(RenderPage, Type3PagesShowNoTitle)
{
    // The タイプ３ item section has no "<Title>", so the title is nowhere.
    FullForm form = MakeFullForm(2, false);
    RenderPage(form.state, form.flags);
    EXPECT_EQ(form.state.page.find(S("腕時計 ステンレス 日本製")), std::string::npos);
    EXPECT_NE(form.state.page.find(S("ステンレス製の腕時計です。")), std::string::npos);
}
