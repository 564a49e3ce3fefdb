// Files far larger than any real one (made sparse, so the tests are quick)
// are refused with a message instead of being read into the window, and
// what a save leaves behind after a crash does not become one of the
// seller's files.

#include <unistd.h>

#include <QListWidget>
#include <QTest>
#include <chrono>

#include "app/ProjectFile.h"
#include "files/ui/CFileControl.h"
#include "mail/ui/CMail.h"
#include "support/AppTestSupport.h"
#include "support/core/WholeFiles.h"
#include "text/Lines.h"

namespace torepal {
namespace {

using namespace test;

constexpr std::uintmax_t kHuge = 100ull * 1024 * 1024;

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class LargeFiles : public AppTest {
protected:
    void makeSparse(const std::string& relative, std::uintmax_t size)
    {
        write(relative, "");
        std::filesystem::resize_file(folder / relative, size);
    }
    double secondsSince(std::chrono::steady_clock::time_point t) const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
    }
};

TEST_F(LargeFiles, AHugeProjectFileIsRefusedAndTheFormsStayAsTheyAre)
{
    makeSparse("huge.tpf", kHuge);
    start().show();
    type("titleEdit", "腕時計");
    platform.openChoices.push_back(folder / "huge.tpf");
    const auto started = std::chrono::steady_clock::now();
    trigger("openAction");
    EXPECT_LT(secondsSince(started), 2.0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(Contains(platform.messages[0], "大きすぎる")) << platform.messages[0];
    EXPECT_EQ(text("titleEdit"), "腕時計");
}

TEST_F(LargeFiles, AHugeTemplateIsRefusedByTheMailPageAndTheMailStays)
{
    makeSparse("file/a.txt", kHuge);
    start().show();
    CMail& mail = window->mailPage();
    auto* body = mail.findChild<QPlainTextEdit*>("bodyEdit");
    body->setPlainText(QStringLiteral("書きかけのメール"));
    const auto started = std::chrono::steady_clock::now();
    QTest::mouseClick(mail.findChild<QPushButton*>("previewButton"), Qt::LeftButton);
    EXPECT_LT(secondsSince(started), 2.0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(Contains(platform.messages[0], "a.txt")) << platform.messages[0];
    EXPECT_EQ(body->toPlainText(), QStringLiteral("書きかけのメール"));
}

TEST_F(LargeFiles, AHugeSavedFileIsNotShownAndCannotBeWrittenOver)
{
    makeSparse("back/big.txt", kHuge);
    start().show();
    const auto started = std::chrono::steady_clock::now();
    chooseTab(2);
    EXPECT_LT(secondsSince(started), 2.0);
    CFileControl& files = window->filePage();
    auto* edit = files.findChild<QPlainTextEdit*>("fileTextEdit");
    EXPECT_TRUE(edit->toPlainText().isEmpty());

    // Writing back what the box shows would destroy the file: refused.
    edit->setPlainText(QStringLiteral("typed"));
    QTest::mouseClick(files.findChild<QPushButton*>("writeBackButton"), Qt::LeftButton);
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back(), Utf8FromSjis(FileMessages().notLoaded));
    EXPECT_EQ(std::filesystem::file_size(folder / "back" / "big.txt"), kHuge);
}

TEST_F(LargeFiles, AHugeSettingsFileIsKeptAsideAndTheProgramStartsWithDefaults)
{
    makeSparse(kStatusFile, kLargestTextFile + 1);
    const auto started = std::chrono::steady_clock::now();
    start().show();
    const double startup = secondsSince(started);
    RecordProperty("startup_seconds_with_64MiB_status_ini", std::to_string(startup));
    EXPECT_LT(startup, 10.0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(Contains(platform.messages[0], "status.ini")) << platform.messages[0];
    EXPECT_EQ(std::filesystem::file_size(folder / kStatusFile), kLargestTextFile + 1);
}

// A save killed between writing and renaming leaves its hidden temporary
// beside the file. The file page lists every entry of back/, so it would
// show up there as a file the seller never made.
TEST_F(LargeFiles, ALeftoverSaveTemporaryIsNotListedAsASavedFile)
{
    write("back/1.txt", "mail");
    write("back/.1.txt.new-4242", "half-saved copy");
    start().show();
    chooseTab(2);
    auto* list = window->filePage().findChild<QListWidget*>("savedFileList");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("1.txt"));
}

// A damaged project file can bring an item that is not Shift-JIS; saving
// the mail must not turn its bytes into a path out of back/.
TEST_F(LargeFiles, AProjectsUndecodableItemNeverNamesAFileOutsideBack)
{
    std::filesystem::create_directories(folder / "back" / "x");
    ProjectRecord record;
    record.item = std::string("\xE3/../../z", 10);
    write("p.tpf", ToTextMode(BuildProjectText(record)));
    start().show();
    platform.openChoices.push_back(folder / "p.tpf");
    trigger("openAction");
    const std::size_t before = platform.messages.size();
    QTest::mouseClick(window->mailPage().findChild<QPushButton*>("saveButton"), Qt::LeftButton);
    EXPECT_EQ(platform.messages.size(), before + 1);  // the seller is told what cannot be saved
    EXPECT_FALSE(exists("z.txt"));
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        if (e.path() != folder / "file" / "a.txt") {
            EXPECT_NE(e.path().extension(), ".txt") << e.path();
        }
}

// Shown and written back again and again, a saved file settles after the
// first write back: its bytes do not grow.
TEST_F(LargeFiles, ShowingAndWritingBackAgainAndAgainReachesAFixedPoint)
{
    write("back/1.txt", "a\r\r\nb\rc\r\n\r\r\r\nlast\r");
    start().show();
    chooseTab(2);
    CFileControl& files = window->filePage();
    auto* button = files.findChild<QPushButton*>("writeBackButton");
    std::vector<std::string> versions;
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(button, Qt::LeftButton);
        versions.push_back(read("back/1.txt"));
        chooseTab(0);
        chooseTab(2);  // shown afresh from the file
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(versions[1], versions[0]);
    EXPECT_EQ(versions[2], versions[0]);
    EXPECT_EQ(versions[3], versions[0]);
}

}  // namespace
}  // namespace torepal
