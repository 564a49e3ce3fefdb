// The tariff editor as a seller uses it: a service from tariffs/ in its
// grids, a paste from a spreadsheet, an invalid service refused with its
// cell named, saving over a hand-written file, undo, and delete with its
// backup. Questions are answered through the fake platform.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <map>

#include "shipping/TariffReader.h"
#include "shipping/ui/TariffEditor.h"
#include "support/FakePlatform.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Files.h"

using namespace torepal;
using namespace torepal::test;

namespace {

const std::filesystem::path kShipped = std::filesystem::path(TOREPAL_SOURCE_DIR) / "program" / "tariffs";

class TariffEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir / "tariffs");
        std::filesystem::copy_file(kShipped / "teikeigai.toml", dir / "tariffs/teikeigai.toml");
    }
    std::string file(const std::string& name) const { return ReadWholeFile(dir / "tariffs" / name).bytes; }
    template <typename W>
    W* find(TariffEditor& e, const char* name)
    {
        W* w = e.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Answers the next question box with its Yes or No button.
    void answer(bool yes)
    {
        platform.dialogs.push_back([yes](QDialog& d) {
            auto& box = dynamic_cast<QMessageBox&>(d);
            questions.push_back(box.text().toStdString());
            box.button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            return d.result();
        });
    }

    TempFolder dir;
    FakePlatform platform;
    static inline std::vector<std::string> questions;
};

}  // namespace

TEST_F(TariffEditorTest, ShowsAServiceInTheGridOfItsShape)
{
    TariffEditor editor(platform, dir.path());
    auto* list = find<QListWidget>(editor, "serviceList");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("定形外郵便（2024年10月1日改定）  teikeigai"));
    auto* bands = find<QTableWidget>(editor, "bandsTable");
    ASSERT_EQ(bands->rowCount(), 6);  // 規格内: 50 g to 1 kg
    EXPECT_EQ(bands->item(4, 0)->text(), QStringLiteral("500"));
    EXPECT_EQ(bands->item(4, 1)->text(), QStringLiteral("510"));
    EXPECT_EQ(find<QLabel>(editor, "faultLabel")->text(), QStringLiteral("誤りはありません。"));
    // The grid is named by its label for screen readers.
    EXPECT_EQ(find<QLabel>(editor, "bandsLabel")->buddy(), bands);
}

TEST_F(TariffEditorTest, APasteFillsTheGridMarksABadCellAndUndoes)
{
    TariffEditor editor(platform, dir.path());
    auto* bands = find<QTableWidget>(editor, "bandsTable");
    bands->setFocus();
    bands->setCurrentCell(4, 0);
    editor.pasteText(QStringLiteral("５００\t５２０円\n1kg\t未定\n"));
    EXPECT_EQ(editor.service().variants[0].bands[4].yen, 520);
    EXPECT_EQ(editor.service().variants[0].bands[5].yen, 750);  // "未定" not taken
    ASSERT_EQ(editor.markedCells().size(), 1u);
    EXPECT_EQ(editor.markedCells()[0], (TariffCell{TariffField::BandPrice, 0, 5, -1}));
    EXPECT_EQ(bands->item(5, 1)->background().color(), QColor(255, 200, 200));
    find<QAbstractButton>(editor, "undoButton")->click();
    EXPECT_EQ(editor.service().variants[0].bands[4].yen, 510);
    find<QAbstractButton>(editor, "redoButton")->click();
    EXPECT_EQ(editor.service().variants[0].bands[4].yen, 520);
}

TEST_F(TariffEditorTest, ARefusedSaveTakesTheSellerToTheValueAtFault)
{
    TariffEditor editor(platform, dir.path());
    auto* name = find<QLineEdit>(editor, "nameEdit");
    auto* carrier = find<QLineEdit>(editor, "carrierEdit");
    auto* bands = find<QTableWidget>(editor, "bandsTable");

    carrier->setText(QString());
    ASSERT_TRUE(editor.fault());
    EXPECT_EQ(editor.fault()->cell.field, TariffField::Carrier);
    EXPECT_FALSE(editor.save());
    EXPECT_EQ(editor.focusWidget(), carrier);

    name->setText(QString());
    ASSERT_TRUE(editor.fault());
    EXPECT_EQ(editor.fault()->cell.field, TariffField::Name);
    EXPECT_FALSE(editor.save());
    EXPECT_EQ(editor.focusWidget(), name);

    // A cell of a grid: the grid, at that cell.
    name->setText(QStringLiteral("定形外郵便"));
    carrier->setText(QStringLiteral("日本郵便"));
    bands->item(2, 0)->setText(QStringLiteral("80"));
    ASSERT_TRUE(editor.fault());
    EXPECT_FALSE(editor.save());
    EXPECT_EQ(editor.focusWidget(), bands);
    EXPECT_EQ(bands->currentRow(), 2);
    EXPECT_EQ(bands->currentColumn(), 0);
}

TEST_F(TariffEditorTest, AnInvalidServiceIsRefusedWithTheCellNamed)
{
    const std::string before = file("teikeigai.toml");
    TariffEditor editor(platform, dir.path());
    auto* bands = find<QTableWidget>(editor, "bandsTable");
    bands->item(2, 0)->setText(QStringLiteral("80"));  // 150 g becomes 80 g, after 100 g
    ASSERT_TRUE(editor.fault());
    EXPECT_TRUE(find<QLabel>(editor, "faultLabel")->text().startsWith(QStringLiteral("「規格内」の3行目の重さ")));
    EXPECT_FALSE(editor.save());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              "保存できません。「規格内」の3行目の重さ: 重さの区切りが小さい順に並んでいません（100g の次に 80g）。");
    EXPECT_EQ(bands->currentRow(), 2);
    EXPECT_EQ(file("teikeigai.toml"), before);
}

TEST_F(TariffEditorTest, SavingOverAHandWrittenFileAsksFirstThenTellsTheWindow)
{
    TariffEditor editor(platform, dir.path());
    QSignalSpy changed(&editor, &TariffEditor::tariffsChanged);
    find<QTableWidget>(editor, "bandsTable")->item(0, 1)->setText(QStringLiteral("1,150円"));
    questions.clear();
    answer(false);
    EXPECT_FALSE(editor.save());  // the seller keeps the comments
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("注釈"), std::string::npos);
    EXPECT_EQ(changed.count(), 0);
    answer(true);
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(editor.changedFiles());
    const TariffFolder read = ReadTariffFolder(dir / "tariffs");
    ASSERT_EQ(read.services.size(), 1u);
    EXPECT_EQ(read.services[0].variants[0].bands[0].yen, 1150);
}

TEST_F(TariffEditorTest, SavingUnderAWriteFaultKeepsTheOldFile)
{
    const std::string before = file("teikeigai.toml");
    TariffEditor editor(platform, dir.path());
    find<QTableWidget>(editor, "bandsTable")->item(0, 1)->setText(QStringLiteral("150"));
    answer(true);
    SetWriteFaultForTesting(WriteFault::Rename);
    EXPECT_FALSE(editor.save());
    SetWriteFaultForTesting(WriteFault::None);
    EXPECT_EQ(file("teikeigai.toml"), before);
    EXPECT_FALSE(editor.changedFiles());
    EXPECT_NE(platform.messages.back().find("ファイルは元のままです"), std::string::npos);
}

TEST_F(TariffEditorTest, DeleteAsksAndKeepsABackupToRestore)
{
    TariffEditor editor(platform, dir.path());
    answer(false);
    find<QAbstractButton>(editor, "deleteButton")->click();
    EXPECT_TRUE(std::filesystem::exists(dir / "tariffs/teikeigai.toml"));
    answer(true);
    find<QAbstractButton>(editor, "deleteButton")->click();
    EXPECT_FALSE(std::filesystem::exists(dir / "tariffs/teikeigai.toml"));
    EXPECT_TRUE(ReadTariffFolder(dir / "tariffs").services.empty());
    find<QAbstractButton>(editor, "restoreButton")->click();
    EXPECT_TRUE(std::filesystem::exists(dir / "tariffs/teikeigai.toml"));
    EXPECT_EQ(find<QListWidget>(editor, "serviceList")->count(), 1);
}

// The ID is checked as it is typed: a taken one never reads 保存できます.
TEST_F(TariffEditorTest, ATakenIdIsToldAsItIsTyped)
{
    std::filesystem::copy_file(kShipped / "clickpost.toml", dir / "tariffs/clickpost.toml");
    TariffEditor editor(platform, dir.path());
    auto* list = find<QListWidget>(editor, "serviceList");
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text().endsWith(QStringLiteral("teikeigai"))) list->setCurrentRow(row);
    ASSERT_EQ(editor.service().id, "teikeigai");
    auto* id = find<QLineEdit>(editor, "idEdit");
    auto* verdict = find<QLabel>(editor, "faultLabel");
    id->setText(QStringLiteral("clickpost"));
    EXPECT_EQ(verdict->text(),
              QStringLiteral("ID（ファイル名）: ID「clickpost」のサービスはすでにあります。別のIDにしてください。"));
    id->setText(QStringLiteral("teikei gai"));
    EXPECT_TRUE(verdict->text().startsWith(QStringLiteral("ID（ファイル名）: IDは半角の英数字と")));
    id->setText(QStringLiteral("teikeigai-2024"));
    EXPECT_EQ(verdict->text(), QStringLiteral("誤りはありません。保存できます。"));
    // The form's names, not the file's keys.
    find<QLineEdit>(editor, "sourceEdit")->setText(QString());
    EXPECT_EQ(verdict->text(), QStringLiteral("出典: 「出典」が空です。"));
}

TEST_F(TariffEditorTest, ANewServiceIsListedAtOnceAsUnsaved)
{
    TariffEditor editor(platform, dir.path());
    auto* list = find<QListWidget>(editor, "serviceList");
    find<QAbstractButton>(editor, "newButton")->click();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("（未保存）新しいサービス  new-service"));
    find<QLineEdit>(editor, "nameEdit")->setText(QStringLiteral("テスト便"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("（未保存）テスト便  new-service"));
    // Choosing the saved one asks, and "no" keeps the new one chosen.
    answer(false);
    list->setCurrentRow(0);
    EXPECT_EQ(editor.service().name, "テスト便");
    EXPECT_EQ(list->currentRow(), 1);
}

// 定形外郵便 of the shipped file is dated 2024-10-01 改定: a changed price
// takes today's date (時点) in the same step, and undo puts both back.
TEST_F(TariffEditorTest, AChangedPriceTakesTodaysDate)
{
    TariffEditor editor(platform, dir.path());
    const QDate today = QDate::currentDate();
    auto* note = find<QLabel>(editor, "dateNote");
    EXPECT_TRUE(note->isHidden());
    find<QTableWidget>(editor, "bandsTable")->item(0, 1)->setText(QStringLiteral("150"));
    EXPECT_EQ(editor.service().variants[0].bands[0].yen, 150);
    EXPECT_EQ(QDate(editor.service().date.year, editor.service().date.month, editor.service().date.day), today);
    EXPECT_EQ(editor.service().dateKind, TariffDateKind::InForce);
    EXPECT_EQ(find<QDateEdit>(editor, "dateEdit")->date(), today);
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("料金を変えたので、今日の日付（時点）にしました。")));
    find<QAbstractButton>(editor, "undoButton")->click();
    EXPECT_EQ(editor.service().date.year, 2024);
    EXPECT_EQ(editor.service().dateKind, TariffDateKind::Effective);
    EXPECT_TRUE(note->isHidden());
}

TEST_F(TariffEditorTest, TenRowsShowAndEveryMnemonicIsItsOwn)
{
    TariffEditor editor(platform, dir.path());
    editor.show();
    QApplication::processEvents();
    auto* bands = find<QTableWidget>(editor, "bandsTable");
    EXPECT_GE(bands->viewport()->height(), 10 * bands->verticalHeader()->defaultSectionSize());
    auto* list = find<QListWidget>(editor, "serviceList");
    EXPECT_GE(list->viewport()->width(), list->sizeHintForColumn(0));  // the ID at the end shows whole

    std::map<QChar, QString> letters;
    auto mnemonic = [&](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        if (at < 0 || at + 1 >= text.size()) return;
        const QChar letter = text.at(at + 1).toUpper();
        EXPECT_FALSE(letters.count(letter)) << text.toStdString() << " and " << letters[letter].toStdString();
        letters[letter] = text;
    };
    for (QLabel* label : editor.findChildren<QLabel*>()) mnemonic(label->text());
    for (QAbstractButton* button : editor.findChildren<QAbstractButton*>()) mnemonic(button->text());
    EXPECT_EQ(letters.count(QLatin1Char('Z')), 1u);
}

// The parcel limits in centimetres: the shipped 定形外郵便's 規格内 column
// (34 × 25 × 3 cm, no limit on the sum) and 規格外 (90 cm, 60 cm), a limit
// typed to the millimetre and saved, and a preset's limits and regions.
TEST_F(TariffEditorTest, LimitsShowInCentimetresAndAPresetBringsItsOwn)
{
    TariffEditor editor(platform, dir.path());
    auto* variants = find<QComboBox>(editor, "variantCombo");
    auto* sum = find<QDoubleSpinBox>(editor, "columnLimit_max_sum_cm");
    auto* length = find<QDoubleSpinBox>(editor, "columnLimit_max_length_cm");
    auto* thickness = find<QDoubleSpinBox>(editor, "columnLimit_max_thickness_cm");
    EXPECT_EQ(sum->text(), QStringLiteral("制限なし"));
    EXPECT_EQ(length->value(), 34.0);
    EXPECT_EQ(thickness->value(), 3.0);
    variants->setCurrentIndex(1);
    EXPECT_EQ(sum->value(), 90.0);
    EXPECT_EQ(length->value(), 60.0);
    EXPECT_EQ(find<QDoubleSpinBox>(editor, "limit_max_sum_cm")->text(), QStringLiteral("制限なし"));

    variants->setCurrentIndex(0);
    thickness->setValue(2.5);
    EXPECT_EQ(editor.service().variants[0].limits.thicknessMm, 25);
    EXPECT_EQ(editor.service().variants[1].limits.thicknessMm, 0);
    answer(true);  // over the file's comments
    ASSERT_TRUE(editor.save());
    EXPECT_NE(file("teikeigai.toml").find("max_thickness_cm = 2.5\n"), std::string::npos);

    auto* presets = find<QToolButton>(editor, "presetButton");
    ASSERT_TRUE(presets->menu());
    presets->menu()->actions().at(0)->trigger();  // 宅急便
    EXPECT_EQ(find<QDoubleSpinBox>(editor, "limit_max_sum_cm")->value(), 200.0);
    EXPECT_EQ(find<QDoubleSpinBox>(editor, "limit_max_length_cm")->value(), 170.0);
    EXPECT_EQ(find<QDoubleSpinBox>(editor, "limit_max_thickness_cm")->text(), QStringLiteral("制限なし"));
    EXPECT_EQ(find<QTableWidget>(editor, "regionsTable")->rowCount(), 12);
    // Its sources stay on the unsaved line after the message is closed.
    auto* list = find<QListWidget>(editor, "serviceList");
    ASSERT_TRUE(list->currentItem());
    EXPECT_TRUE(list->currentItem()->toolTip().contains(QStringLiteral("github.com/ShimotsumaA/eclipse")));
    // The seller names the price page; then the first empty price is named.
    find<QLineEdit>(editor, "sourceEdit")->setText(QStringLiteral("https://example.invalid/price-page"));
    EXPECT_TRUE(
        find<QLabel>(editor, "faultLabel")->text().startsWith(QStringLiteral("60サイズの「北海道」発「北海道」着")));
    EXPECT_FALSE(editor.save());
}

// Tab comes to the controls made in code where they stand: the preset
// button beside 新規, the limit boxes after the shape and after the
// column's buttons, each box in turn.
TEST_F(TariffEditorTest, TabReachesTheLimitBoxesInTheirPlace)
{
    TariffEditor editor(platform, dir.path());
    editor.show();
    QApplication::setActiveWindow(&editor);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    auto tabFrom = [&](const char* name) {
        find<QWidget>(editor, name)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    };
    EXPECT_EQ(tabFrom("newButton"), QStringLiteral("presetButton"));
    EXPECT_EQ(tabFrom("shapeCombo"), QStringLiteral("limit_max_sum_cm"));
    EXPECT_EQ(tabFrom("limit_max_sum_cm"), QStringLiteral("limit_max_length_cm"));
    EXPECT_EQ(tabFrom("removeVariantButton"), QStringLiteral("columnLimit_max_sum_cm"));
    EXPECT_EQ(tabFrom("columnLimit_max_width_cm"), QStringLiteral("columnLimit_max_thickness_cm"));
}

// What a screen reader reads: the verdict by its own text, and each
// prefecture's region choice as a combo box of the tree, by its name.
TEST_F(TariffEditorTest, TheVerdictAndTheRegionChoicesAreInTheTree)
{
    TariffEditor editor(platform, dir.path());
    auto* verdict = find<QLabel>(editor, "faultLabel");
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(verdict);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->text(QAccessible::Name), QStringLiteral("誤りはありません。"));
    ASSERT_NE(read->textInterface(), nullptr);
    EXPECT_EQ(read->textInterface()->text(0, read->textInterface()->characterCount()),
              QStringLiteral("誤りはありません。"));

    // A service of regions, its prefectures' tab shown.
    auto* shape = find<QComboBox>(editor, "shapeCombo");
    shape->setCurrentIndex(2);
    emit shape->activated(2);
    ASSERT_EQ(editor.service().shape, TariffShape::Regions);
    find<QTabWidget>(editor, "regionTabs")->setCurrentIndex(2);
    editor.show();
    QApplication::processEvents();

    std::vector<QString> regionChoices;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        // Qt names a combo box by its entry: the prefecture is its label's.
        if (node->role() == QAccessible::ComboBox && node->object() &&
            node->object()->objectName().startsWith(QStringLiteral("prefectureRegion")))
            regionChoices.push_back(static_cast<QWidget*>(node->object())->accessibleName());
        for (int i = 0; i < node->childCount(); ++i)
            if (QAccessibleInterface* child = node->child(i)) walk(child);
    };
    walk(QAccessible::queryAccessibleInterface(&editor));
    ASSERT_EQ(regionChoices.size(), 47u);
    EXPECT_EQ(regionChoices.front(), QStringLiteral("北海道の地域"));
}

// Not a check: with TOREPAL_SCREENSHOT set, saves a picture of the editor
// with a service loaded (run under xvfb-run for a real window system).
TEST_F(TariffEditorTest, Screenshot)
{
    const QByteArray path = qgetenv("TOREPAL_SCREENSHOT");
    if (path.isEmpty()) GTEST_SKIP();
    TariffEditor editor(platform, dir.path());
    editor.resize(1000, 640);
    editor.show();
    find<QTableWidget>(editor, "bandsTable")->setFocus();
    editor.pasteText(QStringLiteral("50\t140\n100\t180円\n150\t２７０\n250\tお問い合わせ\n"));
    QApplication::processEvents();
    editor.grab().save(QString::fromLocal8Bit(path));
    // And the first preset, as the seller sees it before pasting.
    answer(true);  // leave the pasted prices
    find<QToolButton>(editor, "presetButton")->menu()->actions().at(0)->trigger();
    QApplication::processEvents();
    editor.grab().save(QString::fromLocal8Bit(path) + QStringLiteral(".preset.png"));
}
