// The keyboard alone reaches every control: Tab, pressed again and again on
// each page of the main window, comes to each button, edit, box and list the
// page shows, the undo offers in the status line included.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <set>

#include "support/AppTestSupport.h"

using namespace torepal;

namespace {

class TabOrder : public test::AppTest {
protected:
    // What Tab reaches from the tab bar in `presses` presses.
    std::set<const QWidget*> reached(int presses)
    {
        std::set<const QWidget*> seen;
        window->tabs().setFocus(Qt::TabFocusReason);
        for (int i = 0; i < presses; ++i) {
            QWidget* now = QApplication::focusWidget();
            if (now == nullptr) break;
            seen.insert(now);
            QTest::keyClick(now, Qt::Key_Tab);
        }
        return seen;
    }

    void expectEveryControlReached(const QWidget& page)
    {
        const std::set<const QWidget*> seen = reached(400);
        for (const QWidget* c : page.findChildren<QWidget*>()) {
            const bool control = qobject_cast<const QAbstractButton*>(c) || qobject_cast<const QLineEdit*>(c) ||
                                 qobject_cast<const QComboBox*>(c) || qobject_cast<const QPlainTextEdit*>(c) ||
                                 qobject_cast<const QListWidget*>(c);
            if (!control || !c->isVisible() || !c->isEnabled()) continue;
            if (qobject_cast<const QComboBox*>(c->parentWidget())) continue;  // a combo's own parts
            if (c->focusPolicy() == Qt::NoFocus) continue;                    // a label-like button
            // A radio pair is one stop; the arrow keys move inside it.
            if (qobject_cast<const QRadioButton*>(c) && !qobject_cast<const QRadioButton*>(c)->isChecked()) continue;
            EXPECT_TRUE(seen.count(c) == 1) << c->objectName().toStdString();
        }
    }
};

TEST_F(TabOrder, TabReachesEveryControlOfEachPageAndTheStatusLinesUndo)
{
    std::filesystem::copy(std::filesystem::path(TOREPAL_SOURCE_DIR) / "program" / "tariffs", folder / "tariffs");
    MainDialog& w = start();
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    type("titleEdit", "時計");
    answerNextDialog();
    trigger("newAction");  // the status line offers 元に戻す
    for (int tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(tab);
        w.tabs().setCurrentIndex(tab);
        QApplication::processEvents();
        expectEveryControlReached(w.pageOfTab(tab));
    }
    w.tabs().setCurrentIndex(0);
    QApplication::processEvents();
    expectEveryControlReached(w.statusLine());
}

}  // namespace
