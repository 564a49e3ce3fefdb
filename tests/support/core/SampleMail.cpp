#include "support/core/SampleMail.h"

#include "text/Encoding.h"

namespace torepal::test {

MailState SampleMailForm()
{
    MailState s;
    s.myname = Sjis("山田太郎");
    s.post = Sjis("東京都千代田区1-1");
    s.zip = "100-0001";
    s.tel = "03-1234-5678";
    s.ktel = "090-1234-5678";
    s.item = Sjis("時計");
    s.name = "buyer_01";
    s.transmen = Sjis("ゆうパック");
    s.transnum = "1234-5678-9012";
    s.fauc = "3000";
    s.ftrans = "800";
    s.bidderMail = "buyer_01@example.jp";
    return s;
}

}  // namespace torepal::test
