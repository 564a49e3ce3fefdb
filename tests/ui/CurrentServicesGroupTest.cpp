// The box of current services as a seller uses it: ticking services, the
// ticks the page reads back, and the list that follows the tariff folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include "shipping/TariffReader.h"
#include "shipping/ui/CurrentServicesGroup.h"

using namespace torepal;

namespace {

std::vector<Tariff> Shipped()
{
    return ReadTariffFolder(std::filesystem::path(TOREPAL_SOURCE_DIR) / "program" / "tariffs").services;
}

QListWidget* List(CurrentServicesGroup& g)
{
    return g.findChild<QListWidget*>(QStringLiteral("currentServicesList"));
}

}  // namespace

TEST(CurrentServicesGroup, ListsEachServiceWithNameAndDateInOrder)
{
    CurrentServicesGroup group;
    group.setServices(Shipped());
    EXPECT_EQ(group.title(), QStringLiteral("現行の配送サービス"));
    QListWidget* list = List(group);
    ASSERT_EQ(list->count(), 7);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("定形外郵便（2024年10月1日）"));
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("クリックポスト（2018年9月1日）"));
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(group.tickedIds().empty());
}

TEST(CurrentServicesGroup, TickingAServiceIsReportedInListOrder)
{
    CurrentServicesGroup group;
    group.setServices(Shipped());
    QSignalSpy changed(&group, &CurrentServicesGroup::tickedIdsChanged);
    QListWidget* list = List(group);
    list->item(6)->setCheckState(Qt::Checked);  // ゆうパケット
    list->item(1)->setCheckState(Qt::Checked);  // レターパックライト
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(group.tickedIds(), (std::vector<std::string>{"letterpack-light", "yu-packet"}));
}

TEST(CurrentServicesGroup, SetTickedIdsRestoresTicksQuietly)
{
    CurrentServicesGroup group;
    group.setServices(Shipped());
    QSignalSpy changed(&group, &CurrentServicesGroup::tickedIdsChanged);
    group.setTickedIds({"teikeigai", "gone", "clickpost"});
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(group.tickedIds(), (std::vector<std::string>{"teikeigai", "clickpost"}));

    // A new list keeps the ticks of services still in it.
    std::vector<Tariff> fewer = Shipped();
    fewer.erase(fewer.begin());  // teikeigai gone
    group.setServices(fewer);
    EXPECT_EQ(group.tickedIds(), (std::vector<std::string>{"clickpost"}));
    EXPECT_EQ(changed.count(), 0);
}

TEST(CurrentServicesGroup, WithoutServicesItSaysSoAndStaysSmall)
{
    CurrentServicesGroup group;
    group.setServices({});
    group.show();
    EXPECT_FALSE(List(group)->isVisible());
    EXPECT_TRUE(group.findChild<QLabel*>(QStringLiteral("currentServicesEmpty"))->isVisible());
    group.setServices(Shipped());
    EXPECT_TRUE(List(group)->isVisible());
    EXPECT_LE(group.sizeHint().height(), 260);
    EXPECT_EQ(List(group)->accessibleName(), QStringLiteral("現行の配送サービス"));
}

TEST(CurrentServicesGroup, TheShippedServicesShowWholeWithoutScrolling)
{
    CurrentServicesGroup group;
    group.setServices(Shipped());
    group.show();
    QApplication::processEvents();
    QListWidget* list = List(group);
    ASSERT_EQ(list->count(), 7);
    EXPECT_LT(list->visualItemRect(list->item(6)).bottom(), list->viewport()->height());
    EXPECT_FALSE(list->verticalScrollBar()->isVisible());
}

TEST(CurrentServicesGroup, AClickOnAServicesNameTicksItAsOnItsBoxAndSpaceStillDoes)
{
    CurrentServicesGroup group;
    group.setServices(Shipped());
    group.show();
    QApplication::processEvents();
    QSignalSpy changed(&group, &CurrentServicesGroup::tickedIdsChanged);
    QListWidget* list = List(group);
    const QRect line = list->visualItemRect(list->item(4));  // クリックポスト（2018年9月1日）
    const QPoint onName(line.left() + line.width() / 2, line.center().y());

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onName);
    EXPECT_EQ(group.tickedIds(), (std::vector<std::string>{"clickpost"}));
    EXPECT_EQ(changed.count(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onName);
    EXPECT_TRUE(group.tickedIds().empty());
    EXPECT_EQ(changed.count(), 2);

    // The small box itself: one click, one change, not two.
    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.rect = line;
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = list->item(4)->text();
    const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    ASSERT_TRUE(line.contains(box.center()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(group.tickedIds(), (std::vector<std::string>{"clickpost"}));
    EXPECT_EQ(changed.count(), 3);

    // The right button ticks nothing.
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, onName);
    EXPECT_EQ(changed.count(), 3);

    // The keyboard as before: Space ticks the current line.
    list->setFocus();
    list->setCurrentRow(1);  // レターパックライト
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(group.tickedIds(), (std::vector<std::string>{"letterpack-light", "clickpost"}));
    EXPECT_EQ(changed.count(), 4);
}
