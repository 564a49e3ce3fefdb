// The core's text producers on a full form, each against the cheapest thing
// that moves the same bytes (a copy of its output, a bare read or write).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "BenchData.h"
#include "Benchmarks.h"
#include "app/ProjectFile.h"
#include "mail/ComposeMail.h"
#include "plate/RenderPage.h"
#include "shipping/ShippingText.h"
#include "store/SettingsFiles.h"
#include "text/Lines.h"

namespace torepal::bench {
namespace {

using benchmark::State;

void CopyOf(State& st, const std::string& bytes)
{
    for (auto _ : st) {
        std::string copy = bytes;
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    st.counters["bytes"] = static_cast<double>(bytes.size());
}

std::string RenderedPage(int type)
{
    PlateState s = FullPlateState(type);
    RenderPage(s, FullPlateFlags());
    return s.page;
}

void BenchRenderPage(State& st, int type)
{
    PlateState s = FullPlateState(type);
    const PlateFlags flags = FullPlateFlags();
    for (auto _ : st) {
        RenderPage(s, flags);
        benchmark::DoNotOptimize(s.page.data());
        benchmark::ClobberMemory();
    }
    st.counters["bytes"] = static_cast<double>(s.page.size());
}

std::string ShippingText()
{
    const PlateState p = FullPlateState(0);
    const CarrierTicks ticks = FullPlateFlags().carriers;
    std::string sdata;
    BuildShippingTextCarriers(sdata, ticks, ParcelChoice{p.weightIndex, p.sizeIndex, p.originIndex});
    BuildShippingTextMailClasses(sdata, ticks, p.weightIndex);
    return sdata;
}

void BenchShippingText(State& st)
{
    const PlateState p = FullPlateState(0);
    const CarrierTicks ticks = FullPlateFlags().carriers;
    const ParcelChoice parcel{p.weightIndex, p.sizeIndex, p.originIndex};
    std::string sdata;
    for (auto _ : st) {
        BuildShippingTextCarriers(sdata, ticks, parcel);
        BuildShippingTextMailClasses(sdata, ticks, p.weightIndex);
        benchmark::DoNotOptimize(sdata.data());
        benchmark::ClobberMemory();
    }
    st.counters["bytes"] = static_cast<double>(sdata.size());
}

constexpr std::size_t kMailLines = 200;

std::string ComposedMail()
{
    MailState m = FullMailState();
    ComposeMail(m, MailTemplate(kMailLines));
    return m.body;
}

void BenchComposeMail(State& st)
{
    MailState m = FullMailState();
    const std::string templateBytes = MailTemplate(kMailLines);
    for (auto _ : st) {
        ComposeMail(m, templateBytes);
        benchmark::DoNotOptimize(m.body.data());
        benchmark::ClobberMemory();
    }
    st.counters["bytes"] = static_cast<double>(m.body.size());
}

void BenchBuildProject(State& st)
{
    const ProjectRecord record = FullProjectRecord();
    std::size_t size = 0;
    for (auto _ : st) {
        std::string text = BuildProjectText(record);
        size = text.size();
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
    st.counters["bytes"] = static_cast<double>(size);
}

// As the file lies on disk: every line end CR CR LF.
std::string ProjectFileBytes()
{
    return ToTextMode(BuildProjectText(FullProjectRecord()));
}

void BenchParseProject(State& st)
{
    const std::string bytes = ProjectFileBytes();
    if (!ParseProjectText(bytes)) {
        st.SkipWithError("the project text did not parse");
        return;
    }
    for (auto _ : st) {
        auto record = ParseProjectText(bytes);
        benchmark::DoNotOptimize(record);
        benchmark::ClobberMemory();
    }
    st.counters["bytes"] = static_cast<double>(bytes.size());
}

struct SettingsFolder {
    TempFolder folder{"settings"};
    CBSave bank = FullBankRecord();
    CPSave plate = FullPlateRecord();
    CSavemail status = FullStatusRecord();
    SettingsFolder()
    {
        StoreBankFile(folder.path(), bank);
        StorePlateFile(folder.path(), plate);
        StoreStatusFile(folder.path(), status);
    }
};

SettingsFolder& Settings()
{
    static SettingsFolder settings;
    return settings;
}

void BenchLoadSettings(State& st)
{
    const auto& dir = Settings().folder.path();
    for (auto _ : st) {
        auto bank = LoadBankFile(dir);
        auto plate = LoadPlateFile(dir);
        auto status = LoadStatusFile(dir);
        if (bank.status != LoadStatus::Loaded || plate.status != LoadStatus::Loaded ||
            status.status != LoadStatus::Loaded) {
            st.SkipWithError("a settings file did not load");
            return;
        }
        benchmark::DoNotOptimize(bank);
        benchmark::DoNotOptimize(plate);
        benchmark::DoNotOptimize(status);
    }
}

// The same three files read with bare system calls, nothing decoded.
void BenchLoadSettingsBare(State& st)
{
    const auto& dir = Settings().folder.path();
    const std::string paths[] = {dir / kBankFile, dir / kPlateFile, dir / kStatusFile};
    char buffer[8192];
    for (auto _ : st) {
        for (const std::string& path : paths) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            std::string bytes;
            for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
                bytes.append(buffer, static_cast<std::size_t>(n));
            ::close(fd);
            benchmark::DoNotOptimize(bytes.data());
        }
    }
}

// The same bytes replaced durably with bare system calls: a new file,
// written, flushed, renamed over the old one, the folder flushed.
bool StoreBare(const std::string& dir, const std::string& name, const std::string& bytes)
{
    const std::string path = dir + "/" + name;
    const std::string temp = dir + "/." + name + ".bare";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ok = ::fsync(fd) == 0 && ok;
    ::close(fd);
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return ok;
}

double NowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// A store waits for the disk, and the disk is shared: each iteration stores
// the three files the program's way and then the bare way, so both see the
// same disk. The program's time is the benchmark's; the bare one a counter.
void BenchStoreSettings(State& st)
{
    SettingsFolder& s = Settings();
    const std::string dir = s.folder.path();
    const std::string names[] = {kBankFile, kPlateFile, kStatusFile};
    const std::string bytes[] = {EncodeBank(s.bank), EncodePlate(s.plate), EncodeStatus(s.status)};
    double bareNs = 0;
    for (auto _ : st) {
        const double start = NowNs();
        const bool stored = StoreBankFile(s.folder.path(), s.bank) && StorePlateFile(s.folder.path(), s.plate) &&
                            StoreStatusFile(s.folder.path(), s.status);
        const double middle = NowNs();
        bool bare = true;
        for (int i = 0; i < 3; ++i) bare = StoreBare(dir, names[i], bytes[i]) && bare;
        const double end = NowNs();
        if (!stored || !bare) {
            st.SkipWithError("a settings file was not stored");
            return;
        }
        st.SetIterationTime((middle - start) / 1e9);
        bareNs += end - middle;
    }
    st.counters["bare_ns"] = benchmark::Counter(bareNs, benchmark::Counter::kAvgIterations);
}

}  // namespace

void RegisterCoreBenchmarks()
{
    using benchmark::kMicrosecond;
    for (int type = 0; type < 5; ++type) {
        const std::string name = "RenderPage/type" + std::to_string(type + 1);
        benchmark::RegisterBenchmark(name.c_str(), BenchRenderPage, type)->Unit(kMicrosecond);
        benchmark::RegisterBenchmark((name + "/copy").c_str(), [type](State& st) {
            CopyOf(st, RenderedPage(type));
        })->Unit(kMicrosecond);
    }
    benchmark::RegisterBenchmark("BuildShippingText/all", BenchShippingText)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("BuildShippingText/all/copy", [](State& st) {
        CopyOf(st, ShippingText());
    })->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("ComposeMail/200lines", BenchComposeMail)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("ComposeMail/200lines/copy", [](State& st) {
        CopyOf(st, ComposedMail());
    })->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("ProjectText/build", BenchBuildProject)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("ProjectText/build/copy", [](State& st) {
        CopyOf(st, BuildProjectText(FullProjectRecord()));
    })->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("ProjectText/parse", BenchParseProject)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("ProjectText/parse/copy", [](State& st) {
        CopyOf(st, ProjectFileBytes());
    })->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("Settings/load", BenchLoadSettings)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("Settings/load/bare", BenchLoadSettingsBare)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("Settings/store", BenchStoreSettings)->UseManualTime()->Unit(kMicrosecond);
}

}  // namespace torepal::bench
