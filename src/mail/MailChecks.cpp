#include "mail/MailChecks.h"

#include <string>

#include "text/Encoding.h"
#include "text/SjisText.h"

namespace torepal {
namespace {

bool Blank(char c)
{
    return c == ' ' || c == '\t';
}

bool Uses(std::string_view templateBytes, std::string_view placeholder)
{
    return templateBytes.find(placeholder) != std::string_view::npos;
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

}  // namespace

bool IsPlainNumber(std::string_view text)
{
    std::size_t first = 0, end = text.size();
    while (first < end && Blank(text[first])) ++first;
    while (end > first && Blank(text[end - 1])) --end;
    if (first == end) return false;
    for (std::size_t i = first; i < end; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

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

    const bool asksBank = Uses(templateBytes, "[bank]");
    bool anyTicked = false;
    for (bool ticked : state.useAccount) anyTicked = anyTicked || ticked;
    if (asksBank && !state.bank.empty())
        results.push_back({body, Sjis("「[bank]」で口座の情報が入りました。支払いはYahoo!かんたん決済だけなので、"
                                      "取引ナビのメッセージには口座も振込先も書かないでください。")});
    if (asksBank && !anyTicked)
        results.push_back({accounts, Sjis("テンプレートは「[bank]」で口座を求めていますが、口座がひとつも"
                                          "選ばれていません。")});
    for (std::size_t row = 0; row < kAccountCount; ++row) {
        if (!state.useAccount[row]) continue;
        const std::string missing = MissingParts(state.accounts[row], row);
        if (!missing.empty())
            results.push_back({accounts, open + AccountName(state, row) + Sjis("」の") + missing +
                                             Sjis("が空です。「口座情報編集」で入れてください。")});
    }

    const bool usesSum = Uses(templateBytes, "[sum]");
    auto price = [&](const std::string& value, const char* placeholder, const char* label) {
        if (!usesSum && !Uses(templateBytes, placeholder)) return;
        if (IsPlainNumber(value)) return;
        results.push_back({Sjis(label), open + value +
                                            Sjis("」は数字ではありません。半角の数字だけで書いてください"
                                                 "（合計の計算に使います）。")});
    };
    price(state.fauc, "[fauc]", "落札金額");
    price(state.ftrans, "[ftrans]", "送料");
    return results;
}

}  // namespace torepal
