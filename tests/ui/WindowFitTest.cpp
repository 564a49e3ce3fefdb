// The main window on a laptop screen: 1366×768 less a desktop panel and a
// title bar leaves about 700 pixels of height, and the plate form must show
// whole there, its current services and buttons included. At the window's
// first size on a 1366×768 or a 1280×720 screen every page shows whole, and
// a long list of findings scrolls inside itself, never the buttons away.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <functional>
#include <iterator>

#include "app/ui/MainDialog.h"
#include "app/ui/PageScrollArea.h"
#include "mail/ui/CMail.h"
#include "plate/ui/CDTemplate.h"
#include "platform/ui/ChecksView.h"
#include "support/AppTestSupport.h"

using namespace torepal;

namespace {

constexpr int kLaptopHeight = 700;

class WindowFit : public test::AppTest {};

// True when `w` lies wholly inside the visible part of `area`.
bool ShownWhole(const QScrollArea& area, const QWidget& w)
{
    const QRect inViewport(w.mapTo(area.viewport(), QPoint(0, 0)), w.size());
    return area.viewport()->rect().contains(inViewport);
}

// Xvfb's screens with no desktop panel; the title bar's room is left by the
// window itself.
const QRect kScreens[] = {QRect(0, 0, 1366, 768), QRect(0, 0, 1280, 720)};
constexpr int kTitleBar = 30;

// More findings than any listing gives, each long enough to wrap.
std::vector<CheckResult> ManyFindings()
{
    std::vector<CheckResult> many;
    for (int i = 0; i < 25; ++i)
        many.push_back({Sjis("支払い方法"), Sjis("「切手」は、2018年3月1日から使えません（支払いはYahoo!かんたん"
                                                 "決済だけになりました）。チェックを外してください。")});
    return many;
}

// Every control the seller uses on the page, shown whole without scrolling.
void ExpectEveryControlShown(const QScrollArea& area, const QWidget& page)
{
    EXPECT_EQ(area.verticalScrollBar()->maximum(), 0) << page.objectName().toStdString();
    EXPECT_EQ(area.horizontalScrollBar()->maximum(), 0) << page.objectName().toStdString();
    for (const QWidget* c : page.findChildren<QWidget*>()) {
        const bool control = qobject_cast<const QAbstractButton*>(c) || qobject_cast<const QLineEdit*>(c) ||
                             qobject_cast<const QComboBox*>(c) || qobject_cast<const QPlainTextEdit*>(c) ||
                             qobject_cast<const QListWidget*>(c);
        if (!control || !c->isVisible() || c->window() != area.window()) continue;
        if (qobject_cast<const QComboBox*>(c->parentWidget())) continue;  // a combo's own parts
        EXPECT_TRUE(ShownWhole(area, *c)) << c->objectName().toStdString();
        // Nor cut by a scroll area inside the page (the mail page's inputs).
        for (const QWidget* p = c->parentWidget(); p != nullptr && p != &page; p = p->parentWidget())
            if (const auto* inner = qobject_cast<const QScrollArea*>(p)) {
                EXPECT_TRUE(ShownWhole(*inner, *c))
                    << c->objectName().toStdString() << " in " << inner->objectName().toStdString();
            }
    }
}

}  // namespace

TEST_F(WindowFit, TheWindowCanBeAsLowAsALaptopScreenAllows)
{
    MainDialog& w = start();
    EXPECT_LE(w.minimumSizeHint().height(), kLaptopHeight);
    // The first size never reaches beyond the screen's free room.
    const QRect room = QApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(w.height(), room.height());
    EXPECT_LE(w.width(), room.width());
}

TEST_F(WindowFit, ThePlateFormShowsWholeAt1280By700)
{
    MainDialog& w = start();
    w.resize(1280, kLaptopHeight);
    w.show();
    QApplication::processEvents();
    ASSERT_EQ(w.tabs().currentIndex(), 0);
    auto* area = qobject_cast<QScrollArea*>(w.tabs().currentWidget());
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
    CDTemplate& page = w.platePage();
    for (const char* name : {"currentServicesGroup", "completeButton", "linkTagButton", "othersEdit", "boothGroup"}) {
        QWidget* part = page.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(part, nullptr) << name;
        EXPECT_TRUE(part->isVisible()) << name;
        EXPECT_TRUE(ShownWhole(*area, *part)) << name;
    }
}

TEST_F(WindowFit, ATallerPageScrollsInsteadOfGrowingTheWindow)
{
    MainDialog& w = start();
    w.resize(1280, 420);
    w.show();
    QApplication::processEvents();
    EXPECT_LE(w.height(), 420);
    auto* area = qobject_cast<QScrollArea*>(w.tabs().currentWidget());
    ASSERT_NE(area, nullptr);
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    // The bottom buttons are still reached by scrolling to them.
    QWidget* complete = w.platePage().findChild<QPushButton*>(QStringLiteral("completeButton"));
    area->ensureWidgetVisible(complete);
    QApplication::processEvents();
    EXPECT_TRUE(ShownWhole(*area, *complete));
}

namespace {

// At the window's first size on each screen: every page whole, and the
// form pages still whole with the longest list of findings, the plate
// page's buttons where they were.
void ExpectEveryPageWholeAtTheFirstSize(const std::function<MainDialog&()>& start)
{
    for (const QRect& screen : kScreens) {
        SCOPED_TRACE(screen.width());
        MainDialog& w = start();
        FitToRoom(w, screen);
        w.show();
        QApplication::processEvents();
        // As large as the pages need, inside the screen with its title bar.
        EXPECT_EQ(w.size(), w.sizeHint());
        EXPECT_LE(w.height() + kTitleBar, screen.height());
        EXPECT_LE(w.width(), screen.width());

        for (int tab = 0; tab < 3; ++tab) {
            w.tabs().setCurrentIndex(tab);
            QApplication::processEvents();
            auto* area = qobject_cast<QScrollArea*>(w.tabs().currentWidget());
            ASSERT_NE(area, nullptr);
            ExpectEveryControlShown(*area, w.pageOfTab(tab));
        }
        // The mail page's inputs scroll on their own only on a lower screen.
        auto* inputs = w.mailPage().findChild<QScrollArea*>(QStringLiteral("leftScroll"));
        ASSERT_NE(inputs, nullptr);
        EXPECT_EQ(inputs->verticalScrollBar()->maximum(), 0);
        // Its edits as wide as they ask to be, not squeezed to a few letters.
        for (const QLineEdit* edit : inputs->widget()->findChildren<QLineEdit*>())
            EXPECT_GE(edit->width(), edit->sizeHint().width()) << edit->objectName().toStdString();
        EXPECT_TRUE(ShownWhole(*inputs, *w.mailPage().findChild<QComboBox*>(QStringLiteral("templateCombo"))));

        const char* const buttons[] = {"completeButton",     "previewButton", "livePreviewButton",
                                       "completeCopyButton", "clearButton",   "linkTagButton"};
        QWidget& plate = w.platePage();
        std::vector<QPoint> before;
        for (const char* name : buttons) before.push_back(plate.findChild<QWidget*>(QString::fromLatin1(name))->pos());

        // A long list of findings on both form pages: the lists scroll, the
        // pages do not, and every button stays where it was.
        plate.findChild<ChecksView*>(QStringLiteral("plateChecks"))->setChecks(ManyFindings());
        w.mailPage().findChild<ChecksView*>(QStringLiteral("checksView"))->setChecks(ManyFindings());
        for (int tab = 0; tab < 2; ++tab) {
            w.tabs().setCurrentIndex(tab);
            QApplication::processEvents();
            auto* area = qobject_cast<QScrollArea*>(w.tabs().currentWidget());
            ASSERT_NE(area, nullptr);
            ExpectEveryControlShown(*area, w.pageOfTab(tab));
        }
        w.tabs().setCurrentIndex(0);
        QApplication::processEvents();
        for (std::size_t i = 0; i < std::size(buttons); ++i) {
            const QWidget* button = plate.findChild<QWidget*>(QString::fromLatin1(buttons[i]));
            EXPECT_TRUE(button->isVisible()) << buttons[i];
            EXPECT_EQ(button->pos(), before[i]) << buttons[i];
        }
    }
}

}  // namespace

TEST_F(WindowFit, AtTheFirstSizeOnALaptopScreenEveryPageShowsWholeWhateverTheChecksHold)
{
    // No tariff files: the current services take little room, and the
    // texts column decides how high the form must be to hold the findings.
    ExpectEveryPageWholeAtTheFirstSize([this]() -> MainDialog& {
        window.reset();
        return start();
    });
}

TEST_F(WindowFit, WithTheShippedFilesEveryPageShowsWholeWhateverTheChecksHold)
{
    // The tariffs and the mail templates (with their long names) as they
    // come with the program.
    const std::filesystem::path shipped = std::filesystem::path(TOREPAL_SOURCE_DIR) / "program";
    std::filesystem::copy(shipped / "tariffs", folder / "tariffs");
    std::filesystem::copy(shipped / "file", folder / "file", std::filesystem::copy_options::overwrite_existing);
    ExpectEveryPageWholeAtTheFirstSize([this]() -> MainDialog& {
        window.reset();
        return start();
    });
}
