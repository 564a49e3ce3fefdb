#include <gtest/gtest.h>

#include <QTest>

#include "bank/BankStore.h"
#include "mail/Mailto.h"
#include "mail/ui/CMail.h"
#include "mail/ui/CMailEdit.h"
#include "store/SettingsFiles.h"
#include "support/FakePlatform.h"
#include "support/MailPageSupport.h"
#include "support/MailTestSupport.h"
#include "support/core/TempFolder.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

using namespace test;

class MailPage : public ::testing::Test {
protected:
    explicit MailPage(bool withBack = true) : bank(folder.path())
    {
        if (withBack) std::filesystem::create_directory(folder / "back");
    }

    CMail& page()
    {
        if (!page_) {
            page_ = std::make_unique<CMail>(platform, bank, folder.path());
            page_->show();
            page_->startUp();
        }
        return *page_;
    }
    QLineEdit* line(const char* name) { return Line(page(), name); }
    QPlainTextEdit* body() { return Find<QPlainTextEdit>(page(), "bodyEdit"); }
    void press(const char* name) { QTest::mouseClick(Button(page(), name), Qt::LeftButton); }
    std::string bodyText() { return Utf8(body()->toPlainText()); }

    TempFolder folder{"file"};
    BankStore bank;
    FakePlatform platform;
    std::unique_ptr<CMail> page_;
};

TEST_F(MailPage, ClearKeepsAJustTypedSellerNameAndEmptiesOnlyTheParcelFields)
{
    CSavemail status;
    status.myname = Sjis("山田");
    status.accountTicks = {false, true, false, false, false, false};
    ASSERT_TRUE(StoreStatusFile(folder.path(), status));
    folder.write("file/a.txt", "x");

    ASSERT_EQ(Utf8(line("mynameEdit")->text()), "山田");
    Type(line("mynameEdit"), "佐藤");
    Type(line("postEdit"), "東京都");
    for (const char* name :
         {"itemEdit", "nameEdit", "faucEdit", "bidderMailEdit", "transmenEdit", "transnumEdit", "ftransEdit"})
        Type(line(name), "parcel");
    Type(body(), "mail text");

    press("clearButton");

    EXPECT_EQ(Utf8(line("mynameEdit")->text()), "佐藤");
    EXPECT_EQ(page().state().myname, Sjis("佐藤"));
    EXPECT_EQ(Utf8(line("postEdit")->text()), "東京都");
    for (const char* name :
         {"itemEdit", "nameEdit", "faucEdit", "bidderMailEdit", "transmenEdit", "transnumEdit", "ftransEdit"})
        EXPECT_TRUE(line(name)->text().isEmpty()) << name;
    EXPECT_EQ(page().state().item, "");
    EXPECT_EQ(bodyText(), "mail text");
    EXPECT_EQ(page().ticks(), (AccountTicks{false, true, false, false, false, false}));
    EXPECT_EQ(Find<QComboBox>(page(), "templateCombo")->currentIndex(), 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MailPage, PreviewFillsTheChosenTemplateWithTheTypedValues)
{
    folder.write("file/b.txt", "other");
    folder.write("file/A.txt", Sjis("[name]様\r\n[item] [sum]円\r\n[bank]"));
    Accounts rows;
    rows[0] = {"X", "Y", "1", "Z", 0};
    std::uint64_t generation = 0;
    ASSERT_TRUE(bank.store(rows, generation));
    auto* combo = Find<QComboBox>(page(), "templateCombo");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(Utf8(combo->itemText(0)), "A.txt");  // sorted, first selected
    EXPECT_EQ(combo->currentIndex(), 0);

    Type(line("nameEdit"), "buyer");
    Type(line("itemEdit"), "時計");
    Type(line("faucEdit"), "3,000円");
    Type(line("ftransEdit"), "800");
    Find<QCheckBox>(page(), "account1Box")->click();
    press("previewButton");

    EXPECT_EQ(bodyText(), "buyer様\n時計 3800円\n銀行名：X\n支店名：Y\n名義：Z\n口座番号：1\n口座種別：普通口座\n\n");
    EXPECT_EQ(page().state().body, Sjis("buyer様\r\n時計 3800円\r\n銀行名：X\r\n支店名：Y\r\n名義：Z\r\n口座番号：1\r\n"
                                        "口座種別：普通口座\r\n\r\n"));
    EXPECT_EQ(Utf8(line("faucEdit")->text()), "3,000円");
}

TEST_F(MailPage, EmptyTemplateFolderLeavesTheBodyWithAMessage)
{
    auto* combo = Find<QComboBox>(page(), "templateCombo");
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(combo->currentIndex(), -1);
    Type(body(), "kept");
    press("previewButton");
    EXPECT_EQ(bodyText(), "kept");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("メールテンプレートが選択されていません"), std::string::npos);
}

TEST_F(MailPage, TemplateThatCannotBeReadLeavesTheBody)
{
    folder.write("file/gone.txt", "[name]");
    page();
    std::filesystem::remove(folder.path() / "file" / "gone.txt");
    std::filesystem::create_directory(folder.path() / "file" / "gone.txt");  // now a folder: not readable
    Type(body(), "kept");
    Type(line("nameEdit"), "typed");
    press("previewButton");
    EXPECT_EQ(bodyText(), "kept");
    EXPECT_EQ(Utf8(line("nameEdit")->text()), "typed");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("「gone.txt」を読み込めませんでした"), std::string::npos);
}

TEST_F(MailPage, MailerHandsOverAt2999BytesAndRefusesAt3000)
{
    Type(line("bidderMailEdit"), "a@b.jp");
    // "mailto:a@b.jp?body=" is 19 bytes.
    Type(body(), std::string(2980, 'x'));
    press("mailerButton");
    ASSERT_EQ(platform.openedUris.size(), 1u);
    EXPECT_EQ(platform.openedUris[0], MailtoUri("a@b.jp", std::string(2980, 'x')));
    EXPECT_TRUE(platform.messages.empty());

    Type(body(), std::string(2981, 'x'));
    press("mailerButton");
    EXPECT_EQ(platform.openedUris.size(), 1u);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "ファイルのサイズが大きすぎます！");
}

TEST_F(MailPage, MailerUriCarriesLineBreaksAndSpecialCharacters)
{
    Type(line("bidderMailEdit"), "a@b.jp");
    Type(body(), "山田様\n100% & #1?");
    press("mailerButton");
    ASSERT_EQ(platform.openedUris.size(), 1u);
    const std::string& uri = platform.openedUris[0];
    const std::size_t query = uri.find("?body=");
    ASSERT_NE(query, std::string::npos);
    const SjisConversion decoded = SjisFromUtf8(PercentDecoded(uri.substr(query + 6)));
    EXPECT_EQ(decoded.text, Sjis("山田様\r\n100% & #1?"));
}

TEST_F(MailPage, SaveWritesTheBodyUnderTheStampAndItemName)
{
    platform.clock = LocalTime{3, 3, 14, 7};
    Type(line("itemEdit"), "時計");
    Type(body(), "a\nb");
    press("saveButton");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(folder.read(std::filesystem::path("back") / "【メール ～3月3日14時7分～ 】--時計.txt"), "a\r\r\nb");
    EXPECT_EQ(bodyText(), "a\nb");
}

class MailPageWithoutBack : public MailPage {
protected:
    MailPageWithoutBack() : MailPage(false) {}
};

TEST_F(MailPageWithoutBack, SaveFailureIsToldAndNothingChanges)
{
    Type(line("itemEdit"), "x");
    Type(body(), "text");
    press("saveButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("メールを保存できませんでした"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "back"));
    EXPECT_EQ(bodyText(), "text");
    EXPECT_EQ(Utf8(line("itemEdit")->text()), "x");
}

TEST_F(MailPage, CopyPutsTheBodyOnTheClipboardWithCrLf)
{
    Type(body(), "a\nb");
    press("copyButton");
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_EQ(platform.clipboard[0], "a\r\nb");
}

TEST_F(MailPage, CharacterShiftJisCannotHoldStopsTheOperationAndKeepsTheForm)
{
    folder.write("file/a.txt", "[name]");
    Type(line("nameEdit"), "buyer😀");
    Type(body(), "kept");
    press("previewButton");
    EXPECT_EQ(bodyText(), "kept");
    EXPECT_EQ(Utf8(line("nameEdit")->text()), "buyer😀");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("😀"), std::string::npos);
}

TEST_F(MailPage, TabSwitchReloadKeepsTypedText)
{
    Type(line("mynameEdit"), "typed");
    page().loadAccounts();
    EXPECT_EQ(Utf8(line("mynameEdit")->text()), "typed");
    EXPECT_EQ(page().state().myname, "typed");
}

TEST_F(MailPage, StatusFileKeepsSellerFieldsAndTicks)
{
    Type(line("mynameEdit"), "山田");
    Type(line("zipEdit"), "100-0001");
    Type(line("postEdit"), "東京都");
    Type(line("telEdit"), "03");
    Type(line("ktelEdit"), "090");
    Type(line("itemEdit"), "not stored");
    Find<QCheckBox>(page(), "account5Box")->click();
    ASSERT_TRUE(page().saveStatus());

    const Loaded<CSavemail> loaded = LoadStatusFile(folder.path());
    ASSERT_EQ(loaded.status, LoadStatus::Loaded);
    EXPECT_EQ(loaded.record.myname, Sjis("山田"));
    EXPECT_EQ(loaded.record.zip, "100-0001");
    EXPECT_EQ(loaded.record.post, Sjis("東京都"));
    EXPECT_EQ(loaded.record.tel, "03");
    EXPECT_EQ(loaded.record.ktel, "090");
    EXPECT_EQ(loaded.record.accountTicks, (AccountTicks{false, false, false, false, true, false}));

    CMail again(platform, bank, folder.path());
    again.startUp();
    EXPECT_EQ(Utf8(Line(again, "mynameEdit")->text()), "山田");
    EXPECT_TRUE(Find<QCheckBox>(again, "account5Box")->isChecked());
    EXPECT_TRUE(Line(again, "itemEdit")->text().isEmpty());
}

TEST_F(MailPage, DamagedStatusFileIsToldOnce)
{
    folder.write("status.ini", std::string("\x05"
                                           "ab",
                                           3));
    page();
    ASSERT_EQ(platform.messages.size(), 1u);
}

// The account editor fills in the third bank name and confirms.
int RenameBank3(QDialog& dialog)
{
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("bank3NameEdit"));
    if (!edit) return QDialog::Rejected;
    edit->setText(QStringLiteral("新銀行"));
    dialog.accept();
    return dialog.result();
}

TEST_F(MailPage, AccountEditedHereReachesAnotherPageAfterItsReload)
{
    CMail other(platform, bank, folder.path());
    other.startUp();

    Type(line("mynameEdit"), "typed before");
    platform.dialogs.push_back(RenameBank3);
    press("editAccountsButton");
    ASSERT_EQ(platform.dialogTitles.size(), 1u);

    EXPECT_EQ(Utf8(Find<QCheckBox>(page(), "account3Box")->text()), "新銀行");
    EXPECT_EQ(Utf8(line("mynameEdit")->text()), "typed before");
    EXPECT_EQ(LoadBankFile(folder.path()).record.rows[2].bankName, Sjis("新銀行"));

    // The other page's copy is older than the file: its exit write reloads
    // first and so keeps the edit.
    EXPECT_EQ(Find<QCheckBox>(other, "account3Box")->text(), QStringLiteral("未登録"));
    ASSERT_TRUE(other.saveAccounts());
    EXPECT_EQ(LoadBankFile(folder.path()).record.rows[2].bankName, Sjis("新銀行"));

    other.loadAccounts();
    EXPECT_EQ(Utf8(Find<QCheckBox>(other, "account3Box")->text()), "新銀行");
    EXPECT_EQ(other.state().accounts[2].bankName, Sjis("新銀行"));
}

TEST_F(MailPage, CancelledAccountEditorChangesNothing)
{
    page();
    press("editAccountsButton");  // the fake cancels
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "bank.ini"));
    EXPECT_EQ(Find<QCheckBox>(page(), "account5Box")->text(), QStringLiteral("ぱるる"));
}

TEST_F(MailPage, TemplateEditorIsOneWindowRaisedAgainWhileOpen)
{
    folder.write("file/a.txt", "A");
    press("editTemplateButton");
    CMailEdit* editor = page().templateEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(editor->isModal());
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("メールテンプレート編集"));
    EXPECT_EQ(editor->pos(), QPoint(100, 100));

    auto* text = Find<QPlainTextEdit>(*editor, "textEdit");
    Type(text, "unsaved");
    press("editTemplateButton");
    EXPECT_EQ(page().templateEditor(), editor);
    EXPECT_EQ(Utf8(text->toPlainText()), "unsaved");

    platform.unsavedAnswers = {UnsavedAnswer::Discard};  // the editor asks before dropping the text
    QTest::mouseClick(Button(*editor, "cancelButton"), Qt::LeftButton);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(folder.read("file/a.txt"), "A");

    folder.write("file/0.txt", "zero");  // listed afresh on the next opening
    press("editTemplateButton");
    EXPECT_EQ(page().templateEditor(), editor);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(Utf8(text->toPlainText()), "zero\n");
    EXPECT_EQ(Find<QComboBox>(*editor, "typeCombo")->count(), 2);
    // The page's own list is filled only at start-up.
    EXPECT_EQ(Find<QComboBox>(page(), "templateCombo")->count(), 1);
}

TEST_F(MailPage, EnterAndEscapeDoNothingOnThePage)
{
    Type(line("mynameEdit"), "x");
    QTest::keyClick(line("mynameEdit"), Qt::Key_Return);
    QTest::keyClick(line("mynameEdit"), Qt::Key_Escape);
    EXPECT_TRUE(page().isVisible());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.openedUris.empty());
}

TEST_F(MailPage, EnterBreaksALineInTheMailAndPressesTheFocusedButton)
{
    body()->setFocus();
    QTest::keyClicks(body(), QStringLiteral("a"));
    QTest::keyClick(body(), Qt::Key_Return);
    QTest::keyClicks(body(), QStringLiteral("b"));
    EXPECT_EQ(bodyText(), "a\nb");

    QPushButton* copy = Button(page(), "copyButton");
    copy->setFocus();
    QTest::keyClick(copy, Qt::Key_Enter);
    EXPECT_EQ(platform.clipboard, (std::vector<std::string>{"a\r\nb"}));
    EXPECT_TRUE(page().isVisible());
}

}  // namespace
}  // namespace torepal
