// "保存（&S）" and "開く（&O）" through the main window and both pages.
#include <QComboBox>
#include <QLineEdit>

#include "app/ProjectFile.h"
#include "app/ui/MainDialog.h"
#include "mail/ui/CMail.h"
#include "mail/ui/CMailEdit.h"
#include "plate/ui/CDTemplate.h"
#include "store/SettingsFiles.h"
#include "support/AppTestSupport.h"
#include "support/core/CliRunner.h"
#include "support/core/WholeFiles.h"
#include "text/Lines.h"

using namespace torepal;
using namespace torepal::test;
using torepal::test::AppTest;

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class ProjectPages : public AppTest {
protected:
    std::filesystem::path project(const std::string& name = "p.tpf") const { return folder / name; }

    QLineEdit* mailLine(const char* name) const
    {
        QLineEdit* e = window->mailPage().findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(e, nullptr) << name;
        return e;
    }
    std::string mailText(const char* name) const { return mailLine(name)->text().toStdString(); }
    void mailType(const char* name, const char* utf8) const { mailLine(name)->setText(QString::fromUtf8(utf8)); }

    void save(const std::filesystem::path& to)
    {
        platform.saveChoices.push_back(to);
        trigger("saveAction");
    }
    void open(const std::filesystem::path& from)
    {
        platform.openChoices.push_back(from);
        trigger("openAction");
    }

    // A form a seller might have filled in on both pages.
    void fillForms()
    {
        type("titleEdit", "腕時計 ソニー");
        type("itemsEdit", "美品です\n箱あり\n");
        type("transEdit", "ゆうパックで発送");
        type("othersTitleEdit", "注意事項");
        type("othersEdit", "ノークレーム\n\nでお願いします");
        type("colorEdit", "#ff8000");
        type("bgcolorEdit", "#eeeeee");
        type("fcolorEdit", "#000000");
        type("yahooIdEdit", "seller_1");
        window->platePage().state().mytext = Sjis("ブースへ");
        select("typeCombo", 3);
        select("weightCombo", 12);
        select("sizeCombo", 2);
        select("originCombo", 46);
        setChecked("account2Box", true);
        setChecked("stampsBox", true);
        setChecked("yamatoBox", true);
        setChecked("expackBox", true);
        setChecked("centerRadio", false);
        setChecked("leftRadio", true);
        setChecked("linkOffRadio", false);
        setChecked("linkOnRadio", true);

        mailType("mynameEdit", "山田太郎");
        mailType("zipEdit", "100-0001");
        mailType("postEdit", "東京都千代田区");
        mailType("telEdit", "03-1234-5678");
        mailType("ktelEdit", "090-0000-0000");
        mailType("itemEdit", "腕時計");
        mailType("nameEdit", "bidder");
        mailType("faucEdit", "3000");
        mailType("bidderMailEdit", "b@example.jp");
        mailType("transmenEdit", "佐川急便");
        mailType("transnumEdit", "1234");
        mailType("ftransEdit", "800");
        window->mailPage().findChild<QCheckBox*>("account5Box")->setChecked(true);
    }

    void clearAllByHand()
    {
        for (const char* name : {"titleEdit", "itemsEdit", "transEdit", "othersTitleEdit", "othersEdit", "colorEdit",
                                 "bgcolorEdit", "fcolorEdit", "yahooIdEdit"})
            type(name, "");
        window->platePage().state().mytext.clear();
        for (const char* name : {"mynameEdit", "zipEdit", "postEdit", "telEdit", "ktelEdit", "itemEdit", "nameEdit",
                                 "faucEdit", "bidderMailEdit", "transmenEdit", "transnumEdit", "ftransEdit"})
            mailType(name, "");
        select("typeCombo", 0);
        select("weightCombo", 0);
        select("sizeCombo", 0);
        select("originCombo", 0);
        window->platePage().setFlags(PlateFlags{});
        window->mailPage().setTicks(AccountTicks{});
    }

    void expectFilledForms() const
    {
        EXPECT_EQ(text("titleEdit"), "腕時計 ソニー");
        EXPECT_EQ(text("itemsEdit"), "美品です\n箱あり\n");
        EXPECT_EQ(text("transEdit"), "ゆうパックで発送");
        EXPECT_EQ(text("othersTitleEdit"), "注意事項");
        EXPECT_EQ(text("othersEdit"), "ノークレーム\n\nでお願いします");
        EXPECT_EQ(text("colorEdit"), "#ff8000");
        EXPECT_EQ(text("bgcolorEdit"), "#eeeeee");
        EXPECT_EQ(text("fcolorEdit"), "#000000");
        EXPECT_EQ(text("yahooIdEdit"), "seller_1");
        EXPECT_EQ(window->platePage().state().mytext, Sjis("ブースへ"));
        EXPECT_EQ(selected("typeCombo"), 3);
        EXPECT_EQ(selected("weightCombo"), 12);
        EXPECT_EQ(selected("sizeCombo"), 2);
        EXPECT_EQ(selected("originCombo"), 46);
        EXPECT_TRUE(checked("account2Box"));
        EXPECT_FALSE(checked("account1Box"));
        EXPECT_TRUE(checked("stampsBox"));
        EXPECT_TRUE(checked("yamatoBox"));
        EXPECT_TRUE(checked("expackBox"));
        EXPECT_FALSE(checked("sagawaBox"));
        EXPECT_FALSE(checked("centerRadio"));
        EXPECT_TRUE(checked("leftRadio"));
        EXPECT_FALSE(checked("linkOffRadio"));
        EXPECT_TRUE(checked("linkOnRadio"));
        // The selection handlers ran: 沖　縄 disables 佐川急便, タイプ４'s labels.
        EXPECT_FALSE(find<QCheckBox>("sagawaBox")->isEnabled());
        EXPECT_EQ(text("bgcolorLabel"), "【バックカラー】");
        EXPECT_EQ(window->platePage().state().originIndex, 46);
        EXPECT_EQ(window->platePage().state().templateType, 3);

        EXPECT_EQ(mailText("mynameEdit"), "山田太郎");
        EXPECT_EQ(mailText("zipEdit"), "100-0001");
        EXPECT_EQ(mailText("postEdit"), "東京都千代田区");
        EXPECT_EQ(mailText("telEdit"), "03-1234-5678");
        EXPECT_EQ(mailText("ktelEdit"), "090-0000-0000");
        EXPECT_EQ(mailText("itemEdit"), "腕時計");
        EXPECT_EQ(mailText("nameEdit"), "bidder");
        EXPECT_EQ(mailText("faucEdit"), "3000");
        EXPECT_EQ(mailText("bidderMailEdit"), "b@example.jp");
        EXPECT_EQ(mailText("transmenEdit"), "佐川急便");
        EXPECT_EQ(mailText("transnumEdit"), "1234");
        EXPECT_EQ(mailText("ftransEdit"), "800");
        EXPECT_EQ(window->mailPage().ticks(), (AccountTicks{false, false, false, false, true, false}));
    }
};

}  // namespace

TEST_F(ProjectPages, SaveWritesTheFormsInTextModeThroughTheProjectDialog)
{
    writeBankNames("みずほ銀行", "りそな銀行");
    start();
    fillForms();
    save(project());

    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.lastFileRequest.filterLabel, Sjis("トレパルファイル(*.tpf)"));
    EXPECT_EQ(platform.lastFileRequest.pattern, "*.tpf");
    EXPECT_EQ(platform.lastFileRequest.defaultSuffix, "tpf");
    const std::string disk = read("p.tpf");
    EXPECT_EQ(disk, ToTextMode(window->projectText()));
    EXPECT_EQ(disk.rfind("[TM1]\r\r\n-3-\r\r\n", 0), 0u);
    EXPECT_TRUE(Contains(disk, "[TM2]\r\r\n,0,1,0,0,0,0,0,1\r\r\n"));
    EXPECT_TRUE(Contains(disk, "[TM3]\r\r\n,1,0,0,0,0,0,0,1\r\r\n"));
    EXPECT_TRUE(Contains(disk, "[TM4]\r\r\n,12,2,46,3,0,1,0,1\r\r\n"));
    EXPECT_TRUE(Contains(disk, "[MP2]\r\r\n,0,0,0,0,1,0\r\r\n"));
    EXPECT_TRUE(Contains(disk, "[BK2]\r\r\n" + Sjis("りそな銀行") + "\r\r\n"));
}

TEST_F(ProjectPages, CancelledSaveWritesNothing)
{
    start();
    platform.saveChoices.push_back(std::nullopt);
    trigger("saveAction");
    EXPECT_FALSE(exists("p.tpf"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(window->projectText().empty());
}

TEST_F(ProjectPages, ASaveThatCannotBeWrittenSaysSoAndKeepsTheOldFile)
{
    start();
    fillForms();
    write("p.tpf", "old project");
    SetWriteFaultForTesting(WriteFault::Write);
    save(project());
    SetWriteFaultForTesting(WriteFault::None);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(Contains(platform.messages[0], "保存できませんでした"));
    EXPECT_EQ(read("p.tpf"), "old project");

    save(folder / "no-such-folder" / "p.tpf");
    EXPECT_EQ(platform.messages.size(), 2u);
}

TEST_F(ProjectPages, OpenRestoresBothFormsAndSavingAgainGivesTheSameBytes)
{
    writeBankNames("みずほ銀行", "りそな銀行");
    start();
    fillForms();
    save(project());
    clearAllByHand();

    open(project());
    EXPECT_TRUE(platform.messages.empty());
    expectFilledForms();

    save(project("again.tpf"));
    EXPECT_EQ(read("again.tpf"), read("p.tpf"));
}

TEST_F(ProjectPages, OpenReadsFilesWithCrLfOrLfLineEnds)
{
    start();
    fillForms();
    save(project());
    const std::string text = window->projectText();
    std::string lf;
    for (char c : text)
        if (c != '\r') lf.push_back(c);
    write("crlf.tpf", text);
    write("lf.tpf", lf);
    for (const char* name : {"crlf.tpf", "lf.tpf"}) {
        clearAllByHand();
        open(project(name));
        expectFilledForms();
    }
}

TEST_F(ProjectPages, AMalformedFileLeavesBothFormsAsTheyWere)
{
    start();
    fillForms();
    save(project());
    const std::string saved = read("p.tpf");
    write("cut.tpf", saved.substr(0, saved.find("[BK4]")));
    write("notes.tpf", "hello\r\n");
    std::string counted = saved;
    counted.replace(counted.find("-3-"), 3, "-900-");
    write("count.tpf", counted);

    clearAllByHand();
    type("titleEdit", "typed");
    mailType("nameEdit", "typed bidder");
    setChecked("sagawaBox", true);
    select("typeCombo", 2);
    const std::string before = window->projectText();
    const std::string stateTitle = window->platePage().state().Title;

    open(project("cut.tpf"));
    open(project("notes.tpf"));
    open(project("count.tpf"));
    open(project("missing.tpf"));
    ASSERT_EQ(platform.messages.size(), 4u);
    EXPECT_TRUE(Contains(platform.messages[0], "「[BK4]」"));
    EXPECT_TRUE(Contains(platform.messages[1], "トレパルファイルではありません"));
    EXPECT_TRUE(Contains(platform.messages[2], "途中で終わっています"));
    EXPECT_TRUE(Contains(platform.messages[3], "読み込めませんでした"));
    for (const std::string& m : platform.messages) EXPECT_TRUE(Contains(m, "フォームは変更されていません。"));

    EXPECT_EQ(text("titleEdit"), "typed");
    EXPECT_EQ(text("itemsEdit"), "");
    EXPECT_EQ(mailText("nameEdit"), "typed bidder");
    EXPECT_EQ(mailText("mynameEdit"), "");
    EXPECT_TRUE(checked("sagawaBox"));
    EXPECT_EQ(selected("typeCombo"), 2);
    EXPECT_EQ(window->platePage().state().Title, stateTitle);  // nothing was pulled or set either
    EXPECT_EQ(window->projectText(), before);
}

TEST_F(ProjectPages, CancelledOpenChangesNothing)
{
    start();
    type("titleEdit", "typed");
    platform.openChoices.push_back(std::nullopt);
    trigger("openAction");
    EXPECT_EQ(text("titleEdit"), "typed");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ProjectPages, SelectionsWithoutEntryAndAllDefaultFormOpen)
{
    ProjectRecord r;
    r.selections = ProjectSelections{-1, -1, -1, -1};
    write("none.tpf", ToTextMode(BuildProjectText(r)));
    start();
    select("typeCombo", 1);
    open(project("none.tpf"));
    EXPECT_EQ(selected("weightCombo"), -1);
    EXPECT_EQ(selected("sizeCombo"), -1);
    EXPECT_EQ(selected("originCombo"), -1);
    EXPECT_EQ(selected("typeCombo"), -1);
    EXPECT_EQ(window->platePage().state().templateType, -1);
    // The clear showed タイプ１'s labels; without a type they stay.
    EXPECT_EQ(text("bgcolorLabel"), "【　---　】");
    EXPECT_TRUE(find<QCheckBox>("sagawaBox")->isEnabled());  // -1 enables

    save(project("none-again.tpf"));
    EXPECT_EQ(read("none-again.tpf"), read("none.tpf"));
}

TEST_F(ProjectPages, OpeningReplacesWhatWasTypedInTheMailPageWithoutReadingIt)
{
    ProjectRecord r;
    r.name = "from file";
    write("p.tpf", ToTextMode(BuildProjectText(r)));
    start();
    mailType("nameEdit", "♥");  // a character Shift-JIS cannot hold
    type("titleEdit", "♥");
    open(project());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(mailText("nameEdit"), "from file");
    EXPECT_EQ(text("titleEdit"), "");
}

TEST_F(ProjectPages, ProjectBankNamesServeThePlatePageUntilItsTabIsChosenAgain)
{
    writeBankNames("ファイル銀行", "二番銀行");
    ProjectRecord r;
    r.Title = "t";
    r.flags.payment.accounts = {true, true, false, false, true, false};
    r.accounts[0].bankName = Sjis("プロジェクト銀行");
    r.accounts[1].bankName = Sjis("二番目");
    r.accounts[4].bankName = Sjis("ぱるるではない");  // the postal boxes keep their words
    r.accounts[5].holder = Sjis("名義");
    write("p.tpf", ToTextMode(BuildProjectText(r)));
    start();
    open(project());

    EXPECT_EQ(text("account1Box"), "プロジェクト銀行");
    EXPECT_EQ(text("account2Box"), "二番目");
    EXPECT_EQ(text("paruruBox"), "ぱるる");
    window->platePage().finishAndSave();
    ASSERT_EQ(savedPages().size(), 1u);
    const std::string first = test::ReadBytes(savedPages()[0]);
    EXPECT_TRUE(Contains(first, Sjis("プロジェクト銀行")));
    EXPECT_FALSE(Contains(first, Sjis("ファイル銀行")));
    std::filesystem::remove(savedPages()[0]);

    // The mail page's copy was not touched.
    EXPECT_EQ(window->mailPage().findChild<QCheckBox*>("account1Box")->text().toStdString(), "ファイル銀行");
    EXPECT_EQ(LoadBankFile(folder).record.rows[0].bankName, Sjis("ファイル銀行"));

    chooseTab(1);
    chooseTab(0);
    EXPECT_EQ(text("account1Box"), "ファイル銀行");
    window->platePage().finishAndSave();
    ASSERT_EQ(savedPages().size(), 1u);
    const std::string second = test::ReadBytes(savedPages()[0]);
    EXPECT_TRUE(Contains(second, Sjis("ファイル銀行")));
    EXPECT_FALSE(Contains(second, Sjis("プロジェクト銀行")));
}

TEST_F(ProjectPages, SavingAfterOpeningWritesBankIniAccountsNotTheProjects)
{
    writeBankNames("ファイル銀行");
    ProjectRecord r;
    r.accounts[0].bankName = Sjis("プロジェクト銀行");
    write("p.tpf", ToTextMode(BuildProjectText(r)));
    start();
    open(project());
    save(project("saved.tpf"));
    const std::string saved = read("saved.tpf");
    EXPECT_TRUE(Contains(saved, "[BK1]\r\r\n" + Sjis("ファイル銀行") + "\r\r\n"));
    EXPECT_FALSE(Contains(saved, Sjis("プロジェクト銀行")));
}

TEST_F(ProjectPages, OpeningChangesNoSettingsFileAndNoTemplateChoice)
{
    write("file/b.txt", "other\r\r\n");
    writeBankNames("ファイル銀行");
    start();
    trigger("exitAction");  // writes all three settings files once
    window.reset();
    start();
    QComboBox* templates = window->mailPage().findChild<QComboBox*>("templateCombo");
    templates->setCurrentIndex(1);
    const std::string bank = read(kBankFile), plate = read(kPlateFile), status = read(kStatusFile);
    const auto stamp = std::filesystem::last_write_time(folder / kBankFile);

    ProjectRecord r;
    r.accounts[0].bankName = Sjis("プロジェクト銀行");
    r.myname = Sjis("別の名前");
    r.selections.origin = 5;
    write("p.tpf", ToTextMode(BuildProjectText(r)));
    open(project());

    EXPECT_EQ(templates->currentText().toStdString(), "b.txt");
    EXPECT_EQ(read(kBankFile), bank);
    EXPECT_EQ(read(kPlateFile), plate);
    EXPECT_EQ(read(kStatusFile), status);
    EXPECT_EQ(std::filesystem::last_write_time(folder / kBankFile), stamp);
    EXPECT_TRUE(savedPages().empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder / "back"));
}

TEST_F(ProjectPages, OneLineValuesAreCleanedInThePlateFormWhenSaved)
{
    start();
    window->platePage().state().mytext = "a\r\nb";
    save(project());
    EXPECT_EQ(window->platePage().state().mytext, "ab");
    EXPECT_TRUE(Contains(read("p.tpf"), "\r\r\nab\r\r\n\r\r\n[MP1]"));
}

#ifdef TOREPAL_CLI
TEST_F(ProjectPages, CliRenderOfASavedProjectEqualsThePageFinishSaves)
{
    writeBankNames("みずほ銀行", "りそな銀行");
    start();
    fillForms();
    type("itemsEdit", "美品です\n<b>箱あり</b>");
    save(project());
    window->platePage().finishAndSave();
    ASSERT_EQ(savedPages().size(), 1u);
    const std::string page = test::ReadBytes(savedPages()[0]);
    EXPECT_TRUE(Contains(page, Sjis("りそな銀行")));

    const test::CliResult r = test::RunCli(TOREPAL_CLI, {"render", project().string()}, folder);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, page);

    // And so it does right after the project is opened in a fresh window.
    window.reset();
    std::filesystem::remove(savedPages()[0]);
    std::filesystem::remove(folder / kBankFile);
    start();
    open(project());
    window->platePage().finishAndSave();
    ASSERT_EQ(savedPages().size(), 1u);
    EXPECT_EQ(test::ReadBytes(savedPages()[0]), r.out);
}
#endif
