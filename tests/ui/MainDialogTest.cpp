// The main window: its menu and tabs, start-up, exit, tab switches and the
// menu's commands.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTest>

#include "app/ui/CAbout.h"
#include "app/ui/MainDialog.h"
#include "files/ui/CFileControl.h"
#include "mail/ui/CMail.h"
#include "mail/ui/CMailEdit.h"
#include "plate/PageTemplates.h"
#include "plate/ui/CDTemplate.h"
#include "store/SettingsFiles.h"
#include "support/AppTestSupport.h"

using namespace torepal;
using namespace torepal::test;
using torepal::test::AppTest;

namespace {

std::vector<std::string> Labels(const QMenu* menu)
{
    std::vector<std::string> labels;
    for (const QAction* a : menu->actions())
        labels.push_back(a->isSeparator() ? std::string("-") : a->text().toStdString());
    return labels;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The three settings files with all texts empty and nothing ticked: what
// the exit writes after a first start with untouched forms.
std::string EmptyStatusFile()
{
    return std::string(5, '\0') + std::string(24, '\0');
}

class MainWindow : public AppTest {};

}  // namespace

TEST_F(MainWindow, TitleMenuAndTabsAreThoseOfTheProgram)
{
    MainDialog& w = start();
    EXPECT_EQ(w.windowTitle().toStdString(), "トレパル Ver 1.3.3");
    EXPECT_FALSE(w.windowIcon().pixmap(32, 32).isNull());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);

    std::vector<std::string> popups;
    std::vector<std::vector<std::string>> items;
    for (const QAction* a : w.menu().actions()) {
        popups.push_back(a->text().toStdString());
        items.push_back(Labels(a->menu()));
    }
    EXPECT_EQ(popups, (std::vector<std::string>{"ファイル（&F）", "設定（&C）", "表示（&V）", "ヘルプ（&H）",
                                                "バージョン情報（&A）"}));
    EXPECT_EQ(items[0], (std::vector<std::string>{"新規作成（&N）", "開く（&O）", "保存（&S）", "-", "終了（&E）"}));
    EXPECT_EQ(items[1],
              (std::vector<std::string>{"銀行口座編集（&G）", "マイブーステキスト編集（&M）", "料金表の編集（&T）"}));
    EXPECT_EQ(items[2], (std::vector<std::string>{"ライブプレビュー（&L）"}));
    EXPECT_EQ(items[3], (std::vector<std::string>{"ヘルプ表示"}));
    EXPECT_EQ(items[4], (std::vector<std::string>{"バージョン表示（&A）", "作者のホームページへ(&J)"}));

    ASSERT_EQ(w.tabs().count(), 3);
    EXPECT_EQ(w.tabs().tabText(0).toStdString(), "プレート作成");
    EXPECT_EQ(w.tabs().tabText(1).toStdString(), "メール作成");
    EXPECT_EQ(w.tabs().tabText(2).toStdString(), "ファイル管理");
    // Each tab holds its page in a scroll area of its own.
    EXPECT_EQ(&w.pageOfTab(0), &w.platePage());
    EXPECT_EQ(&w.pageOfTab(1), &w.mailPage());
    EXPECT_EQ(&w.pageOfTab(2), &w.filePage());
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(w.tabs().widget(i)->isAncestorOf(&w.pageOfTab(i)));
}

TEST_F(MainWindow, AtStartOnlyThePlatePageIsVisible)
{
    MainDialog& w = start();
    w.show();
    EXPECT_EQ(w.tabs().currentIndex(), 0);
    EXPECT_TRUE(w.platePage().isVisible());
    EXPECT_FALSE(w.mailPage().isVisible());
    EXPECT_FALSE(w.filePage().isVisible());
    EXPECT_TRUE(platform.messages.empty());
    w.hide();
}

TEST_F(MainWindow, StartUpReadsTheSettingsIntoBothPages)
{
    writeBankNames("みずほ銀行", "", "りそな銀行");
    CSavemail status;
    status.myname = Sjis("山田");
    status.tel = "03-1";
    status.accountTicks[2] = true;
    write(kStatusFile, EncodeStatus(status));
    CPSave plate;
    plate.templateType = 1;  // タイプ２
    plate.originIndex = 46;
    plate.color = "#ff0000";
    plate.center = true;
    plate.linkOff = true;
    write(kPlateFile, EncodePlate(plate));

    start();
    EXPECT_TRUE(platform.messages.empty());
    // The plate page: its account boxes carry bank.ini's names, the type
    // from plate.ini has set its colour labels.
    EXPECT_EQ(text("account1Box"), "みずほ銀行");
    EXPECT_EQ(text("account3Box"), "りそな銀行");
    EXPECT_EQ(text("paruruBox"), "ぱるる");
    EXPECT_EQ(selected("typeCombo"), 1);
    EXPECT_EQ(text("bgcolorLabel"), "【　影カラー　】");
    EXPECT_EQ(selected("originCombo"), 46);
    EXPECT_FALSE(find<QCheckBox>("sagawaBox")->isEnabled());
    EXPECT_EQ(text("colorEdit"), "#ff0000");
    // The mail page: template list, seller fields and ticks, captions.
    CMail& mail = window->mailPage();
    EXPECT_EQ(mail.findChild<QComboBox*>("templateCombo")->currentText().toStdString(), "a.txt");
    EXPECT_EQ(mail.findChild<QLineEdit*>("mynameEdit")->text().toStdString(), "山田");
    EXPECT_EQ(mail.findChild<QCheckBox*>("account3Box")->text().toStdString(), "りそな銀行");
    EXPECT_TRUE(mail.ticks()[2]);
}

TEST_F(MainWindow, DamagedBankFileAndMissingPlateFileStartCleanlyWithOneMessage)
{
    CBSave bank;
    bank.rows[0].bankName = Sjis("みずほ銀行");
    bank.rows[0].branch = Sjis("本店");
    const std::string full = EncodeBank(bank);
    write(kBankFile, full.substr(0, full.size() / 2));  // cut in the middle

    MainDialog& w = start();
    w.show();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(Contains(platform.messages[0], "bank.ini"));
    // What could be read is used; the form is the first start's otherwise.
    EXPECT_EQ(text("account1Box"), "みずほ銀行");
    EXPECT_EQ(selected("typeCombo"), 0);
    EXPECT_EQ(selected("weightCombo"), 0);
    EXPECT_TRUE(checked("centerRadio"));
    EXPECT_TRUE(checked("linkOffRadio"));
    EXPECT_TRUE(w.platePage().isVisible());

    // Switching tabs reads bank.ini again, but the damage is told once.
    chooseTab(1);
    chooseTab(0);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(exists(kPlateFile));
    w.hide();
}

TEST_F(MainWindow, TheMailAndFilePagesAreMadeOnFirstNeedFromWhatWasReadAtStart)
{
    CSavemail status;
    status.myname = Sjis("山田");
    status.accountTicks[2] = true;
    write(kStatusFile, EncodeStatus(status));
    MainDialog& w = start();
    auto* mailArea = qobject_cast<QScrollArea*>(w.tabs().widget(1));
    auto* fileArea = qobject_cast<QScrollArea*>(w.tabs().widget(2));
    ASSERT_NE(mailArea, nullptr);
    ASSERT_NE(fileArea, nullptr);
    EXPECT_EQ(mailArea->widget(), nullptr);
    EXPECT_EQ(fileArea->widget(), nullptr);

    // status.ini was read at start: the exit writes what was read then,
    // not what another program left there since.
    CSavemail later;
    later.myname = Sjis("鈴木");
    write(kStatusFile, EncodeStatus(later));
    trigger("exitAction");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(read(kStatusFile), EncodeStatus(status));
}

TEST_F(MainWindow, ADamagedStatusFileIsToldAtStartBeforeTheMailTabIsChosen)
{
    const std::string whole = EncodeStatus(CSavemail{});
    write(kStatusFile, whole.substr(0, whole.size() / 2));
    MainDialog& w = start();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(Contains(platform.messages[0], "status.ini"));
    chooseTab(1);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(qobject_cast<QScrollArea*>(w.tabs().widget(1))->widget(), nullptr);
}

TEST_F(MainWindow, ExitWritesTheThreeSettingsFiles)
{
    start();
    type("yahooIdEdit", "seller_9");
    window->mailPage().findChild<QLineEdit*>("mynameEdit")->setText(QStringLiteral("鈴木"));
    trigger("exitAction");

    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    CSavemail status;
    status.myname = Sjis("鈴木");
    EXPECT_EQ(read(kStatusFile), EncodeStatus(status));
    EXPECT_EQ(read(kBankFile), std::string(48, '\0'));
    const Loaded<CPSave> plate = LoadPlateFile(folder);
    EXPECT_EQ(plate.status, LoadStatus::Loaded);
    EXPECT_EQ(plate.record.yahooId, "seller_9");
    EXPECT_TRUE(plate.record.center);
    EXPECT_TRUE(plate.record.linkOff);
}

TEST_F(MainWindow, ExitWritesStatusThenPlateThenBankAndEndsEvenWhenEachFails)
{
    MainDialog& w = start();
    w.show();
    write(kBankFile, std::string(48, '\0'));
    SetWriteFaultForTesting(WriteFault::Create);
    trigger("exitAction");
    SetWriteFaultForTesting(WriteFault::None);

    // Every failure is told, in the order the files are written.
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_TRUE(Contains(platform.messages[0], "「status.ini」を保存できませんでした"));
    EXPECT_TRUE(Contains(platform.messages[1], "「plate.ini」を保存できませんでした"));
    EXPECT_TRUE(Contains(platform.messages[2], "「bank.ini」を保存できませんでした"));
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_FALSE(exists(kStatusFile));
    EXPECT_EQ(read(kBankFile), std::string(48, '\0'));

    // Nothing is written a second time once the program has ended.
    w.close();
    EXPECT_EQ(platform.messages.size(), 3u);
    EXPECT_FALSE(exists(kStatusFile));
}

TEST_F(MainWindow, ClosingTheWindowEndsTheProgramAfterTheExitWrites)
{
    MainDialog& w = start();
    w.show();
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(read(kStatusFile), EmptyStatusFile());
    EXPECT_TRUE(exists(kPlateFile));
    EXPECT_TRUE(exists(kBankFile));
}

TEST_F(MainWindow, EscapeOnTheTabsEndsTheProgramInsideAPageItDoesNothing)
{
    MainDialog& w = start();
    w.show();
    QApplication::setActiveWindow(&w);

    QLineEdit* title = find<QLineEdit>("titleEdit");
    title->setFocus();
    QTest::keyClick(title, Qt::Key_Escape);
    QTest::keyClick(title, Qt::Key_Return);
    QTest::keyClick(find<QPushButton>("completeButton"), Qt::Key_Return);
    QTest::keyClick(find<QComboBox>("typeCombo"), Qt::Key_Escape);
    QTest::keyClick(window->mailPage().findChild<QLineEdit*>("nameEdit"), Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(exists(kStatusFile));
    EXPECT_TRUE(savedPages().empty());  // Enter pressed no button

    QTabBar* bar = w.tabs().tabBar();
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(exists(kStatusFile));
    EXPECT_TRUE(exists(kPlateFile));
    EXPECT_TRUE(exists(kBankFile));
}

TEST_F(MainWindow, NewFormsAnsweredWithCancelChangesNothing)
{
    start();
    type("titleEdit", "時計");
    type("othersEdit", "注意");
    window->mailPage().findChild<QLineEdit*>("itemEdit")->setText(QStringLiteral("時計"));
    cancelNextDialog();
    trigger("newAction");
    ASSERT_EQ(platform.dialogTitles.size(), 1u);
    EXPECT_EQ(platform.dialogTitles[0], "新規作成");
    EXPECT_EQ(text("titleEdit"), "時計");
    EXPECT_EQ(window->mailPage().findChild<QLineEdit*>("itemEdit")->text().toStdString(), "時計");
}

TEST_F(MainWindow, NewFormsAnsweredWithOkEmptiesTheListingAndTheBuyer)
{
    CSavemail status;
    status.myname = Sjis("山田");
    write(kStatusFile, EncodeStatus(status));
    start();
    type("titleEdit", "時計");
    type("itemsEdit", "美品\n箱あり");
    type("transEdit", "手渡し");
    type("othersTitleEdit", "注意");
    type("othersEdit", "ノークレーム");
    type("colorEdit", "#123456");
    select("typeCombo", 3);
    select("weightCombo", 28);
    setChecked("leftRadio", true);
    setChecked("centerRadio", false);
    setChecked("yamatoBox", true);
    CMail& mail = window->mailPage();
    mail.findChild<QLineEdit*>("itemEdit")->setText(QStringLiteral("時計"));
    mail.findChild<QLineEdit*>("nameEdit")->setText(QStringLiteral("bidder"));

    std::string question;
    answerNextDialog([&](QDialog& d) {
        question = d.findChild<QLabel*>("questionLabel")->text().toStdString();
        EXPECT_EQ(d.findChild<QPushButton*>("okButton")->text().toStdString(), "OK");
        EXPECT_EQ(d.findChild<QPushButton*>("cancelButton")->text().toStdString(), "キャンセル");
    });
    trigger("newAction");
    EXPECT_EQ(question, "入力データは削除されますが、宜しいでしょうか！？");

    EXPECT_EQ(text("titleEdit"), "");
    EXPECT_EQ(text("itemsEdit"), "");
    EXPECT_EQ(text("transEdit"), "");
    EXPECT_EQ(selected("typeCombo"), 0);
    EXPECT_EQ(selected("weightCombo"), 0);
    EXPECT_TRUE(checked("centerRadio"));
    EXPECT_FALSE(checked("leftRadio"));
    EXPECT_TRUE(find<QCheckBox>("yamatoBox")->isEnabled());  // the weight rule followed
    EXPECT_EQ(text("bgcolorLabel"), "【　---　】");          // and the type's labels
    // Kept: the extra section, colours, ticks, the seller's own fields.
    EXPECT_EQ(text("othersTitleEdit"), "注意");
    EXPECT_EQ(text("othersEdit"), "ノークレーム");
    EXPECT_EQ(text("colorEdit"), "#123456");
    EXPECT_TRUE(checked("yamatoBox"));
    EXPECT_EQ(mail.findChild<QLineEdit*>("itemEdit")->text().toStdString(), "");
    EXPECT_EQ(mail.findChild<QLineEdit*>("nameEdit")->text().toStdString(), "");
    EXPECT_EQ(mail.findChild<QLineEdit*>("mynameEdit")->text().toStdString(), "山田");
}

TEST_F(MainWindow, AnAccountEditedFromTheMailPageShowsOnThePlatePageWhenItsTabIsChosen)
{
    writeBankNames("みずほ銀行");
    start();
    chooseTab(1);
    answerNextDialog(
        [](QDialog& d) { d.findChild<QLineEdit*>("bank3NameEdit")->setText(QStringLiteral("りそな銀行")); });
    window->mailPage().findChild<QPushButton*>("editAccountsButton")->click();
    EXPECT_EQ(window->mailPage().findChild<QCheckBox*>("account3Box")->text().toStdString(), "りそな銀行");
    EXPECT_EQ(text("account3Box"), "未登録");  // the plate page's copy is older until its tab is chosen

    chooseTab(0);
    EXPECT_EQ(text("account3Box"), "りそな銀行");
    EXPECT_EQ(text("account1Box"), "みずほ銀行");
}

TEST_F(MainWindow, TheExitWriteKeepsAnAccountEditMadeFromThePlatePage)
{
    start();
    chooseTab(1);  // the mail page has read bank.ini
    answerNextDialog([](QDialog& d) { d.findChild<QLineEdit*>("bank2NameEdit")->setText(QStringLiteral("ゆうちょ")); });
    trigger("bankAction");  // the settings menu acts on the plate page, whichever tab is shown
    ASSERT_EQ(platform.dialogTitles.size(), 1u);
    EXPECT_EQ(platform.dialogTitles[0], "振込み口座の編集");
    EXPECT_EQ(text("account2Box"), "ゆうちょ");

    trigger("exitAction");
    const Loaded<CBSave> bank = LoadBankFile(folder);
    EXPECT_EQ(bank.record.rows[1].bankName, Sjis("ゆうちょ"));
}

TEST_F(MainWindow, TheMailTabReadsBankIniAgainAndTheFileTabListsTheFolder)
{
    start();
    writeBankNames("新銀行");
    write("back/x.txt", "saved");
    chooseTab(1);
    EXPECT_EQ(window->mailPage().findChild<QCheckBox*>("account1Box")->text().toStdString(), "新銀行");
    EXPECT_EQ(text("account1Box"), "未登録");
    chooseTab(2);
    auto* list = window->filePage().findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->currentRow(), 0);
    chooseTab(0);
    EXPECT_EQ(text("account1Box"), "新銀行");
}

TEST_F(MainWindow, BoothTextItemEditsThePlatePagesText)
{
    start();
    chooseTab(2);
    answerNextDialog([](QDialog& d) { d.findChild<QLineEdit*>()->setText(QStringLiteral("ブースへどうぞ")); });
    trigger("boothTextAction");
    EXPECT_EQ(window->platePage().state().mytext, Sjis("ブースへどうぞ"));
}

TEST_F(MainWindow, HelpAboutAndTheMakersPage)
{
    start();
    trigger("helpAction");
    ASSERT_EQ(platform.openedFiles.size(), 1u);
    EXPECT_EQ(platform.openedFiles[0], folder / "menu_help.html");

    trigger("makerPageAction");
    ASSERT_EQ(platform.openedUris.size(), 1u);
    EXPECT_EQ(platform.openedUris[0], HomePageUrl());

    std::vector<std::string> lines;
    answerNextDialog([&](QDialog& d) {
        for (const char* name : {"versionLabel", "homePageLabel", "mailAddressLabel"})
            lines.push_back(d.findChild<QLabel*>(name)->text().toStdString());
        EXPECT_EQ(d.findChild<QPushButton*>("okButton")->text().toStdString(), "OK");
        EXPECT_FALSE(d.windowIcon().pixmap(32, 32).isNull());
        EXPECT_FALSE(d.findChild<QLabel*>("iconLabel")->pixmap().isNull());
    });
    trigger("aboutAction");
    ASSERT_EQ(platform.dialogTitles.size(), 1u);
    EXPECT_EQ(platform.dialogTitles[0], "バージョン情報");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "トレパル Version 1.3.3");
    EXPECT_EQ(lines[1].rfind("ホームページ", 0), 0u);
    EXPECT_TRUE(Contains(lines[1], HomePageUrl()));
    EXPECT_EQ(lines[2].rfind("メールアドレス", 0), 0u);
    // A build names a mail address only when it has one of its own.
    EXPECT_TRUE(MakerMailAddress().empty() || Contains(lines[2], "@"));
    EXPECT_TRUE(platform.messages.empty());
}
