// The tariff editor as a seller uses it: a service from tariffs/ in its
// grids, a paste from a spreadsheet, an invalid service refused with its
// cell named, saving over a hand-written file, undo, and delete with its
// backup. Questions are answered through the fake platform.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTableWidget>

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
}
