#include <gtest/gtest.h>

#include "mail/MailFiles.h"
#include "support/MailTestSupport.h"
#include "support/core/TempFolder.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

using namespace test;

const std::string kStamp = Sjis("3月3日14時7分");

TEST(SavedMailName, IsStampAndItemBetweenTheFixedPieces)
{
    EXPECT_EQ(SavedMailName(kStamp, Sjis("時計")), Sjis("【メール ～3月3日14時7分～ 】--時計.txt"));
    EXPECT_EQ(SavedMailName(kStamp, ""), Sjis("【メール ～3月3日14時7分～ 】--.txt"));
}

TEST(SavedMailName, SlashesBackslashesAndControlCharactersBecomeFullWidthStandIns)
{
    EXPECT_EQ(SavedMailName(kStamp, "../../etc/passwd"),
              Sjis("【メール ～3月3日14時7分～ 】--..／..／etc／passwd.txt"));
    EXPECT_EQ(SavedMailName(kStamp, std::string("a\\b\tc\nd\x7F", 8) + std::string(1, '\0')),
              Sjis("【メール ～3月3日14時7分～ 】--a＼b／c／d／／.txt"));
    // ソ and 表 end in the byte 5C: they are characters, not separators.
    EXPECT_EQ(SavedMailName(kStamp, Sjis("ソ表")), Sjis("【メール ～3月3日14時7分～ 】--ソ表.txt"));
}

TEST(SavedMailName, LongItemIsCutAtACharacterSoTheNameFits255Bytes)
{
    // Fixed part in UTF-8: 【メール + blank + ～ = 16, the stamp 17, ～ blank 】-- = 9, ".txt" 4: 46 bytes.
    const std::string ascii = SavedMailName(kStamp, std::string(300, 'a'));
    EXPECT_EQ(ascii, Sjis("【メール ～3月3日14時7分～ 】--") + std::string(209, 'a') + ".txt");
    EXPECT_EQ(Utf8FromSjis(ascii).size(), 255u);

    std::string kana;
    for (int i = 0; i < 100; ++i) kana += Sjis("あ");
    std::string expected = Sjis("【メール ～3月3日14時7分～ 】--");
    for (int i = 0; i < 69; ++i)  // 69 × 3 = 207 bytes of the 209 left
        expected += Sjis("あ");
    EXPECT_EQ(SavedMailName(kStamp, kana), expected + ".txt");
}

TEST(SaveMail, BodyLineBreaksAreStoredAsCrCrLf)
{
    TempFolder folder{"back", "file"};
    ASSERT_EQ(SaveMail(folder.path(), kStamp, Sjis("時計"), "a\r\nb"), WriteStatus::Ok);
    EXPECT_EQ(folder.read(std::filesystem::path("back") / "【メール ～3月3日14時7分～ 】--時計.txt"), "a\r\r\nb");
}

TEST(SaveMail, SecondMailOfTheSameMinuteAndItemGetsTheNextFreeName)
{
    TempFolder folder{"back", "file"};
    std::string name;
    ASSERT_EQ(SaveMail(folder.path(), kStamp, "x", "first", &name), WriteStatus::Ok);
    EXPECT_EQ(name, Sjis("【メール ～3月3日14時7分～ 】--x.txt"));
    ASSERT_EQ(SaveMail(folder.path(), kStamp, "x", "second", &name), WriteStatus::Ok);
    EXPECT_EQ(name, Sjis("【メール ～3月3日14時7分～ 】--x (2).txt"));
    ASSERT_EQ(SaveMail(folder.path(), kStamp, "x", "third"), WriteStatus::Ok);
    EXPECT_EQ(folder.read(std::filesystem::path("back") / "【メール ～3月3日14時7分～ 】--x.txt"), "first");
    EXPECT_EQ(folder.read(std::filesystem::path("back") / "【メール ～3月3日14時7分～ 】--x (2).txt"), "second");
    EXPECT_EQ(folder.read(std::filesystem::path("back") / "【メール ～3月3日14時7分～ 】--x (3).txt"), "third");
}

TEST(SaveMail, SavingTheSameMailAgainKeepsOneFile)
{
    TempFolder folder{"back", "file"};
    ASSERT_EQ(SaveMail(folder.path(), kStamp, "x", "a\r\nb"), WriteStatus::Ok);
    std::string name;
    ASSERT_EQ(SaveMail(folder.path(), kStamp, "x", "a\r\nb", &name), WriteStatus::Ok);
    EXPECT_EQ(name, Sjis("【メール ～3月3日14時7分～ 】--x.txt"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "back"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SaveMail, ItemWithSlashesStaysInsideBack)
{
    TempFolder folder{"back", "file"};
    ASSERT_EQ(SaveMail(folder.path(), kStamp, "../../x", "body"), WriteStatus::Ok);
    EXPECT_EQ(folder.read(std::filesystem::path("back") / "【メール ～3月3日14時7分～ 】--..／..／x.txt"), "body");
}

TEST(SaveMail, WithoutBackFolderNothingIsCreated)
{
    TempFolder folder{"file"};
    EXPECT_NE(SaveMail(folder.path(), kStamp, "x", "body"), WriteStatus::Ok);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "back"));
}

TEST(SaveMail, FullDiskKeepsTheEarlierFile)
{
    TempFolder folder{"back", "file"};
    ASSERT_EQ(SaveMail(folder.path(), kStamp, "x", "first"), WriteStatus::Ok);
    SetWriteFaultForTesting(WriteFault::Write);
    EXPECT_NE(SaveMail(folder.path(), kStamp, "x", "second mail"), WriteStatus::Ok);
    SetWriteFaultForTesting(WriteFault::None);
    EXPECT_EQ(folder.read(std::filesystem::path("back") / "【メール ～3月3日14時7分～ 】--x.txt"), "first");
}

TEST(ListTemplates, TxtFilesOfAnyCaseSortedFoldersAndOthersLeftOut)
{
    TempFolder folder{"back", "file"};
    folder.write("file/b.txt", "");
    folder.write("file/A.TXT", "");
    folder.write("file/ソ.txt", "");
    folder.write("file/c.doc", "");
    folder.write("file/txt", "");
    std::filesystem::create_directory(folder.path() / "file" / "d.txt");
    const std::vector<TemplateEntry> list = ListTemplates(folder.path());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "A.TXT");
    EXPECT_EQ(list[1].name, "b.txt");
    EXPECT_EQ(list[2].name, Sjis("ソ.txt"));
    EXPECT_EQ(list[2].path, folder.path() / "file" / "ソ.txt");
}

TEST(ListTemplates, MissingOrEmptyFolderGivesNoTemplates)
{
    TempFolder empty{"back", "file"};
    EXPECT_TRUE(ListTemplates(empty.path()).empty());
    TempFolder none{"back"};
    EXPECT_TRUE(ListTemplates(none.path()).empty());
}

TEST(Templates, CrLfAndCrCrLfReadAlikeAndSavingWritesCrCrLf)
{
    TempFolder folder{"back", "file"};
    folder.write("file/crlf.txt", Sjis("[name]様\r\n[bank]\r\n"));
    folder.write("file/crcrlf.txt", Sjis("[name]様\r\r\n[bank]\r\r\n"));
    const std::optional<std::string> crlf = ReadTemplate(folder.path() / "file" / "crlf.txt");
    const std::optional<std::string> crcrlf = ReadTemplate(folder.path() / "file" / "crcrlf.txt");
    ASSERT_TRUE(crlf && crcrlf);
    EXPECT_EQ(*crlf, Sjis("[name]様\r\n[bank]\r\n"));
    EXPECT_EQ(crlf->size(), 18u);  // 6 + 2 + 2 + 6 + 2
    EXPECT_EQ(*crcrlf, *crlf);

    ASSERT_TRUE(WriteTemplate(folder.path() / "file" / "crlf.txt", *crlf));
    const std::string stored = folder.read("file/crlf.txt");
    EXPECT_EQ(stored, Sjis("[name]様\r\r\n[bank]\r\r\n"));
    EXPECT_EQ(stored.size(), 20u);
}

TEST(Templates, FolderOrMissingFileCannotBeRead)
{
    TempFolder folder{"back", "file"};
    std::filesystem::create_directory(folder.path() / "file" / "d.txt");
    EXPECT_FALSE(ReadTemplate(folder.path() / "file" / "d.txt"));
    EXPECT_FALSE(ReadTemplate(folder.path() / "file" / "gone.txt"));
}

}  // namespace
}  // namespace torepal
