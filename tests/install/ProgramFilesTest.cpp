// The files the program folder is shipped with: the sample mail templates,
// the help page and the default plate settings. They are committed in their
// final Shift-JIS form (scripts/make-program-files.sh and
// scripts/make-default-plate.sh write them), so these tests hold them to the
// readers and writers of the program itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "mail/ComposeMail.h"
#include "mail/MailChecks.h"
#include "mail/MailFiles.h"
#include "mail/Mailto.h"
#include "store/SettingsFiles.h"
#include "support/core/SampleAccounts.h"
#include "support/core/SampleMail.h"
#include "text/Encoding.h"
#include "text/Files.h"
#include "text/Sorting.h"

namespace torepal {
namespace {

namespace fs = std::filesystem;
using test::SampleAccounts;
using test::SampleMailForm;

const fs::path kProgram = fs::path(TOREPAL_SOURCE_DIR) / "program";

std::string Read(const fs::path& path)
{
    ReadResult result = ReadWholeFile(path);
    EXPECT_TRUE(result.ok()) << path;
    return result.bytes;
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

const std::vector<std::string>& Placeholders()
{
    static const std::vector<std::string> all = {
        "[myname]",   "[post]",     "[zip]",  "[tel]",    "[ktel]", "[item]", "[name]",
        "[transmen]", "[transnum]", "[fauc]", "[ftrans]", "[sum]",  "[bank]",
    };
    return all;
}

// Every "[word]" of ASCII letters in a Shift-JIS text (a "[" can never be a
// trail byte, so a plain scan over lead bytes is enough).
std::set<std::string> BracketedWords(const std::string& sjis)
{
    std::set<std::string> words;
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto byte = static_cast<unsigned char>(sjis[i]);
        if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
            ++i;
            continue;
        }
        if (sjis[i] != '[') continue;
        std::size_t end = i + 1;
        while (end < sjis.size() && std::isalpha(static_cast<unsigned char>(sjis[end]))) ++end;
        if (end < sjis.size() && sjis[end] == ']' && end > i + 1) words.insert(sjis.substr(i, end - i + 1));
    }
    return words;
}

// --- Sample mail templates --------------------------------------------------

// A new seller's list opens on the first 取引ナビ message; the older mail
// samples follow in their numbered order.
TEST(SampleTemplates, AreListedInTheirNumberedOrderWithTheFirstTradeMessageFirst)
{
    const std::vector<TemplateEntry> templates = ListTemplates(kProgram);
    std::vector<std::string> names;
    for (const TemplateEntry& entry : templates) names.push_back(Utf8FromSjis(entry.name));
    EXPECT_EQ(names, (std::vector<std::string>{"00_取引ナビ1_落札のご連絡.txt", "00_取引ナビ2_ご入金のお礼.txt",
                                               "00_取引ナビ3_発送のご連絡.txt", "00_取引ナビ4_受け取りのお礼.txt",
                                               "01_落札のお礼.txt", "02_発送のお知らせ.txt", "03_ご入金のお願い.txt",
                                               "04_受け取りのお礼.txt"}));
}

TEST(SampleTemplates, AreShiftJisWithCrLfLineEndsAndMatchTheirSources)
{
    const std::vector<TemplateEntry> templates = ListTemplates(kProgram);
    ASSERT_FALSE(templates.empty());
    for (const TemplateEntry& entry : templates) {
        SCOPED_TRACE(entry.path.string());
        const std::string bytes = Read(entry.path);
        EXPECT_TRUE(IsValidSjis(bytes));
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
            }
            if (bytes[i] == '\r') {
                EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "stray CR at " << i;
            }
        }
        // Shown by the editor and composed by the mail page exactly as stored.
        EXPECT_EQ(ReadTemplate(entry.path), bytes);

        const fs::path source = kProgram / "file-src" / entry.path.filename();
        const SjisConversion converted = SjisFromUtf8(WithCrLf(Read(source)));
        EXPECT_TRUE(converted.ok()) << DescribeCharacters(converted.unmappable);
        EXPECT_EQ(converted.text, bytes) << "run scripts/make-program-files.sh";
    }
}

TEST(SampleTemplates, UseAllThirteenPlaceholdersAndNoMisspeltOnes)
{
    std::set<std::string> used;
    for (const TemplateEntry& entry : ListTemplates(kProgram)) {
        const std::set<std::string> words = BracketedWords(Read(entry.path));
        for (const std::string& word : words) {
            EXPECT_NE(std::find(Placeholders().begin(), Placeholders().end(), word), Placeholders().end())
                << word << " in " << entry.path;
        }
        used.insert(words.begin(), words.end());
    }
    for (const std::string& placeholder : Placeholders()) EXPECT_EQ(used.count(placeholder), 1u) << placeholder;
}

// A seller with two bank accounts and the post-office account: every
// placeholder is filled, and each mail still fits into the mail program's
// address (under 3000 bytes).
TEST(SampleTemplates, ComposeCompletelyAndFitTheMailProgram)
{
    // The long texts a seller may type, on top of the sample, so the mail
    // program's limit is tried with a full address and item line.
    MailState state = SampleMailForm();
    state.post = Sjis("東京都世田谷区桜丘三丁目十二番八号　サンハイツ桜丘２０３号室");
    state.item = Sjis("【美品】ヴィンテージ　手巻き腕時計　シルバー　箱・保証書付き");
    state.name = "hanako_buyer_2026";
    state.fauc = "12800";
    state.ftrans = "1100";
    state.bidderMail = "buyer.address@example.ne.jp";
    state.accounts = SampleAccounts();
    state.useAccount = {true, true, false, false, true, false};

    for (const TemplateEntry& entry : ListTemplates(kProgram)) {
        SCOPED_TRACE(entry.path.string());
        MailState mail = state;
        ComposeMail(mail, Read(entry.path));
        EXPECT_TRUE(BracketedWords(mail.body).empty());
        EXPECT_TRUE(IsValidSjis(mail.body));
        EXPECT_FALSE(MailtoTooLong(mail.bidderMail, mail.body))
            << MailtoLimitText(mail.bidderMail, mail.body).size() << " bytes";
    }
}

TEST(SampleTemplates, ThankYouMailStatesTheTotalAndTheAccounts)
{
    MailState state = SampleMailForm();  // 3000 yen and 800 yen postage
    state.accounts = SampleAccounts();   // the first: みずほ銀行 本店
    state.useAccount = {true, false, false, false, false, false};
    ComposeMail(state, Read(kProgram / "file" / "01_落札のお礼.txt"));
    const std::string body = Utf8FromSjis(state.body);
    EXPECT_NE(body.find("落札ありがとうございます"), std::string::npos);
    EXPECT_NE(body.find("お支払い合計：3800 円"), std::string::npos);
    // The account block stands between empty lines.
    EXPECT_NE(body.find("\r\n\r\n銀行名：みずほ銀行\r\n支店名：本店\r\n名義：ヤマダ　ハナコ\r\n口座番号：1234567\r\n"
                        "口座種別：普通口座\r\n\r\n"),
              std::string::npos);
}

// The 取引ナビ messages: filled from a seller's values, none leaves a
// placeholder, and none carries what a message on the site may not (an
// account, a mail or outside address) even with accounts ticked on the page.
TEST(SampleTemplates, TradeMessagesComposeCompletelyWithinTheSiteRules)
{
    MailState state = SampleMailForm();
    state.accounts = SampleAccounts();
    // No account is ticked: a transfer to one is outside the site's rules.
    state.useAccount = {false, false, false, false, false, false};

    int seen = 0;
    for (const TemplateEntry& entry : ListTemplates(kProgram)) {
        if (Utf8FromSjis(entry.name).find("取引ナビ") == std::string::npos) continue;
        SCOPED_TRACE(entry.path.string());
        ++seen;
        const std::string bytes = Read(entry.path);
        MailState mail = state;
        ComposeMail(mail, bytes);
        EXPECT_TRUE(BracketedWords(mail.body).empty());
        EXPECT_EQ(bytes.find("[bank]"), std::string::npos);
        EXPECT_EQ(bytes.find("[tel]"), std::string::npos);
        EXPECT_EQ(bytes.find("[post]"), std::string::npos);
        const std::string body = Utf8FromSjis(mail.body);
        EXPECT_EQ(body.find("みずほ銀行"), std::string::npos);
        EXPECT_EQ(body.find("@"), std::string::npos);
        EXPECT_EQ(body.find("http"), std::string::npos);
        // Only the date the seller fills in before sending is reported.
        const std::vector<CheckResult> checks = CheckMail(mail, bytes);
        if (body.find("○月○日") == std::string::npos) {
            EXPECT_TRUE(checks.empty());
        } else {
            ASSERT_EQ(checks.size(), 1u);
            EXPECT_NE(checks[0].advice.find(Sjis("「○月○日」")), std::string::npos);
        }
    }
    EXPECT_EQ(seen, 4);
}

// --- Help page -------------------------------------------------------------

TEST(HelpPage, IsShiftJisDeclaredAsSuchAndMatchesItsSource)
{
    const std::string bytes = Read(kProgram / "menu_help.html");
    EXPECT_TRUE(IsValidSjis(bytes));
    EXPECT_NE(bytes.find("<meta charset=\"Shift_JIS\">"), std::string::npos);
    const SjisConversion converted = SjisFromUtf8(Read(kProgram / "help-src" / "menu_help.html"));
    EXPECT_TRUE(converted.ok()) << DescribeCharacters(converted.unmappable);
    EXPECT_EQ(converted.text, bytes) << "run scripts/make-program-files.sh";
}

TEST(HelpPage, ExplainsTheTabsTheFilesAndTheMessages)
{
    const std::string bytes = Read(kProgram / "menu_help.html");
    for (const char* text : {"プレート作成", "メール作成", "ファイル管理", "back/", "file/", "bank.ini", "plate.ini",
                             "status.ini", "*.tpf", ".broken", "ファイルのサイズが大きすぎます！",
                             "削除するファイルがありません！", "選択されている項目がありません！"}) {
        EXPECT_NE(bytes.find(Sjis(text)), std::string::npos) << text;
    }
    for (const std::string& placeholder : Placeholders()) EXPECT_NE(bytes.find(placeholder), std::string::npos);
}

// --- Default plate settings ------------------------------------------------

CPSave DefaultPlate()
{
    CPSave plate;
    plate.TOthers = Sjis("注意事項");
    plate.color = "#336699";
    plate.bgcolor = "#eeeeee";
    plate.fcolor = "#333333";
    plate.linkOff = true;
    plate.center = true;
    plate.mytext = Sjis("ほかの出品もぜひご覧ください");
    return plate;
}

TEST(DefaultPlate, HoldsTypeOneCalmColoursCentredAndNoBanner)
{
    const std::string bytes = Read(kProgram / "plate.ini");
    // 9 u32, the 7 texts (4+1 prefixed bytes each: 注意事項 8, "", 3 colours of 7, 注意事項 8, ""),
    // 14 u32, and the booth text of 14 double-byte characters.
    EXPECT_EQ(bytes.size(), 9 * 4 + (1 + 8) + 1 + 3 * (1 + 7) + (1 + 8) + 1 + 14 * 4 + (1 + 28));
    EXPECT_EQ(bytes.substr(0, 36), std::string(36, '\0'));
    EXPECT_EQ(bytes.substr(36, 9), "\x08" + Sjis("注意事項"));
    EXPECT_EQ(bytes.substr(45, 25), std::string("\x00\x07#336699\x07#eeeeee\x07#333333", 25));

    CPSave read;
    ASSERT_TRUE(DecodePlate(bytes, read));
    const CPSave expected = DefaultPlate();
    EXPECT_EQ(read.templateType, 0);
    EXPECT_EQ(read.originIndex, 0);
    EXPECT_EQ(read.color, expected.color);
    EXPECT_EQ(read.bgcolor, expected.bgcolor);
    EXPECT_EQ(read.fcolor, expected.fcolor);
    EXPECT_EQ(read.TOthers, expected.TOthers);
    EXPECT_EQ(read.Others, "");
    EXPECT_EQ(read.yahooId, "");
    EXPECT_EQ(read.mytext, expected.mytext);
    EXPECT_TRUE(read.center);
    EXPECT_FALSE(read.left);
    EXPECT_TRUE(read.linkOff);
    EXPECT_FALSE(read.linkOn);
    EXPECT_FALSE(read.yamato || read.sagawa || read.yuPack || read.yahooYuPack || read.teikeigai || read.sasshi ||
                 read.kuronekoMail || read.expack);
    EXPECT_EQ(read.accountTicks, AccountTicks{});
    EXPECT_FALSE(read.yahooEasy || read.stamps);
}

TEST(DefaultPlate, IsExactlyWhatTheProgramWouldStore)
{
    EXPECT_EQ(EncodePlate(DefaultPlate()), Read(kProgram / "plate.ini")) << "run scripts/make-default-plate.sh";
}

}  // namespace
}  // namespace torepal
