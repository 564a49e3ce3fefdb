// torepal-cli writes its page or mail to standard output; when that is a
// full disk the script that runs it must learn of it, not get a cut file
// and a success.

#ifdef TOREPAL_CLI

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include "app/ProjectFile.h"
#include "support/core/TempFolder.h"
#include "text/Files.h"
#include "text/Lines.h"

extern char** environ;

using namespace torepal;
using namespace torepal::test;

namespace {

int RunWithOutputTo(const char* output, const std::vector<std::string>& args, const std::filesystem::path& err)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    std::string tool = TOREPAL_CLI;
    argv.push_back(tool.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -2;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(CliOutput, AFullDiskIsAFailureWithAMessage)
{
    TempFolder dir;
    ProjectRecord record;
    record.Title = "x";
    ASSERT_EQ(WriteFileAtomically(dir / "p.tpf", ToTextMode(BuildProjectText(record))), WriteStatus::Ok);
    ASSERT_EQ(WriteFileAtomically(dir / "t.txt", "[name]\r\r\n"), WriteStatus::Ok);

    EXPECT_EQ(RunWithOutputTo("/dev/null", {"render", (dir / "p.tpf").string()}, dir / "err"), 0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"render", (dir / "p.tpf").string()},
          std::vector<std::string>{"mail", (dir / "p.tpf").string(), (dir / "t.txt").string()}}) {
        EXPECT_NE(RunWithOutputTo("/dev/full", args, dir / "err"), 0) << args[0];
        const ReadResult err = ReadWholeFile(dir / "err");
        EXPECT_NE(err.bytes.find("出力を書き出せません"), std::string::npos) << err.bytes;
    }
}

#endif
