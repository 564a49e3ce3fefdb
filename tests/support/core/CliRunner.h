#pragma once
// Runs the built torepal-cli with its output and error output caught in
// files, without a shell in between (paths may hold blanks or quotes).

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/core/WholeFiles.h"

extern char** environ;

namespace torepal::test {

struct CliResult {
    int status = -1;  // the exit status; -1 when the tool did not exit normally
    std::string out;  // standard output, byte for byte
    std::string err;  // standard error
};

inline CliResult RunCli(const std::string& tool, const std::vector<std::string>& args,
                        const std::filesystem::path& scratch)
{
    const std::filesystem::path out = scratch / "cli.out";
    const std::filesystem::path err = scratch / "cli.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<std::string> all{tool};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    CliResult result;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return result;
    int wstatus = 0;
    if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
    result.out = ReadBytes(out);
    result.err = ReadBytes(err);
    return result;
}

}  // namespace torepal::test
