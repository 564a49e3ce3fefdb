#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include "mail/ui/CMailEdit.h"
#include "support/FakePlatform.h"
#include "support/MailPageSupport.h"
#include "support/MailTestSupport.h"
#include "support/core/TempFolder.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

using namespace test;

class MailEditor : public ::testing::Test {
protected:
    CMailEdit& editor()
    {
        if (!editor_) {
            editor_ = std::make_unique<CMailEdit>(platform, folder.path());
            editor_->openFresh();
            editor_->show();
        }
        return *editor_;
    }
    QComboBox* combo() { return Find<QComboBox>(editor(), "typeCombo"); }
    QPlainTextEdit* text() { return Find<QPlainTextEdit>(editor(), "textEdit"); }
    std::string count() { return Utf8(Line(editor(), "byteCountEdit")->text()); }
    void press(const char* name) { QTest::mouseClick(Button(editor(), name), Qt::LeftButton); }

    TempFolder folder{"back", "file"};
    FakePlatform platform;
    std::unique_ptr<CMailEdit> editor_;
};

TEST_F(MailEditor, ShowsTheThirteenPlaceholderLines)
{
    const char* expected[] = {
        "■名前　←　[myname]",
        "■住所　←　[post]",
        "■郵便番号　←　[zip]",
        "■固定電話　←　[tel]",
        "■携帯電話　←　[ktel]",
        "■商品名　←　[item]",
        "■落札者ID　←　[name]",
        "■宅急便業者名　←　[transmen]",
        "■荷物問い合わせ番号　←　[transnum]",
        "■落札金額　←　[fauc]",
        "■送料　←　[ftrans]",
        "■送料＋落札金額　←　[sum]",
        "■銀行口座　←　[bank]",
    };
    auto* group = Find<QGroupBox>(editor(), "placeholderGroup");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral("置換文字の対応表"));
    for (int i = 0; i < 13; ++i) {
        const std::string name = "placeholder" + std::to_string(i + 1) + "Label";
        auto* label = Find<QLabel>(*group, name.c_str());
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(Utf8(label->text()), expected[i]);
        // Each table line converts to Shift-JIS without loss.
        EXPECT_TRUE(SjisFromUtf8(expected[i]).ok());
    }
    EXPECT_EQ(Find<QGroupBox>(editor(), "templateGroup")->title(), QStringLiteral("メールテンプレート"));
}

TEST_F(MailEditor, CrLfTemplateLoadsWithByteCount18AndSavesAs20Bytes)
{
    folder.write("file/a.txt", Sjis("[name]様\r\n[bank]\r\n"));
    ASSERT_EQ(combo()->count(), 1);
    EXPECT_EQ(combo()->currentIndex(), 0);
    EXPECT_EQ(Utf8(text()->toPlainText()), "[name]様\n[bank]\n");
    EXPECT_EQ(count(), "18");

    press("saveButton");
    EXPECT_TRUE(platform.messages.empty());
    const std::string stored = folder.read("file/a.txt");
    EXPECT_EQ(stored, Sjis("[name]様\r\r\n[bank]\r\r\n"));
    EXPECT_EQ(stored.size(), 20u);
    EXPECT_EQ(count(), "18");  // the text itself did not change
}

TEST_F(MailEditor, CrCrLfTemplateLoadsLikeTheCrLfOne)
{
    folder.write("file/a.txt", Sjis("[name]様\r\n[bank]\r\n"));
    folder.write("file/b.txt", Sjis("[name]様\r\r\n[bank]\r\r\n"));
    const QString first = text()->toPlainText();
    combo()->setCurrentIndex(1);
    EXPECT_EQ(text()->toPlainText(), first);
    EXPECT_EQ(count(), "18");
}

TEST_F(MailEditor, SwitchingTemplatesDiscardsTypedChangesWhenTheSellerSaysSo)
{
    folder.write("file/a.txt", "one");
    folder.write("file/b.txt", "two");
    Type(text(), "changed");
    platform.unsavedAnswers = {UnsavedAnswer::Discard};
    combo()->setCurrentIndex(1);
    ASSERT_EQ(platform.questions.size(), 1u);
    combo()->setCurrentIndex(0);
    EXPECT_EQ(Utf8(text()->toPlainText()), "one\n");
    EXPECT_EQ(folder.read("file/a.txt"), "one");
}

TEST_F(MailEditor, SavesIntoTheTemplateItLoaded)
{
    folder.write("file/a.txt", "one");
    folder.write("file/b.txt", "two");
    combo()->setCurrentIndex(1);
    Type(text(), "new\nlines");
    press("saveButton");
    EXPECT_EQ(folder.read("file/b.txt"), "new\r\r\nlines");
    EXPECT_EQ(folder.read("file/a.txt"), "one");
}

TEST_F(MailEditor, EmptyFolderGivesEmptyListTextAndCountAndSaveRefuses)
{
    EXPECT_EQ(combo()->count(), 0);
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_EQ(count(), "");
    Type(text(), "typed");
    press("saveButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("読み込まれていません"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "file"));
}

TEST_F(MailEditor, TemplateThatCannotBeReadLeavesTheTextAndItsName)
{
    folder.write("file/a.txt", "one");
    folder.write("file/b.txt", "two");
    editor();
    std::filesystem::remove(folder.path() / "file" / "b.txt");
    Type(text(), "edited one");
    platform.unsavedAnswers = {UnsavedAnswer::Discard};
    combo()->setCurrentIndex(1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("「b.txt」を読み込めませんでした"), std::string::npos);
    EXPECT_EQ(Utf8(text()->toPlainText()), "edited one");
    EXPECT_EQ(combo()->currentIndex(), 0);  // the name still says whose text it is

    press("saveButton");  // goes to a.txt, never to the missing b.txt
    EXPECT_EQ(folder.read("file/a.txt"), "edited one");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "file" / "b.txt"));
}

TEST_F(MailEditor, FirstTemplateUnreadableMeansNothingToSave)
{
    // Far larger than any template: refused when read.
    folder.write("file/a.txt", "");
    std::filesystem::resize_file(folder.path() / "file" / "a.txt", 65ull * 1024 * 1024);
    ASSERT_EQ(combo()->count(), 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(editor().loadedName());
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_EQ(count(), "");

    Type(text(), "typed");
    press("saveButton");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_NE(platform.messages[1].find("読み込まれていません"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(folder.path() / "file" / "a.txt"), 65ull * 1024 * 1024);
}

TEST_F(MailEditor, OkAndCancelCloseWithoutSavingWhenTheSellerDiscards)
{
    folder.write("file/a.txt", "one");
    Type(text(), "changed");
    platform.unsavedAnswers = {UnsavedAnswer::Discard};
    press("okButton");
    EXPECT_FALSE(editor().isVisible());
    EXPECT_EQ(folder.read("file/a.txt"), "one");
}

TEST_F(MailEditor, FailedSaveKeepsTheOldTemplate)
{
    folder.write("file/a.txt", "one");
    Type(text(), "changed");
    SetWriteFaultForTesting(WriteFault::Write);
    press("saveButton");
    SetWriteFaultForTesting(WriteFault::None);
    EXPECT_EQ(folder.read("file/a.txt"), "one");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("保存できませんでした"), std::string::npos);
}

TEST_F(MailEditor, CountFollowsTheTypedTextInShiftJisBytes)
{
    folder.write("file/a.txt", "one");
    EXPECT_EQ(count(), "5");  // read as one line: "one" CR LF
    // あ and い are two bytes each, the break is CR LF, b one byte.
    Type(text(), "あい\nb");
    EXPECT_EQ(count(), "7");
}

TEST_F(MailEditor, SwitchingWithEditsCanBeCancelledOrSaved)
{
    folder.write("file/a.txt", "one");
    folder.write("file/b.txt", "two");
    Type(text(), "changed");

    platform.unsavedAnswers = {UnsavedAnswer::Cancel};
    combo()->setCurrentIndex(1);
    EXPECT_EQ(combo()->currentIndex(), 0);
    EXPECT_EQ(Utf8(text()->toPlainText()), "changed");
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_NE(platform.questions[0].find("「a.txt」の変更がまだ保存されていません"), std::string::npos);

    platform.unsavedAnswers = {UnsavedAnswer::Save};
    combo()->setCurrentIndex(1);
    EXPECT_EQ(folder.read("file/a.txt"), "changed");
    EXPECT_EQ(Utf8(text()->toPlainText()), "two\n");
    ASSERT_EQ(platform.successes.size(), 1u);
    EXPECT_EQ(platform.successes[0], "「file/a.txt」を保存しました");

    // Nothing typed since: no question.
    combo()->setCurrentIndex(0);
    EXPECT_EQ(platform.questions.size(), 2u);
}

TEST_F(MailEditor, CloseWithEditsAsksAndCancelKeepsTheWindow)
{
    folder.write("file/a.txt", "one");
    Type(text(), "changed");
    press("cancelButton");  // the seller is asked; キャンセル answers stay
    EXPECT_TRUE(editor().isVisible());
    editor().reject();  // Escape and the close box end here too
    EXPECT_TRUE(editor().isVisible());
    EXPECT_EQ(platform.questions.size(), 2u);
    EXPECT_EQ(folder.read("file/a.txt"), "one");
}

TEST_F(MailEditor, UntouchedTextClosesWithoutAQuestion)
{
    folder.write("file/a.txt", "one");
    ASSERT_TRUE(editor().isVisible());
    press("okButton");
    EXPECT_FALSE(editor().isVisible());
    EXPECT_TRUE(platform.questions.empty());
}

}  // namespace
}  // namespace torepal
