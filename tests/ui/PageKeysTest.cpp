// Enter, Escape and default buttons inside a page, on a page of plain
// widgets inside a dialog with a default OK button: the dialog is what the
// main window is, so a key that escapes the page would accept or close it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

#include "platform/ui/PageKeys.h"

using namespace torepal;

namespace {

struct PageInADialog {
    QDialog window;
    QPushButton* ok = nullptr;
    QWidget* page = nullptr;
    QGroupBox* group = nullptr;
    QLineEdit* line = nullptr;
    QPlainTextEdit* text = nullptr;
    QPushButton* button = nullptr;
    QCheckBox* box = nullptr;
    QRadioButton* radio = nullptr;
    int pressed = 0;

    PageInADialog()
    {
        auto* layout = new QVBoxLayout(&window);
        page = new QWidget;
        auto* pageLayout = new QVBoxLayout(page);
        group = new QGroupBox(QStringLiteral("group"));
        auto* groupLayout = new QVBoxLayout(group);
        line = new QLineEdit;
        text = new QPlainTextEdit;
        button = new QPushButton(QStringLiteral("press"));
        box = new QCheckBox(QStringLiteral("box"));
        radio = new QRadioButton(QStringLiteral("radio"));
        radio->setAutoExclusive(false);
        for (QWidget* w : std::initializer_list<QWidget*>{line, text, button, box, radio}) groupLayout->addWidget(w);
        pageLayout->addWidget(group);
        layout->addWidget(page);
        ok = new QPushButton(QStringLiteral("OK"));
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
        layout->addWidget(ok);
        QObject::connect(button, &QPushButton::clicked, [this] { ++pressed; });
        InstallPageKeys(*page);
        window.show();
    }

    void key(QWidget* w, Qt::Key k)
    {
        w->setFocus();
        QTest::keyClick(w, k);
    }
    bool windowUntouched() const { return window.isVisible() && window.result() == 0; }
};

TEST(PageKeys, EnterOnAFocusedButtonPressesIt)
{
    PageInADialog d;
    d.key(d.button, Qt::Key_Return);
    EXPECT_EQ(d.pressed, 1);
    d.key(d.button, Qt::Key_Enter);  // the keypad's Enter too
    EXPECT_EQ(d.pressed, 2);
    EXPECT_TRUE(d.windowUntouched());
}

TEST(PageKeys, EnterTicksAFocusedCheckBoxAndRadioButton)
{
    PageInADialog d;
    d.key(d.box, Qt::Key_Return);
    EXPECT_TRUE(d.box->isChecked());
    d.key(d.box, Qt::Key_Return);
    EXPECT_FALSE(d.box->isChecked());
    d.key(d.radio, Qt::Key_Enter);
    EXPECT_TRUE(d.radio->isChecked());
    EXPECT_TRUE(d.windowUntouched());
}

TEST(PageKeys, EnterOnAButtonWithoutFocusPressesNothing)
{
    PageInADialog d;
    d.line->setFocus();
    QTest::keyClick(d.button, Qt::Key_Return);
    EXPECT_EQ(d.pressed, 0);
    EXPECT_TRUE(d.windowUntouched());
}

TEST(PageKeys, AHeldEnterPressesOnce)
{
    PageInADialog d;
    d.button->setFocus();
    QTest::keyPress(d.button, Qt::Key_Return);
    for (int i = 0; i < 2; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(d.button, &repeat);
    }
    QTest::keyRelease(d.button, Qt::Key_Return);
    EXPECT_EQ(d.pressed, 1);
    EXPECT_TRUE(d.windowUntouched());
}

TEST(PageKeys, EnterInALineEditDoesNothing)
{
    PageInADialog d;
    QTest::keyClicks(d.line, QStringLiteral("abc"));
    d.key(d.line, Qt::Key_Return);
    d.key(d.line, Qt::Key_Enter);
    EXPECT_EQ(d.line->text(), QStringLiteral("abc"));
    EXPECT_EQ(d.pressed, 0);
    EXPECT_TRUE(d.windowUntouched());
}

TEST(PageKeys, EnterInAMultiLineEditBreaksTheLine)
{
    PageInADialog d;
    d.text->setFocus();
    QTest::keyClicks(d.text, QStringLiteral("ab"));
    QTest::keyClick(d.text, Qt::Key_Return);
    QTest::keyClicks(d.text, QStringLiteral("c"));
    EXPECT_EQ(d.text->toPlainText(), QStringLiteral("ab\nc"));
    EXPECT_TRUE(d.windowUntouched());
}

TEST(PageKeys, EscapeInAPageDoesNothing)
{
    PageInADialog d;
    for (QWidget* w : std::initializer_list<QWidget*>{d.line, d.text, d.button, d.box, d.page})
        d.key(w, Qt::Key_Escape);
    EXPECT_EQ(d.pressed, 0);
    EXPECT_FALSE(d.box->isChecked());
    EXPECT_TRUE(d.windowUntouched());
}

TEST(PageKeys, NoPushButtonOfThePageIsDefaultNotEvenOneAddedLater)
{
    PageInADialog d;
    EXPECT_FALSE(d.button->autoDefault());
    auto* later = new QPushButton(QStringLiteral("later"));
    d.group->layout()->addWidget(later);                            // made elsewhere, moved into a box of the page
    auto* made = new QPushButton(QStringLiteral("made"), d.group);  // made straight inside it
    d.group->layout()->addWidget(made);
    later->show();
    made->show();
    for (QPushButton* b : {later, made}) {
        EXPECT_FALSE(b->autoDefault()) << b->text().toStdString();
        EXPECT_FALSE(b->isDefault()) << b->text().toStdString();
    }

    int pressed = 0;
    QObject::connect(later, &QPushButton::clicked, [&] { ++pressed; });
    d.key(later, Qt::Key_Return);
    EXPECT_EQ(pressed, 1);
    d.key(d.line, Qt::Key_Return);
    EXPECT_EQ(pressed, 1);
    EXPECT_TRUE(d.windowUntouched());
}

TEST(PageKeys, ADialogMadeWithThePageAsParentKeepsItsOwnKeys)
{
    PageInADialog d;
    QDialog child(d.page);
    auto* layout = new QVBoxLayout(&child);
    auto* edit = new QLineEdit;
    layout->addWidget(edit);
    child.show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(child.isVisible());
    EXPECT_EQ(child.result(), QDialog::Rejected);
    EXPECT_TRUE(d.windowUntouched());
}

TEST(PageKeys, InstallingTwicePressesOnce)
{
    PageInADialog d;
    InstallPageKeys(*d.page);
    d.key(d.button, Qt::Key_Return);
    EXPECT_EQ(d.pressed, 1);
}

}  // namespace
