#include "bank/AccountCaption.h"

#include "text/Encoding.h"

namespace torepal {

bool IsUnregisteredBank(const BankAccount& account)
{
    const std::string& name = account.bankName;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == ' ' || name[i] == '\t') continue;
        if (i + 1 < name.size() && name[i] == '\x81' && name[i + 1] == '\x40') {  // the ideographic space
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

std::string AccountBoxCaption(const Accounts& rows, std::size_t row)
{
    static const std::string unregistered = Sjis("未登録"), paruru = Sjis("ぱるる"), furikae = Sjis("振替口座");
    if (row == kParuruRow) return paruru;
    if (row == kFurikaeRow) return furikae;
    if (row >= kAccountCount || IsUnregisteredBank(rows[row])) return unregistered;
    return rows[row].bankName;
}

}  // namespace torepal
