#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/File.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"

using namespace torepal;
using namespace torepal::test;

TEST(AtomicWrite, ReplacesTheFileWholeAndLeavesNoTemporary)
{
    TempFolder dir;
    WriteBytes(dir / "a.txt", "old");
    ASSERT_EQ(WriteFileAtomically(dir / "a.txt", "new bytes"), WriteStatus::Ok);
    EXPECT_EQ(ReadBytes(dir / "a.txt"), "new bytes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicWrite, EveryInjectedFaultKeepsTheOldFile)
{
    for (WriteFault f :
         {WriteFault::Create, WriteFault::Write, WriteFault::Sync, WriteFault::Rename, WriteFault::CrashBeforeRename}) {
        TempFolder dir;
        WriteBytes(dir / "bank.ini", "good");
        {
            WriteFaultGuard guard(f);
            EXPECT_NE(WriteFileAtomically(dir / "bank.ini", "half-written"), WriteStatus::Ok);
        }
        EXPECT_EQ(ReadBytes(dir / "bank.ini"), "good") << static_cast<int>(f);
    }
}

TEST(AtomicWrite, AMissingFolderIsReportedNotCreated)
{
    TempFolder dir;
    EXPECT_EQ(WriteFileAtomically(dir / "back" / "page.html", "x"), WriteStatus::CannotCreate);
    EXPECT_FALSE(std::filesystem::exists(dir / "back"));
}

TEST(ReadWholeFile, RefusesFoldersMissingFilesAndOversizedFiles)
{
    TempFolder dir;
    std::filesystem::create_directory(dir / "sub");
    EXPECT_EQ(ReadWholeFile(dir / "sub").status, ReadStatus::NotRegular);
    EXPECT_EQ(ReadWholeFile(dir / "none").status, ReadStatus::Missing);
    WriteBytes(dir / "big", std::string(100, 'x'));
    EXPECT_EQ(ReadWholeFile(dir / "big", 99).status, ReadStatus::TooLarge);
    const ReadResult r = ReadWholeFile(dir / "big", 100);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes.size(), 100u);
}

TEST(AtomicWrite, OnlyItsOwnHiddenTemporariesAreRecognised)
{
    EXPECT_TRUE(IsWriteTemporary(".bank.ini.new-4242"));
    EXPECT_TRUE(IsWriteTemporary(Sjis(".【メール ～3月3日14時7分～ 】--時計.txt.new-7")));
    EXPECT_FALSE(IsWriteTemporary("bank.ini.new-4242"));  // not hidden: the seller's own
    EXPECT_FALSE(IsWriteTemporary(".bank.ini.new-"));
    EXPECT_FALSE(IsWriteTemporary(".notes.new-draft"));
    EXPECT_FALSE(IsWriteTemporary(".hidden"));
}

TEST(UniqueFd, ClosesItsDescriptorWhenItGoes)
{
    TempFolder dir;
    WriteBytes(dir / "a", "x");
    int raw = -1;
    {
        const UniqueFd fd(::open((dir / "a").c_str(), O_RDONLY | O_CLOEXEC));
        ASSERT_TRUE(fd.valid());
        raw = fd.get();
        EXPECT_EQ(::fcntl(raw, F_GETFD), FD_CLOEXEC);
    }
    EXPECT_EQ(::fcntl(raw, F_GETFD), -1);  // closed: no longer a descriptor
}

TEST(UniqueFd, HandsOverOnMoveAndReportsItsClose)
{
    TempFolder dir;
    WriteBytes(dir / "a", "x");
    UniqueFd first(::open((dir / "a").c_str(), O_RDONLY | O_CLOEXEC));
    const int raw = first.get();
    UniqueFd second(std::move(first));
    EXPECT_FALSE(first.valid());
    EXPECT_EQ(second.get(), raw);
    EXPECT_TRUE(second.close());
    EXPECT_FALSE(second.valid());
    EXPECT_TRUE(second.close());  // nothing left to close is no failure
}

TEST(AtomicWrite, AReplacedFileKeepsItsPermissions)
{
    TempFolder dir;
    WriteBytes(dir / "a.txt", "old");
    ASSERT_EQ(::chmod((dir / "a.txt").c_str(), 0600), 0);
    ASSERT_EQ(WriteFileAtomically(dir / "a.txt", "new"), WriteStatus::Ok);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "a.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST(CopyFileExclusively, CopiesTheBytesUnderAFreeName)
{
    TempFolder dir;
    const std::string bytes = std::string("a\0b", 4) + std::string(70000, 'z');  // past one buffer
    WriteBytes(dir / "from", bytes);
    EXPECT_EQ(CopyFileExclusively(dir / "from", dir / "to"), CopyStatus::Copied);
    EXPECT_EQ(ReadBytes(dir / "to"), bytes);
    EXPECT_TRUE(SameFileContents(dir / "from", dir / "to"));
    // Only the two files: the temporary beside the copy is gone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(CopyFileExclusively, NeverReplacesATakenName)
{
    TempFolder dir;
    WriteBytes(dir / "from", "new");
    WriteBytes(dir / "to", "the seller's");
    EXPECT_EQ(CopyFileExclusively(dir / "from", dir / "to"), CopyStatus::TargetExists);
    EXPECT_EQ(ReadBytes(dir / "to"), "the seller's");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(CopyFileExclusively, RefusesAFolderOrAMissingFile)
{
    TempFolder dir;
    std::filesystem::create_directory(dir / "sub");
    EXPECT_EQ(CopyFileExclusively(dir / "sub", dir / "to"), CopyStatus::Failed);
    EXPECT_EQ(CopyFileExclusively(dir / "none", dir / "to"), CopyStatus::Failed);
    EXPECT_FALSE(std::filesystem::exists(dir / "to"));
}

TEST(SameFileContents, TellsEqualBytesFromEqualSizes)
{
    TempFolder dir;
    WriteBytes(dir / "a", "abc");
    WriteBytes(dir / "b", "abc");
    WriteBytes(dir / "c", "abd");
    EXPECT_TRUE(SameFileContents(dir / "a", dir / "b"));
    EXPECT_FALSE(SameFileContents(dir / "a", dir / "c"));
    EXPECT_FALSE(SameFileContents(dir / "a", dir / "none"));
}
