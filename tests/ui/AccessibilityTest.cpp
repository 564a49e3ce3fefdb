// Every control of every page and dialog can be found the way a screen
// reader or a UI automation tool finds it: buttons, check boxes and radio
// buttons by their captions, edits, combo boxes and lists by the label beside
// them or by a name saying what they hold. The names are read back through
// Qt's accessibility interfaces, the same ones the desktop's accessibility
// bus is fed from.
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <map>
#include <set>

#include "app/ui/CAbout.h"
#include "app/ui/CNew.h"
#include "app/ui/MainDialog.h"
#include "bank/ui/CBank.h"
#include "files/ui/CFileControl.h"
#include "mail/ui/CMail.h"
#include "mail/ui/CMailEdit.h"
#include "plate/ui/CComplete.h"
#include "plate/ui/CDTemplate.h"
#include "plate/ui/CLink.h"
#include "plate/ui/CMylink.h"
#include "support/AppTestSupport.h"

using namespace torepal;
using namespace torepal::test;
using torepal::test::AppTest;

// Names show as text in failure messages.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

QString Describe(const QWidget* w)
{
    return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

// The texts of the labels a control is labelled by (a buddy label, a form
// row's label). A group box title alone does not count: it names a group,
// not the control.
QStringList LabelTexts(QWidget* w)
{
    QStringList texts;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (!iface) return texts;
    for (const auto& [other, relation] : iface->relations(QAccessible::Label)) {
        if (other && qobject_cast<QLabel*>(other->object()) && !other->text(QAccessible::Name).isEmpty())
            texts << other->text(QAccessible::Name);
    }
    return texts;
}

QString AccessibleName(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The name a tool looks a control up by. On Linux Qt reports a combo box's
// current entry as its name and takes no accessible name from it, so a
// combo box is found through its label only.
QString FindingName(QWidget* w)
{
    const QStringList labels = LabelTexts(w);
    if (qobject_cast<QComboBox*>(w)) return labels.value(0);
    if (!w->accessibleName().isEmpty() || qobject_cast<QAbstractButton*>(w)) return AccessibleName(w);
    return labels.isEmpty() ? QString() : labels.first();
}

bool IsQtsOwn(const QWidget* w)
{
    // The tab bar's scroll arrows and the menu bar's overflow button.
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QTabBar*>(p) || qobject_cast<const QMenuBar*>(p)) return true;
    return w->objectName().startsWith(QLatin1String("qt_"));
}

// Every control under `root` has a name to be found by, and no two
// controls of one kind share a name there.
void ExpectEveryControlNamed(QWidget* root)
{
    std::map<std::pair<int, QString>, QString> seen;
    int controls = 0;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QListWidget*>(w);
        if (!control || IsQtsOwn(w)) continue;
        ++controls;
        EXPECT_FALSE(w->objectName().isEmpty()) << Describe(w).toStdString() << " in " << Describe(root).toStdString();
        const QString name = FindingName(w);
        EXPECT_FALSE(name.trimmed().isEmpty())
            << Describe(w).toStdString() << " in " << Describe(root).toStdString() << " has nothing to be found by";
        if (name.isEmpty()) continue;
        const int role = QAccessible::queryAccessibleInterface(w)->role();
        const auto [it, fresh] = seen.emplace(std::make_pair(role, name), Describe(w));
        EXPECT_TRUE(fresh) << Describe(w).toStdString() << " and " << it->second.toStdString() << " are both called "
                           << name.toStdString();
    }
    EXPECT_GT(controls, 0) << Describe(root).toStdString();
}

template <typename W>
W* Child(QWidget& root, const char* name)
{
    W* w = root.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

class Accessibility : public AppTest {};

}  // namespace

TEST_F(Accessibility, EveryControlOfTheThreePagesHasAName)
{
    MainDialog& w = start();
    ExpectEveryControlNamed(&w.platePage());
    ExpectEveryControlNamed(&w.mailPage());
    ExpectEveryControlNamed(&w.filePage());
}

TEST_F(Accessibility, PlatePageControlsAreFoundByTheirLabelsAndCaptions)
{
    MainDialog& w = start();
    QWidget& plate = w.platePage();
    EXPECT_EQ(LabelTexts(Child<QLineEdit>(plate, "titleEdit")), QStringList{QStringLiteral("-----商品タイトル------")});
    EXPECT_EQ(AccessibleName(Child<QLineEdit>(plate, "titleEdit")), QStringLiteral("-----商品タイトル------"));
    EXPECT_EQ(LabelTexts(Child<QPlainTextEdit>(plate, "itemsEdit")),
              QStringList{QStringLiteral("-----商品情報------")});
    EXPECT_EQ(LabelTexts(Child<QComboBox>(plate, "weightCombo")), QStringList{QStringLiteral("重量")});
    EXPECT_EQ(LabelTexts(Child<QComboBox>(plate, "sizeCombo")), QStringList{QStringLiteral("サイズ")});
    EXPECT_EQ(LabelTexts(Child<QComboBox>(plate, "originCombo")), QStringList{QStringLiteral("発送元")});
    EXPECT_EQ(LabelTexts(Child<QComboBox>(plate, "typeCombo")), QStringList{QStringLiteral("【タイプ】")});
    EXPECT_EQ(AccessibleName(Child<QCheckBox>(plate, "yahooYuPackBox")), QStringLiteral("Yahoo！ゆうパック"));
    EXPECT_EQ(AccessibleName(Child<QPushButton>(plate, "completeButton")), QStringLiteral("完成"));

    // A radio pair that may hold both or neither state is still a pair of
    // radio buttons to a screen reader, not two check boxes.
    for (const char* name : {"centerRadio", "leftRadio", "linkOffRadio", "linkOnRadio"}) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(Child<QRadioButton>(plate, name));
        EXPECT_EQ(iface->role(), QAccessible::RadioButton) << name;
    }
    EXPECT_EQ(AccessibleName(Child<QRadioButton>(plate, "centerRadio")), QStringLiteral("中央"));
}

TEST_F(Accessibility, RadioPairsStayFreeOfEachOtherForStoredStates)
{
    // Files may hold both states of a pair or neither: the page must be
    // able to show that, whatever makes the buttons read as radios.
    MainDialog& w = start();
    QWidget& plate = w.platePage();
    auto* center = Child<QRadioButton>(plate, "centerRadio");
    auto* left = Child<QRadioButton>(plate, "leftRadio");
    center->setChecked(true);
    left->setChecked(true);
    EXPECT_TRUE(center->isChecked());
    EXPECT_TRUE(left->isChecked());
    center->setChecked(false);
    left->setChecked(false);
    EXPECT_FALSE(center->isChecked());
    EXPECT_FALSE(left->isChecked());

    // A click still makes the pair exclusive.
    left->click();
    EXPECT_TRUE(left->isChecked());
    EXPECT_FALSE(center->isChecked());
    left->click();
    EXPECT_TRUE(left->isChecked());
    EXPECT_FALSE(center->isChecked());
    center->click();
    EXPECT_TRUE(center->isChecked());
    EXPECT_FALSE(left->isChecked());
}

TEST_F(Accessibility, AccountBoxesAreNamedEvenWithoutABankName)
{
    writeBankNames("A&B銀行", "", "三井住友銀行");
    MainDialog& w = start();
    for (QWidget* page : {static_cast<QWidget*>(&w.platePage()), static_cast<QWidget*>(&w.mailPage())}) {
        EXPECT_EQ(AccessibleName(Child<QCheckBox>(*page, "account1Box")), QStringLiteral("A&B銀行"));
        EXPECT_EQ(AccessibleName(Child<QCheckBox>(*page, "account2Box")), QStringLiteral("銀行2（未登録）"));
        EXPECT_EQ(AccessibleName(Child<QCheckBox>(*page, "account3Box")), QStringLiteral("三井住友銀行"));
        EXPECT_EQ(AccessibleName(Child<QCheckBox>(*page, "account4Box")), QStringLiteral("銀行4（未登録）"));
        // The postal boxes are called differently on the two pages.
        auto* paruru = page->findChild<QCheckBox*>(QStringLiteral("paruruBox"));
        if (!paruru) paruru = Child<QCheckBox>(*page, "account5Box");
        EXPECT_EQ(AccessibleName(paruru), QStringLiteral("ぱるる"));
        ExpectEveryControlNamed(page);
    }
}

TEST_F(Accessibility, MailAndFilePageControlsAreFoundByTheirLabels)
{
    MainDialog& w = start();
    QWidget& mail = w.mailPage();
    EXPECT_EQ(LabelTexts(Child<QLineEdit>(mail, "itemEdit")), QStringList{QStringLiteral("落札商品")});
    EXPECT_EQ(LabelTexts(Child<QLineEdit>(mail, "nameEdit")), QStringList{QStringLiteral("落札者(YahooID)")});
    EXPECT_EQ(LabelTexts(Child<QComboBox>(mail, "templateCombo")), QStringList{QStringLiteral("プレート選択")});
    EXPECT_EQ(AccessibleName(Child<QPlainTextEdit>(mail, "bodyEdit")), QStringLiteral("メール本文"));
    QWidget& files = w.filePage();
    EXPECT_EQ(AccessibleName(Child<QListWidget>(files, "savedFileList")), QStringLiteral("保存したファイルの一覧"));
    EXPECT_EQ(AccessibleName(Child<QPlainTextEdit>(files, "fileTextEdit")), QStringLiteral("ファイルの内容"));
}

TEST_F(Accessibility, MainWindowTabsAndMenuAreNamed)
{
    MainDialog& w = start();
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w.tabs().tabBar());
    ASSERT_NE(bar, nullptr);
    QStringList tabs;
    for (int i = 0; i < bar->childCount(); ++i)
        if (bar->child(i)->role() == QAccessible::PageTab) tabs << bar->child(i)->text(QAccessible::Name);
    EXPECT_EQ(tabs, (QStringList{QStringLiteral("プレート作成"), QStringLiteral("メール作成"),
                                 QStringLiteral("ファイル管理")}));

    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(&w.menu());
    ASSERT_NE(menu, nullptr);
    QStringList menus;
    for (int i = 0; i < menu->childCount(); ++i) menus << menu->child(i)->text(QAccessible::Name);
    EXPECT_EQ(menus,
              (QStringList{QStringLiteral("ファイル（F）"), QStringLiteral("設定（C）"), QStringLiteral("表示（V）"),
                           QStringLiteral("ヘルプ（H）"), QStringLiteral("バージョン情報（A）")}));
}

TEST_F(Accessibility, EveryControlOfTheDialogsHasAName)
{
    CBank bank(platform);
    ExpectEveryControlNamed(&bank);
    // One column label stands over several rows, so each kind combo needs
    // its own label naming the row.
    EXPECT_EQ(LabelTexts(Child<QComboBox>(bank, "bank3KindCombo")), QStringList{QStringLiteral("銀行3 種類")});
    EXPECT_EQ(LabelTexts(Child<QComboBox>(bank, "furikaeKindCombo")), QStringList{QStringLiteral("振替口座 種類")});
    EXPECT_EQ(AccessibleName(Child<QLineEdit>(bank, "bank2NumberEdit")), QStringLiteral("銀行2 口座番号"));

    CComplete complete(platform);
    complete.setPage("<b>abc</b>");
    ExpectEveryControlNamed(&complete);
    CLink link(platform);
    ExpectEveryControlNamed(&link);
    EXPECT_EQ(LabelTexts(Child<QLineEdit>(link, "linkAddressEdit")), QStringList{QStringLiteral("■リンクするURL")});
    CMylink booth(platform, "");
    ExpectEveryControlNamed(&booth);
    CMailEdit editor(platform, folder);
    editor.openFresh();
    ExpectEveryControlNamed(&editor);
    CNew confirm;
    ExpectEveryControlNamed(&confirm);
    CAbout about;
    ExpectEveryControlNamed(&about);
}
