// The file page's list of the saved-files folder with 10,000 saved pages and
// mails in it, against reading the same folder with opendir/readdir, the two
// alternating in the same rounds.

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchData.h"
#include "Benchmarks.h"
#include "files/SavedFileList.h"
#include "mail/MailFiles.h"
#include "plate/SavedPages.h"
#include "platform/Platform.h"
#include "text/Encoding.h"
#include "text/Files.h"

namespace torepal::bench {
namespace {

using benchmark::State;

constexpr int kSavedFiles = 10000;

// Seven pages for every three mails, stamped over a few months, titles and
// items as sellers type them.
struct SavedFolder {
    TempFolder folder{"files"};
    SavedFolder()
    {
        const char* const goods[] = {"ステンレス製 腕時計 10気圧防水", "【新品】革財布 長財布 ブラック",
                                     "ＬＥＤライト 充電式 ２個セット", "文庫本 まとめて２０冊 送料無料",
                                     "ブランド バッグ トート 美品",    "ゲームソフト 限定版 未開封"};
        std::filesystem::create_directories(folder.path() / "back");
        for (int i = 0; i < kSavedFiles; ++i) {
            const LocalTime t{1 + i % 12, 1 + i % 28, i % 24, i % 60};
            const std::string stamp = FormatTimeStamp(t);
            const std::string what = Sjis(goods[i % 6]) + " No." + std::to_string(i);
            const std::string name = (i % 10 < 7) ? SavedPageName(stamp, what) : SavedMailName(stamp, what);
            const std::filesystem::path path = JoinSjis(folder.path(), "back/" + name);
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0) throw std::runtime_error("cannot create a saved file for the benchmark");
            ::close(fd);
        }
    }
};

SavedFolder& Saved()
{
    static SavedFolder saved;
    return saved;
}

// Only what the system hands over: every name but "." and "..".
std::size_t ReadNames(const std::string& back, std::vector<std::string>& names)
{
    names.clear();
    DIR* dir = ::opendir(back.c_str());
    while (const dirent* e = ::readdir(dir)) {
        const char* n = e->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
        names.emplace_back(n);
    }
    ::closedir(dir);
    benchmark::DoNotOptimize(names.data());
    return names.size();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The list's refresh and the bare read, alternating in the same rounds (the
// disk and the other core's load touch both alike); medians over the rounds.
void BenchFileList(State& st)
{
    SavedFileList list(Saved().folder.path());
    const std::string back = Saved().folder.path() / "back";
    std::vector<std::string> names;
    std::vector<double> refreshNs, readdirNs;
    const auto time = [](auto&& work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    };
    list.refresh();
    ReadNames(back, names);
    for (auto _ : st) {
        for (int round = 0; round < 31; ++round) {
            const auto refresh = [&] {
                list.refresh();
                benchmark::DoNotOptimize(list.entries().data());
            };
            const auto bare = [&] { ReadNames(back, names); };
            if (round % 2 == 0) {
                refreshNs.push_back(time(refresh));
                readdirNs.push_back(time(bare));
            } else {
                readdirNs.push_back(time(bare));
                refreshNs.push_back(time(refresh));
            }
        }
        st.SetIterationTime(Median(refreshNs) / 1e9);
    }
    if (list.size() != kSavedFiles) st.SkipWithError("the list does not hold every saved file");
    if (names.size() != kSavedFiles) st.SkipWithError("readdir does not see every saved file");
    st.counters["files"] = static_cast<double>(list.size());
    st.counters["refresh_ns"] = Median(refreshNs);
    st.counters["readdir_ns"] = Median(readdirNs);
}

}  // namespace

void RegisterFileListBenchmarks()
{
    benchmark::RegisterBenchmark("FileList", BenchFileList)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(1)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace torepal::bench
