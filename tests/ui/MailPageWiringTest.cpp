// The mail page's checks after a compose, the compose over an old mail
// Shift-JIS cannot hold, the missing mail program, the status line and the
// texts the recovery file keeps.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "app/RecoveryFile.h"
#include "bank/BankStore.h"
#include "mail/ui/CMail.h"
#include "platform/ui/ChecksView.h"
#include "support/FakePlatform.h"
#include "support/MailPageSupport.h"
#include "support/MailTestSupport.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

using namespace test;

class MailWiring : public ::testing::Test {
protected:
    MailWiring() : folder{"back", "file"}, bank(folder.path()) {}

    CMail& page()
    {
        if (!page_) {
            page_ = std::make_unique<CMail>(platform, bank, folder.path());
            // As the main window keeps the recovery file: the texts the page
            // last settled.
            QObject::connect(page_.get(), &CMail::settled, [this] { settled.settle(typed()); });
            page_->show();
            page_->startUp();
        }
        return *page_;
    }
    QLineEdit* line(const char* name) { return Line(page(), name); }
    QPlainTextEdit* body() { return Find<QPlainTextEdit>(page(), "bodyEdit"); }
    ChecksView* checks() { return Find<ChecksView>(page(), "checksView"); }
    void press(const char* name) { QTest::mouseClick(Button(page(), name), Qt::LeftButton); }
    MailForm typed() { return page().typedForm(); }
    bool unsaved() { return settled.unsaved(typed()); }

    TempFolder folder;
    BankStore bank;
    FakePlatform platform;
    std::unique_ptr<CMail> page_;
    UnsavedForm<MailForm> settled;
};

TEST_F(MailWiring, ChecksShowAfterTheComposeAndHideWhenThereIsNothingToSay)
{
    folder.write("file/a.txt", Sjis("[myname]\r\n詳しくは www.example.jp で\r\n"));
    folder.write("file/b.txt", Sjis("[name] 様\r\n"));
    EXPECT_TRUE(checks()->isHidden());

    Type(line("mynameEdit"), "山田（hanako@example.jp）");
    press("previewButton");
    EXPECT_FALSE(checks()->isHidden());
    const QStringList shown = checks()->lines();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("メール本文：")));
    EXPECT_TRUE(shown[0].contains(QStringLiteral("hanako@example.jp")));
    EXPECT_TRUE(shown[1].contains(QStringLiteral("www.example.jp")));
    EXPECT_TRUE(platform.messages.empty());  // no box: the list says it
    EXPECT_TRUE(platform.dialogTitles.empty());

    Find<QComboBox>(page(), "templateCombo")->setCurrentIndex(1);
    press("previewButton");
    EXPECT_TRUE(checks()->isHidden());
    EXPECT_EQ(checks()->count(), 0);
}

TEST_F(MailWiring, ComposeReplacesAnOldMailShiftJisCannotHold)
{
    folder.write("file/a.txt", Sjis("[name] 様"));
    Type(line("nameEdit"), "hanako");
    Type(body(), "古い♥メール");
    press("previewButton");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Utf8(body()->toPlainText()), "hanako 様\n");  // the compose ends the mail with a break
}

TEST_F(MailWiring, ComposeStillStopsForAFieldItWouldUse)
{
    folder.write("file/a.txt", Sjis("[name] 様"));
    Type(line("nameEdit"), "♥");
    Type(body(), "kept");
    press("previewButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(Utf8(body()->toPlainText()), "kept");
}

TEST_F(MailWiring, NoMailProgramOffersTheClipboardInstead)
{
    folder.write("file/a.txt", "x");
    platform.handlers[DesktopHandler::Mail] = HandlerPresence::Missing;
    Type(body(), "abc");

    press("mailerButton");  // いいえ
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_NE(platform.questions[0].find("メールを開くプログラムがこのパソコンに設定されていません"),
              std::string::npos);
    EXPECT_NE(platform.questions[0].find("メールの本文をクリップボードへコピーしますか"), std::string::npos);
    EXPECT_TRUE(platform.clipboard.empty());
    EXPECT_TRUE(platform.openedUris.empty());

    platform.yesNoAnswers = {true};
    press("mailerButton");
    EXPECT_EQ(platform.clipboard, (std::vector<std::string>{"abc"}));
    EXPECT_EQ(platform.successes, (std::vector<std::string>{"3 バイトをコピーしました"}));
    EXPECT_TRUE(platform.openedUris.empty());
}

TEST_F(MailWiring, AnUnknownAnswerOpensAsBefore)
{
    folder.write("file/a.txt", "x");
    platform.handlers[DesktopHandler::Mail] = HandlerPresence::Unknown;
    Type(body(), "abc");
    press("mailerButton");
    EXPECT_TRUE(platform.questions.empty());
    EXPECT_EQ(platform.openedUris.size(), 1u);
}

TEST_F(MailWiring, SaveAndCopySayWhatWorkedQuietly)
{
    folder.write("file/a.txt", "x");
    Type(line("itemEdit"), "item");
    Type(body(), "あ\nb");  // two bytes, CR LF, one byte
    press("copyButton");
    press("saveButton");
    ASSERT_EQ(platform.successes.size(), 2u);
    EXPECT_EQ(platform.successes[0], "5 バイトをコピーしました");
    // 20:08 on 12/6 by the fake clock.
    EXPECT_EQ(platform.successes[1], "「back/【メール ～12月6日20時8分～ 】--item.txt」を保存しました");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MailWiring, TypedTextsAreUnsavedUntilSavedOrCleared)
{
    folder.write("file/a.txt", "x");
    page();
    EXPECT_FALSE(unsaved());
    Type(line("itemEdit"), "item");
    EXPECT_TRUE(unsaved());
    EXPECT_EQ(typed().texts.item, "item");
    press("saveButton");
    EXPECT_FALSE(unsaved());
    Type(line("nameEdit"), "bidder");
    EXPECT_TRUE(unsaved());
    press("clearButton");
    EXPECT_FALSE(unsaved());
}

// ---- 元に戻す after a compose or a clear ------------------------------------------

class MailUndo : public MailWiring {
protected:
    QWidget* bar() { return Find<QWidget>(page(), "mailUndo"); }
    std::string note() { return Utf8(Find<QLabel>(page(), "mailUndoNote")->text()); }
};

TEST_F(MailUndo, TheComposeLeavesAWayBackToTheMailAsItWas)
{
    folder.write("file/a.txt", Sjis("[name] 様"));
    Type(line("nameEdit"), "hanako");
    Type(body(), "お待たせしました♥\n明日発送します。");
    EXPECT_FALSE(bar()->isVisible());
    press("previewButton");
    EXPECT_EQ(Utf8(body()->toPlainText()), "hanako 様\n");
    ASSERT_TRUE(bar()->isVisible());
    EXPECT_EQ(note(), "メール本文を作り直しました。");
    EXPECT_EQ(Utf8(Button(page(), "mailUndoButton")->text()), "元に戻す");

    press("mailUndoButton");
    // What the seller typed, the character Shift-JIS cannot hold included.
    EXPECT_EQ(Utf8(body()->toPlainText()), "お待たせしました♥\n明日発送します。");
    EXPECT_EQ(Utf8(line("nameEdit")->text()), "hanako");
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_TRUE(checks()->isHidden());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.dialogTitles.empty());
}

TEST_F(MailUndo, NothingIsOfferedWhenTheMailBoxWasEmptyOrStaysTheSame)
{
    folder.write("file/a.txt", Sjis("[name] 様"));
    press("previewButton");
    EXPECT_FALSE(bar()->isVisible());
    press("previewButton");  // the same mail again
    EXPECT_FALSE(bar()->isVisible());
}

TEST_F(MailUndo, TheOfferEndsWithTheNextChangeToTheForm)
{
    folder.write("file/a.txt", Sjis("[name] 様"));
    Type(body(), "下書き");
    press("previewButton");
    ASSERT_TRUE(bar()->isVisible());
    Type(body(), "hanako 様\n追記");
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_EQ(Utf8(body()->toPlainText()), "hanako 様\n追記");

    // A tick counts as a change as well.
    Type(body(), "下書き");
    press("previewButton");
    ASSERT_TRUE(bar()->isVisible());
    Find<QCheckBox>(page(), "account1Box")->click();
    EXPECT_FALSE(bar()->isVisible());
}

TEST_F(MailUndo, ClearLeavesAWayBackToTheParcelFields)
{
    // Clearing empty fields takes nothing: nothing is offered.
    press("clearButton");
    EXPECT_FALSE(bar()->isVisible());

    Type(line("mynameEdit"), "山田花子");
    Type(line("itemEdit"), "腕時計");
    Type(line("nameEdit"), "hanako");
    Type(line("faucEdit"), "3000");
    Type(line("ftransEdit"), "185");
    press("clearButton");
    EXPECT_EQ(Utf8(line("itemEdit")->text()), "");
    EXPECT_EQ(Utf8(line("mynameEdit")->text()), "山田花子");
    ASSERT_TRUE(bar()->isVisible());
    EXPECT_EQ(note(), "クリアーしました。");

    press("mailUndoButton");
    EXPECT_EQ(Utf8(line("itemEdit")->text()), "腕時計");
    EXPECT_EQ(Utf8(line("nameEdit")->text()), "hanako");
    EXPECT_EQ(Utf8(line("faucEdit")->text()), "3000");
    EXPECT_EQ(Utf8(line("ftransEdit")->text()), "185");
    EXPECT_EQ(Utf8(line("mynameEdit")->text()), "山田花子");
    EXPECT_FALSE(bar()->isVisible());
}

}  // namespace
}  // namespace torepal
