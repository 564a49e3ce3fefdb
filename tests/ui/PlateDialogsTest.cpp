#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

#include "plate/ui/CComplete.h"
#include "plate/ui/CLink.h"
#include "plate/ui/CMylink.h"
#include "support/PlateTestSupport.h"
#include "support/core/TestText.h"

using namespace torepal;
using namespace torepal::test;

TEST(CComplete, ShowsThePageAndItsByteCount)
{
    FakePlatform platform;
    CComplete dialog(platform);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("完成！"));
    auto* count = dialog.findChild<QLineEdit*>(QStringLiteral("byteCountEdit"));
    dialog.setPage("<b>abc</b>");
    EXPECT_EQ(count->text(), QStringLiteral("10"));
    dialog.setPage(S("<b>腕時計</b>"));  // each Japanese character counts 2
    EXPECT_EQ(count->text(), QStringLiteral("13"));
    EXPECT_EQ(dialog.findChild<QPlainTextEdit*>(QStringLiteral("pageEdit"))->toPlainText(),
              QStringLiteral("<b>腕時計</b>"));
}

TEST(CComplete, ThePageCanBeSelectedButNotChanged)
{
    FakePlatform platform;
    CComplete dialog(platform);
    dialog.setPage("<b>abc</b>");
    auto* edit = dialog.findChild<QPlainTextEdit*>(QStringLiteral("pageEdit"));
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_TRUE(edit->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
    EXPECT_TRUE(edit->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("xyz"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("<b>abc</b>"));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);  // select all still works
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("<b>abc</b>"));
}

TEST(CComplete, CopyTakesThePageAsRenderedAndStaysOpen)
{
    FakePlatform platform;
    CComplete dialog(platform);
    dialog.setPage(S("<b>腕時計</b>"));
    dialog.show();
    dialog.findChild<QPlainTextEdit*>(QStringLiteral("pageEdit"))->setPlainText(QStringLiteral("edited"));
    dialog.findChild<QPushButton*>(QStringLiteral("copyButton"))->click();
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_EQ(platform.clipboard[0], S("<b>腕時計</b>"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(platform.messages.empty());

    platform.clipboardWorks = false;
    dialog.copyPage();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("コピーできませんでした"), std::string::npos);
}

TEST(CLink, StartsEmptyWithHttp)
{
    FakePlatform platform;
    CLink dialog(platform);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("リンクタグの生成"));
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("linkTextEdit"))->text(), QString());
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("linkAddressEdit"))->text(), QStringLiteral("http://"));
}

TEST(CLink, ClosesQuietlyOnlyAfterTheCopyWorked)
{
    FakePlatform platform;
    CLink dialog(platform);
    dialog.findChild<QLineEdit*>(QStringLiteral("linkTextEdit"))->setText(QStringLiteral("商品一覧"));
    dialog.findChild<QLineEdit*>(QStringLiteral("linkAddressEdit"))->setText(QStringLiteral("http://a b"));

    platform.clipboardWorks = false;
    dialog.findChild<QPushButton*>(QStringLiteral("createButton"))->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].find("転送されました"), std::string::npos);
    EXPECT_NE(platform.messages[0].find("コピーできませんでした"), std::string::npos);
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    platform.clipboardWorks = true;
    dialog.findChild<QPushButton*>(QStringLiteral("createButton"))->click();
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_EQ(platform.clipboard[0], S("<a href=http://a b target=_blank>商品一覧</a>"));
    // Success needs no box: only the failure before was told.
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(CLink, CancelDoesNothing)
{
    FakePlatform platform;
    CLink dialog(platform);
    dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(platform.clipboard.empty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST(CLink, UnmappableCharacterIsToldAndNothingCopied)
{
    FakePlatform platform;
    CLink dialog(platform);
    dialog.findChild<QLineEdit*>(QStringLiteral("linkTextEdit"))->setText(QStringLiteral("😀"));
    dialog.accept();
    EXPECT_TRUE(platform.clipboard.empty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST(CMylink, ConfirmAndCancel)
{
    FakePlatform platform;
    {
        CMylink dialog(platform, S("元の文"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("テキストの編集"));
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("boothTextEdit"));
        EXPECT_EQ(edit->text(), QStringLiteral("元の文"));
        edit->setText(QStringLiteral("書きかけ"));
        dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(dialog.text(), S("元の文"));
    }
    {
        CMylink dialog(platform, S("元の文"));
        dialog.findChild<QLineEdit*>(QStringLiteral("boothTextEdit"))->setText(QStringLiteral("新しい文"));
        dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.text(), S("新しい文"));
    }
}
