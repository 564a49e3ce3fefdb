// Sizes that files claim or have: a length prefix asking for gigabytes is
// refused without allocating them, and a file far larger than any real one
// is refused before it is read.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>

#include "app/ProjectFile.h"
#include "store/Archive.h"
#include "store/SettingsFiles.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Files.h"

// The replacement operators below pair malloc with free on purpose.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {

// The largest single allocation made while `g_watching` is on.
std::atomic<bool> g_watching{false};
std::atomic<std::size_t> g_largest{0};

void Note(std::size_t size)
{
    if (!g_watching.load(std::memory_order_relaxed)) return;
    std::size_t seen = g_largest.load();
    while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
    }
}

class AllocationWatch {
public:
    AllocationWatch()
    {
        g_largest = 0;
        g_watching = true;
    }
    ~AllocationWatch() { g_watching = false; }
    std::size_t largest() const { return g_largest.load(); }
};

}  // namespace

void* operator new(std::size_t size)
{
    Note(size);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    Note(size);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

using namespace torepal;
using namespace torepal::test;

namespace {

constexpr std::size_t kSmall = 64 * 1024;

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

TEST(Limits, TheAllocationWatchSeesALargeAllocation)
{
    AllocationWatch watch;
    char* volatile block = new char[4 * kSmall];
    block[0] = 1;
    delete[] block;
    EXPECT_GE(watch.largest(), 4 * kSmall);
}

TEST(Limits, LengthPrefixesClaimingGigabytesFailAtOnceWithoutAllocating)
{
    const std::string claims[] = {
        std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7),                                   // u32 2^31-1
        std::string("\xFF\xFF\xFF\xFE\xFF\xFF\xFF", 7),                                   // u32 2^32-2
        std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F\0\0\0\0", 15),          // u64 2^31-1
        std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 10),                      // UTF-16, 2^31-1 units
        std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 15),  // u64 2^64-1
    };
    for (const std::string& bytes : claims) {
        AllocationWatch watch;
        const auto started = std::chrono::steady_clock::now();
        ArchiveReader reader(bytes);
        std::string text = "kept";
        EXPECT_FALSE(reader.getString(text));
        EXPECT_EQ(text, "kept");
        CBSave bank;
        CPSave plate;
        CSavemail status;
        EXPECT_FALSE(DecodeBank(bytes, bank));
        EXPECT_FALSE(DecodeStatus(bytes, status));
        EXPECT_FALSE(DecodePlate(std::string(36, '\0') + bytes, plate));
        EXPECT_LT(watch.largest(), kSmall);
        EXPECT_LT(Seconds(started), 0.5);
    }
}

TEST(Limits, ASettingsFileClaimingGigabytesLoadsAsDamagedAndIsKept)
{
    TempFolder dir;
    const std::string bytes("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7);
    WriteBytes(dir / "status.ini", bytes);
    AllocationWatch watch;
    const Loaded<CSavemail> loaded = LoadStatusFile(dir.path());
    EXPECT_EQ(loaded.status, LoadStatus::Damaged);
    EXPECT_LT(watch.largest(), 2 * kSmall);  // the copy's buffer, nothing sized by the claim
    ASSERT_FALSE(loaded.keptCopy.empty());
    EXPECT_EQ(ReadWholeFile(loaded.keptCopy).bytes, bytes);
}

TEST(Limits, AProjectCountLineClaimingBillionsOfLinesIsRefused)
{
    AllocationWatch watch;
    std::string message;
    EXPECT_FALSE(ParseProjectText("[TM1]\r\n-99999999999999999999-\r\na\r\n", &message));
    EXPECT_FALSE(message.empty());
    EXPECT_LT(watch.largest(), kSmall);
}

TEST(Limits, FilesFarLargerThanAnyRealOneAreRefusedBeforeReading)
{
    TempFolder dir;
    for (std::uintmax_t size : {kLargestTextFile + 1, std::uintmax_t{1} << 36}) {
        WriteBytes(dir / "huge.tpf", "");
        std::filesystem::resize_file(dir / "huge.tpf", size);  // sparse: no disk used
        AllocationWatch watch;
        const auto started = std::chrono::steady_clock::now();
        const ReadResult r = ReadWholeFile(dir / "huge.tpf");
        EXPECT_EQ(r.status, ReadStatus::TooLarge);
        EXPECT_LT(watch.largest(), kSmall);
        EXPECT_LT(Seconds(started), 0.5);
    }
    // An ordinary size is read as before.
    std::filesystem::resize_file(dir / "huge.tpf", 1000);
    EXPECT_TRUE(ReadWholeFile(dir / "huge.tpf").ok());
}
