#include "support/core/SampleAccounts.h"

#include "text/Encoding.h"

namespace torepal::test {

Accounts SampleAccounts()
{
    const std::string holder = Sjis("ヤマダ　ハナコ");
    Accounts a;
    a[0] = {Sjis("みずほ銀行"), Sjis("本店"), "1234567", holder, 0};
    a[1] = {Sjis("三井住友銀行"), Sjis("渋谷駅前支店"), "7654321", holder, 0};
    a[2] = {Sjis("りそな銀行"), Sjis("新宿支店"), "2345678", holder, 1};
    a[3] = {Sjis("楽天銀行"), Sjis("第一営業支店"), "3456789", holder, 0};
    a[kParuruRow] = {"", "10120", "12345671", holder, 0};
    a[kFurikaeRow] = {"", "00120-3", "456789", holder, 0};
    return a;
}

}  // namespace torepal::test
