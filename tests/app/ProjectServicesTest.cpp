// The current services in a project file ("[CS1]") and on the page.
#include <gtest/gtest.h>

#include "app/ProjectFile.h"
#include "app/ProjectMapping.h"
#include "plate/RenderPage.h"
#include "shipping/ParcelLists.h"
#include "shipping/TariffReader.h"
#include "text/Encoding.h"
#include "text/Lines.h"

using namespace torepal;

namespace {

const std::filesystem::path kShipped = std::filesystem::path(TOREPAL_SOURCE_DIR) / "program" / "tariffs";

ProjectRecord Listing()
{
    ProjectRecord r;
    r.Title = Sjis("腕時計");
    r.accounts[5].bankName = Sjis("ゆうちょ銀行");
    r.accounts[5].kind = 1;
    return r;
}

}  // namespace

TEST(ProjectCurrentServices, WithoutTicksTheFileIsUnchanged)
{
    const std::string text = BuildProjectText(Listing());
    EXPECT_EQ(text.find("[CS1]"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n1\r\n"));
}

TEST(ProjectCurrentServices, TicksFollowTheLastAccountsKindLine)
{
    ProjectRecord r = Listing();
    r.currentServices = {"teikeigai", "letterpack-light"};
    const std::string text = BuildProjectText(r);
    const std::string without = BuildProjectText(Listing());
    // The file without ticks, then an empty line, the marker and the ids.
    EXPECT_EQ(text, without + "\r\n[CS1]\r\n,teikeigai,letterpack-light\r\n");

    const auto back = ParseProjectText(ToTextMode(text));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->currentServices, (std::vector<std::string>{"teikeigai", "letterpack-light"}));
    EXPECT_EQ(back->accounts[5].kind, 1);
    EXPECT_EQ(back->accounts[5].bankName, Sjis("ゆうちょ銀行"));
}

TEST(ProjectCurrentServices, AFileWithoutTheSectionReadsAsBefore)
{
    const auto back = ParseProjectText(BuildProjectText(Listing()));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->currentServices.empty());
}

TEST(ProjectCurrentServices, IdsThatCannotBeIdsAreLeftOut)
{
    const std::string text = BuildProjectText(Listing()) + "\r\n[CS1]\r\n,yu-mail,,bad id,yu-mail,../x,clickpost\r\n";
    const auto back = ParseProjectText(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->currentServices, (std::vector<std::string>{"yu-mail", "clickpost"}));

    ProjectRecord r = Listing();
    r.currentServices = {"bad id", "a,b"};
    EXPECT_EQ(BuildProjectText(r), BuildProjectText(Listing()));
}

TEST(ProjectCurrentServices, TheFormsTicksGoIntoTheRecordInTheirOrder)
{
    const PlateState plate;
    const MailState mail;
    const ProjectRecord none = ProjectFromForms(plate, PlateFlags{}, PlateSelections{}, mail);
    EXPECT_TRUE(none.currentServices.empty());
    const ProjectRecord ticked =
        ProjectFromForms(plate, PlateFlags{}, PlateSelections{}, mail, {"yu-mail", "clickpost"});
    EXPECT_EQ(ticked.currentServices, (std::vector<std::string>{"yu-mail", "clickpost"}));
    // Nothing else of the record changes with the ticks.
    ProjectRecord withoutTicks = ticked;
    withoutTicks.currentServices.clear();
    EXPECT_EQ(BuildProjectText(withoutTicks), BuildProjectText(none));
}

TEST(ProjectCurrentServices, AnOpenedProjectSplitsItsServicesByTheTariffFilesReadNow)
{
    std::vector<Tariff> services(2);
    services[0].id = "clickpost";
    services[1].id = "yu-mail";
    ProjectRecord r = Listing();
    r.currentServices = {"gone", "yu-mail", "clickpost", "old-one"};
    const ProjectServices split = ServicesOfProject(r, services);
    EXPECT_EQ(split.known, (std::vector<std::string>{"yu-mail", "clickpost"}));
    EXPECT_EQ(split.unknown, (std::vector<std::string>{"gone", "old-one"}));

    r.currentServices.clear();
    const ProjectServices empty = ServicesOfProject(r, services);
    EXPECT_TRUE(empty.known.empty());
    EXPECT_TRUE(empty.unknown.empty());
}

TEST(RenderPageCurrentServices, OnlyCurrentServicesBringInTheShippingSection)
{
    const TariffFolder folder = ReadTariffFolder(kShipped);
    std::vector<Tariff> ticked;
    for (const Tariff& t : folder.services)
        if (t.id == "letterpack-plus") ticked.push_back(t);
    ASSERT_EQ(ticked.size(), 1u);

    PlateState plain;
    plain.templateType = 0;
    PlateState withServices = plain;
    const PlateFlags flags;
    RenderPage(plain, flags);
    RenderPage(withServices, flags, ticked);
    EXPECT_EQ(plain.sdata, "");
    EXPECT_EQ(withServices.sdata, Sjis("<br><b>▼レターパックプラス</b><br> 600円<br>（2024年10月1日改定の料金）<br>"));
    EXPECT_EQ(plain.page.find(withServices.sdata), std::string::npos);
    EXPECT_NE(withServices.page.find(withServices.sdata), std::string::npos);

    // Nothing ticked: the page of the built-in tariffs alone, byte for byte.
    PlateState again = plain;
    RenderPage(again, flags, {});
    EXPECT_EQ(again.page, plain.page);
}

TEST(RenderPageCurrentServices, AppendedAfterTheBuiltInMailClasses)
{
    const TariffFolder folder = ReadTariffFolder(kShipped);
    PlateState state;
    PlateFlags flags;
    flags.carriers.teikeigai = true;
    state.weightIndex = 8;  // ～500g
    RenderPage(state, flags, folder.services);
    // The built-in 2008 price first, then the current services' blocks.
    const std::string builtIn = Sjis("<br><b>▼定形外郵便</b><br> 390円<br>");
    const std::string current = Sjis(
        "<br><b>▼定形外郵便</b><br>【規格内】 510円<br>【規格外】 660円<br>（2024年10月1日改定の料金）<br>"
        "<br><b>▼レターパックライト</b><br>");
    EXPECT_TRUE(state.sdata.starts_with(builtIn + current)) << Utf8FromSjis(state.sdata);
}

TEST(ProjectPhoneFit, TheBoxIsKeptInASectionOfItsOwnOnlyWhenOn)
{
    ProjectRecord r = Listing();
    r.flags.phoneFit = true;
    r.currentServices = {"teikeigai"};
    ProjectRecord off = r;
    off.flags.phoneFit = false;
    const std::string text = BuildProjectText(r);
    EXPECT_EQ(text, BuildProjectText(off) + "\r\n[PL1]\r\n,1\r\n");
    EXPECT_EQ(BuildProjectText(off).find("[PL1]"), std::string::npos);

    const auto back = ParseProjectText(ToTextMode(text));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->flags.phoneFit);
    EXPECT_EQ(back->currentServices, std::vector<std::string>{"teikeigai"});
    const auto before = ParseProjectText(BuildProjectText(off));
    ASSERT_TRUE(before.has_value());
    EXPECT_FALSE(before->flags.phoneFit);
}
