// Start-up: from the moment the process is started to the moment its window
// has been shown, and the process's peak memory, for the real main window
// (startup_main), for a bare Qt program with one empty dialog (startup_bare)
// and for that dialog with one line of Japanese text (startup_label). Each
// repetition starts all three, one after the other, so a change in the
// machine's load touches them alike; the figures are medians.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchData.h"
#include "Benchmarks.h"

namespace torepal::bench {
namespace {

using benchmark::State;

struct Launch {
    bool ok = false;
    double shownMs = 0;  // process start to window shown
    double peakKib = 0;  // ru_maxrss of the finished process
};

long long MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The peak resident size of this process, in KiB. A child's ru_maxrss
// starts from what the process that forked it held, so the benchmark starts
// its children while it is still small and says so in its log.
double OwnPeakKib()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr);
    return 0;
}

Launch Run(const std::string& program, const std::vector<std::string>& args)
{
    Launch result;
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return result;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const long long started = MonotonicNs();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    if (pid < 0) {
        ::close(out[0]);
        return result;
    }
    std::string reply;
    char buffer[64];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) reply.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const long long shown = std::atoll(reply.c_str());
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && shown > started;
    result.shownMs = static_cast<double>(shown - started) / 1e6;
    result.peakKib = static_cast<double>(usage.ru_maxrss);
    return result;
}

std::string BenchFolder()
{
    return std::filesystem::canonical("/proc/self/exe").parent_path();
}

struct StartUpSetup {
    TempFolder program{"program"};
    TempFolder runtime{"runtime"};
    std::string mainProgram = BenchFolder() + "/startup_main";
    std::string bareProgram = BenchFolder() + "/startup_bare";
    std::string labelProgram = BenchFolder() + "/startup_label";
    StartUpSetup()
    {
        LayOutProgramFolder(program.path());
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // Qt wants a private runtime folder; without one it warns each time.
        std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
        // Fill the page cache and the font cache before anything is timed.
        for (int i = 0; i < 2; ++i) {
            Run(bareProgram, {});
            Run(labelProgram, {});
            Run(mainProgram, {program.path()});
        }
    }
};

void BenchStartUp(State& st)
{
    static StartUpSetup setup;
    Launch bare, label, real;
    for (auto _ : st) {
        bare = Run(setup.bareProgram, {});
        label = Run(setup.labelProgram, {});
        real = Run(setup.mainProgram, {setup.program.path()});
        if (!bare.ok || !label.ok || !real.ok) {
            st.SkipWithError("a start-up program failed");
            return;
        }
        st.SetIterationTime(real.shownMs / 1e3);
    }
    st.counters["main_ms"] = real.shownMs;
    st.counters["bare_ms"] = bare.shownMs;
    st.counters["main_kib"] = real.peakKib;
    st.counters["bare_kib"] = bare.peakKib;
    st.counters["label_ms"] = label.shownMs;
    st.counters["label_kib"] = label.peakKib;
    st.counters["bench_kib"] = OwnPeakKib();
}

}  // namespace

void RegisterStartUpBenchmarks()
{
    benchmark::RegisterBenchmark("StartUp", BenchStartUp)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(9)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace torepal::bench
