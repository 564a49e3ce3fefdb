#include "BenchData.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "text/Encoding.h"

namespace torepal::bench {
namespace {

std::string S(std::string_view utf8)
{
    const SjisConversion c = SjisFromUtf8(utf8);
    if (!c.ok()) throw std::runtime_error("benchmark text does not fit Shift-JIS");
    return c.text;
}

// A listing description as sellers write them: kanji, kana, full-width and
// ASCII digits, symbols, one line each.
const char* const kDescriptionLines[] = {
    "ご覧いただきありがとうございます。",
    "【商品名】ステンレス製 腕時計 10気圧防水 メンズ／レディース兼用",
    "【状態】新品・未使用品です。箱と説明書が付属します。",
    "【サイズ】ケース径 約３８ｍｍ、ベルト幅 約２０ｍｍ、重さ 約９５ｇ",
    "【付属品】化粧箱、取扱説明書、保証書（メーカー保証１年）、ベルト調整用の工具",
    "※モニターの設定により、実物と色味が異なって見える場合がございます。",
    "※ノークレーム・ノーリターンでお願いいたします。神経質な方はご遠慮ください。",
    "◆お支払いは落札後３日以内、ご連絡は落札後２４時間以内にお願いします。",
    "◆発送は入金確認後、翌営業日までに行います。土日祝日は発送をお休みします。",
    "◆同梱をご希望の方は、落札後にお知らせください。送料を調整いたします。",
    "質問は出品終了の前日までにお願いします。評価の悪い方の入札はお断りします。",
};

std::string Description(std::size_t atLeast)
{
    std::string text;
    while (text.size() < atLeast)
        for (const char* line : kDescriptionLines) text += S(line) + "\r\n";
    return text;
}

std::atomic<unsigned> folderCount{0};

}  // namespace

Accounts FullAccounts()
{
    Accounts a;
    const char* const banks[4][4] = {
        {"三井住友銀行", "新宿支店", "1234567", "ヤマダ　タロウ"},
        {"みずほ銀行", "渋谷支店", "2345678", "ヤマダ　タロウ"},
        {"三菱ＵＦＪ銀行", "池袋支店", "3456789", "ヤマダ　タロウ"},
        {"楽天銀行", "第一営業支店", "4567890", "ヤマダ　タロウ"},
    };
    for (std::size_t i = 0; i < 4; ++i)
        a[i] = BankAccount{S(banks[i][0]), S(banks[i][1]), S(banks[i][2]), S(banks[i][3]), static_cast<int>(i % 2)};
    a[kParuruRow] = BankAccount{"", S("１２３４０"), S("12345671"), S("ヤマダ　タロウ"), 0};
    a[kFurikaeRow] = BankAccount{"", S("００１２０－３"), S("456789"), S("ヤマダ　タロウ"), 0};
    return a;
}

PlateState FullPlateState(int templateType)
{
    PlateState s;
    s.Title = S("【新品・未使用】ステンレス製 腕時計 10気圧防水 化粧箱付き 送料安い");
    s.Items = Description(3000);
    s.trans = S("発送は落札者様のご負担でお願いします。\r\n地域ごとの送料は下の表をご覧ください。\r\n");
    s.TOthers = S("ご注意");
    s.Others =
        S("他にも腕時計を多数出品しています。\r\nまとめて落札された方は送料をお値引きします。\r\n"
          "<a href=\"http://example.jp/\">出品中の商品一覧</a>\r\n");
    s.color = "#336699";
    s.bgcolor = "#FFFFEE";
    s.fcolor = "#333333";
    s.mytext = S("出品中の他の商品もご覧ください！");
    s.yahooId = "example_seller_01";
    s.templateType = templateType;
    s.weightIndex = 12;
    s.sizeIndex = 4;
    s.originIndex = 12;
    s.accounts = FullAccounts();
    return s;
}

PlateFlags FullPlateFlags()
{
    PlateFlags f;
    f.payment.accounts.fill(true);
    f.payment.yahooEasy = true;
    f.payment.stamps = true;
    f.carriers = CarrierTicks{true, true, true, true, true, true, true, true};
    f.center = true;
    f.left = false;
    f.linkOff = false;
    f.linkOn = true;
    return f;
}

MailState FullMailState()
{
    MailState m;
    m.myname = S("山田　太郎");
    m.post = S("東京都新宿区西新宿２－８－１　新宿ハイツ１０１号");
    m.zip = "160-0023";
    m.tel = "03-1234-5678";
    m.ktel = "090-1234-5678";
    m.item = S("【新品・未使用】ステンレス製 腕時計 10気圧防水 化粧箱付き");
    m.name = S("鈴木　花子");
    m.transmen = S("ゆうパック");
    m.transnum = "1234-5678-9012";
    m.fauc = "12800";
    m.ftrans = "1200";
    m.bidderMail = "hanako@example.jp";
    m.useAccount.fill(true);
    m.accounts = FullAccounts();
    return m;
}

std::string MailTemplate(std::size_t lines)
{
    const char* const rows[] = {
        "[name]様",
        "この度は「[item]」をご落札いただき、誠にありがとうございます。出品者の[myname]です。",
        "落札金額は[fauc]円、送料は[ftrans]円、合計[sum]円となります。",
        "お振込先は次の通りです。",
        "[bank]",
        "発送方法は[transmen]、お問い合わせ番号は[transnum]です。",
        "ご不明な点がございましたら、[tel]（携帯[ktel]）までお電話ください。",
        "〒[zip] [post]",
        "今後ともよろしくお願いいたします。",
        "",
    };
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) text += S(rows[i % std::size(rows)]) + "\r\r\n";
    return text;
}

ProjectRecord FullProjectRecord()
{
    const PlateState p = FullPlateState(0);
    const MailState m = FullMailState();
    ProjectRecord r;
    r.Title = p.Title;
    r.Items = p.Items;
    r.trans = p.trans;
    r.Others = p.Others;
    r.TOthers = p.TOthers;
    r.color = p.color;
    r.bgcolor = p.bgcolor;
    r.fcolor = p.fcolor;
    r.yahooId = p.yahooId;
    r.mytext = p.mytext;
    r.flags = FullPlateFlags();
    r.selections = ProjectSelections{p.weightIndex, p.sizeIndex, p.originIndex, p.templateType};
    r.myname = m.myname;
    r.zip = m.zip;
    r.tel = m.tel;
    r.post = m.post;
    r.ktel = m.ktel;
    r.item = m.item;
    r.name = m.name;
    r.fauc = m.fauc;
    r.bidderMail = m.bidderMail;
    r.transnum = m.transnum;
    r.transmen = m.transmen;
    r.ftrans = m.ftrans;
    r.useAccount = m.useAccount;
    r.accounts = FullAccounts();
    return r;
}

CBSave FullBankRecord()
{
    return CBSave{FullAccounts()};
}

CPSave FullPlateRecord()
{
    const PlateState p = FullPlateState(0);
    CPSave r;
    r.yamato = r.sagawa = r.yuPack = r.yahooYuPack = true;
    r.teikeigai = r.sasshi = r.kuronekoMail = r.expack = true;
    r.originIndex = p.originIndex;
    r.TOthers = p.TOthers;
    r.Others = p.Others;
    r.color = p.color;
    r.bgcolor = p.bgcolor;
    r.fcolor = p.fcolor;
    r.yahooId = p.yahooId;
    r.linkOn = true;
    r.templateType = 1;
    r.center = true;
    r.accountTicks.fill(true);
    r.yahooEasy = true;
    r.stamps = true;
    r.mytext = p.mytext;
    return r;
}

CSavemail FullStatusRecord()
{
    const MailState m = FullMailState();
    CSavemail r;
    r.post = m.post;
    r.myname = m.myname;
    r.zip = m.zip;
    r.tel = m.tel;
    r.ktel = m.ktel;
    r.accountTicks.fill(true);
    return r;
}

const std::string& ReplaceSearch()
{
    static const std::string s = S("送料");
    return s;
}

const std::string& ReplaceWith()
{
    static const std::string s = S("配送料金");
    return s;
}

std::string JapaneseText(std::size_t bytes)
{
    // "送料" is 91 97 97 BF. The last line of the block holds the
    // full-width ｑ (82 91), the kanji 97 97 and the half-width ｿ (BF): the
    // bytes 91 97 97 BF appear there starting on a trail byte, where they
    // must stay as they are.
    static const std::string lines = [] {
        std::string block;
        const char* const sending[] = {
            "送料は全国一律８００円です。北海道・沖縄・離島は別途お見積りいたします。",
            "【送料】ゆうパック６０サイズ、落札者様のご負担でお願いします。",
            "まとめて落札された方は送料をお値引きします。お気軽にどうぞ。",
            "送料込みの価格ではありません。送料とお振込手数料はご負担ください。",
        };
        for (const char* line : kDescriptionLines) block += S(line) + "\r\n";
        for (const char* line : sending) block += S(line) + "\r\n";
        block += S("型番ABC-123") + "\x82\x91\x97\x97\xBF" + S("（在庫限り）") + "\r\n";
        return block;
    }();
    std::string text;
    text.reserve(bytes + lines.size());
    while (text.size() < bytes) text += lines;
    text.resize(bytes);
    return text;
}

TempFolder::TempFolder(const std::string& label)
{
    path_ = std::filesystem::temp_directory_path() /
            ("torepal-bench-" + label + "-" + std::to_string(::getpid()) + "-" + std::to_string(folderCount++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void LayOutProgramFolder(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    const fs::path source = fs::path(TOREPAL_SOURCE_DIR) / "program";
    fs::create_directories(folder / "back");
    fs::create_directories(folder / "file");
    for (const fs::directory_entry& e : fs::directory_iterator(source / "file"))
        if (e.is_regular_file())
            fs::copy_file(e.path(), folder / "file" / e.path().filename(), fs::copy_options::overwrite_existing);
    fs::copy_file(source / "plate.ini", folder / "plate.ini", fs::copy_options::overwrite_existing);
    fs::copy_file(source / "menu_help.html", folder / "menu_help.html", fs::copy_options::overwrite_existing);
}

void LayOutTariffFolder(const std::filesystem::path& folder)
{
    // The services the program ships with, as a seller's folder holds them
    // at first start.
    namespace fs = std::filesystem;
    const fs::path source = fs::path(TOREPAL_SOURCE_DIR) / "program" / "tariffs";
    fs::create_directories(folder / "tariffs");
    for (const fs::directory_entry& e : fs::directory_iterator(source))
        if (e.is_regular_file())
            fs::copy_file(e.path(), folder / "tariffs" / e.path().filename(), fs::copy_options::overwrite_existing);
}

}  // namespace torepal::bench
