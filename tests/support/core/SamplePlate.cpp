#include "support/core/SamplePlate.h"

#include "support/core/SampleAccounts.h"
#include "text/Encoding.h"

namespace torepal::test {

PlateState SamplePlateForm(PlateFlags& flags)
{
    PlateState s;
    s.Title = Sjis("腕時計 ステンレス 日本製");
    s.Items = Sjis("ステンレス製の腕時計です。\r\n動作確認済み、傷はほとんどありません。");
    s.trans = Sjis("入金確認後、3日以内に発送します。");
    s.TOthers = Sjis("注意事項");
    s.Others = Sjis("ノークレーム・ノーリターンでお願いします。");
    s.color = "#336699";
    s.bgcolor = "#eef4ff";
    s.fcolor = "#222222";
    s.yahooId = "seller_01";
    s.mytext = Sjis("ほかの出品もごらんください");
    s.accounts = SampleAccounts();  // the page names only the four banks
    s.weightIndex = 11;             // "～1kg": every carrier and mail class has a price
    s.sizeIndex = 2;                // "80size"
    s.originIndex = 12;             // 東京都

    flags.payment.accounts.fill(true);
    flags.payment.yahooEasy = true;
    flags.payment.stamps = true;
    flags.carriers = CarrierTicks{true, true, true, true, true, true, true, true};
    flags.center = true;
    flags.left = false;
    flags.linkOff = false;
    flags.linkOn = true;
    return s;
}

}  // namespace torepal::test
