// Start-up and the live preview, on the X11 display a seller has (scripts/
// bench.sh runs the benchmark under Xvfb):
//
// - start-up: from the moment the process is started to its first paint,
//   and its peak memory, for torepal's own start (startup_main, run from a
//   laid-out program folder as torepal is), for the same Designer forms
//   with no program logic (startup_forms, the reference) and for a dialog
//   with one line of Japanese text (startup_label). Each round starts all
//   three, in an order that turns, so a change in the machine's load
//   touches them alike; the figures are medians over the rounds.
// - the preview's first open: from the click on its control to the preview
//   process's page laid out (preview_session open), against a bare program
//   showing the same page in a QWebEngineView from its own start
//   (preview_bare), in alternating rounds; and what torepal's process holds
//   once the preview has been closed, against before it was opened.
// - typing with the preview open (preview_session type), once.

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
    std::string problem;  // why nothing can be measured
    std::string mainProgram, sessionProgram;
    std::string formsProgram = BenchFolder() + "/startup_forms";
    std::string labelProgram = BenchFolder() + "/startup_label";
    std::string bareProgram = BenchFolder() + "/preview_bare";
    std::string pageFile;
    StartUpSetup()
    {
        if (!std::getenv("DISPLAY")) {
            problem = "no X display (scripts/bench.sh runs the benchmark under Xvfb)";
            return;
        }
        LayOutProgramFolder(program.path());
        LayOutTariffFolder(program.path());
        // The programs that start as torepal does find their folder from
        // their own place, as torepal does: they go into the program folder,
        // beside the preview program.
        namespace fs = std::filesystem;
        const fs::path folder = program.path();
        for (const char* name : {"startup_main", "preview_session"})
            fs::copy_file(fs::path(BenchFolder()) / name, folder / name, fs::copy_options::overwrite_existing);
        const fs::path preview = fs::path(TOREPAL_PROGRAM_BUILD_DIR) / "torepal-preview";
        if (fs::exists(preview)) fs::copy_file(preview, folder / "torepal-preview");
        mainProgram = (folder / "startup_main").string();
        sessionProgram = (folder / "preview_session").string();
        pageFile = (fs::path(runtime.path()) / "page.html").string();

        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        // Qt wants a private runtime folder; without one it warns each time.
        std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
        // The benchmark may run as root; the engine's sandbox refuses that.
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
        // Fill the page cache and the font cache before anything is timed.
        for (int i = 0; i < 2; ++i) {
            Run(formsProgram, {});
            Run(labelProgram, {});
            Run(mainProgram, {});
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
    if (!setup.problem.empty()) {
        st.SkipWithError(setup.problem.c_str());
        return;
    }
    std::map<std::string, std::vector<double>> ms, kib;
    const std::vector<std::pair<std::string, std::string>> programs = {
        {"forms", setup.formsProgram},
        {"label", setup.labelProgram},
        {"main", setup.mainProgram},
    };
    int round = 0;
    for (auto _ : st) {
        double mainMs = 0;
        for (std::size_t k = 0; k < programs.size(); ++k) {
            const auto& [name, program] = programs[(k + static_cast<std::size_t>(round)) % programs.size()];
            const Launch launch = Run(program, {});
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
    for (const auto& [name, program] : programs) {
        st.counters[name + "_ms"] = Median(ms[name]);
        st.counters[name + "_kib"] = Median(kib[name]);
    }
    st.counters["bench_kib"] = OwnPeakKib();
}

// The words after a line's keys, as numbers: "open_ms 812.1 before_kib ..."
std::map<std::string, double> Values(const std::string& reply)
{
    std::istringstream words(reply);
    std::map<std::string, double> values;
    for (std::string name; words >> name;) words >> values[name];
    return values;
}

void BenchPreviewOpen(State& st)
{
    StartUpSetup& setup = Setup();
    if (!setup.problem.empty()) {
        st.SkipWithError(setup.problem.c_str());
        return;
    }
    std::vector<double> ours, bare, held;
    // The first open fills the caches and writes the page the bare program shows.
    if (Run(setup.sessionProgram, {"open", setup.pageFile}).reply.rfind("open_ms", 0) != 0) {
        st.SkipWithError("the preview could not be opened");
        return;
    }
    int round = 0;
    for (auto _ : st) {
        for (int k = 0; k < 2; ++k) {
            if ((k + round) % 2 == 0) {
                const Launch launch = Run(setup.sessionProgram, {"open", setup.pageFile});
                const std::map<std::string, double> v = Values(launch.reply);
                if (launch.reply.rfind("open_ms", 0) != 0) {
                    st.SkipWithError(("preview_session: " + launch.reply.substr(0, launch.reply.find('\n'))).c_str());
                    return;
                }
                ours.push_back(v.at("open_ms"));
                held.push_back(v.at("after_kib") - v.at("before_kib"));
            } else {
                const Launch launch = Run(setup.bareProgram, {setup.pageFile});
                if (!launch.ok) {
                    st.SkipWithError("preview_bare failed");
                    return;
                }
                bare.push_back(launch.shownMs);
            }
        }
        ++round;
        st.SetIterationTime(ours.back() / 1e3);
    }
    st.counters["ours_ms"] = Median(ours);
    st.counters["bare_ms"] = Median(bare);
    st.counters["held_kib"] = Median(held);
    st.counters["held_max_kib"] = held.empty() ? 0 : *std::max_element(held.begin(), held.end());
}

// One run of the typing harness; its figures are its own medians over the
// keys. Without a preview to type into it measures nothing and says so.
void BenchTyping(State& st)
{
    StartUpSetup& setup = Setup();
    if (!setup.problem.empty()) {
        st.SkipWithError(setup.problem.c_str());
        return;
    }
    Launch launch;
    for (auto _ : st) launch = Run(setup.sessionProgram, {"type", "200"});
    if (launch.reply.rfind("keys", 0) != 0) {
        st.SetLabel(launch.reply.empty() ? "preview_session failed" : launch.reply.substr(0, launch.reply.find('\n')));
        st.counters["keys"] = 0;
        return;
    }
    const std::map<std::string, double> values = Values(launch.reply);
    st.counters["keys"] = values.at("keys");
    st.counters["median_ms"] = values.at("median");
    st.counters["p95_ms"] = values.at("p95");
    st.counters["median_block_ms"] = values.at("block_median");
    st.counters["max_block_ms"] = values.at("block_max");
}

}  // namespace

void RegisterStartUpBenchmarks()
{
    benchmark::RegisterBenchmark("StartUp", BenchStartUp)
        ->UseManualTime()
        ->Iterations(15)
        ->Repetitions(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PreviewOpen", BenchPreviewOpen)
        ->UseManualTime()
        ->Iterations(7)
        ->Repetitions(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Typing", BenchTyping)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);
}

}  // namespace torepal::bench
