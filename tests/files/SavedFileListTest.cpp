#include <gtest/gtest.h>

#include "files/SavedFileList.h"
#include "mail/Mailto.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"
#include "text/Files.h"

using namespace torepal;
using namespace torepal::test;

namespace {

// A program folder with back/ in it.
struct ProgramFolder {
    TempFolder dir;
    std::filesystem::path back = dir / "back";
    ProgramFolder() { std::filesystem::create_directory(back); }
};

std::vector<std::string> FolderNames(const SavedFileList& list)
{
    std::vector<std::string> names;
    for (const SavedFile& f : list.entries()) names.push_back(f.name);
    return names;
}

// "腕時計" in code page 932.
const std::string kWatch = "\x98\x72\x8E\x9E\x8C\x76";

}  // namespace

TEST(SavedFileListing, SortsFilesAndSubfoldersByShownName)
{
    ProgramFolder pf;
    WriteBytes(pf.back / "2.html", "<b>page</b>");
    WriteBytes(pf.back / "1.txt", "mail");
    WriteBytes(pf.back / "B.txt", "");
    WriteBytes(pf.back / "a.txt", "");
    std::filesystem::create_directory(pf.back / "sub");
    WriteBytes(pf.back / "\xE8\x85\x95\xE6\x99\x82\xE8\xA8\x88.html", "");  // 腕時計.html

    SavedFileList list(pf.dir.path());
    ASSERT_TRUE(list.refresh());
    // Digits before letters, letters case-folded, Shift-JIS lead bytes last.
    EXPECT_EQ(FolderNames(list),
              (std::vector<std::string>{"1.txt", "2.html", "a.txt", "B.txt", "sub", kWatch + ".html"}));
    EXPECT_EQ(list.entries()[5].diskName, std::filesystem::path("\xE8\x85\x95\xE6\x99\x82\xE8\xA8\x88.html"));
    EXPECT_EQ(list.pathOf(1), pf.back / "2.html");
}

TEST(SavedFileListing, MissingFolderGivesAnEmptyListAndIsNotCreated)
{
    TempFolder dir;
    SavedFileList list(dir.path());
    EXPECT_FALSE(list.refresh());
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "back"));
}

TEST(SavedFileListing, RefreshForgetsEntriesRemovedMeanwhile)
{
    ProgramFolder pf;
    WriteBytes(pf.back / "1.txt", "x");
    SavedFileList list(pf.dir.path());
    list.refresh();
    ASSERT_EQ(list.size(), 1u);
    std::filesystem::remove(pf.back / "1.txt");
    list.refresh();
    EXPECT_TRUE(list.empty());
}

TEST(SavedFileListing, ManyNamesDifferingInCaseComeInFoldedOrder)
{
    // Sixty names in whatever order the folder gives them: folded alike,
    // the upper-case one (46 "F") comes before the lower-case one (66 "f").
    ProgramFolder pf;
    std::vector<std::string> expected;
    for (int i = 0; i < 30; ++i) {
        const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
        for (const char* first : {"F", "f"}) {
            WriteBytes(pf.back / (first + number + ".txt"), "");
            expected.push_back(first + number + ".txt");
        }
    }
    SavedFileList list(pf.dir.path());
    ASSERT_TRUE(list.refresh());
    EXPECT_EQ(FolderNames(list), expected);
    for (const SavedFile& f : list.entries()) EXPECT_EQ(f.diskName.native(), f.name);

    // Again with every other pair gone: the list is as if read the first time.
    for (int i = 0; i < 30; i += 2) {
        const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
        std::filesystem::remove(pf.back / ("F" + number + ".txt"));
        std::filesystem::remove(pf.back / ("f" + number + ".txt"));
    }
    std::erase_if(expected, [](const std::string& name) { return (name[2] - '0') % 2 == 0; });
    ASSERT_TRUE(list.refresh());
    EXPECT_EQ(FolderNames(list), expected);
    for (const SavedFile& f : list.entries()) EXPECT_EQ(f.diskName.native(), f.name);
}

TEST(SavedFileListing, LongNamesSharingTheirBeginningComeInByteOrder)
{
    // All share "saved-page-000" (14 bytes); they differ in the second and
    // third group of eight bytes: "-" 2D < "." 2E < "0" 30, "1" < "2", a
    // name that begins another comes first, 98 (the lead byte of 腕) comes
    // after every ASCII letter, and "B" 42 before "b" 62 once folded alike.
    ProgramFolder pf;
    const std::vector<std::string> onDisk = {
        "Saved-page-0002.txt",   "saved-page-00010.txt",  "saved-page-0001.txt",   "saved-page-0001-\xE8\x85\x95.txt",
        "saved-page-0001-b.txt", "saved-page-0001-B.txt", "saved-page-0001-a.txt", "saved-page-0001-a"};
    for (const std::string& name : onDisk) WriteBytes(pf.back / name, "");
    SavedFileList list(pf.dir.path());
    ASSERT_TRUE(list.refresh());
    EXPECT_EQ(FolderNames(list),
              (std::vector<std::string>{"saved-page-0001-a", "saved-page-0001-a.txt", "saved-page-0001-B.txt",
                                        "saved-page-0001-b.txt", "saved-page-0001-\x98\x72.txt", "saved-page-0001.txt",
                                        "saved-page-00010.txt", "Saved-page-0002.txt"}));
}

TEST(SavedFileShow, EveryLineEndsInOneCrLf)
{
    ProgramFolder pf;
    WriteBytes(pf.back / "a.txt", "one\r\r\ntwo\r\r\n");  // a saved mail
    WriteBytes(pf.back / "b.txt", "one\ntwo");            // LF only, last line without a line end
    WriteBytes(pf.back / "c.txt", "x\ry\r\n\r\n");        // a lone CR inside a line stays
    WriteBytes(pf.back / "d.html", "");
    SavedFileList list(pf.dir.path());
    list.refresh();

    SavedFileText a = list.show(0);
    EXPECT_TRUE(a.loaded);
    EXPECT_EQ(a.text, "one\r\ntwo\r\n");
    EXPECT_EQ(list.show(1).text, "one\r\ntwo\r\n");
    EXPECT_EQ(list.show(2).text, "x\ry\r\n\r\n");
    SavedFileText d = list.show(3);
    EXPECT_TRUE(d.loaded);
    EXPECT_EQ(d.text, "");
}

TEST(SavedFileShow, UnreadableEntriesShowEmptyAndAreNotLoaded)
{
    ProgramFolder pf;
    std::filesystem::create_directory(pf.back / "folder");
    WriteBytes(pf.back / "gone.txt", "text");
    WriteBytes(pf.back / "huge.txt", "");
    std::filesystem::resize_file(pf.back / "huge.txt", kLargestTextFile + 1);
    SavedFileList list(pf.dir.path());
    list.refresh();
    ASSERT_EQ(FolderNames(list), (std::vector<std::string>{"folder", "gone.txt", "huge.txt"}));
    std::filesystem::remove(pf.back / "gone.txt");

    for (std::size_t i = 0; i < 3; ++i) {
        const SavedFileText shown = list.show(i);
        EXPECT_FALSE(shown.loaded) << i;
        EXPECT_EQ(shown.text, "") << i;
    }
}

TEST(SavedFileWriteBack, SavedMailStaysByteForByteThroughRepeatedWriteBacks)
{
    ProgramFolder pf;
    const std::string mail = "\x82\xA0\r\r\n\r\r\nend\r\r\n";  // あ, an empty line, end
    WriteBytes(pf.back / "mail.txt", mail);
    SavedFileList list(pf.dir.path());
    list.refresh();

    SavedFileText shown = list.show(0);
    ASSERT_EQ(shown.text, "\x82\xA0\r\n\r\nend\r\n");
    for (int round = 0; round < 10; ++round) {
        ASSERT_EQ(list.writeBack(0, shown.loaded, shown.text), WriteBackStatus::Written);
        EXPECT_EQ(ReadBytes(pf.back / "mail.txt"), mail) << round;
        shown = list.show(0);
    }
}

TEST(SavedFileWriteBack, WritesTheTextInTextMode)
{
    ProgramFolder pf;
    WriteBytes(pf.back / "page.html", "<b>old</b>");
    SavedFileList list(pf.dir.path());
    list.refresh();
    ASSERT_EQ(list.writeBack(0, true, "a\r\nb"), WriteBackStatus::Written);
    EXPECT_EQ(ReadBytes(pf.back / "page.html"), "a\r\r\nb");
}

TEST(SavedFileWriteBack, NeverWritesOverWhatWasNotShownOrIsGone)
{
    ProgramFolder pf;
    std::filesystem::create_directory(pf.back / "folder");
    WriteBytes(pf.back / "gone.txt", "text");
    WriteBytes(pf.back / "kept.txt", "kept");
    SavedFileList list(pf.dir.path());
    list.refresh();
    std::filesystem::remove(pf.back / "gone.txt");

    EXPECT_EQ(list.writeBack(0, list.show(0).loaded, "x"), WriteBackStatus::NotLoaded);
    EXPECT_EQ(list.writeBack(1, list.show(1).loaded, "x"), WriteBackStatus::NotLoaded);
    EXPECT_FALSE(std::filesystem::exists(pf.back / "gone.txt"));
    // Shown before it was removed: still not created anew.
    EXPECT_EQ(list.writeBack(1, true, "x"), WriteBackStatus::NotAFile);
    EXPECT_FALSE(std::filesystem::exists(pf.back / "gone.txt"));
    EXPECT_EQ(list.writeBack(0, true, "x"), WriteBackStatus::NotAFile);
    EXPECT_TRUE(std::filesystem::is_directory(pf.back / "folder"));
    EXPECT_EQ(list.writeBack(2, false, "x"), WriteBackStatus::NotLoaded);
    EXPECT_EQ(ReadBytes(pf.back / "kept.txt"), "kept");
}

TEST(SavedFileWriteBack, AFailedWriteKeepsTheOldFile)
{
    ProgramFolder pf;
    WriteBytes(pf.back / "mail.txt", "old\r\r\n");
    SavedFileList list(pf.dir.path());
    list.refresh();
    for (WriteFault fault : {WriteFault::Create, WriteFault::Write, WriteFault::Sync, WriteFault::Rename}) {
        WriteFaultGuard guard(fault);
        EXPECT_EQ(list.writeBack(0, true, "new\r\n"), WriteBackStatus::Failed);
        EXPECT_EQ(ReadBytes(pf.back / "mail.txt"), "old\r\r\n");
    }
    list.refresh();
    EXPECT_EQ(list.size(), 1u);  // no half-written file left beside it
}

TEST(SavedFileWriteBack, ALinkedEntryIsWrittenThroughAndStaysALink)
{
    ProgramFolder pf;
    WriteBytes(pf.dir / "real.txt", "old");
    std::filesystem::create_symlink(pf.dir / "real.txt", pf.back / "link.txt");
    SavedFileList list(pf.dir.path());
    list.refresh();
    ASSERT_EQ(list.writeBack(0, true, "new"), WriteBackStatus::Written);
    EXPECT_TRUE(std::filesystem::is_symlink(pf.back / "link.txt"));
    EXPECT_EQ(ReadBytes(pf.dir / "real.txt"), "new");
}

TEST(SavedFileDelete, RemovesFilesAndRefusesFolders)
{
    ProgramFolder pf;
    WriteBytes(pf.back / "1.txt", "x");
    std::filesystem::create_directory(pf.back / "sub");
    WriteBytes(pf.back / "sub" / "inner.txt", "x");
    WriteBytes(pf.back / "z.txt", "x");
    SavedFileList list(pf.dir.path());
    list.refresh();
    ASSERT_EQ(FolderNames(list), (std::vector<std::string>{"1.txt", "sub", "z.txt"}));

    EXPECT_TRUE(list.remove(0));
    EXPECT_FALSE(std::filesystem::exists(pf.back / "1.txt"));
    EXPECT_FALSE(list.remove(1));
    EXPECT_TRUE(std::filesystem::exists(pf.back / "sub" / "inner.txt"));
    std::filesystem::remove(pf.back / "z.txt");
    EXPECT_FALSE(list.remove(2));  // removed outside the program meanwhile
}

TEST(SavedFileDelete, ALinkIsRemovedButNotWhatItPointsTo)
{
    ProgramFolder pf;
    WriteBytes(pf.dir / "real.txt", "keep");
    std::filesystem::create_symlink(pf.dir / "real.txt", pf.back / "link.txt");
    std::filesystem::create_directory_symlink(pf.dir.path(), pf.back / "looks-like-a-folder");
    SavedFileList list(pf.dir.path());
    list.refresh();
    ASSERT_EQ(FolderNames(list), (std::vector<std::string>{"link.txt", "looks-like-a-folder"}));
    EXPECT_TRUE(list.remove(0));
    EXPECT_EQ(ReadBytes(pf.dir / "real.txt"), "keep");
    EXPECT_FALSE(list.remove(1));
}

// What may go to the trash is what may be deleted: the page asks first.
TEST(SavedFileDelete, RemovableIsAFileOrALinkNotLeadingToAFolder)
{
    ProgramFolder pf;
    WriteBytes(pf.back / "a.txt", "x");
    std::filesystem::create_directory(pf.back / "b");
    std::filesystem::create_symlink(pf.back / "a.txt", pf.back / "c.txt");
    std::filesystem::create_directory_symlink(pf.back / "b", pf.back / "d");
    WriteBytes(pf.back / "e.txt", "x");
    SavedFileList list(pf.dir.path());
    list.refresh();
    ASSERT_EQ(FolderNames(list), (std::vector<std::string>{"a.txt", "b", "c.txt", "d", "e.txt"}));
    EXPECT_TRUE(list.removable(0));
    EXPECT_FALSE(list.removable(1));
    EXPECT_TRUE(list.removable(2));
    EXPECT_FALSE(list.removable(3));
    std::filesystem::remove(pf.back / "e.txt");
    EXPECT_FALSE(list.removable(4));                          // gone meanwhile
    EXPECT_TRUE(std::filesystem::exists(pf.back / "a.txt"));  // asking removes nothing
}

TEST(SavedFileNames, NamesShiftJisCannotShowAreStillHandledAsThemselves)
{
    ProgramFolder pf;
    const std::string heart = "\xE2\x99\xA5.txt";  // ♥.txt
    const std::string raw = "\xFF\xFE.txt";        // not UTF-8 at all
    WriteBytes(pf.back / heart, "heart\r\r\n");
    WriteBytes(pf.back / raw, "raw\n");
    SavedFileList list(pf.dir.path());
    list.refresh();
    // Both show as "?" names; the tie is broken by the names on disk.
    ASSERT_EQ(FolderNames(list), (std::vector<std::string>{"?.txt", "??.txt"}));
    EXPECT_EQ(list.entries()[0].diskName.native(), heart);
    EXPECT_EQ(list.entries()[1].diskName.native(), raw);

    EXPECT_EQ(list.show(0).text, "heart\r\n");
    EXPECT_EQ(list.show(1).text, "raw\r\n");
    ASSERT_EQ(list.writeBack(0, true, "new\r\n"), WriteBackStatus::Written);
    ASSERT_EQ(list.writeBack(1, true, "new raw\r\n"), WriteBackStatus::Written);
    EXPECT_EQ(ReadBytes(pf.back / heart), "new\r\r\n");
    EXPECT_EQ(ReadBytes(pf.back / raw), "new raw\r\r\n");
    EXPECT_TRUE(list.remove(0));
    EXPECT_TRUE(list.remove(1));
    EXPECT_TRUE(std::filesystem::is_empty(pf.back));
}

TEST(SavedFilePageTexts, TextsConvertExactly)
{
    const SavedFileMessages& m = FileMessages();
    EXPECT_EQ(m.noFileToDelete,
              "\x8D\xED\x8F\x9C\x82\xB7\x82\xE9\x83\x74\x83\x40\x83\x43\x83\x8B"
              "\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x49");
    EXPECT_EQ(Utf8FromSjis(m.deleteFailed), "ファイルの削除に失敗しました。");
    EXPECT_EQ(Utf8FromSjis(m.nothingSelected), "選択されている項目がありません！");
    EXPECT_EQ(Utf8FromSjis(m.tooLarge), "ファイルのサイズが大きすぎます！");
    for (const std::string* s : {&m.notLoaded, &m.notAFile, &m.writeFailed}) {
        EXPECT_FALSE(s->empty());
        EXPECT_TRUE(IsValidSjis(*s));
    }
}

// The file page hands a shown text to the mail program with no recipient;
// the limit is judged on "mailto:?body=" and the body with CR LF as "%0a%0d".
TEST(SavedFileMailer, LimitTextHasNoRecipient)
{
    EXPECT_EQ(MailtoLimitText("", "a\r\nb\r\n"), "mailto:?body=a%0a%0db%0a%0d");
    // 13 + 2980 + 6 = 2999 bytes: handed over.
    const std::string body = std::string(2980, 'a') + "\r\n";
    EXPECT_EQ(MailtoLimitText("", body).size(), 2999u);
    EXPECT_FALSE(MailtoTooLong("", body));
    // One byte more: 3000, too large.
    EXPECT_TRUE(MailtoTooLong("", "a" + body));
}

// Without a desktop trash a deleted entry goes to back/.deleted/, which the
// list leaves out and from which it comes back; nothing is made beside back/.
TEST(SavedFileDeleted, ADeletedFileIsKeptAndPutBack)
{
    ProgramFolder pf;
    WriteBytes(pf.back / "a.html", "first");
    WriteBytes(pf.back / "b.txt", "mail");
    SavedFileList list(pf.dir.path());
    ASSERT_TRUE(list.refresh());
    EXPECT_TRUE(list.deletedEntries().empty());
    EXPECT_FALSE(std::filesystem::exists(pf.back / ".deleted"));

    EXPECT_EQ(list.moveToDeleted(0), std::filesystem::path("a.html"));
    EXPECT_EQ(ReadBytes(pf.back / ".deleted/a.html"), "first");
    ASSERT_TRUE(list.refresh());
    EXPECT_EQ(FolderNames(list), std::vector<std::string>{"b.txt"});

    // A second "a.html" deleted later keeps the first.
    WriteBytes(pf.back / "a.html", "second");
    ASSERT_TRUE(list.refresh());
    EXPECT_EQ(list.moveToDeleted(0), std::filesystem::path("a (2).html"));
    EXPECT_EQ(ReadBytes(pf.back / ".deleted/a.html"), "first");
    EXPECT_EQ(ReadBytes(pf.back / ".deleted/a (2).html"), "second");
    std::vector<std::string> deleted;
    for (const SavedFile& f : list.deletedEntries()) deleted.push_back(f.name);
    EXPECT_EQ(deleted, (std::vector<std::string>{"a (2).html", "a.html"}));

    EXPECT_EQ(list.restoreDeleted("a.html"), RestoreStatus::Restored);
    EXPECT_EQ(ReadBytes(pf.back / "a.html"), "first");
    WriteBytes(pf.back / "a (2).html", "taken");
    EXPECT_EQ(list.restoreDeleted("a (2).html"), RestoreStatus::NameTaken);
    EXPECT_EQ(ReadBytes(pf.back / "a (2).html"), "taken");
    EXPECT_EQ(list.restoreDeleted("gone.txt"), RestoreStatus::Failed);

    std::vector<std::string> top;
    for (const auto& e : std::filesystem::directory_iterator(pf.dir.path())) top.push_back(e.path().filename());
    EXPECT_EQ(top, std::vector<std::string>{"back"});
}

TEST(SavedFileDeleted, AFolderIsNeverMoved)
{
    ProgramFolder pf;
    std::filesystem::create_directory(pf.back / "sub");
    SavedFileList list(pf.dir.path());
    ASSERT_TRUE(list.refresh());
    EXPECT_TRUE(list.moveToDeleted(0).empty());
    EXPECT_TRUE(std::filesystem::is_directory(pf.back / "sub"));
    EXPECT_EQ(MovedToDeletedMessage("a.html", "a (2).html"),
              Sjis("デスクトップのごみ箱が使えないため、「a.html」を back/.deleted/a (2).html に移しました。"
                   "「削除したファイル」から戻せます。"));
}
