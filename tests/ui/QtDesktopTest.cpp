#include <gtest/gtest.h>
#include <unistd.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/ui/QtPlatform.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"

using namespace torepal;
using namespace torepal::test;

namespace {

// Puts a stand-in xdg-mime first on PATH for the life of the object.
class FakeXdgMime {
public:
    explicit FakeXdgMime(const std::string& script)
    {
        const std::filesystem::path program = folder_ / "xdg-mime";
        std::ofstream(program) << "#!/bin/sh\n" << script << "\n";
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        const char* path = std::getenv("PATH");
        oldPath_ = path ? path : "";
        ::setenv("PATH", (folder_.path().string() + ":" + oldPath_).c_str(), 1);
    }
    ~FakeXdgMime() { ::setenv("PATH", oldPath_.c_str(), 1); }

private:
    TempFolder folder_;
    std::string oldPath_;
};

}  // namespace

TEST(QtPlatformHandlers, ADesktopNamingAMailProgramHasOne)
{
    TempFolder dir;
    const std::string log = (dir / "args").string();
    FakeXdgMime fake("echo \"$@\" > '" + log + "'; echo thunderbird.desktop");
    QtPlatform platform;
    EXPECT_EQ(platform.handlerPresence(DesktopHandler::Mail), HandlerPresence::Present);
    std::ifstream in(log);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "query default x-scheme-handler/mailto\n");
}

TEST(QtPlatformHandlers, AnEmptyAnswerMeansNoMailProgram)
{
    FakeXdgMime fake("exit 0");
    QtPlatform platform;
    EXPECT_EQ(platform.handlerPresence(DesktopHandler::Mail), HandlerPresence::Missing);
}

TEST(QtPlatformHandlers, ADesktopThatDoesNotAnswerIsUnknownWithinTwoSeconds)
{
    FakeXdgMime fake("exec sleep 10");
    QtPlatform platform;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(platform.handlerPresence(DesktopHandler::Web), HandlerPresence::Unknown);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
}

// The status line's text is a label a screen reader reads through its text
// interface, not a message the status bar paints itself.
TEST(QtPlatformStatusLine, TheTextIsALabelWithAText)
{
    QWidget window;
    auto* line = new QStatusBar(&window);
    QtPlatform platform;
    platform.setWindow(&window);
    platform.showSuccess(Sjis("「a.html」を保存しました"));
    platform.showSuccess(Sjis("「b.html」を保存しました"));
    const auto labels = line->findChildren<QLabel*>(QStringLiteral("statusText"));
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->text(), QStringLiteral("「b.html」を保存しました"));
    EXPECT_TRUE(line->currentMessage().isEmpty());
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(labels[0]);
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->textInterface(), nullptr);
    EXPECT_EQ(read->textInterface()->text(0, read->textInterface()->characterCount()),
              QStringLiteral("「b.html」を保存しました"));
}

TEST(QtPlatformStatusLine, ALongTextNeverWidensTheWindow)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* line = new QStatusBar(&window);
    layout->addWidget(line);
    window.resize(400, 100);
    window.show();
    QtPlatform platform;
    platform.setWindow(&window);
    const std::string name(300, 'a');
    platform.showSuccess(Sjis("「") + name + Sjis(".html」を保存しました"));
    QApplication::processEvents();
    EXPECT_EQ(window.width(), 400);
    EXPECT_LE(window.minimumSizeHint().width(), 400);
    const auto* label = line->findChild<QLabel*>(QStringLiteral("statusText"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->toolTip(), label->text());
    EXPECT_TRUE(label->text().contains(QString::fromStdString(name)));
}

// An account whose data home cannot be had (here HOME is a file, so no
// ~/.local/share can be made) has no trash: the file is not handed over,
// and nothing is made in the current folder.
TEST(QtPlatformTrash, WithoutADataHomeThereIsNoTrash)
{
    TempFolder dir;
    WriteBytes(dir / "home", "not a folder");
    std::filesystem::create_directory(dir / "program");
    WriteBytes(dir / "program/a.html", "page");
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const std::string oldDataHome = dataHome ? dataHome : "";
    const std::filesystem::path oldCwd = std::filesystem::current_path();
    ::setenv("HOME", (dir / "home").c_str(), 1);
    ::unsetenv("XDG_DATA_HOME");
    std::filesystem::current_path(dir / "program");

    QtPlatform platform;
    EXPECT_FALSE(platform.moveToTrash(dir / "program/a.html"));

    std::filesystem::current_path(oldCwd);
    ::setenv("HOME", oldHome.c_str(), 1);
    if (dataHome) ::setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1);
    EXPECT_EQ(ReadBytes(dir / "program/a.html"), "page");
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(dir / "program"), std::filesystem::directory_iterator()), 1);
}
