#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "files/ui/CFileControl.h"
#include "support/FakePlatform.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Files.h"

using namespace torepal;
using namespace torepal::test;

namespace {

// The page over a fresh program folder; back/ is made unless told not to.
struct FilePage {
    TempFolder dir;
    std::filesystem::path back = dir / "back";
    FakePlatform platform;
    std::unique_ptr<CFileControl> page;

    explicit FilePage(bool withBack = true)
    {
        if (withBack) std::filesystem::create_directory(back);
    }
    CFileControl& open()
    {
        page = std::make_unique<CFileControl>(platform, dir.path());
        page->resize(640, 400);
        page->show();
        return *page;
    }

    QListWidget* list() const { return page->findChild<QListWidget*>("savedFileList"); }
    QPlainTextEdit* edit() const { return page->findChild<QPlainTextEdit*>("fileTextEdit"); }
    QPushButton* button(const char* name) const { return page->findChild<QPushButton*>(name); }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }

    QStringList rows() const
    {
        QStringList r;
        for (int i = 0; i < list()->count(); ++i) r << list()->item(i)->text();
        return r;
    }
    QString selected() const
    {
        const auto items = list()->selectedItems();
        return items.isEmpty() ? QString() : items.front()->text();
    }
    void clickRow(int row) const
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(row)).center());
    }
};

}  // namespace

TEST(CFileControl, TabSelectionListsSortedAndShowsTheFirstEntry)
{
    FilePage p;
    WriteBytes(p.back / "2.html", "<b>page</b>");
    WriteBytes(p.back / "1.txt", "first\r\r\nmail\r\r\n");
    std::filesystem::create_directory(p.back / "sub");
    CFileControl& page = p.open();
    page.refreshList();
    EXPECT_EQ(p.rows(), (QStringList{"1.txt", "2.html", "sub"}));
    EXPECT_EQ(p.edit()->toPlainText(), "");  // start-up only lists

    page.tabSelected();
    EXPECT_EQ(p.selected(), "1.txt");
    EXPECT_EQ(p.edit()->toPlainText(), "first\nmail\n");

    p.clickRow(1);
    EXPECT_EQ(p.selected(), "2.html");
    EXPECT_EQ(p.edit()->toPlainText(), "<b>page</b>\n");
    p.clickRow(2);  // a subfolder shows nothing
    EXPECT_EQ(p.edit()->toPlainText(), "");
    EXPECT_TRUE(p.platform.messages.empty());
}

TEST(CFileControl, ControlsAreNamedAndTheEditWraps)
{
    FilePage p;
    p.open();
    EXPECT_FALSE(p.list()->accessibleName().isEmpty());
    EXPECT_FALSE(p.edit()->accessibleName().isEmpty());
    EXPECT_EQ(p.list()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(p.edit()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(p.button("deleteButton")->text(), "ファイルの削除");
    EXPECT_EQ(p.button("mailerButton")->text(), "メーラー起動");
    EXPECT_EQ(p.button("previewButton")->text(), "プレビュー");
    EXPECT_EQ(p.button("copyButton")->text(), "クリップボードへコピー");
    EXPECT_EQ(p.button("writeBackButton")->text(), "内容更新");
}

TEST(CFileControl, DeletingTheLastFileEmptiesListAndText)
{
    FilePage p;
    WriteBytes(p.back / "only.txt", "text\r\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    ASSERT_EQ(p.edit()->toPlainText(), "text\n");

    p.click("deleteButton");
    EXPECT_FALSE(std::filesystem::exists(p.back / "only.txt"));
    EXPECT_EQ(p.list()->count(), 0);
    EXPECT_EQ(p.edit()->toPlainText(), "");
    EXPECT_TRUE(p.platform.messages.empty());
    // The text is gone from the page too.
    p.click("copyButton");
    EXPECT_TRUE(p.platform.clipboard.empty());

    p.click("deleteButton");
    EXPECT_EQ(p.platform.messages, (std::vector<std::string>{"削除するファイルがありません！"}));
}

TEST(CFileControl, DeletingOneOfTwoShowsTheOther)
{
    FilePage p;
    WriteBytes(p.back / "1.txt", "one\n");
    WriteBytes(p.back / "2.txt", "two\n");
    CFileControl& page = p.open();
    page.tabSelected();
    p.click("deleteButton");
    EXPECT_FALSE(std::filesystem::exists(p.back / "1.txt"));
    EXPECT_EQ(p.rows(), (QStringList{"2.txt"}));
    EXPECT_EQ(p.selected(), "2.txt");
    EXPECT_EQ(p.edit()->toPlainText(), "two\n");
}

TEST(CFileControl, DeletingASubfolderFailsAndKeepsIt)
{
    FilePage p;
    std::filesystem::create_directory(p.back / "a-folder");
    WriteBytes(p.back / "b.txt", "b\n");
    CFileControl& page = p.open();
    page.tabSelected();
    ASSERT_EQ(p.selected(), "a-folder");
    p.click("deleteButton");
    EXPECT_EQ(p.platform.messages, (std::vector<std::string>{"ファイルの削除に失敗しました。"}));
    EXPECT_TRUE(std::filesystem::is_directory(p.back / "a-folder"));
    EXPECT_EQ(p.rows(), (QStringList{"a-folder", "b.txt"}));
    EXPECT_EQ(p.selected(), "a-folder");
}

TEST(CFileControl, CopyTakesTheTextAsLastShownOrWrittenBack)
{
    FilePage p;
    WriteBytes(p.back / "mail.txt", "hello\r\r\n");
    CFileControl& page = p.open();
    page.tabSelected();

    p.edit()->setPlainText("edited\nmail");
    p.click("copyButton");
    p.click("writeBackButton");
    p.click("copyButton");
    EXPECT_EQ(p.platform.clipboard, (std::vector<std::string>{"hello\r\n", "edited\r\nmail"}));
    EXPECT_EQ(ReadBytes(p.back / "mail.txt"), "edited\r\r\nmail");
    EXPECT_TRUE(p.platform.messages.empty());
    EXPECT_EQ(p.rows(), (QStringList{"mail.txt"}));
}

TEST(CFileControl, MailerLimitIsJudgedOnTheShownText)
{
    FilePage p;
    // Shown as 2980 "a" and CR LF: 13 + 2980 + 6 = 2999 bytes.
    WriteBytes(p.back / "1.txt", std::string(2980, 'a') + "\r\r\n");
    // 2981 "a" and CR LF: 3000 bytes.
    WriteBytes(p.back / "2.txt", std::string(2981, 'a') + "\n");
    CFileControl& page = p.open();
    page.tabSelected();

    p.edit()->setPlainText("typed, not written back");
    p.click("mailerButton");
    ASSERT_EQ(p.platform.openedUris.size(), 1u);
    EXPECT_EQ(p.platform.openedUris[0], "mailto:?body=" + std::string(2980, 'a') + "%0D%0A");
    EXPECT_TRUE(p.platform.messages.empty());

    p.platform.unsavedAnswers = {UnsavedAnswer::Discard};  // the typed text is let go
    p.clickRow(1);
    p.click("mailerButton");
    EXPECT_EQ(p.platform.openedUris.size(), 1u);
    EXPECT_EQ(p.platform.messages, (std::vector<std::string>{"ファイルのサイズが大きすぎます！"}));
}

TEST(CFileControl, EmptyListSaysNothingExceptForDeleteAndMailer)
{
    FilePage p;
    CFileControl& page = p.open();
    page.tabSelected();
    EXPECT_FALSE(p.page->findChild<QLabel*>("folderHint")->isVisible());
    for (const char* name : {"previewButton", "copyButton", "writeBackButton"}) p.click(name);
    EXPECT_TRUE(p.platform.messages.empty());
    EXPECT_TRUE(p.platform.openedFiles.empty());
    EXPECT_TRUE(p.platform.clipboard.empty());
    p.click("mailerButton");
    EXPECT_EQ(p.platform.messages, (std::vector<std::string>{"選択されている項目がありません！"}));
    EXPECT_TRUE(p.platform.openedUris.empty());
}

TEST(CFileControl, MissingBackFolderGivesAnEmptyListAndAHint)
{
    FilePage p(false);
    CFileControl& page = p.open();
    page.refreshList();
    page.tabSelected();
    EXPECT_EQ(p.list()->count(), 0);
    EXPECT_TRUE(p.page->findChild<QLabel*>("folderHint")->isVisible());
    EXPECT_TRUE(p.platform.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(p.back));

    std::filesystem::create_directory(p.back);
    WriteBytes(p.back / "1.txt", "x\n");
    page.tabSelected();
    EXPECT_FALSE(p.page->findChild<QLabel*>("folderHint")->isVisible());
    EXPECT_EQ(p.rows(), (QStringList{"1.txt"}));
}

TEST(CFileControl, PreviewOpensTheSelectedFile)
{
    FilePage p;
    WriteBytes(p.back / "1.txt", "x");
    WriteBytes(p.back / "2.html", "y");
    CFileControl& page = p.open();
    page.tabSelected();
    p.clickRow(1);
    p.click("previewButton");
    EXPECT_EQ(p.platform.openedFiles, (std::vector<std::filesystem::path>{p.back / "2.html"}));
}

TEST(CFileControl, SavedMailKeepsItsBytesThroughShowAndWriteBack)
{
    FilePage p;
    const std::string mail = "\x82\xA0\x82\xA2\r\r\n\r\r\nend\r\r\n";  // あい, empty line, end
    WriteBytes(p.back / "mail.txt", mail);
    CFileControl& page = p.open();
    for (int round = 0; round < 10; ++round) {
        page.tabSelected();
        p.click("writeBackButton");
        ASSERT_EQ(ReadBytes(p.back / "mail.txt"), mail) << round;
    }
    EXPECT_TRUE(p.platform.messages.empty());
}

TEST(CFileControl, NameShiftJisCannotShowIsStillHandled)
{
    FilePage p;
    const std::string heart = "\xE2\x99\xA5.txt";  // ♥.txt
    const std::string raw = "\xFF.txt";            // not UTF-8
    WriteBytes(p.back / heart, "heart\r\r\n");
    WriteBytes(p.back / raw, "raw\r\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    ASSERT_EQ(p.rows(), (QStringList{"?.txt", "?.txt"}));
    EXPECT_EQ(p.edit()->toPlainText(), "heart\n");

    p.edit()->setPlainText("love\n");
    p.click("writeBackButton");
    EXPECT_EQ(ReadBytes(p.back / heart), "love\r\r\n");
    p.click("previewButton");
    EXPECT_EQ(p.platform.openedFiles, (std::vector<std::filesystem::path>{p.back / heart}));

    p.clickRow(1);
    EXPECT_EQ(p.edit()->toPlainText(), "raw\n");
    p.edit()->setPlainText("bytes\n");
    p.click("writeBackButton");
    EXPECT_EQ(ReadBytes(p.back / raw), "bytes\r\r\n");

    p.click("deleteButton");
    EXPECT_FALSE(std::filesystem::exists(p.back / raw));
    EXPECT_EQ(p.edit()->toPlainText(), "love\n");
    p.click("deleteButton");
    EXPECT_FALSE(std::filesystem::exists(p.back / heart));
    EXPECT_TRUE(p.platform.messages.empty());
}

TEST(CFileControl, FileRemovedOutsideShowsEmptyAndIsNotCreatedAgain)
{
    FilePage p;
    WriteBytes(p.back / "1.txt", "one\n");
    WriteBytes(p.back / "2.txt", "two\n");
    CFileControl& page = p.open();
    page.tabSelected();
    std::filesystem::remove(p.back / "2.txt");

    p.clickRow(1);
    EXPECT_EQ(p.edit()->toPlainText(), "");
    p.edit()->setPlainText("typed");
    p.click("writeBackButton");
    EXPECT_FALSE(std::filesystem::exists(p.back / "2.txt"));
    ASSERT_EQ(p.platform.messages.size(), 1u);
    EXPECT_EQ(p.edit()->toPlainText(), "typed");  // what was typed is not thrown away

    // Shown first, removed afterwards: still not created again.
    p.clickRow(0);
    std::filesystem::remove(p.back / "1.txt");
    p.click("writeBackButton");
    EXPECT_FALSE(std::filesystem::exists(p.back / "1.txt"));
    EXPECT_EQ(p.platform.messages.size(), 2u);
}

TEST(CFileControl, FailedWriteBackSaysSoAndKeepsTheOldFile)
{
    FilePage p;
    WriteBytes(p.back / "mail.txt", "old\r\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    p.edit()->setPlainText("new\n");
    {
        WriteFaultGuard guard(WriteFault::Write);
        p.click("writeBackButton");
    }
    EXPECT_EQ(ReadBytes(p.back / "mail.txt"), "old\r\r\n");
    EXPECT_EQ(p.platform.messages,
              (std::vector<std::string>{"ファイルに書き込めませんでした。ファイルは元の内容のままです。"}));
    EXPECT_EQ(p.edit()->toPlainText(), "new\n");
    p.click("copyButton");
    EXPECT_EQ(p.platform.clipboard, (std::vector<std::string>{"old\r\n"}));
    EXPECT_EQ(p.rows(), (QStringList{"mail.txt"}));  // no temporary left to be listed
    page.tabSelected();
    EXPECT_EQ(p.rows(), (QStringList{"mail.txt"}));
}

TEST(CFileControl, CharacterShiftJisCannotHoldStopsTheWriteBack)
{
    FilePage p;
    WriteBytes(p.back / "mail.txt", "old\r\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    p.edit()->setPlainText("I \u2665 it\n");
    p.click("writeBackButton");
    EXPECT_EQ(ReadBytes(p.back / "mail.txt"), "old\r\r\n");
    ASSERT_EQ(p.platform.messages.size(), 1u);
    EXPECT_NE(p.platform.messages[0].find("U+2665"), std::string::npos);
    EXPECT_EQ(p.edit()->toPlainText(), "I \u2665 it\n");
}

TEST(CFileControl, EnterAndEscapeDoNothing)
{
    FilePage p;
    WriteBytes(p.back / "1.txt", "one\n");
    FakePlatform& platform = p.platform;
    QDialog window;
    auto* layout = new QVBoxLayout(&window);
    auto* page = new CFileControl(platform, p.dir.path(), &window);
    layout->addWidget(page);
    auto* ok = new QPushButton("OK", &window);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
    layout->addWidget(ok);
    window.show();
    page->tabSelected();

    auto* list = page->findChild<QListWidget*>("savedFileList");
    auto* remove = page->findChild<QPushButton*>("deleteButton");
    for (QWidget* w : std::initializer_list<QWidget*>{list, page}) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
        QTest::keyClick(w, Qt::Key_Enter);
        QTest::keyClick(w, Qt::Key_Escape);
    }
    // Escape on a focused button does not press it either.
    remove->setFocus();
    QTest::keyClick(remove, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.result(), 0);
    EXPECT_TRUE(std::filesystem::exists(p.back / "1.txt"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST(CFileControl, EnterOnTheFocusedCopyButtonCopiesTheFile)
{
    FilePage p;
    WriteBytes(p.back / "1.txt", "one\r\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    QPushButton* copy = p.button("copyButton");
    copy->setFocus();
    QTest::keyClick(copy, Qt::Key_Return);
    ASSERT_EQ(p.platform.clipboard.size(), 1u);
    EXPECT_EQ(p.platform.clipboard[0], "one\r\n");
}

// ---- edits not yet written back, the trash, successes, missing programs ----

TEST(CFileControl, ClickingAnotherEntryWithEditsAsksFirst)
{
    FilePage p;
    WriteBytes(p.back / "1.txt", "one\r\n");
    WriteBytes(p.back / "2.txt", "two\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    p.edit()->setPlainText("one changed\n");

    // キャンセル: the entry and the edits stay.
    p.clickRow(1);
    ASSERT_EQ(p.platform.questions.size(), 1u);
    EXPECT_NE(p.platform.questions[0].find("「1.txt」の変更がまだ保存されていません"), std::string::npos);
    EXPECT_EQ(p.selected(), "1.txt");
    EXPECT_EQ(p.edit()->toPlainText(), "one changed\n");

    // 保存: written back (text mode), then the other entry shows.
    p.platform.unsavedAnswers = {UnsavedAnswer::Save};
    p.clickRow(1);
    EXPECT_EQ(ReadWholeFile(p.back / "1.txt").bytes, "one changed\r\r\n");
    EXPECT_EQ(p.selected(), "2.txt");
    EXPECT_EQ(p.edit()->toPlainText(), "two\n");
    EXPECT_EQ(p.platform.successes, (std::vector<std::string>{"「back/1.txt」を保存しました"}));

    // 破棄: the file stays as it is.
    p.edit()->setPlainText("two changed\n");
    p.platform.unsavedAnswers = {UnsavedAnswer::Discard};
    p.clickRow(0);
    EXPECT_EQ(ReadWholeFile(p.back / "2.txt").bytes, "two\r\n");
    EXPECT_EQ(p.edit()->toPlainText(), "one changed\n");
    // Moving on without edits asks nothing.
    p.clickRow(1);
    EXPECT_EQ(p.platform.questions.size(), 3u);
}

TEST(CFileControl, DeletingWithEditsAsksAndCancelKeepsTheFile)
{
    FilePage p;
    WriteBytes(p.back / "1.txt", "one\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    p.edit()->setPlainText("changed\n");
    p.click("deleteButton");
    EXPECT_EQ(p.platform.questions.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(p.back / "1.txt"));
    EXPECT_EQ(p.edit()->toPlainText(), "changed\n");
}

TEST(CFileControl, DeletingMovesTheFileToTheTrash)
{
    FilePage p;
    WriteBytes(p.back / "1.txt", "one\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    p.click("deleteButton");
    EXPECT_EQ(p.platform.trashed, (std::vector<std::filesystem::path>{p.back / "1.txt"}));
    EXPECT_FALSE(std::filesystem::exists(p.back / "1.txt"));
    EXPECT_TRUE(p.platform.messages.empty());
}

TEST(CFileControl, WithoutATrashTheFileIsDeletedAsBefore)
{
    FilePage p;
    p.platform.trashWorks = false;
    WriteBytes(p.back / "1.txt", "one\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    p.click("deleteButton");
    EXPECT_TRUE(p.platform.trashed.empty());
    EXPECT_FALSE(std::filesystem::exists(p.back / "1.txt"));
    EXPECT_TRUE(p.platform.messages.empty());
}

// Where the desktop has no trash, the seller is told where the file went
// and the page puts it back from there.
TEST(CFileControl, WithoutATrashTheFileIsKeptAmongDeletedFilesAndComesBack)
{
    FilePage p;
    p.platform.trashWorks = false;
    WriteBytes(p.back / "1.txt", "one\r\n");
    WriteBytes(p.back / "2.txt", "two\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    auto* row = page.findChild<QWidget*>("deletedFilesRow");
    auto* deleted = page.findChild<QComboBox*>("deletedFilesCombo");
    EXPECT_TRUE(row->isHidden());
    p.click("deleteButton");
    EXPECT_EQ(ReadBytes(p.back / ".deleted/1.txt"), "one\r\n");
    EXPECT_EQ(p.rows(), QStringList{QStringLiteral("2.txt")});
    ASSERT_EQ(p.platform.successes.size(), 1u);
    EXPECT_EQ(p.platform.successes[0],
              "デスクトップのごみ箱が使えないため、「1.txt」を back/.deleted/1.txt に移しました。"
              "「削除したファイル」から戻せます。");
    EXPECT_FALSE(row->isHidden());
    ASSERT_EQ(deleted->count(), 1);
    EXPECT_EQ(deleted->itemText(0), QStringLiteral("1.txt"));
    EXPECT_EQ(page.findChild<QLabel*>("deletedFilesLabel")->buddy(), deleted);

    p.click("restoreFileButton");
    EXPECT_EQ(ReadBytes(p.back / "1.txt"), "one\r\n");
    EXPECT_EQ(p.rows(), (QStringList{QStringLiteral("1.txt"), QStringLiteral("2.txt")}));
    EXPECT_EQ(p.selected(), QStringLiteral("1.txt"));
    EXPECT_EQ(p.edit()->toPlainText(), QStringLiteral("one\n"));
    EXPECT_EQ(p.platform.successes.back(), "「1.txt」を back/ に戻しました");
    EXPECT_TRUE(row->isHidden());
    // Nothing was made beside back/.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(p.dir.path()), std::filesystem::directory_iterator()),
              1);
}

TEST(CFileControl, ASubfolderNeverGoesToTheTrash)
{
    FilePage p;
    std::filesystem::create_directory(p.back / "sub");
    CFileControl& page = p.open();
    page.tabSelected();
    p.click("deleteButton");
    EXPECT_TRUE(p.platform.trashed.empty());
    EXPECT_TRUE(std::filesystem::is_directory(p.back / "sub"));
    EXPECT_EQ(p.platform.messages.size(), 1u);
}

TEST(CFileControl, CopySaysHowManyBytesInTheStatusLine)
{
    FilePage p;
    WriteBytes(p.back / "1.txt", "ab\r\n");  // shown as "ab" CR LF: 4 bytes
    CFileControl& page = p.open();
    page.tabSelected();
    p.click("copyButton");
    EXPECT_EQ(p.platform.successes, (std::vector<std::string>{"4 バイトをコピーしました"}));
    p.platform.clipboardWorks = false;
    p.click("copyButton");
    EXPECT_EQ(p.platform.successes.size(), 1u);
}

TEST(CFileControl, NoMailProgramOffersTheClipboard)
{
    FilePage p;
    p.platform.handlers[DesktopHandler::Mail] = HandlerPresence::Missing;
    WriteBytes(p.back / "1.txt", "one\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    p.click("mailerButton");  // いいえ
    EXPECT_TRUE(p.platform.openedUris.empty());
    EXPECT_TRUE(p.platform.clipboard.empty());
    ASSERT_EQ(p.platform.questions.size(), 1u);
    EXPECT_NE(p.platform.questions[0].find("メールを開くプログラム"), std::string::npos);

    p.platform.yesNoAnswers = {true};
    p.click("mailerButton");
    EXPECT_EQ(p.platform.clipboard, (std::vector<std::string>{"one\r\n"}));
    EXPECT_TRUE(p.platform.openedUris.empty());
}

TEST(CFileControl, NoBrowserOffersTheClipboardForAPageOnly)
{
    FilePage p;
    p.platform.handlers[DesktopHandler::Html] = HandlerPresence::Missing;
    WriteBytes(p.back / "1.html", "<b>x</b>");
    WriteBytes(p.back / "2.txt", "mail\r\n");
    CFileControl& page = p.open();
    page.tabSelected();
    p.platform.yesNoAnswers = {true};
    p.click("previewButton");
    EXPECT_TRUE(p.platform.openedFiles.empty());
    EXPECT_EQ(p.platform.clipboard, (std::vector<std::string>{"<b>x</b>\r\n"}));

    // A saved mail is not a page: opened as before.
    p.clickRow(1);
    p.click("previewButton");
    EXPECT_EQ(p.platform.openedFiles, (std::vector<std::filesystem::path>{p.back / "2.txt"}));
    EXPECT_EQ(p.platform.questions.size(), 1u);
}
