// The plate form's current shipping services, its checks before a page goes
// out and the title's count: the seller ticks, types and presses buttons;
// the test reads the saved page, the files beside the program and the form.
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <fstream>

#include "app/ProjectFile.h"
#include "app/ui/MainDialog.h"
#include "plate/ui/CComplete.h"
#include "platform/ui/ChecksView.h"
#include "support/AppTestSupport.h"
#include "support/PlateTestSupport.h"
#include "support/core/WholeFiles.h"
#include "text/Lines.h"

using namespace torepal;
using namespace torepal::test;

namespace {

// Two services in the test's own tariffs folder. 速達テスト便 is listed
// first (order 5): the blocks follow the list's order.
const char* const kFlatFile = R"(name = "テスト便"
carrier = "テスト運輸"
effective = 2024-10-01
source = "テスト用の料金表"
order = 10
shape = "flat"
price = 430
max_weight_g = 4000
)";

const char* const kBandsFile = R"(name = "速達テスト便"
carrier = "テスト運輸"
in_force = 2025-04-01
source = "テスト用の料金表"
order = 5
shape = "bands"

[[variant]]
bands = [
  [  50, 140],
  [ 100, 180],
]
)";

// What each writes for the form's first weight (～25g), worked out from the
// files above: header, price line, date line.
const char* const kFlatBlock = "<br><b>▼テスト便</b><br> 430円<br>（2024年10月1日改定の料金）<br>";
const char* const kBandsBlock = "<br><b>▼速達テスト便</b><br> 140円<br>（2025年4月1日時点の料金）<br>";

void WriteText(const std::filesystem::path& file, const std::string& bytes)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class PlateServices : public PlatePageTest {
protected:
    void SetUp() override
    {
        WriteText(folder.path() / "tariffs" / "test-flat.toml", kFlatFile);
        WriteText(folder.path() / "tariffs" / "test-bands.toml", kBandsFile);
        makePage();
    }

    QListWidget* services() const { return find<QListWidget>("currentServicesList"); }
    QListWidgetItem* service(int row) const { return services()->item(row); }
    void tick(int row) const { service(row)->setCheckState(Qt::Checked); }

    std::string savedPage() const
    {
        for (const auto& e : std::filesystem::directory_iterator(back())) return ReadBytes(e.path());
        return {};
    }
    std::filesystem::path ticksFile() const { return folder.path() / "current_services.txt"; }
    ChecksView* checks() const { return find<ChecksView>("plateChecks"); }
};

}  // namespace

TEST_F(PlateServices, TheGroupListsTheTariffFilesInTheirOrder)
{
    ASSERT_EQ(services()->count(), 2);
    EXPECT_TRUE(service(0)->text().startsWith(QStringLiteral("速達テスト便")));
    EXPECT_TRUE(service(1)->text().startsWith(QStringLiteral("テスト便")));
    EXPECT_EQ(service(0)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PlateServices, ATickedServiceWritesItsBlockIntoTheSavedPage)
{
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    tick(1);
    button("completeButton")->click();
    ASSERT_EQ(savedCount(), 1u);
    const std::string saved = savedPage();
    EXPECT_TRUE(Contains(saved, S(kFlatBlock)));
    EXPECT_FALSE(Contains(saved, S("速達テスト便")));
}

TEST_F(PlateServices, EveryRenderTakesTheTickedServicesInTheListsOrder)
{
    tick(1);
    tick(0);
    std::string shown;
    platform.dialogs.push_back([&shown](QDialog& d) {
        shown = static_cast<CComplete&>(d).page();
        return QDialog::Rejected;
    });
    button("completeCopyButton")->click();
    EXPECT_TRUE(Contains(shown, S(std::string(kBandsBlock) + kFlatBlock)));

    button("previewButton")->click();
    ASSERT_EQ(platform.openedFiles.size(), 1u);
    EXPECT_TRUE(Contains(ReadBytes(platform.openedFiles[0]), S(std::string(kBandsBlock) + kFlatBlock)));
}

TEST_F(PlateServices, WithNothingTickedThePageIsThatOfAProgramWithoutTariffs)
{
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    box("yamatoBox")->click();
    button("completeButton")->click();
    const std::string withTariffs = savedPage();
    EXPECT_FALSE(std::filesystem::exists(ticksFile()));

    std::filesystem::remove_all(back());
    std::filesystem::create_directory(back());
    std::filesystem::remove_all(folder.path() / "tariffs");
    makePage();
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    box("yamatoBox")->click();
    button("completeButton")->click();
    ASSERT_FALSE(withTariffs.empty());
    EXPECT_EQ(savedPage(), withTariffs);
}

TEST_F(PlateServices, TicksAreKeptForTheNextStartAndGoneWithTheLastTick)
{
    tick(1);
    EXPECT_EQ(ReadBytes(ticksFile()), "test-flat\n");
    tick(0);
    EXPECT_EQ(ReadBytes(ticksFile()), "test-bands\ntest-flat\n");

    makePage();  // a restart
    EXPECT_EQ(page->tickedServiceIds(), (std::vector<std::string>{"test-bands", "test-flat"}));

    service(0)->setCheckState(Qt::Unchecked);
    service(1)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(std::filesystem::exists(ticksFile()));
}

TEST_F(PlateServices, ATickThatCannotBeKeptIsToldAndStaysOnTheForm)
{
    // A folder where the file of ticks belongs: it cannot be replaced.
    std::filesystem::create_directory(ticksFile());
    tick(1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(Contains(platform.messages[0], "current_services.txt")) << platform.messages[0];
    EXPECT_EQ(page->tickedServiceIds(), std::vector<std::string>{"test-flat"});
    EXPECT_TRUE(std::filesystem::is_directory(ticksFile()));
}

TEST_F(PlateServices, AFaultyTariffFileIsToldOnceAtStartAndLeftOut)
{
    WriteText(folder.path() / "tariffs" / "broken.toml", "name = \"壊れた便\"\nshape = \"flat\"\n");
    platform.messages.clear();
    makePage();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(Contains(platform.messages[0], "broken.toml")) << platform.messages[0];
    EXPECT_EQ(services()->count(), 2);
}

TEST_F(PlateServices, ReloadingTheTariffsKeepsTheTicks)
{
    tick(1);
    WriteText(folder.path() / "tariffs" / "another.toml",
              std::string(kFlatFile).replace(std::string(kFlatFile).find("テスト便"), std::string("テスト便").size(),
                                             "別のテスト便"));
    page->reloadTariffs();
    ASSERT_EQ(services()->count(), 3);
    EXPECT_EQ(page->tickedServiceIds(), std::vector<std::string>{"test-flat"});
    EXPECT_EQ(ReadBytes(ticksFile()), "test-flat\n");
}

// ---- the checks and the title count ---------------------------------------

TEST_F(PlatePageTest, TheTitleCountFollowsTheTyping)
{
    EXPECT_EQ(labelText("titleCountLabel").toStdString(), "0/65");
    QLineEdit* title = line("titleEdit");
    title->setFocus();
    QTest::keyClicks(title, QStringLiteral("abc"));
    EXPECT_EQ(labelText("titleCountLabel").toStdString(), "3/65");
    title->setText(QStringLiteral("腕時計 ステンレス"));  // 3 + the blank + 5 characters
    EXPECT_EQ(labelText("titleCountLabel").toStdString(), "9/65");
    title->setText(QString(66, QChar(0x3042)));
    EXPECT_EQ(labelText("titleCountLabel").toStdString(), "66/65");
}

TEST_F(PlatePageTest, ChecksShowOnTheFormAfterEachRenderAndGoWhenThereIsNothingToSay)
{
    ChecksView* checks = find<ChecksView>("plateChecks");
    EXPECT_TRUE(checks->isHidden());

    line("titleEdit")->setText(QStringLiteral("腕時計"));
    box("stampsBox")->click();  // no longer accepted by the site
    button("completeButton")->click();
    EXPECT_EQ(savedCount(), 1u);  // the page is saved all the same
    ASSERT_EQ(checks->count(), 1);
    EXPECT_FALSE(checks->isHidden());
    EXPECT_TRUE(checks->lines()[0].startsWith(QStringLiteral("支払い方法：「切手」")));
    EXPECT_TRUE(platform.dialogTitles.empty());  // no dialog for it

    box("stampsBox")->click();
    button("previewButton")->click();
    EXPECT_EQ(checks->count(), 0);
    EXPECT_TRUE(checks->isHidden());
}

TEST_F(PlatePageTest, TheResultDialogGetsTheListingsChecksAndCount)
{
    line("titleEdit")->setText(QStringLiteral("連絡は foo@example.com へ"));
    QStringList dialogLines;
    QString count;
    platform.dialogs.push_back([&](QDialog& d) {
        dialogLines = d.findChild<ChecksView*>()->lines();
        count = d.findChild<QLineEdit*>(QStringLiteral("titleCountEdit"))->text();
        return QDialog::Rejected;
    });
    button("completeCopyButton")->click();
    ASSERT_EQ(dialogLines.size(), 1);
    EXPECT_TRUE(dialogLines[0].contains(QStringLiteral("foo@example.com")));
    EXPECT_EQ(count.toStdString(), "21/65");
    EXPECT_EQ(find<ChecksView>("plateChecks")->lines(), dialogLines);
}

TEST_F(PlatePageTest, ACarrierWithoutAPriceForTheParcelIsChecked)
{
    box("yamatoBox")->click();
    combo("weightCombo")->setCurrentIndex(28);  // ～30kg
    combo("sizeCombo")->setCurrentIndex(1);     // 80size: the size combo, changed last, enables the box
    ASSERT_TRUE(box("yamatoBox")->isEnabled());
    button("completeButton")->click();
    ASSERT_EQ(find<ChecksView>("plateChecks")->count(), 1);
    EXPECT_TRUE(find<ChecksView>("plateChecks")->lines()[0].contains(QStringLiteral("クロネコヤマト")));
}

TEST_F(PlatePageTest, ClearingTheFormClearsItsChecks)
{
    box("stampsBox")->click();
    button("completeButton")->click();
    ASSERT_EQ(find<ChecksView>("plateChecks")->count(), 1);
    button("clearButton")->click();
    EXPECT_TRUE(find<ChecksView>("plateChecks")->isHidden());
}

TEST_F(PlatePageTest, EnterOnTheFocusedCompleteButtonPressesIt)
{
    QWidget window;
    page->setParent(&window);
    window.show();
    QPushButton* complete = button("completeButton");
    complete->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(complete->hasFocus());
    QTest::keyClick(complete, Qt::Key_Return);
    EXPECT_EQ(savedCount(), 1u);
    QTest::keyClick(complete, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    page->setParent(nullptr);
}

TEST_F(PlateServices, TheKeyboardReachesTheServicesAfterTheParcelCombos)
{
    QWidget window;
    page->setParent(&window);
    window.show();
    QComboBox* origin = combo("originCombo");
    origin->setFocus();
    QApplication::processEvents();
    QTest::keyClick(origin, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), services());
    // Space ticks the current service, as a seller without a mouse does.
    services()->setCurrentRow(1);
    QTest::keyClick(services(), Qt::Key_Space);
    EXPECT_EQ(page->tickedServiceIds(), std::vector<std::string>{"test-flat"});
    QTest::keyClick(services(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), line("colorEdit"));
    page->setParent(nullptr);
}

// ---- project files through the window ---------------------------------------

namespace {

class PlateServicesProject : public test::AppTest {
protected:
    void SetUp() override
    {
        test::AppTest::SetUp();
        WriteText(folder / "tariffs" / "test-flat.toml", kFlatFile);
    }
    QListWidget* services() const
    {
        return window->platePage().findChild<QListWidget*>(QStringLiteral("currentServicesList"));
    }
};

}  // namespace

TEST_F(PlateServicesProject, SavingTakesTheTicksAndOpeningGivesThemBack)
{
    MainDialog& w = start();
    platform.messages.clear();
    services()->item(0)->setCheckState(Qt::Checked);
    platform.saveChoices.push_back(folder / "p.tpf");
    w.saveProject();
    EXPECT_TRUE(w.projectText().ends_with("\r\n[CS1]\r\n,test-flat\r\n"));

    services()->item(0)->setCheckState(Qt::Unchecked);
    platform.openChoices.push_back(folder / "p.tpf");
    w.openProject();
    EXPECT_EQ(w.platePage().tickedServiceIds(), std::vector<std::string>{"test-flat"});
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PlateServicesProject, WithoutTicksTheProjectIsAsBefore)
{
    MainDialog& w = start();
    platform.saveChoices.push_back(folder / "p.tpf");
    w.saveProject();
    EXPECT_EQ(w.projectText().find("[CS1]"), std::string::npos);
}

TEST_F(PlateServicesProject, ServicesWithoutATariffFileAreToldAndLeftUnticked)
{
    MainDialog& w = start();
    platform.messages.clear();
    ProjectRecord r;
    r.currentServices = {"gone-service", "test-flat"};
    write("p.tpf", ToTextMode(BuildProjectText(r)));
    platform.openChoices.push_back(folder / "p.tpf");
    w.openProject();
    EXPECT_EQ(w.platePage().tickedServiceIds(), std::vector<std::string>{"test-flat"});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(Contains(platform.messages[0], "gone-service")) << platform.messages[0];
}
