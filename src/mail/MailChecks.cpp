#include "mail/MailChecks.h"

#include <string>

#include "mail/ComposeMail.h"
#include "text/Encoding.h"
#include "text/SjisText.h"

namespace torepal {
namespace {

bool Uses(std::string_view templateBytes, std::string_view placeholder)
{
    return templateBytes.find(placeholder) != std::string_view::npos;
}

// Found at a character's start, never on the second byte of another.
bool Contains(std::string_view text, const std::string& sjis)
{
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i))
        if (text.substr(i, sjis.size()) == sjis) return true;
    return false;
}

// The row as the mail page's account box names it.
std::string AccountName(const MailState& state, std::size_t row)
{
    if (row == kParuruRow) return Sjis("ぱるる");
    if (row == kFurikaeRow) return Sjis("振替口座");
    const std::string& name = state.accounts[row].bankName;
    return name.empty() ? Sjis("銀行") + std::to_string(row + 1) : name;
}

// The parts of a ticked row that "[bank]" would write empty.
std::string MissingParts(const BankAccount& a, std::size_t row)
{
    static const std::string separator = Sjis("・");
    const bool postal = row == kParuruRow || row == kFurikaeRow;
    std::string missing;
    auto need = [&](const std::string& value, const char* name) {
        if (!value.empty()) return;
        if (!missing.empty()) missing += separator;
        missing += Sjis(name);
    };
    if (!postal) need(a.bankName, "銀行名");
    need(a.branch, postal ? "記号" : "支店名");
    need(a.number, postal ? "番号" : "口座番号");
    need(a.holder, "名義");
    return missing;
}

// The template asks the buyer to send an address by mail: it names a
// 住所 and a mail of its own ("このメールへのご返信で…ご住所"). The 取引ナビ
// samples ask for nothing of the kind (the address comes with the payment).
bool AsksAddressByMail(std::string_view templateBytes)
{
    static const std::string address = Sjis("住所"), mail = Sjis("メール");
    return Contains(templateBytes, address) && Contains(templateBytes, mail);
}

}  // namespace

std::vector<CheckResult> CheckMail(const MailState& state, std::string_view templateBytes)
{
    static const std::string body = Sjis("メール本文"), accounts = Sjis("振込み口座"), open = Sjis("「"),
                             mail = Sjis("メールアドレス「"), web = Sjis("外部のアドレス「"),
                             offSite = Sjis(
                                 "」があります。取引ナビでサイトの外での取引に誘うと違反になるので、"
                                 "消してください。");
    std::vector<CheckResult> results;
    for (const std::string& found : FindMailAddresses(state.body)) results.push_back({body, mail + found + offSite});
    // A mail names no site of its own, so every outside address is reported.
    for (const std::string& found : FindWebAddresses(state.body, {"auctions.yahoo.co.jp"}))
        results.push_back({body, web + found + offSite});

    // Since 2018-03-01 the buyer pays through Yahoo!かんたん決済 only and the
    // address reaches the seller with it, so an account in a message or a
    // request for the address by mail is outside the site's rules, whatever
    // account is ticked.
    static const std::string since = Sjis(
        "2018年3月1日から支払いはYahoo!かんたん決済だけになり、口座への振込みは"
        "サイトの決まりの外です。");
    const bool asksBank = Uses(templateBytes, "[bank]");
    if (asksBank) {
        std::string ticked;
        for (std::size_t row = 0; row < kAccountCount; ++row)
            if (state.useAccount[row]) ticked += open + AccountName(state, row) + Sjis("」");
        results.push_back(
            {accounts, Sjis("テンプレートは「[bank]」で振込先の口座を書き込みます") +
                           (ticked.empty() ? Sjis("。") : Sjis("（") + ticked + Sjis("）。")) + since +
                           Sjis("取引ナビのメッセージには口座も振込先も書かず、テンプレートから「[bank]」の行を"
                                "消してください。")});
    } else {
        for (std::size_t row = 0; row < kAccountCount; ++row) {
            if (!state.useAccount[row]) continue;
            const std::string missing = MissingParts(state.accounts[row], row);
            results.push_back({accounts, open + AccountName(state, row) +
                                             (missing.empty() ? Sjis("」にチェックがあります。")
                                                              : Sjis("」の") + missing + Sjis("が空です。")) +
                                             since + Sjis("チェックを外してください。")});
        }
    }
    if (AsksAddressByMail(templateBytes))
        results.push_back({body, Sjis("テンプレートは落札者に住所をメールで知らせるよう求めています。") + since +
                                     Sjis("お届け先はかんたん決済と取引ナビで受け取るので、メールで住所を"
                                          "求める部分は消してください。")});
    // A sample's placeholder date the seller has not filled in yet.
    static const std::string noDate = Sjis("○月○日");
    if (Contains(state.body, noDate))
        results.push_back({body, Sjis("「○月○日」が本文に残っています。日付を書き入れてから送ってください。")});

    const bool usesSum = Uses(templateBytes, "[sum]");
    auto price = [&](const std::string& value, const char* placeholder, const char* label) {
        if (!usesSum && !Uses(templateBytes, placeholder)) return;
        if (ReadsWholeAsPrice(value)) return;
        // An empty box is not a price written wrongly: it is one not yet written.
        if (value.find_first_not_of(" \t") == std::string::npos) {
            results.push_back({Sjis(label), Sjis("空です。数字で書いてください（合計の計算に使います）。")});
            return;
        }
        results.push_back({Sjis(label), open + value +
                                            Sjis("」は金額として読めません。12800 や 12,800円 のように数字で"
                                                 "書いてください（合計の計算に使います）。")});
    };
    price(state.fauc, "[fauc]", "落札金額");
    price(state.ftrans, "[ftrans]", "送料");
    return results;
}

}  // namespace torepal
