#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <random>
#include <set>
#include <thread>

#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Files.h"
#include "text/Lines.h"

using namespace torepal;
using namespace torepal::test;

namespace {

// A content whose every byte says which version it is and where it stands,
// so a torn or mixed file cannot pass for a complete one.
std::string Version(char tag, std::size_t size)
{
    std::string s(size, tag);
    for (std::size_t i = 0; i + 8 <= size; i += 4096) {
        char mark[32];
        std::snprintf(mark, sizeof mark, "%c%07zu", tag, i / 4096 % 10000000);
        std::copy(mark, mark + 8, s.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return s;
}

}  // namespace

TEST(AtomicWrite, ACrashBeforeTheRenameLeavesOnlyAHiddenTemporary)
{
    TempFolder dir;
    WriteBytes(dir / "1.txt", "old");
    {
        WriteFaultGuard guard(WriteFault::CrashBeforeRename);
        EXPECT_NE(WriteFileAtomically(dir / "1.txt", "new"), WriteStatus::Ok);
    }
    EXPECT_EQ(ReadBytes(dir / "1.txt"), "old");
    const std::string leftover = ".1.txt.new-" + std::to_string(::getpid());
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{".1.txt.new-" + std::to_string(::getpid()), "1.txt"}));
    EXPECT_EQ(ReadBytes(dir / leftover), "new");
    EXPECT_TRUE(IsWriteTemporary(leftover));

    // The next save from the same process reuses the name and cleans up.
    ASSERT_EQ(WriteFileAtomically(dir / "1.txt", "newer"), WriteStatus::Ok);
    EXPECT_EQ(FolderNames(dir.path()), std::vector<std::string>{"1.txt"});
    EXPECT_EQ(ReadBytes(dir / "1.txt"), "newer");
}

TEST(AtomicWrite, TemporaryNamesAreRecognisedAndOrdinaryNamesAreNot)
{
    EXPECT_TRUE(IsWriteTemporary(".bank.ini.new-1234"));
    EXPECT_TRUE(IsWriteTemporary(".6月1日12時0分腕時計.html.new-7"));
    EXPECT_FALSE(IsWriteTemporary("bank.ini.new-1234"));  // not hidden: a seller's own file
    EXPECT_FALSE(IsWriteTemporary(".bank.ini.new-"));
    EXPECT_FALSE(IsWriteTemporary(".bank.ini.new-12a"));
    EXPECT_FALSE(IsWriteTemporary(".hidden.txt"));
    EXPECT_FALSE(IsWriteTemporary("1.txt"));
}

TEST(AtomicWrite, ANameThatNearlyFillsTheLimitCanStillBeSaved)
{
    TempFolder dir;
    // 83 three-byte characters and ".txt": 253 bytes, legal; the temporary
    // with its dot and suffix would not be, if it kept the whole name.
    std::string name;
    for (int i = 0; i < 83; ++i) name += "腕";
    name += ".txt";
    ASSERT_EQ(name.size(), 253u);
    ASSERT_EQ(WriteFileAtomically(dir / name, "bytes"), WriteStatus::Ok);
    EXPECT_EQ(ReadBytes(dir / name), "bytes");
    EXPECT_EQ(FolderNames(dir.path()), std::vector<std::string>{name});
}

TEST(AtomicWrite, AFolderWhoseParentIsAFileRefusesTheSaveAndCreatesNothing)
{
    // Tests run as root, for whom file permissions do not stop a write; a
    // path through a regular file cannot be written by anyone.
    TempFolder dir;
    WriteBytes(dir / "back", "not a folder");
    EXPECT_EQ(WriteFileAtomically(dir / "back" / "1.txt", "x"), WriteStatus::CannotCreate);
    EXPECT_EQ(ReadBytes(dir / "back"), "not a folder");
}

TEST(AtomicWrite, ReplacingKeepsTheOldFilesPermissions)
{
    TempFolder dir;
    WriteBytes(dir / "t.txt", "old");
    std::filesystem::permissions(dir / "t.txt",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ASSERT_EQ(WriteFileAtomically(dir / "t.txt", "new"), WriteStatus::Ok);
    EXPECT_EQ(std::filesystem::status(dir / "t.txt").permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(AtomicWrite, AFullDiskOrAFailedSyncOrRenameLeavesNoTemporary)
{
    for (WriteFault f : {WriteFault::Create, WriteFault::Write, WriteFault::Sync, WriteFault::Rename}) {
        TempFolder dir;
        WriteBytes(dir / "status.ini", "good");
        {
            WriteFaultGuard guard(f);
            EXPECT_NE(WriteFileAtomically(dir / "status.ini", std::string(10000, 'x')), WriteStatus::Ok);
        }
        EXPECT_EQ(ReadBytes(dir / "status.ini"), "good") << static_cast<int>(f);
        EXPECT_EQ(FolderNames(dir.path()), std::vector<std::string>{"status.ini"}) << static_cast<int>(f);
    }
}

TEST(AtomicWrite, ARealDiskFullPartWayKeepsTheOldFileAndLeavesNothingBehind)
{
    // The kernel's file-size limit stops the write part way with EFBIG,
    // as a full disk stops it with ENOSPC; no hook is involved.
    TempFolder dir;
    WriteBytes(dir / "mail.txt", "old mail");
    WriteStatus status;
    {
        FileSizeLimit full(4096);
        status = WriteFileAtomically(dir / "mail.txt", std::string(100000, 'n'));
    }
    EXPECT_EQ(status, WriteStatus::WriteFailed);
    EXPECT_EQ(ReadBytes(dir / "mail.txt"), "old mail");
    EXPECT_EQ(FolderNames(dir.path()), std::vector<std::string>{"mail.txt"});
}

// A process killed at any moment while it saves again and again: the file
// is always one complete version, never a mix or a cut.
TEST(AtomicWrite, KillingTheWriterAtRandomMomentsNeverTearsTheFile)
{
    TempFolder dir;
    const std::filesystem::path target = dir / "plate.ini";
    const std::size_t size = 1 << 20;
    const std::string first = Version('0', size);
    WriteBytes(target, first);
    std::set<std::string> complete{first};
    const std::vector<std::string> versions{Version('A', size), Version('B', size / 3), Version('C', 2 * size)};
    for (const std::string& v : versions) complete.insert(v);

    const unsigned seed = std::random_device{}();
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> delayMicros(0, 30000);
    int changed = 0;
    constexpr int kKills = 25;
    for (int round = 0; round < kKills; ++round) {
        const std::string before = ReadBytes(target);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (unsigned i = 0;; ++i) WriteFileAtomically(target, versions[i % versions.size()]);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::string now = ReadBytes(target);
        ASSERT_EQ(complete.count(now), 1u)
            << "torn file after kill " << round << " (seed " << seed << "), " << now.size() << " bytes";
        if (now != before) ++changed;
        // What a kill leaves beside the file is one hidden temporary of the
        // killed process at most.
        for (const std::string& name : FolderNames(dir.path())) {
            if (name != "plate.ini") {
                EXPECT_EQ(name, ".plate.ini.new-" + std::to_string(child));
            }
        }
        for (const std::string& name : FolderNames(dir.path()))
            if (name != "plate.ini") std::filesystem::remove(dir / name);
    }
    // Writes did happen between the kills (else the test proves nothing).
    EXPECT_GT(changed, 0) << "seed " << seed;
    RecordProperty("kills", kKills);
    RecordProperty("replacements_seen", changed);
}

TEST(SavedFileLines, AFileEndingInCrReachesItsFixedPointAtOnce)
{
    // Shown, written back in text mode and shown again, a file must not
    // gain a CR each time; this held for CRs before LF and now also for CRs
    // at the very end of a file.
    const std::string shown = SavedFileLinesCrLf("a\rb\r\nc\r");
    EXPECT_EQ(shown, "a\rb\r\nc\r\n");
    EXPECT_EQ(SavedFileLinesCrLf(ToTextMode(shown)), shown);
    EXPECT_EQ(SavedFileLinesCrLf("x\r\r\r"), "x\r\n");
    EXPECT_EQ(SavedFileLinesCrLf("\r"), "\r\n");
}
