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

// The tool runs under `locale` ("LC_ALL=C.UTF-8" unless a test names
// another), with every locale variable of the test's own environment
// taken out, so what it writes for a person does not depend on who runs
// the tests.
inline CliResult RunCli(const std::string& tool, const std::vector<std::string>& args,
                        const std::filesystem::path& scratch,
                        const std::vector<std::string>& locale = {"LC_ALL=C.UTF-8"})
{
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.starts_with("LC_") || entry.starts_with("LANG=") || entry.starts_with("LANGUAGE=")) continue;
        environment.push_back(entry);
    }
    environment.insert(environment.end(), locale.begin(), locale.end());
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);

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
    const int spawned = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return result;
    int wstatus = 0;
    if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
    result.out = ReadBytes(out);
    result.err = ReadBytes(err);
    return result;
}

}  // namespace torepal::test
