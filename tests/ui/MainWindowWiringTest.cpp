// The main window's recovery bar, status line, new menu items, the file tab
// that keeps unsaved edits and the help page without a browser.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>

#include "app/RecoveryFile.h"
#include "files/ui/CFileControl.h"
#include "mail/ui/CMail.h"
#include "support/AppTestSupport.h"

using namespace torepal;
using torepal::test::AppTest;

namespace {

class MainWindowWiring : public AppTest {
protected:
    QWidget* bar() const { return window->findChild<QWidget*>(QStringLiteral("recoveryBar")); }
    QPushButton* barButton(const char* name) const
    {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    std::string mailText(const char* name) const
    {
        return window->mailPage().findChild<QLineEdit*>(QString::fromLatin1(name))->text().toStdString();
    }
    void typeMail(const char* name, const std::string& utf8) const
    {
        window->mailPage().findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromStdString(utf8));
    }
    bool recoveryFile() const { return exists(kRecoveryFileName); }
};

TEST_F(MainWindowWiring, TypedTextsComeBackAfterAnExitThroughTheBar)
{
    start();
    EXPECT_TRUE(bar()->isHidden());
    type("titleEdit", "腕時計 美品");
    typeMail("itemEdit", "腕時計");
    window->exitProgram();  // no question
    EXPECT_TRUE(platform.questions.empty());
    ASSERT_TRUE(recoveryFile());

    window.reset();
    start();
    ASSERT_FALSE(bar()->isHidden());
    EXPECT_TRUE(window->recoveryOffered());
    EXPECT_EQ(text("titleEdit"), "");  // nothing put back without the seller's word
    EXPECT_EQ(mailText("itemEdit"), "");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.dialogTitles.empty());

    barButton("restoreButton")->click();
    EXPECT_TRUE(bar()->isHidden());
    EXPECT_EQ(text("titleEdit"), "腕時計 美品");
    EXPECT_EQ(mailText("itemEdit"), "腕時計");
    // Still unsaved, so still kept.
    const LoadedRecovery kept = LoadRecovery(folder);
    ASSERT_EQ(kept.status, RecoveryStatus::Found);
    EXPECT_EQ(kept.record.mail.texts.item, Sjis("腕時計"));
}

TEST_F(MainWindowWiring, AKilledProgramGivesBackTheWholeForm)
{
    start();
    type("titleEdit", "腕時計 美品");
    setChecked("sagawaBox", true);
    setChecked("paruruBox", true);
    setChecked("phoneFitBox", true);
    select("sizeCombo", 2);
    select("originCombo", 12);  // 東京都
    select("thicknessCombo", 2);
    const PlateForm form = window->platePage().typedForm();
    window->keepRecovery();  // the half-minute timer, then the program is killed
    window.reset();

    start();
    EXPECT_FALSE(checked("sagawaBox"));
    barButton("restoreButton")->click();
    EXPECT_EQ(text("titleEdit"), "腕時計 美品");
    EXPECT_TRUE(checked("sagawaBox"));
    EXPECT_TRUE(checked("paruruBox"));
    EXPECT_TRUE(checked("phoneFitBox"));
    EXPECT_EQ(selected("sizeCombo"), 2);
    EXPECT_EQ(selected("originCombo"), 12);
    EXPECT_EQ(selected("thicknessCombo"), 2);
    // Every value the page is rendered from, as before the kill.
    EXPECT_TRUE(window->platePage().typedForm() == form);
}

TEST_F(MainWindowWiring, DiscardRemovesTheFileAndNothingTypedLeavesNone)
{
    start();
    typeMail("itemEdit", "x");
    window->exitProgram();
    window.reset();
    start();
    barButton("discardRecoveryButton")->click();
    EXPECT_TRUE(bar()->isHidden());
    EXPECT_FALSE(recoveryFile());
    window->exitProgram();
    EXPECT_FALSE(recoveryFile());
    window.reset();
    start();
    EXPECT_TRUE(bar()->isHidden());
}

TEST_F(MainWindowWiring, AnUnansweredOfferWaitsForTheNextStart)
{
    start();
    typeMail("itemEdit", "x");
    window->exitProgram();
    window.reset();
    start();
    window->exitProgram();  // the bar was ignored, nothing typed
    window.reset();
    start();
    EXPECT_FALSE(bar()->isHidden());
}

TEST_F(MainWindowWiring, SavedMailLeavesNothingToRecoverAndTheTimerWritesWhileTyping)
{
    start();
    typeMail("itemEdit", "x");
    window->keepRecovery();  // what the half-minute timer does
    ASSERT_TRUE(recoveryFile());
    EXPECT_EQ(LoadRecovery(folder).record.mail.texts.item, "x");
    chooseTab(1);
    window->mailPage().findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
    window->keepRecovery();
    EXPECT_FALSE(recoveryFile());
}

TEST_F(MainWindowWiring, ADamagedFileIsSaidQuietlyAndCanBeThrownAway)
{
    write(kRecoveryFileName, "TRPLRCV");
    start();
    ASSERT_FALSE(bar()->isHidden());
    EXPECT_TRUE(barButton("restoreButton")->isHidden());
    EXPECT_NE(window->findChild<QLabel*>(QStringLiteral("recoveryText"))->text().toStdString().find("壊れて"),
              std::string::npos);
    barButton("discardRecoveryButton")->click();
    EXPECT_FALSE(recoveryFile());
}

TEST_F(MainWindowWiring, ProjectSaveIsSaidInTheStatusLine)
{
    start();
    EXPECT_NE(window->findChild<QStatusBar*>(), nullptr);
    EXPECT_EQ(&window->statusLine(), window->findChild<QStatusBar*>());
    platform.saveChoices.push_back(folder / "p.tpf");
    trigger("saveAction");
    ASSERT_EQ(platform.successes.size(), 1u);
    EXPECT_EQ(platform.successes[0], "「" + (folder / "p.tpf").string() + "」を保存しました");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MainWindowWiring, LeavingTheFileTabWithEditsAsksAndCanStay)
{
    write("back/1.txt", "one\r\n");
    start();
    chooseTab(2);
    auto* edit = window->filePage().findChild<QPlainTextEdit*>(QStringLiteral("fileTextEdit"));
    ASSERT_EQ(edit->toPlainText().toStdString(), "one\n");
    edit->setPlainText("changed\n");
    chooseTab(0);  // キャンセル
    EXPECT_EQ(window->tabs().currentIndex(), 2);
    EXPECT_EQ(edit->toPlainText().toStdString(), "changed\n");
    platform.unsavedAnswers = {UnsavedAnswer::Save};
    chooseTab(1);
    EXPECT_EQ(window->tabs().currentIndex(), 1);
    EXPECT_EQ(read("back/1.txt"), "changed\r\r\n");  // written back in text mode
    EXPECT_EQ(platform.questions.size(), 2u);
}

TEST_F(MainWindowWiring, HelpWithoutABrowserOffersItsPlace)
{
    platform.handlers[DesktopHandler::Html] = HandlerPresence::Missing;
    start();
    platform.yesNoAnswers = {true};
    trigger("helpAction");
    EXPECT_TRUE(platform.openedFiles.empty());
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_EQ(platform.clipboard[0], (folder / "menu_help.html").string());
    EXPECT_NE(platform.questions[0].find("ブラウザがこのパソコンに設定されていません"), std::string::npos);

    platform.handlers[DesktopHandler::Html] = HandlerPresence::Unknown;
    trigger("helpAction");
    EXPECT_EQ(platform.openedFiles.size(), 1u);
}

TEST_F(MainWindowWiring, LivePreviewItemCallsThePlatePagesOpener)
{
    start();
    EXPECT_TRUE(action("livePreviewAction")->isEnabled());  // the plate page gives its opener at start
    int opened = 0;
    window->setLivePreviewOpener([&opened] { ++opened; });
    trigger("livePreviewAction");
    EXPECT_EQ(opened, 1);
}

TEST_F(MainWindowWiring, TariffEditorOpensModallyAndReloadsOnlyAfterAChange)
{
    start();
    int reloads = 0;
    window->setTariffReloader([&reloads] { ++reloads; });
    cancelNextDialog();
    trigger("tariffAction");
    ASSERT_EQ(platform.dialogTitles.size(), 1u);
    EXPECT_NE(platform.dialogTitles[0].find("料金表"), std::string::npos);
    EXPECT_EQ(reloads, 0);
}

}  // namespace

// A 1366×768 screen with a panel leaves about 700 px: the window's own
// parts and the mail and file pages must fit in that; the window may still
// be made larger.
TEST_F(MainWindowWiring, MailAndFilePagesAndTheWindowChromeFitA768Screen)
{
    start();
    const int pageRoom = 700 - (window->minimumSizeHint().height() - window->tabs().minimumSizeHint().height()) -
                         window->tabs().tabBar()->sizeHint().height();
    EXPECT_LE(window->mailPage().minimumSizeHint().height(), pageRoom);
    EXPECT_LE(window->filePage().minimumSizeHint().height(), pageRoom);
    EXPECT_EQ(window->maximumHeight(), QWIDGETSIZE_MAX);
}
