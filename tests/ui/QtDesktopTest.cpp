#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/ui/QtPlatform.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"

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
