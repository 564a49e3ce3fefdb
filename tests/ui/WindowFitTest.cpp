// The main window on a laptop screen: 1366×768 less a desktop panel and a
// title bar leaves about 700 pixels of height, and the plate form must show
// whole there, its current services and buttons included.
#include <QApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "app/ui/MainDialog.h"
#include "plate/ui/CDTemplate.h"
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
