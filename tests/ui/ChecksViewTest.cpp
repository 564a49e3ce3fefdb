#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>

#include "plate/ListingChecks.h"
#include "plate/ui/CComplete.h"
#include "platform/ui/ChecksView.h"
#include "support/PlateTestSupport.h"

using namespace torepal;
using namespace torepal::test;

TEST(ChecksView, HiddenWhileThereIsNothingToSay)
{
    QWidget page;  // as on a page: the view decides its own visibility
    auto& view = *new ChecksView(&page);
    page.show();
    EXPECT_FALSE(view.isVisible());
    view.setChecks({{S("商品タイトル"), S("短くしてください。")}, {S("配送業者"), S("外してください。")}});
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.lines(), (QStringList{QStringLiteral("商品タイトル：短くしてください。"),
                                         QStringLiteral("配送業者：外してください。")}));
    view.clear();
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.count(), 0);
}

TEST(CComplete, ShowsTheListingChecksAndTheTitleCountBesideTheByteCount)
{
    FakePlatform platform;
    CComplete dialog(platform);
    dialog.setPage(S("<b>腕時計</b>"));
    dialog.show();
    auto* titleCount = dialog.findChild<QLineEdit*>(QStringLiteral("titleCountEdit"));
    auto* checks = dialog.findChild<ChecksView*>(QStringLiteral("checksView"));
    ASSERT_NE(titleCount, nullptr);
    ASSERT_NE(checks, nullptr);
    // Without the listing the dialog is as it always was.
    EXPECT_FALSE(titleCount->isVisible());
    EXPECT_FALSE(checks->isVisible());

    PlateState state;
    state.Title = S("腕時計");
    PlateFlags flags;
    flags.payment.stamps = true;
    dialog.setListing(state.Title, CheckListing(state, flags, PlateSelections{}));
    EXPECT_TRUE(titleCount->isVisible());
    EXPECT_EQ(titleCount->text(), QStringLiteral("3/65"));
    EXPECT_TRUE(checks->isVisible());
    ASSERT_EQ(checks->count(), 1);
    EXPECT_TRUE(checks->lines()[0].startsWith(QStringLiteral("支払い方法：「切手」は、2018年3月1日から")));
}

TEST(ChecksView, AFindingLongerThanTheViewIsWideShowsWhole)
{
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    auto& view = *new ChecksView(&page);
    layout->addWidget(&view);
    page.resize(240, 400);
    page.show();
    view.setChecks({{S("支払い方法"), S("「切手」は、2018年3月1日から使えません（支払いはYahoo!かんたん決済だけに"
                                        "なりました）。チェックを外してください。")},
                    {S("配送業者"), S("外してください。")}});
    QApplication::processEvents();
    auto* list = view.findChild<QListWidget*>(QStringLiteral("checksList"));
    ASSERT_NE(list, nullptr);
    const QRect first = list->visualItemRect(list->item(0));
    const QRect second = list->visualItemRect(list->item(1));
    EXPECT_GT(first.height(), second.height());  // wrapped onto more lines
    EXPECT_LE(second.bottom(), list->viewport()->height());
    EXPECT_FALSE(list->verticalScrollBar()->isVisible());
}

TEST(ChecksView, ManyLongFindingsScrollInsideAViewOfAtMostSixLines)
{
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    auto& view = *new ChecksView(&page);
    layout->addWidget(&view);
    layout->addStretch();
    page.resize(400, 700);
    page.show();
    std::vector<CheckResult> many;
    for (int i = 0; i < 30; ++i)
        many.push_back({S("支払い方法"), S("「切手」は、2018年3月1日から使えません（支払いはYahoo!かんたん決済だけに"
                                           "なりました）。チェックを外してください。")});
    view.setChecks(many);
    QApplication::processEvents();
    auto* list = view.findChild<QListWidget*>(QStringLiteral("checksList"));
    ASSERT_NE(list, nullptr);
    // Six lines of text and the list's frame, however much it holds.
    const int line = list->fontMetrics().lineSpacing();
    EXPECT_LE(view.height(), 6 * line + 2 * list->frameWidth() + 2);
    EXPECT_EQ(view.height(), view.mostOuterHeight());
    EXPECT_TRUE(list->verticalScrollBar()->isVisible());
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    // The last finding is reached by scrolling the list itself.
    list->scrollToItem(list->item(29));
    QApplication::processEvents();
    EXPECT_TRUE(list->viewport()->rect().intersects(list->visualItemRect(list->item(29))));
}
