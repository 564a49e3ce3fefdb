#include <gtest/gtest.h>

#include <fstream>

#include "support/core/FileHelpers.h"
#include "support/core/TempFolder.h"
#include "text/Encoding.h"
#include "text/Files.h"

using namespace torepal;

TEST(AtomicWrite, ReplacesTheFileWholeAndLeavesNoTemporary)
{
    TempFolder dir;
    Put(dir / "a.txt", "old");
    ASSERT_EQ(WriteFileAtomically(dir / "a.txt", "new bytes"), WriteStatus::Ok);
    EXPECT_EQ(Slurp(dir / "a.txt"), "new bytes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicWrite, EveryInjectedFaultKeepsTheOldFile)
{
    for (WriteFault f :
         {WriteFault::Create, WriteFault::Write, WriteFault::Sync, WriteFault::Rename, WriteFault::CrashBeforeRename}) {
        TempFolder dir;
        Put(dir / "bank.ini", "good");
        {
            FaultGuard guard(f);
            EXPECT_NE(WriteFileAtomically(dir / "bank.ini", "half-written"), WriteStatus::Ok);
        }
        EXPECT_EQ(Slurp(dir / "bank.ini"), "good") << static_cast<int>(f);
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
    Put(dir / "big", std::string(100, 'x'));
    EXPECT_EQ(ReadWholeFile(dir / "big", 99).status, ReadStatus::TooLarge);
    const ReadResult r = ReadWholeFile(dir / "big", 100);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes.size(), 100u);
}

TEST(FileNames, ShiftJisNamesBecomeUtf8PathsInsideTheFolder)
{
    const std::filesystem::path folder = "/prog";
    // ソ ends in byte 5C; it must not be taken for a separator.
    EXPECT_EQ(JoinSjis(folder, Sjis("back/ソ.html")).string(), "/prog/back/ソ.html");
    EXPECT_EQ(JoinSjis(folder, Sjis("back\\a.txt")).string(), "/prog/back/a.txt");
    EXPECT_EQ(JoinSjis(folder, "/bank.ini").string(), "/prog/bank.ini");
}

TEST(FileNames, NamesShiftJisCannotHoldAreShownWithQuestionMarks)
{
    bool exact = true;
    EXPECT_EQ(SjisFileName("a\xE2\x99\xA5"
                           "b.txt",
                           &exact),
              "a?b.txt");
    EXPECT_FALSE(exact);
    EXPECT_EQ(SjisFileName("/x/腕時計.html", &exact), Sjis("腕時計.html"));
    EXPECT_TRUE(exact);
}

TEST(AtomicWrite, OnlyItsOwnHiddenTemporariesAreRecognised)
{
    EXPECT_TRUE(IsSaveTemporaryName(".bank.ini.new-4242"));
    EXPECT_TRUE(IsSaveTemporaryName(Sjis(".【メール ～3月3日14時7分～ 】--時計.txt.new-7")));
    EXPECT_FALSE(IsSaveTemporaryName("bank.ini.new-4242"));  // not hidden: the seller's own
    EXPECT_FALSE(IsSaveTemporaryName(".bank.ini.new-"));
    EXPECT_FALSE(IsSaveTemporaryName(".notes.new-draft"));
    EXPECT_FALSE(IsSaveTemporaryName(".hidden"));
}
