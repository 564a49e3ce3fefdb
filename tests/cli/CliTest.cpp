// torepal-cli as a script runs it: its output bytes and its exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/ProjectFile.h"
#include "plate/RenderPage.h"
#include "support/core/CliRunner.h"
#include "support/core/SampleMail.h"
#include "support/core/SampleProject.h"
#include "support/core/TempFolder.h"
#include "text/Encoding.h"
#include "text/Files.h"
#include "text/Lines.h"

using namespace torepal;
using namespace torepal::test;
using torepal::test::CliResult;

namespace {

class Cli : public ::testing::Test {
protected:
    CliResult run(const std::vector<std::string>& args, const std::vector<std::string>& locale = {"LC_ALL=C.UTF-8"})
    {
        return test::RunCli(TOREPAL_CLI, args, dir_, locale);
    }

    std::string write(const std::string& name, const std::string& bytes)
    {
        const std::filesystem::path p = dir_ / name;
        EXPECT_EQ(WriteFileAtomically(p, bytes), WriteStatus::Ok);
        return p.string();
    }

    // A project as "保存（&S）" stores it: text mode, CR CR LF.
    std::string project(const ProjectRecord& r, const std::string& name = "p.tpf")
    {
        return write(name, ToTextMode(BuildProjectText(r)));
    }

    TempFolder folder_;
    std::filesystem::path dir_ = folder_.path();
};

// The sample project as タイプ４ on the left, ～100g and 80size from 東京都,
// with only bank 3 (りそな銀行), 切手 and クロネコヤマト ticked.
ProjectRecord Listing()
{
    ProjectRecord r = SampleProject();
    r.flags.payment = PaymentTicks{};
    r.flags.payment.accounts[2] = true;
    r.flags.payment.stamps = true;
    r.flags.carriers = CarrierTicks{};
    r.flags.carriers.yamato = true;
    r.flags.center = false;
    r.flags.left = true;
    r.selections = ProjectSelections{3, 2, 12, 3};
    return r;
}

std::size_t Lines(const std::string& s)
{
    return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
}

}  // namespace

TEST_F(Cli, HelpGoesToStandardOutput)
{
    const CliResult r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("torepal-cli render FILE.tpf"), std::string::npos);
    EXPECT_NE(r.out.find("torepal-cli mail FILE.tpf TEMPLATE.txt"), std::string::npos);
    // In Japanese, in the terminal's UTF-8; without a locale (C) too.
    EXPECT_TRUE(r.out.starts_with("使い方:\n")) << r.out;
    EXPECT_NE(r.out.find("終了コード: 0 完了、1 引数の誤り"), std::string::npos);
    EXPECT_EQ(run({"--help"}, {"LC_ALL=C"}).out, r.out);
    EXPECT_EQ(run({"-h"}, {"LANG=C.UTF-8"}).out, r.out);
}

TEST_F(Cli, MessagesAreJapaneseInTheTerminalsSet)
{
    const CliResult none = run({});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.starts_with("torepal-cli: コマンドがありません。\n使い方:\n")) << none.err;
    EXPECT_TRUE(run({"print"}).err.starts_with("torepal-cli: そのコマンドはありません。\n"));
    const CliResult folder = run({"tariffs", (dir_ / "none").string()});
    EXPECT_EQ(folder.status, 2);
    EXPECT_EQ(folder.err, "torepal-cli: " + (dir_ / "none").string() + ": そのフォルダはありません。\n");
    // The project reader's own message, Shift-JIS inside, reads as UTF-8.
    const CliResult missing = run({"check", (dir_ / "missing.tpf").string()});
    EXPECT_TRUE(missing.err.starts_with("torepal-cli: " + (dir_ / "missing.tpf").string() + ": "));
    EXPECT_EQ(missing.err, Utf8FromSjis(Sjis(missing.err)));
    // --readable belongs to render and mail.
    EXPECT_EQ(run({"check", project(ProjectRecord{}), "--readable"}).status, 1);
}

TEST_F(Cli, WrongArgumentsExitWithOne)
{
    const std::string tpf = project(ProjectRecord{});
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"render"}, {"render", tpf, tpf}, {"mail", tpf}, {"mail", tpf, tpf, tpf}, {"print", tpf}}) {
        const CliResult r = run(args);
        EXPECT_EQ(r.status, 1) << args.size();
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
}

TEST_F(Cli, UnreadableOrMalformedFilesExitWithTwoAndOneLine)
{
    std::string text = BuildProjectText(Listing());
    const std::string truncated = write("cut.tpf", text.substr(0, text.find("[MP1]")));
    const std::string notProject = write("notes.tpf", "hello\r\n");
    std::filesystem::create_directory(dir_ / "folder.tpf");
    const std::string good = project(Listing());
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"render", (dir_ / "missing.tpf").string()},
                                               {"render", (dir_ / "folder.tpf").string()},
                                               {"render", truncated},
                                               {"render", notProject},
                                               {"mail", truncated, notProject},
                                               {"mail", good, (dir_ / "missing.txt").string()}}) {
        const CliResult r = run(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(Lines(r.err), 1u) << r.err;
    }
    EXPECT_NE(run({"render", truncated}).err.find("「[MP1]」"), std::string::npos);
}

TEST_F(Cli, RenderWritesThePageOfTheOpenedProject)
{
    const ProjectRecord record = Listing();
    const CliResult r = run({"render", project(record)});
    ASSERT_EQ(r.status, 0) << r.err;

    // The same core renders what the plate page holds after opening.
    PlateState state;
    ApplyProjectToPlate(record, state);
    RenderPage(state, record.flags);
    EXPECT_EQ(r.out, ToTextMode(state.page));

    // タイプ４ on the left, the project's bank name, the booth banner; no
    // line break is added at the end.
    EXPECT_EQ(r.out.rfind("<left>", 0), 0u);
    EXPECT_NE(r.out.find(Sjis("腕時計")), std::string::npos);
    EXPECT_NE(r.out.find(Sjis("ステンレス製の腕時計です。<br>動作確認済み、傷はほとんどありません。")),
              std::string::npos);
    EXPECT_NE(r.out.find(Sjis("りそな銀行")), std::string::npos);
    EXPECT_EQ(r.out.find(Sjis("みずほ銀行")), std::string::npos);
    EXPECT_NE(r.out.find("/jp/booth/seller_01>"), std::string::npos);
    EXPECT_NE(r.out.find(Sjis("<br>ほかの出品もごらんください</A>")), std::string::npos);
    EXPECT_EQ(r.out.find("<state>"), std::string::npos);
    EXPECT_EQ(r.out.find('\n'), std::string::npos);
    EXPECT_NE(r.out.back(), '\n');
}

TEST_F(Cli, RenderWithoutTemplateTypeGivesOnlyTheBanner)
{
    ProjectRecord record = Listing();
    record.selections.type = 9;  // the type combo holds five entries: nothing selected
    record.flags.linkOn = false;
    CliResult r = run({"render", project(record)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");

    record.selections.type = -1;
    record.flags.linkOn = true;
    r = run({"render", project(record, "q.tpf")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("<left><center><A HREF=", 0), 0u);
}

TEST_F(Cli, RenderReadsFilesWithAnyLineEnd)
{
    const std::string text = BuildProjectText(Listing());
    std::string lf;
    for (char c : text)
        if (c != '\r') lf.push_back(c);
    const CliResult a = run({"render", project(Listing())});
    const CliResult b = run({"render", write("crlf.tpf", text)});
    const CliResult c = run({"render", write("lf.tpf", lf)});
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(a.out, c.out);
}

TEST_F(Cli, MailFillsTheTemplateFromTheProject)
{
    ProjectRecord record;
    static_cast<MailTexts&>(record) = SampleMailForm();  // buyer_01, 3000 + 800 yen
    record.useAccount[4] = true;                         // ぱるる only
    record.accounts[4] = BankAccount{"", "B5", "N5", "H5", 0};
    record.accounts[0] = BankAccount{Sjis("銀行"), "b", "n", "h", 1};
    const std::string tpf = project(record);
    const std::string templ = write("t.txt", ToTextMode("[name] [sum] [tel]\r\n[bank]end\r\n"));

    const CliResult r = run({"mail", tpf, templ});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "buyer_01 3800 03-1234-5678\r\n\r\n" + Sjis("ぱるる\r\n記号：B5\r\n番号：N5\r\n名義：H5\r\n") +
                         "end\r\n");
}

TEST_F(Cli, MailWithATemplateWithoutPlaceholdersGivesItsLines)
{
    const std::string templ = write("plain.txt", "one\ntwo\r\n\r\nlast");
    const CliResult r = run({"mail", project(ProjectRecord{}), templ});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "one\r\ntwo\r\n\r\nlast\r\n");
}

// "check": the plate checks of the project, one per line in the terminal's
// set (UTF-8 here), exit 0 whatever they say.
TEST_F(Cli, CheckPrintsThePlateChecksOnePerLine)
{
    // Listing() ticks bank 3 (りそな銀行) and 切手; クロネコヤマト at ～100g,
    // 80size from 東京都 has a price, and its colours are valid.
    const CliResult r = run({"check", project(Listing())});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    const std::string payment = "支払い方法：「";
    const std::string since = "」は、2018年3月1日から使えません";
    EXPECT_EQ(r.out.find(payment + "りそな銀行" + since), 0u);
    EXPECT_NE(r.out.find("\n" + payment + "切手" + since), std::string::npos);
    // The built-in クロネコヤマト prints the program's old table.
    EXPECT_NE(r.out.find("\n配送業者：組み込みの「クロネコヤマト」の料金は"), std::string::npos);
    EXPECT_EQ(Lines(r.out), 3u);
    EXPECT_EQ(r.out.back(), '\n');

    // A project within the site's rules prints nothing.
    ProjectRecord clean = Listing();
    clean.flags.payment = PaymentTicks{};
    clean.flags.payment.yahooEasy = true;
    clean.flags.carriers = CarrierTicks{};
    const CliResult quiet = run({"check", project(clean, "clean.tpf")});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_TRUE(quiet.out.empty());

    // A title of 66 characters and a telephone number in full-width digits.
    ProjectRecord loud = clean;
    loud.Title = std::string(66, 'x');
    loud.Items = Sjis("電話：０９０－１２３４－５６７８");
    const CliResult two = run({"check", project(loud, "loud.tpf")});
    EXPECT_EQ(two.status, 0);
    EXPECT_EQ(Lines(two.out), 2u);
    EXPECT_EQ(two.out.find("商品タイトル：65文字を超えています（66文字）"), 0u);
    EXPECT_NE(two.out.find("商品情報：電話番号「０９０－１２３４－５６７８」"), std::string::npos);
}

// The saved bytes stay Shift-JIS whatever the terminal; --readable turns
// them into the terminal's set with LF line ends, for a person to read.
TEST_F(Cli, ReadableWritesThePageAndTheMailForReading)
{
    const std::string tpf = project(Listing());
    const CliResult saved = run({"render", tpf});
    const CliResult readable = run({"render", "--readable", tpf});
    ASSERT_EQ(readable.status, 0) << readable.err;
    EXPECT_NE(saved.out.find(Sjis("腕時計")), std::string::npos);
    EXPECT_EQ(readable.out, Utf8FromSjis(saved.out));  // the page has no line break of its own
    EXPECT_NE(readable.out.find("ステンレス製の腕時計です。<br>動作確認済み、傷はほとんどありません。"),
              std::string::npos);
    EXPECT_EQ(run({"render", tpf, "--tariffs", dir_.string(), "--readable"}).out, readable.out);

    ProjectRecord record;
    record.name = "bidder";
    const std::string templ = write("t.txt", ToTextMode(Sjis("[name] 様\r\nよろしく\r\n")));
    const CliResult mail = run({"mail", project(record, "m.tpf"), templ, "--readable"});
    ASSERT_EQ(mail.status, 0) << mail.err;
    EXPECT_EQ(mail.out, "bidder 様\nよろしく\n");
    EXPECT_EQ(run({"mail", project(record, "m.tpf"), templ}).out, Sjis("bidder 様\r\nよろしく\r\n"));
}

TEST_F(Cli, CheckOfAnUnreadableFileExitsWithTwo)
{
    const CliResult r = run({"check", (dir_ / "missing.tpf").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(Lines(r.err), 1u);
    EXPECT_EQ(run({"check"}).status, 1);
}
