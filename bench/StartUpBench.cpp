// Start-up: from the moment the process is started to the moment its window
// has been shown, and the process's peak memory, for the real main window
// (startup_main), for a bare Qt program showing one dialog with one line of
// Japanese text (startup_label, the reference: it starts the font system as
// any window with text must) and for that dialog empty (startup_bare). Each
// repetition starts all three, one after the other in an order that turns, so
// a change in the machine's load touches them alike; the figures are
// medians over the repetitions.
//
// Also typing latency with the live preview open (typing_latency), once.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
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
    std::string reply;   // what the program wrote to standard output
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
    result.reply = reply;
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
    std::string typingProgram = BenchFolder() + "/typing_latency";
    StartUpSetup()
    {
        LayOutProgramFolder(program.path());
        LayOutTariffFolder(program.path());
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

StartUpSetup& Setup()
{
    static StartUpSetup setup;
    return setup;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void BenchStartUp(State& st)
{
    StartUpSetup& setup = Setup();
    std::map<std::string, std::vector<double>> ms, kib;
    const std::vector<std::pair<std::string, std::vector<std::string>>> programs = {
        {"bare", {setup.bareProgram}},
        {"label", {setup.labelProgram}},
        {"main", {setup.mainProgram, setup.program.path()}},
    };
    int round = 0;
    for (auto _ : st) {
        double mainMs = 0;
        for (std::size_t k = 0; k < programs.size(); ++k) {
            const auto& [name, command] = programs[(k + static_cast<std::size_t>(round)) % programs.size()];
            const Launch launch = Run(command[0], {command.begin() + 1, command.end()});
            if (!launch.ok) {
                st.SkipWithError(("start-up program " + name + " failed").c_str());
                return;
            }
            ms[name].push_back(launch.shownMs);
            kib[name].push_back(launch.peakKib);
            if (name == "main") mainMs = launch.shownMs;
        }
        ++round;
        st.SetIterationTime(mainMs / 1e3);
    }
    for (const auto& [name, command] : programs) {
        st.counters[name + "_ms"] = Median(ms[name]);
        st.counters[name + "_kib"] = Median(kib[name]);
    }
    st.counters["bench_kib"] = OwnPeakKib();
}

// One run of the typing harness; its figures are its own medians over the
// keys. Without a preview to type into it measures nothing and says so.
void BenchTyping(State& st)
{
    StartUpSetup& setup = Setup();
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox", 0);
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    Launch launch;
    for (auto _ : st) launch = Run(setup.typingProgram, {setup.program.path(), "200"});
    std::istringstream reply(launch.reply);
    std::string word;
    std::map<std::string, double> values;
    reply >> word;
    if (word != "keys") {
        st.SetLabel(launch.reply.empty() ? "typing_latency failed" : launch.reply.substr(0, launch.reply.find('\n')));
        st.counters["keys"] = 0;
        return;
    }
    double keys = 0;
    reply >> keys;
    for (std::string name; reply >> name;) reply >> values[name];
    st.counters["keys"] = keys;
    st.counters["median_ms"] = values["median"];
    st.counters["p95_ms"] = values["p95"];
    st.counters["median_block_ms"] = values["block_median"];
    st.counters["max_block_ms"] = values["block_max"];
}

}  // namespace

void RegisterStartUpBenchmarks()
{
    benchmark::RegisterBenchmark("StartUp", BenchStartUp)
        ->UseManualTime()
        ->Iterations(9)
        ->Repetitions(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Typing", BenchTyping)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);
}

}  // namespace torepal::bench
