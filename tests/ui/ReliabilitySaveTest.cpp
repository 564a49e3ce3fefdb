// Every file the program writes, under every way a write can fail: the
// folder refuses the new file, the disk fills up part way, the data cannot
// be flushed, the new file cannot be put in place, the program dies between
// writing and replacing. In each case the file that was there keeps its
// bytes, and the seller is told (except after a real crash, where no one is
// left to tell; the hook returns failure there too).

#include <QListWidget>
#include <QTest>

#include "app/ProjectFile.h"
#include "files/SavedFileList.h"
#include "files/ui/CFileControl.h"
#include "mail/MailFiles.h"
#include "mail/MailMessages.h"
#include "mail/ui/CMail.h"
#include "mail/ui/CMailEdit.h"
#include "plate/SavedPages.h"
#include "support/AppTestSupport.h"
#include "support/core/WholeFiles.h"

namespace torepal {
namespace {

using namespace test;

const std::vector<WriteFault> kFaults = {WriteFault::Create, WriteFault::Write, WriteFault::Sync, WriteFault::Rename,
                                         WriteFault::CrashBeforeRename};

std::string U(const std::string& sjis)
{
    return Utf8FromSjis(sjis);
}

class SaveUnderFault : public AppTest, public ::testing::WithParamInterface<WriteFault> {
protected:
    std::string stamp() const { return FormatTimeStamp(platform.clock); }

    // Only the file itself, and after a simulated crash its hidden new
    // version, may be in the folder.
    void expectOnly(const std::string& relativeFolder, std::vector<std::string> names)
    {
        std::vector<std::string> left;
        for (const std::string& n : FolderNames(folder / relativeFolder))
            if (!(GetParam() == WriteFault::CrashBeforeRename && IsWriteTemporary(n))) left.push_back(n);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(left, names) << FaultName(GetParam());
    }

    QPushButton* button(QWidget& page, const char* name)
    {
        QPushButton* b = page.findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
};

TEST_P(SaveUnderFault, PlateCompleteKeepsTheOldPageAndStillShowsTheNewOne)
{
    start().show();
    type("titleEdit", "腕時計");
    const std::string name = SavedPageName(stamp(), Sjis("腕時計"));
    const std::string relative = "back/" + U(name);
    write(relative, "old page");
    {
        WriteFaultGuard fault(GetParam());
        QTest::mouseClick(button(window->platePage(), "completeButton"), Qt::LeftButton);
    }
    EXPECT_EQ(read(relative), "old page");
    ASSERT_EQ(platform.messages.size(), 1u);
    // A different page holds the name, so the new one went for the next
    // numbered name; the message names that file.
    EXPECT_EQ(platform.messages[0], U(PageNotSavedMessage(SavedPageName(stamp(), Sjis("腕時計 (2)")), false)));
    // The page is not lost: the result dialog shows it for copying.
    EXPECT_EQ(platform.dialogTitles.size(), 1u);
    expectOnly("back", {U(name)});
}

TEST_P(SaveUnderFault, PlatePreviewKeepsTheOldPreviewAndOpensNothing)
{
    start().show();
    write(kPreviewFileName, "old preview");
    {
        WriteFaultGuard fault(GetParam());
        QTest::mouseClick(button(window->platePage(), "previewButton"), Qt::LeftButton);
    }
    EXPECT_EQ(read(kPreviewFileName), "old preview");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], U(PreviewNotWrittenMessage()));
    EXPECT_TRUE(platform.openedFiles.empty());
    EXPECT_EQ(platform.dialogTitles.size(), 1u);
}

TEST_P(SaveUnderFault, MailSaveKeepsTheOldMailAndTheForm)
{
    start().show();
    CMail& mail = window->mailPage();
    mail.findChild<QLineEdit*>("itemEdit")->setText(QStringLiteral("腕時計"));
    mail.findChild<QPlainTextEdit*>("bodyEdit")->setPlainText(QStringLiteral("鈴木様\nありがとうございました。"));
    const std::string name = SavedMailName(stamp(), Sjis("腕時計"));
    const std::string relative = "back/" + U(name);
    write(relative, "old mail");
    {
        WriteFaultGuard fault(GetParam());
        QTest::mouseClick(button(mail, "saveButton"), Qt::LeftButton);
    }
    EXPECT_EQ(read(relative), "old mail");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], U(MailNotSavedMessage(name)));
    EXPECT_EQ(mail.findChild<QPlainTextEdit*>("bodyEdit")->toPlainText(),
              QStringLiteral("鈴木様\nありがとうございました。"));
    expectOnly("back", {U(name)});
}

TEST_P(SaveUnderFault, TemplateEditorSaveKeepsTheOldTemplateAndTheEditedText)
{
    start().show();
    CMail& mail = window->mailPage();
    QTest::mouseClick(button(mail, "editTemplateButton"), Qt::LeftButton);
    CMailEdit* editor = mail.templateEditor();
    ASSERT_NE(editor, nullptr);
    auto* text = editor->findChild<QPlainTextEdit*>("textEdit");
    ASSERT_NE(text, nullptr);
    text->setPlainText(QStringLiteral("[name] 様\n変更しました"));
    {
        WriteFaultGuard fault(GetParam());
        QTest::mouseClick(button(*editor, "saveButton"), Qt::LeftButton);
    }
    EXPECT_EQ(read("file/a.txt"), "[name] [sum]\r\r\n[bank]\r\r\n");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], U(TemplateNotSavedMessage("a.txt")));
    EXPECT_EQ(text->toPlainText(), QStringLiteral("[name] 様\n変更しました"));
    expectOnly("file", {"a.txt"});
}

TEST_P(SaveUnderFault, FileManagerWriteBackKeepsTheOldFileAndTheEditedText)
{
    write("back/1.txt", "one\r\r\ntwo\r\r\n");
    start().show();
    chooseTab(2);
    CFileControl& files = window->filePage();
    auto* edit = files.findChild<QPlainTextEdit*>("fileTextEdit");
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->toPlainText(), QStringLiteral("one\ntwo\n"));
    edit->setPlainText(QStringLiteral("changed"));
    {
        WriteFaultGuard fault(GetParam());
        QTest::mouseClick(button(files, "writeBackButton"), Qt::LeftButton);
    }
    EXPECT_EQ(read("back/1.txt"), "one\r\r\ntwo\r\r\n");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], U(FileMessages().writeFailed));
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("changed"));
    expectOnly("back", {"1.txt"});
}

TEST_P(SaveUnderFault, ProjectSaveKeepsTheOldProjectFile)
{
    start().show();
    type("titleEdit", "腕時計");
    write("old.tpf", "old project");
    platform.saveChoices.push_back(folder / "old.tpf");
    {
        WriteFaultGuard fault(GetParam());
        trigger("saveAction");
    }
    EXPECT_EQ(read("old.tpf"), "old project");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], U(ProjectSaveFailedMessage()));
}

TEST_P(SaveUnderFault, ExitKeepsAllThreeSettingsFilesAndTellsEachFailure)
{
    CSavemail status;
    status.myname = Sjis("山田");
    CBSave bank;
    bank.rows[0].bankName = Sjis("みずほ銀行");
    CPSave plate;
    plate.yahooId = "old_id";
    plate.center = true;
    plate.linkOff = true;
    write(kStatusFile, EncodeStatus(status));
    write(kBankFile, EncodeBank(bank));
    write(kPlateFile, EncodePlate(plate));
    const std::string oldStatus = read(kStatusFile), oldBank = read(kBankFile), oldPlate = read(kPlateFile);

    start().show();
    type("yahooIdEdit", "new_id");
    window->mailPage().findChild<QLineEdit*>("mynameEdit")->setText(QStringLiteral("鈴木"));
    {
        WriteFaultGuard fault(GetParam());
        trigger("exitAction");
    }
    EXPECT_EQ(read(kStatusFile), oldStatus);
    EXPECT_EQ(read(kPlateFile), oldPlate);
    EXPECT_EQ(read(kBankFile), oldBank);
    ASSERT_EQ(platform.messages.size(), 3u) << FaultName(GetParam());
    for (const char* name : {kStatusFile, kPlateFile, kBankFile}) {
        const std::string told = U(StoreFailedMessage(name));
        EXPECT_NE(std::find(platform.messages.begin(), platform.messages.end(), told), platform.messages.end()) << name;
    }
    EXPECT_EQ(window->result(), QDialog::Rejected);  // the program still ends
}

TEST_P(SaveUnderFault, AccountEditorOkOnEitherPageKeepsTheOldBankFile)
{
    CBSave bank;
    bank.rows[0].bankName = Sjis("みずほ銀行");
    write(kBankFile, EncodeBank(bank));
    const std::string oldBank = read(kBankFile);
    start().show();
    for (QWidget* page : {static_cast<QWidget*>(&window->platePage()), static_cast<QWidget*>(&window->mailPage())}) {
        platform.messages.clear();
        answerNextDialog();
        {
            WriteFaultGuard fault(GetParam());
            const char* name = page == &window->mailPage() ? "editAccountsButton" : "bankButton";
            QTest::mouseClick(button(*page, name), Qt::LeftButton);
        }
        EXPECT_EQ(read(kBankFile), oldBank);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0], U(StoreFailedMessage(kBankFile)));
    }
    expectOnly(".", {"back", "file", kBankFile});
}

INSTANTIATE_TEST_SUITE_P(EveryFault, SaveUnderFault, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<WriteFault>& fault) { return FaultName(fault.param); });

// Real faults, without the hook.
class SaveWithRealFault : public AppTest {};

TEST_F(SaveWithRealFault, BackBeingAFileStopsPageAndMailSavesAndIsLeftAlone)
{
    std::filesystem::remove_all(folder / "back");
    write("back", "a file, not a folder");
    start().show();
    type("titleEdit", "腕時計");
    QTest::mouseClick(window->platePage().findChild<QPushButton*>("completeButton"), Qt::LeftButton);
    window->mailPage().findChild<QLineEdit*>("itemEdit")->setText(QStringLiteral("腕時計"));
    QTest::mouseClick(window->mailPage().findChild<QPushButton*>("saveButton"), Qt::LeftButton);

    EXPECT_EQ(read("back"), "a file, not a folder");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0],
              U(PageNotSavedMessage(SavedPageName(FormatTimeStamp(platform.clock), Sjis("腕時計")), true)));
    EXPECT_EQ(platform.messages[1],
              U(MailNotSavedMessage(SavedMailName(FormatTimeStamp(platform.clock), Sjis("腕時計")))));
}

TEST_F(SaveWithRealFault, ADiskThatFillsUpPartWayKeepsTheOldPageMailAndProject)
{
    start().show();
    type("titleEdit", "腕時計");
    type("itemsEdit", std::string(3000, 'x'));
    const std::string stampText = FormatTimeStamp(platform.clock);
    const std::string page = "back/" + U(SavedPageName(stampText, Sjis("腕時計")));
    const std::string mail = "back/" + U(SavedMailName(stampText, Sjis("腕時計")));
    write(page, "old page");
    write(mail, "old mail");
    write("p.tpf", "old project");
    window->mailPage().findChild<QLineEdit*>("itemEdit")->setText(QStringLiteral("腕時計"));
    window->mailPage().findChild<QPlainTextEdit*>("bodyEdit")->setPlainText(QString(3000, QLatin1Char('y')));
    platform.saveChoices.push_back(folder / "p.tpf");
    {
        FileSizeLimit full(1024);
        QTest::mouseClick(window->platePage().findChild<QPushButton*>("completeButton"), Qt::LeftButton);
        QTest::mouseClick(window->mailPage().findChild<QPushButton*>("saveButton"), Qt::LeftButton);
        trigger("saveAction");
    }
    EXPECT_EQ(read(page), "old page");
    EXPECT_EQ(read(mail), "old mail");
    EXPECT_EQ(read("p.tpf"), "old project");
    EXPECT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(FolderNames(folder / "back").size(), 2u);  // no partial new file left
}

TEST_F(SaveWithRealFault, AProjectSavedOverAFolderIsRefusedAndTheFolderKept)
{
    start().show();
    std::filesystem::create_directory(folder / "dir.tpf");
    write("dir.tpf/inside.txt", "kept");
    platform.saveChoices.push_back(folder / "dir.tpf");
    trigger("saveAction");
    EXPECT_EQ(read("dir.tpf/inside.txt"), "kept");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], U(ProjectSaveFailedMessage()));
}

}  // namespace
}  // namespace torepal
