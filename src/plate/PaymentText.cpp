#include "plate/PaymentText.h"

#include "text/Encoding.h"

namespace torepal {

std::string BuildPaymentText(const PaymentTicks& ticks, const Accounts& accounts)
{
    static const std::string open = Sjis("<br><b>▼");
    static const std::string close = "</b><br>";
    static const std::string paruru = Sjis("<br><b>▼ぱるる</b><br>");
    // The box reads "振替口座"; the page tells the buyer "郵便振替".
    static const std::string furikae = Sjis("<br><b>▼郵便振替</b><br>");
    static const std::string yahooEasy = Sjis("<br><b>▼Yahoo!かんたん決済</b><br>");
    static const std::string stamps = Sjis("<br><b>▼切手</b><br>");

    std::string text;
    for (std::size_t row = 0; row < kParuruRow; ++row)
        if (ticks.accounts[row]) text += open + accounts[row].bankName + close;
    if (ticks.accounts[kParuruRow]) text += paruru;
    if (ticks.accounts[kFurikaeRow]) text += furikae;
    if (ticks.yahooEasy) text += yahooEasy;
    if (ticks.stamps) text += stamps;
    return text;
}

}  // namespace torepal
