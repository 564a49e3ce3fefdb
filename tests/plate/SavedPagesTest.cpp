#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "plate/SavedPages.h"
#include "platform/Platform.h"
#include "support/core/TempFolder.h"
#include "support/core/TestText.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"
#include "text/Files.h"

using namespace torepal;
using namespace torepal::test;
namespace fs = std::filesystem;

namespace {

const std::string kStamp = FormatTimeStamp(LocalTime{12, 6, 20, 8});

// The title part of a page name: between "--" and ".html".
std::string TitlePart(const std::string& name)
{
    const std::string head = S("【プレート ～") + kStamp + S("～ 】--");
    EXPECT_EQ(name.rfind(head, 0), 0u);
    EXPECT_GE(name.size(), head.size() + 5);
    EXPECT_EQ(name.substr(name.size() - 5), ".html");
    return name.substr(head.size(), name.size() - head.size() - 5);
}

}  // namespace

TEST(SavedPageName, TheExampleName)
{
    EXPECT_EQ(SavedPageName(kStamp, S("腕時計")), S("【プレート ～12月6日20時8分～ 】--腕時計.html"));
    // The tildes are the full-width tilde 81 60, the blanks ASCII.
    EXPECT_EQ(S("【プレート ～"), "\x81\x79\x83\x76\x83\x8C\x81\x5B\x83\x67 \x81\x60");
}

TEST(SavedPageName, EmptyTitle)
{
    EXPECT_EQ(SavedPageName(kStamp, ""), S("【プレート ～12月6日20時8分～ 】--.html"));
}

TEST(SavedPageName, TwentyDoubleByteCharactersGiveFortyBytes)
{
    const std::string title = S("あいうえおかきくけこさしすせそたちつてと");
    ASSERT_EQ(title.size(), 40u);
    EXPECT_EQ(TitlePart(SavedPageName(kStamp, title)), title);
}

TEST(SavedPageName, TitleIsTakenAsTypedWhereTheFileSystemAllowsIt)
{
    // ソ and 表 end in byte 5C, which is no backslash inside them.
    for (const std::string& title : {S("ソフト表示"), std::string("a b:c*?\"<>|~.#%"), S("．．"), std::string("...")})
        EXPECT_EQ(TitlePart(SavedPageName(kStamp, title)), title);
}

TEST(SavedPageName, SeparatorsAndControlCharactersGetVisibleStandIns)
{
    EXPECT_EQ(TitlePart(SavedPageName(kStamp, "a/b")), S("a／b"));
    EXPECT_EQ(TitlePart(SavedPageName(kStamp, "../../etc")), S("..／..／etc"));
    EXPECT_EQ(TitlePart(SavedPageName(kStamp, "\\..\\x")), S("＼..＼x"));
    EXPECT_EQ(TitlePart(SavedPageName(kStamp, std::string("a\tb\r\nc\x7F") + std::string(1, '\0'))),
              S("a／b／／c／／"));
    // A pair that does not decode would reach the disk as U+FFFD.
    EXPECT_EQ(TitlePart(SavedPageName(kStamp, "x\x85\x5Cy")), S("x？y"));
}

TEST(SavedPageName, EveryTitleStaysInsideBack)
{
    const TempFolder folder;
    const fs::path back = folder.path() / "back";
    for (const std::string& title :
         {std::string("."), std::string(".."), std::string("/"), std::string("../x"), std::string("/../../x"),
          std::string("\\..\\..\\x"), std::string("x\x85\x5C..\x85\x5C..\x85\x5Cy"), std::string("\x81")}) {
        SCOPED_TRACE(title);
        const fs::path path = SavedPagePath(folder.path(), SavedPageName(kStamp, title));
        EXPECT_EQ(path.parent_path(), back);
        EXPECT_EQ(path.lexically_normal().parent_path(), back);
        EXPECT_NE(path.filename(), "..");
    }
}

TEST(SavedPageName, LongTitlesAreCutAtACharacterBoundary)
{
    // 200 characters of three UTF-8 bytes each, behind one ASCII letter so
    // that a cut in the wrong place would split a character.
    std::string title = "a";
    for (int i = 0; i < 200; ++i) title += S("時");
    const std::string name = SavedPageName(kStamp, title);
    const std::string utf8 = Utf8FromSjis(name);
    EXPECT_LE(utf8.size(), kLongestPageFileName);
    EXPECT_GT(utf8.size() + 3, kLongestPageFileName);  // one more character would not fit
    EXPECT_EQ(kLongestPageFileName, 255u);
    const std::string kept = TitlePart(name);
    EXPECT_EQ(kept.size() % 2, 1u);
    EXPECT_EQ(title.rfind(kept, 0), 0u);
    EXPECT_TRUE(IsValidSjis(name));

    // A title that fits is not touched.
    const std::string shortTitle = title.substr(0, 41);
    EXPECT_EQ(TitlePart(SavedPageName(kStamp, shortTitle)), shortTitle);
}

TEST(SavedPages, TheLongestNameCanBeWritten)
{
    const TempFolder folder;
    fs::create_directory(folder.path() / "back");
    const std::string name = SavedPageName(kStamp, std::string(400, 'x'));
    EXPECT_EQ(Utf8FromSjis(name).size(), kLongestPageFileName);  // ASCII fills it to the byte
    const fs::path path = SavedPagePath(folder.path(), name);
    ASSERT_EQ(WritePageFile(path, "<b>page</b>"), WriteStatus::Ok);
    EXPECT_EQ(ReadBytes(path), "<b>page</b>");
}

TEST(SavedPages, PagesAreWrittenInTextModeAndReplaced)
{
    const TempFolder folder;
    fs::create_directory(folder.path() / "back");
    const fs::path path = SavedPagePath(folder.path(), SavedPageName(kStamp, S("腕時計")));
    EXPECT_EQ(path, folder.path() / "back" / "【プレート ～12月6日20時8分～ 】--腕時計.html");
    ASSERT_EQ(WritePageFile(path, S("最初<br>")), WriteStatus::Ok);
    ASSERT_EQ(WritePageFile(path, "a\r\nb\nc"), WriteStatus::Ok);
    EXPECT_EQ(ReadBytes(path), "a\r\r\nb\r\nc");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "back"), fs::directory_iterator()), 1);
}

TEST(SaveFinishedPage, TwoPagesOfTheSameTitleInOneMinuteBothStay)
{
    const TempFolder folder;
    fs::create_directory(folder.path() / "back");
    const SaveOutcome first = SaveFinishedPage(folder.path(), kStamp, S("腕時計"), "one\n");
    const SaveOutcome second = SaveFinishedPage(folder.path(), kStamp, S("腕時計"), "two\n");
    ASSERT_EQ(first.status, WriteStatus::Ok);
    ASSERT_EQ(second.status, WriteStatus::Ok);
    EXPECT_EQ(second.name, S("【プレート ～12月6日20時8分～ 】--腕時計 (2).html"));
    EXPECT_EQ(ReadBytes(folder.path() / "back" / "【プレート ～12月6日20時8分～ 】--腕時計.html"), "one\r\n");
    EXPECT_EQ(ReadBytes(folder.path() / "back" / "【プレート ～12月6日20時8分～ 】--腕時計 (2).html"), "two\r\n");
    // The same page again replaces its own file; another new one takes (3).
    EXPECT_EQ(SaveFinishedPage(folder.path(), kStamp, S("腕時計"), "two\n").name, second.name);
    EXPECT_EQ(SaveFinishedPage(folder.path(), kStamp, S("腕時計"), "three").name,
              S("【プレート ～12月6日20時8分～ 】--腕時計 (3).html"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "back"), fs::directory_iterator()), 3);
}

TEST(SaveFinishedPage, AFolderOrALongerFileOfTheNameIsNeverReplaced)
{
    const TempFolder folder;
    fs::create_directories(folder.path() / "back" / "【プレート ～12月6日20時8分～ 】--x.html");
    {
        std::ofstream out(folder.path() / "back" / "【プレート ～12月6日20時8分～ 】--x (2).html", std::ios::binary);
        out << "page and more";
    }
    const SaveOutcome saved = SaveFinishedPage(folder.path(), kStamp, "x", "page");
    ASSERT_EQ(saved.status, WriteStatus::Ok);
    EXPECT_EQ(saved.name, S("【プレート ～12月6日20時8分～ 】--x (3).html"));
    EXPECT_EQ(ReadBytes(folder.path() / "back" / "【プレート ～12月6日20時8分～ 】--x (2).html"), "page and more");
}

TEST(NumberedFileName, NumberedNamesStayWithinTheNameLimit)
{
    const std::string prefix = S("【プレート ～") + kStamp + S("～ 】--");
    const std::string name = NumberedFileName(prefix, std::string(400, 'x'), ".html", 12);
    EXPECT_EQ(Utf8FromSjis(name).size(), kLongestFileName);
    // " (12)" takes five bytes of the title's room, at the name's end.
    EXPECT_EQ(name.substr(name.size() - 11), "x (12).html");
    EXPECT_EQ(NumberedFileName(prefix, std::string(400, 'x'), ".html", 1),
              SavedPageName(kStamp, std::string(400, 'x')));

    const TempFolder folder;
    fs::create_directory(folder.path() / "back");
    const std::string longTitle(400, 'x');
    ASSERT_EQ(SaveFinishedPage(folder.path(), kStamp, longTitle, "a").status, WriteStatus::Ok);
    const SaveOutcome second = SaveFinishedPage(folder.path(), kStamp, longTitle, "b");
    ASSERT_EQ(second.status, WriteStatus::Ok);
    EXPECT_EQ(Utf8FromSjis(second.name).size(), kLongestFileName);
    EXPECT_EQ(ReadBytes(SavedPagePath(folder.path(), second.name)), "b");
}

TEST(SavedPages, MissingBackFolderIsNotCreated)
{
    const TempFolder folder;
    const fs::path path = SavedPagePath(folder.path(), SavedPageName(kStamp, "x"));
    EXPECT_NE(WritePageFile(path, "page"), WriteStatus::Ok);
    EXPECT_NE(SaveFinishedPage(folder.path(), kStamp, "x", "page").status, WriteStatus::Ok);
    EXPECT_FALSE(fs::exists(folder.path() / "back"));
}

TEST(SavedPages, PreviewFileIsInTheProgramFolder)
{
    const TempFolder folder;
    EXPECT_EQ(PreviewPath(folder.path()), folder.path() / "menu_preview.html");
}

TEST(SavedPages, MessagesNameTheFileAndSayThePageIsKept)
{
    const std::string name = SavedPageName(kStamp, S("腕時計"));
    const std::string missing = Utf8FromSjis(PageNotSavedMessage(name, true));
    EXPECT_NE(missing.find("【プレート ～12月6日20時8分～ 】--腕時計.html"), std::string::npos);
    EXPECT_NE(missing.find("「back」がありません"), std::string::npos);
    EXPECT_NE(missing.find("ページは消えていません"), std::string::npos);
    EXPECT_NE(Utf8FromSjis(PreviewNotWrittenMessage()).find("menu_preview.html"), std::string::npos);
}
