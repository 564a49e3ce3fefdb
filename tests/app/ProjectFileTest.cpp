#include <gtest/gtest.h>

#include <algorithm>

#include "app/ProjectFile.h"
#include "support/core/SampleProject.h"
#include "text/Encoding.h"
#include "text/Lines.h"

using namespace torepal;

namespace {

// The form as it is right after the first start: nothing ticked or typed,
// first entries selected, 中央 and リンクしない on.
ProjectRecord DefaultForm()
{
    return ProjectRecord{};
}

// The account part of a file whose six rows are all empty.
std::string EmptyAccountPart()
{
    std::string s;
    for (int k = 1; k <= 6; ++k) s += "\r\n[BK" + std::to_string(k) + "]\r\n\r\n\r\n\r\n\r\n0\r\n";
    return s;
}

const std::string kDefaultText =
    "[TM1]\r\n"
    "-1-\r\n\r\n"
    "-1-\r\n\r\n"
    "-1-\r\n\r\n"
    "\r\n"
    "[TM2]\r\n"
    ",0,0,0,0,0,0,0,0\r\n"
    "\r\n"
    "[TM3]\r\n"
    ",0,0,0,0,0,0,0,0\r\n"
    "\r\n"
    "[TM4]\r\n"
    ",0,0,0,0,1,0,1,0\r\n"
    "\r\n"
    "[TM5]\r\n"
    "\r\n\r\n\r\n\r\n\r\n\r\n"  // Title .. yahooId; mytext has no line end
    "\r\n\r\n"
    "[MP1]\r\n"
    "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    "\r\n"
    "[MP2]\r\n"
    ",0,0,0,0,0,0\r\n" +
    EmptyAccountPart();

// The sample project with the file's hard cases for texts (a title ending
// in ソ, whose second byte is 5C; a description ending in a line break; an
// empty line inside the 注意事項 text) and ticks and selections that differ
// box by box, so one written to the wrong place shows.
ProjectRecord FilledForm()
{
    ProjectRecord r = test::SampleProject();
    r.Title = Sjis("腕時計 ソ");
    r.Items = Sjis("状態：良好\r\n箱あり\r\n");
    r.Others = "x\r\n\r\ny";
    r.flags = PlateFlags{};
    r.flags.payment.accounts = {true, false, true, false, true, true};
    r.flags.payment.stamps = true;
    r.flags.carriers.sagawa = true;
    r.flags.carriers.expack = true;
    r.flags.center = false;
    r.flags.left = true;
    r.flags.linkOff = false;
    r.flags.linkOn = true;
    r.selections = ProjectSelections{28, 9, 46, 4};
    r.useAccount = {false, true, false, false, false, true};
    return r;
}

ProjectRecord Parsed(std::string_view bytes)
{
    std::string message;
    auto r = ParseProjectText(bytes, &message);
    EXPECT_TRUE(r.has_value()) << Utf8FromSjis(message);
    return r.value_or(ProjectRecord{});
}

void ExpectSameRecord(const ProjectRecord& a, const ProjectRecord& b)
{
    // Equal records write equal texts, byte for byte.
    EXPECT_EQ(BuildProjectText(a), BuildProjectText(b));
    EXPECT_EQ(a.Items, b.Items);
    EXPECT_EQ(a.trans, b.trans);
    EXPECT_EQ(a.Others, b.Others);
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string WithLf(std::string crlf)
{
    std::string out;
    for (char c : crlf)
        if (c != '\r') out.push_back(c);
    return out;
}

}  // namespace

TEST(ProjectText, AllDefaultFormIsLaidOutLineByLine)
{
    EXPECT_EQ(BuildProjectText(DefaultForm()), kDefaultText);
}

TEST(ProjectText, AllDefaultFormReadsBackAsDefault)
{
    const ProjectRecord r = Parsed(kDefaultText);
    EXPECT_EQ(r.Items, "");
    EXPECT_EQ(r.trans, "");
    EXPECT_EQ(r.Others, "");
    EXPECT_EQ(r.selections.weight, 0);
    EXPECT_EQ(r.selections.type, 0);
    EXPECT_TRUE(r.flags.center);
    EXPECT_FALSE(r.flags.left);
    EXPECT_TRUE(r.flags.linkOff);
    EXPECT_FALSE(r.flags.linkOn);
    EXPECT_FALSE(r.flags.payment.accounts[0]);
    EXPECT_FALSE(r.flags.carriers.yamato);
    EXPECT_EQ(r.accounts[5].kind, 0);
}

TEST(ProjectText, EmptyItemsIsCountOneAndOneEmptyLine)
{
    ProjectRecord r;
    r.trans = "t";
    const std::string text = BuildProjectText(r);
    EXPECT_TRUE(StartsWith(text, "[TM1]\r\n-1-\r\n\r\n-1-\r\nt\r\n-1-\r\n\r\n\r\n[TM2]"));
    EXPECT_EQ(Parsed(text).Items, "");
    EXPECT_EQ(Parsed(text).trans, "t");
}

TEST(ProjectText, TwoLineItemsIsCountTwoAndItsTwoLines)
{
    ProjectRecord r;
    r.Items = "a\r\nb";
    const std::string text = BuildProjectText(r);
    EXPECT_TRUE(StartsWith(text, "[TM1]\r\n-2-\r\na\r\nb\r\n-1-\r\n\r\n"));
    EXPECT_EQ(Parsed(text).Items, "a\r\nb");
}

TEST(ProjectText, ValueEndingInLineBreakKeepsIt)
{
    ProjectRecord r;
    r.Others = "a\r\n";
    const std::string text = BuildProjectText(r);
    EXPECT_NE(text.find("-2-\r\na\r\n\r\n\r\n[TM2]"), std::string::npos);
    EXPECT_EQ(Parsed(text).Others, "a\r\n");
}

TEST(ProjectText, NoSelectionIsMinusOneAndLastPrefectureIsFortySix)
{
    ProjectRecord r;
    r.selections = ProjectSelections{-1, 9, 46, -1};
    const std::string text = BuildProjectText(r);
    EXPECT_NE(text.find("[TM4]\r\n,-1,9,46,-1,1,0,1,0\r\n"), std::string::npos);
    const ProjectRecord back = Parsed(text);
    EXPECT_EQ(back.selections.weight, -1);
    EXPECT_EQ(back.selections.size, 9);
    EXPECT_EQ(back.selections.origin, 46);
    EXPECT_EQ(back.selections.type, -1);
}

TEST(ProjectText, TicksAndRadiosStandInLayoutOrder)
{
    const std::string text = BuildProjectText(FilledForm());
    // the four bank boxes, ぱるる, 振替口座, Yahoo!かんたん決算, 切手
    EXPECT_NE(text.find("[TM2]\r\n,1,0,1,0,1,1,0,1\r\n"), std::string::npos);
    // クロネコヤマト, 佐川急便, ゆうパック, Yahoo！ゆうパック, 定形外郵便, 冊子小包,
    // クロネコメール便, EXPACK500
    EXPECT_NE(text.find("[TM3]\r\n,0,1,0,0,0,0,0,1\r\n"), std::string::npos);
    EXPECT_NE(text.find("[TM4]\r\n,28,9,46,4,0,1,0,1\r\n"), std::string::npos);
    EXPECT_NE(text.find("[MP2]\r\n,0,1,0,0,0,1\r\n"), std::string::npos);
}

TEST(ProjectText, PlateValuesEndWithoutLineEndBeforeTheMailPart)
{
    const ProjectRecord r = FilledForm();
    const std::string text = BuildProjectText(r);
    const std::string tm5 =
        "[TM5]\r\n" + r.Title + "\r\n" + r.TOthers + "\r\n#336699\r\n#eef4ff\r\n#222222\r\nseller_01\r\n" + r.mytext +
        "\r\n\r\n[MP1]\r\n" + r.myname + "\r\n100-0001\r\n03-1234-5678\r\n" + r.post +
        "\r\n03-1234-5678\r\n090-1234-5678\r\n" + r.item +
        "\r\nbuyer_01\r\n3000\r\nbuyer_01@example.jp\r\n1234-5678-9012\r\n" + r.transmen + "\r\n800\r\n\r\n[MP2]\r\n";
    EXPECT_NE(text.find(tm5), std::string::npos);
}

TEST(ProjectText, SixthAccountKeepsAllFiveValuesWithHolderBeforeNumber)
{
    ProjectRecord r;
    r.accounts[5] = BankAccount{"", Sjis("記号"), "12345678", Sjis("名義人"), 0};
    r.accounts[1] = BankAccount{Sjis("みずほ"), Sjis("本店"), "7654321", Sjis("山田"), 1};
    const std::string text = BuildProjectText(r);
    EXPECT_NE(text.find("[BK6]\r\n\r\n" + Sjis("記号") + "\r\n" + Sjis("名義人") + "\r\n12345678\r\n0\r\n"),
              std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 3), "0\r\n");  // ends with the last kind's line end
    EXPECT_NE(text.find("[BK2]\r\n" + Sjis("みずほ") + "\r\n" + Sjis("本店") + "\r\n" + Sjis("山田") +
                        "\r\n7654321\r\n1\r\n"),
              std::string::npos);

    const ProjectRecord back = Parsed(text);
    EXPECT_EQ(back.accounts[5], r.accounts[5]);
    EXPECT_EQ(back.accounts[1], r.accounts[1]);
    EXPECT_EQ(back.accounts[1].holder, Sjis("山田"));
    EXPECT_EQ(back.accounts[1].number, "7654321");
}

TEST(ProjectText, AccountKindOtherThanZeroOrOneSurvives)
{
    ProjectRecord r;
    r.accounts[0].kind = -1;  // the editor's combo without selection
    EXPECT_EQ(Parsed(BuildProjectText(r)).accounts[0].kind, -1);
}

TEST(ProjectText, OneLineValuesLoseTheirLineBreaks)
{
    ProjectRecord r;
    r.mytext = "a\r\nb";
    r.tel = "03\r\n1234";  // the telephone edit is a multi-line edit
    r.accounts[2].holder = "h\nx";
    const std::string text = BuildProjectText(r);
    const ProjectRecord back = Parsed(text);
    EXPECT_EQ(back.mytext, "ab");
    EXPECT_EQ(back.tel, "031234");
    EXPECT_EQ(back.zip, "");
    EXPECT_EQ(back.post, "");
    EXPECT_EQ(back.accounts[2].holder, "hx");
}

TEST(ProjectFileOnDisk, TextModeStoresCrCrLfAndEveryLineEndReadsAlike)
{
    const ProjectRecord r = FilledForm();
    const std::string text = BuildProjectText(r);
    const std::string disk = ToTextMode(text);
    EXPECT_TRUE(StartsWith(disk, "[TM1]\r\r\n-3-\r\r\n"));
    EXPECT_EQ(disk.size(), text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));

    ExpectSameRecord(Parsed(disk), r);
    ExpectSameRecord(Parsed(text), r);          // CR LF only
    ExpectSameRecord(Parsed(WithLf(text)), r);  // LF only
}

TEST(ProjectFileOnDisk, SaveOpenSaveGivesTheSameBytes)
{
    const std::string first = ToTextMode(BuildProjectText(FilledForm()));
    const std::string second = ToTextMode(BuildProjectText(Parsed(first)));
    EXPECT_EQ(first, second);
    const std::string defaults = ToTextMode(kDefaultText);
    EXPECT_EQ(ToTextMode(BuildProjectText(Parsed(defaults))), defaults);
}

TEST(ProjectFileOnDisk, LastLineWithoutLineEndIsRead)
{
    std::string text = BuildProjectText(FilledForm());
    text.resize(text.size() - 2);  // no line end after the last kind
    // the sample 振替口座 row, its kind 0 as the missing line reads
    EXPECT_EQ(Parsed(text).accounts[5], (BankAccount{"", "00120-3", "456789", Sjis("ヤマダ　ハナコ"), 0}));
}

TEST(ProjectMarkers, SellerTextBeginningWithAMarkerDoesNotMoveSections)
{
    ProjectRecord r = FilledForm();
    r.Items = "[TM2],1,1\r\n[BK1]\r\n-3-\r\n[TM1]";
    r.trans = "[TM3]";
    r.Others = "[MP1]\r\n[TM5]";
    r.Title = "[TM4],9,9";
    r.mytext = "[MP1]";
    r.myname = "[MP2]";
    r.ftrans = "[BK1]";
    r.accounts[0].bankName = "[BK2]";
    r.accounts[4].holder = "[BK6]";
    r.accounts[5].branch = "[BK6]";
    const std::string disk = ToTextMode(BuildProjectText(r));
    const ProjectRecord back = Parsed(disk);
    EXPECT_EQ(back.Items, r.Items);
    EXPECT_EQ(back.trans, "[TM3]");
    EXPECT_EQ(back.Others, r.Others);
    EXPECT_EQ(back.Title, "[TM4],9,9");
    EXPECT_EQ(back.mytext, "[MP1]");
    EXPECT_EQ(back.myname, "[MP2]");
    EXPECT_EQ(back.ftrans, "[BK1]");
    EXPECT_EQ(back.accounts[0].bankName, "[BK2]");
    EXPECT_EQ(back.accounts[4].holder, "[BK6]");
    EXPECT_EQ(back.accounts[5].branch, "[BK6]");
    EXPECT_EQ(back.selections.origin, 46);
    EXPECT_TRUE(back.flags.linkOn);
    ExpectSameRecord(back, r);
}

TEST(ProjectMarkers, MoreThanNinetyNineLinesComeBackWhole)
{
    ProjectRecord r;
    for (int i = 0; i < 150; ++i) r.Items += (i ? "\r\n" : "") + std::to_string(i);
    r.trans = "after";
    const std::string text = BuildProjectText(r);
    EXPECT_TRUE(StartsWith(text, "[TM1]\r\n-150-\r\n0\r\n1\r\n"));
    const ProjectRecord back = Parsed(ToTextMode(text));
    EXPECT_EQ(back.Items, r.Items);
    EXPECT_EQ(back.trans, "after");
}

TEST(ProjectMarkers, ALaterOccurrenceOfAMarkerCounts)
{
    std::string text = kDefaultText;
    const std::string tm3 = "[TM3]\r\n";
    text.insert(text.find(tm3), "[TM2]\r\n,1,1,1,1,1,1,1,1\r\n\r\n");
    const ProjectRecord r = Parsed(text);
    EXPECT_TRUE(r.flags.payment.accounts[0]);
    EXPECT_TRUE(r.flags.payment.stamps);
}

TEST(ProjectMarkers, LinesBeforeTheFirstMarkerAndBetweenSectionsAreIgnored)
{
    std::string text = "garbage\r\n" + kDefaultText;
    text.insert(text.find("-1-"), "not a count\r\n-x-\r\n");
    text.insert(text.find("[TM3]"), "junk,1,1\r\n");  // extra commas after the eight used
    const ProjectRecord r = Parsed(text);
    EXPECT_EQ(r.Items, "");
    EXPECT_FALSE(r.flags.payment.accounts[0]);
}

TEST(ProjectReaders, HandWrittenSectionsFollowTheReadingRules)
{
    std::string text = kDefaultText;
    auto replace = [&](const std::string& from, const std::string& to) {
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    // A "," that ends its line yields no value; the next line goes on.
    replace("[TM2]\r\n,0,0,0,0,0,0,0,0\r\n", "[TM2]\r\n,1,0,1,\r\n,1,1,1,0,1\r\n");
    // Two characters after each ",", a second "," not taken; trailing
    // non-digits ignored; values other than 0 and 1 count as on.
    replace("[TM4]\r\n,0,0,0,0,1,0,1,0\r\n", "[TM4]\r\n,28,5x,46,3,0,2,,1\r\n");
    // The telephone is read from line 5 of the section, over line 3.
    replace("[MP1]\r\n\r\n\r\n\r\n", "[MP1]\r\nname\r\nzip\r\nline3\r\n");
    replace("[BK1]\r\n\r\n\r\n\r\n\r\n0\r\n", "[BK1]\r\nb\r\nbr\r\nh\r\nn\r\n 1x\r\n");
    const ProjectRecord r = Parsed(text);
    EXPECT_EQ(r.flags.payment.accounts, (AccountTicks{true, false, true, true, true, true}));
    EXPECT_FALSE(r.flags.payment.yahooEasy);
    EXPECT_TRUE(r.flags.payment.stamps);
    EXPECT_EQ(r.selections.weight, 28);
    EXPECT_EQ(r.selections.size, 5);
    EXPECT_EQ(r.selections.origin, 46);
    EXPECT_EQ(r.selections.type, 3);
    EXPECT_FALSE(r.flags.center);
    EXPECT_TRUE(r.flags.left);
    // ",,1": after the first "," stand "," and "1", read as 0; the second
    // "," gives 1.
    EXPECT_FALSE(r.flags.linkOff);
    EXPECT_TRUE(r.flags.linkOn);
    EXPECT_EQ(r.myname, "name");
    EXPECT_EQ(r.zip, "zip");
    EXPECT_EQ(r.tel, "");
    EXPECT_EQ(r.accounts[0], (BankAccount{"b", "br", "n", "h", 1}));
}

TEST(ProjectReaders, MissingBodyLinesReadAsEmpty)
{
    std::string text = BuildProjectText(FilledForm());
    text.resize(text.find("[BK6]") + 7);
    text += Sjis("郵便") + "\r\n";
    const ProjectRecord r = Parsed(text);
    EXPECT_EQ(r.accounts[5], (BankAccount{Sjis("郵便"), "", "", "", 0}));
    EXPECT_EQ(r.accounts[4],
              (BankAccount{"", "10120", "12345671", Sjis("ヤマダ　ハナコ"), 0}));  // the sample ぱるる row
}

TEST(ProjectReaders, SelectionsOutsideTheListsLeaveTheComboWithoutSelection)
{
    const ProjectSelections s = ProjectSelectionsInLists(ProjectSelections{29, 10, 47, 5});
    EXPECT_EQ(s.weight, -1);
    EXPECT_EQ(s.size, -1);
    EXPECT_EQ(s.origin, -1);
    EXPECT_EQ(s.type, -1);
    const ProjectSelections t = ProjectSelectionsInLists(ProjectSelections{28, 9, 46, 4});
    EXPECT_EQ(t.weight, 28);
    EXPECT_EQ(t.type, 4);

    PlateState state;
    ProjectRecord r = FilledForm();
    r.selections.type = 7;
    ApplyProjectToPlate(r, state);
    EXPECT_EQ(state.Title, r.Title);
    EXPECT_EQ(state.Others, r.Others);
    EXPECT_EQ(state.mytext, r.mytext);
    EXPECT_EQ(state.templateType, -1);
    EXPECT_EQ(state.originIndex, 46);
    EXPECT_EQ(state.accounts, r.accounts);
}

TEST(ProjectRejected, NotAProjectFile)
{
    for (std::string_view bytes : {std::string_view(""), std::string_view("hello\r\nworld\r\n"),
                                   std::string_view("\x89PNG\r\n\x1a\n\0\0", 10)}) {
        std::string message;
        EXPECT_FALSE(ParseProjectText(bytes, &message));
        EXPECT_NE(Utf8FromSjis(message).find("トレパルファイルではありません"), std::string::npos);
        EXPECT_NE(Utf8FromSjis(ProjectNotOpenedMessage(message)).find("\nフォームは変更されていません。"),
                  std::string::npos);
    }
}

TEST(ProjectRejected, MissingMarkerIsNamed)
{
    std::string text = kDefaultText;
    text.replace(text.find("[MP2]"), 5, "[MPX]");
    std::string message;
    EXPECT_FALSE(ParseProjectText(text, &message));
    EXPECT_NE(Utf8FromSjis(message).find("「[MP2]」"), std::string::npos);

    std::string noFirst = kDefaultText;
    noFirst.replace(0, 5, "[TMX]");
    EXPECT_FALSE(ParseProjectText(noFirst, &message));
    EXPECT_NE(Utf8FromSjis(message).find("「[TM1]」"), std::string::npos);
}

TEST(ProjectRejected, MarkersOutOfOrder)
{
    std::string text = kDefaultText;
    const auto tm2 = text.find("[TM2]");
    const auto tm3 = text.find("[TM3]");
    text.replace(tm2, 5, "[TM3]");
    text.replace(tm3, 5, "[TM2]");
    EXPECT_FALSE(ParseProjectText(text));
}

TEST(ProjectRejected, FileEndingInsideACountedValue)
{
    std::string message;
    EXPECT_FALSE(ParseProjectText("[TM1]\r\n-5-\r\na\r\nb\r\n", &message));
    EXPECT_NE(Utf8FromSjis(message).find("途中で終わっています"), std::string::npos);

    // A count that swallows the following markers leaves them missing.
    std::string text = kDefaultText;
    text.replace(text.find("-1-"), 3, "-40-");
    EXPECT_FALSE(ParseProjectText(text));
}

TEST(ProjectRejected, TruncatedFile)
{
    const std::string text = BuildProjectText(FilledForm());
    const std::string cut = text.substr(0, text.find("[BK3]") + 2);
    std::string message;
    EXPECT_FALSE(ParseProjectText(cut, &message));
    EXPECT_NE(Utf8FromSjis(message).find("「[BK3]」"), std::string::npos);
}

TEST(ProjectDialog, OneFilterEntryAndDefaultSuffix)
{
    const FileDialogRequest r = ProjectFileDialog();
    EXPECT_EQ(r.filterLabel, Sjis("トレパルファイル(*.tpf)"));
    EXPECT_EQ(r.pattern, "*.tpf");
    EXPECT_EQ(r.defaultSuffix, "tpf");
}

// The thickness of the current services stands in a section of its own
// after everything else, written only when chosen.
TEST(ProjectText, ThicknessIsASectionOfItsOwnOnlyWhenChosen)
{
    ProjectRecord r = DefaultForm();
    r.thickness = 0;
    EXPECT_EQ(BuildProjectText(r), kDefaultText);
    r.thickness = 2;  // ～2cm
    const std::string text = BuildProjectText(r);
    EXPECT_EQ(text, kDefaultText + std::string("\r\n[TH1]\r\n2\r\n"));
    EXPECT_EQ(Parsed(text).thickness, 2);
    EXPECT_EQ(Parsed(kDefaultText).thickness, 0);
    // A position beyond the list reads as none chosen.
    EXPECT_EQ(Parsed(kDefaultText + std::string("\r\n[TH1]\r\n9\r\n")).thickness, 0);
}
