#include <gtest/gtest.h>

#include <regex>

#include "plate/ListingChecks.h"
#include "plate/PhoneFitting.h"
#include "plate/RenderPage.h"
#include "support/core/SamplePlate.h"
#include "support/core/TestText.h"

using namespace torepal;
using namespace torepal::test;

namespace {

std::string WithoutStyles(const std::string& markup)
{
    return std::regex_replace(markup, std::regex(" style=\"[^\"]*\""), "");
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

const std::string kWrap = "overflow-wrap:anywhere;word-break:break-word";

}  // namespace

TEST(PhoneFitting, EachTypeIsTheOrdinaryTemplateWithStylesAdded)
{
    // Styles per type: タイプ１ its frame, credit and item tables; タイプ２
    // and ３ their frame; タイプ４ and ５ their frame and credit tables.
    const std::size_t styles[kTemplateTypeCount] = {3, 1, 1, 2, 2};
    for (int type = 0; type < kTemplateTypeCount; ++type) {
        SCOPED_TRACE(type);
        const PageTemplate& fit = *FittingTemplateOfType(type);
        const PageTemplate& plain = *TemplateOfType(type);
        std::size_t found = 0;
        for (auto piece : {&PageTemplate::frame, &PageTemplate::item, &PageTemplate::shipping, &PageTemplate::others,
                           &PageTemplate::payment}) {
            EXPECT_EQ(WithoutStyles(fit.*piece), plain.*piece);
            found += Count(fit.*piece, " style=\"");
        }
        EXPECT_EQ(found, styles[type]);
    }
    EXPECT_EQ(FittingTemplateOfType(-1), nullptr);
    EXPECT_EQ(FittingTemplateOfType(kTemplateTypeCount), nullptr);
    EXPECT_EQ(WithoutStyles(FittingBoothBanner()), BoothBanner());
}

TEST(PhoneFitting, StylesStandFirstSoAnEmptyColourCannotSwallowThem)
{
    PlateState s;  // no colours at all
    s.templateType = 0;
    s.Title = "T";
    PlateFlags f;
    f.phoneFit = true;
    RenderPage(s, f);
    EXPECT_NE(s.page.find("<center><table style=\"width:100%;max-width:620px;" + kWrap +
                          "\" width=610 border=0 cellpadding=0 cellspacing=5 bgcolor=><tr><td>"
                          "<table style=\"width:100%\" width=610 border=0 cellpadding=2 cellspacing=1>"),
              std::string::npos);
    EXPECT_NE(s.page.find("</table></table><table style=\"width:100%;max-width:610px\" width=610 border=0 "
                          "cellspacing=0>"),
              std::string::npos);

    s.templateType = 3;
    RenderPage(s, f);
    EXPECT_EQ(s.page.find("<center><table style=\"width:100%;max-width:700px;" + kWrap +
                          "\" width=700 border=0 cellpadding=0 cellspacing=0 bgcolor=><tr><td width=700>"),
              0u);
    EXPECT_NE(s.page.find("<table style=\"width:100%;max-width:700px\" width=700><tr><td align=right>"),
              std::string::npos);

    s.templateType = 1;
    RenderPage(s, f);
    EXPECT_EQ(s.page.find("<center><TABLE style=\"min-width:min(100%,480px);" + kWrap +
                          "\" WIDTH=70% cellspacing=0 cellpadding=0 ><TR>"),
              0u);
}

TEST(PhoneFitting, EveryPageWithoutItsStylesIsTheOrdinaryPage)
{
    for (int type = 0; type < kTemplateTypeCount; ++type) {
        for (const bool left : {false, true}) {
            SCOPED_TRACE(testing::Message() << "type " << type << (left ? " left" : ""));
            PlateFlags flags;
            PlateState plain = SamplePlateForm(flags);
            plain.templateType = type;
            flags.left = left;
            flags.center = !left;
            PlateState fit = plain;
            RenderPage(plain, flags);
            flags.phoneFit = true;
            RenderPage(fit, flags);
            EXPECT_NE(fit.page, plain.page);
            EXPECT_EQ(WithoutStyles(fit.page), plain.page);
            EXPECT_EQ(fit.sdata, plain.sdata);
            EXPECT_EQ(fit.pdata, plain.pdata);
            // Only what a listing description keeps: no script, no style sheet.
            for (const char* tag : {"<script", "<SCRIPT", "<style", "<STYLE", "<link", "<LINK"})
                EXPECT_EQ(fit.page.find(tag), std::string::npos) << tag;
            EXPECT_NE(fit.page.find("<IMG style=\"max-width:100%;height:auto\" ALT="), std::string::npos);
        }
    }
}

TEST(PhoneFitting, PagesOfFixedWidthAreReportedUntilTheBoxIsOn)
{
    const int widths[kTemplateTypeCount] = {620, 0, 0, 700, 700};
    for (int type = 0; type < kTemplateTypeCount; ++type) EXPECT_EQ(FixedPageWidth(type), widths[type]) << type;
    EXPECT_EQ(FixedPageWidth(-1), 0);

    PlateFlags off;
    PlateSelections s;
    s.type = 0;
    const std::vector<CheckResult> type1 = CheckPhoneWidth(off, s);
    ASSERT_EQ(type1.size(), 1u);
    EXPECT_EQ(type1[0].field, S("タイプ"));
    EXPECT_EQ(type1[0].advice, S("「タイプ１」は幅620ピクセルのまま表示されるため、スマートフォンでは画面の右に"
                                 "はみ出します。「スマートフォンでも読みやすく」をオンにすると画面の幅に収まります。"));
    s.type = 4;
    ASSERT_EQ(CheckPhoneWidth(off, s).size(), 1u);
    EXPECT_NE(CheckPhoneWidth(off, s)[0].advice.find(S("「タイプ５」は幅700ピクセル")), std::string::npos);
    for (const int shareOfScreen : {1, 2, -1}) {
        s.type = shareOfScreen;
        EXPECT_TRUE(CheckPhoneWidth(off, s).empty()) << shareOfScreen;
    }
    PlateFlags on;
    on.phoneFit = true;
    s.type = 3;
    EXPECT_TRUE(CheckPhoneWidth(on, s).empty());
}
