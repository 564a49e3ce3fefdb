#include "plate/ServiceChecks.h"

#include <algorithm>
#include <string>

#include "shipping/ShippingText.h"
#include "shipping/TariffLookup.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

// The current service that stands for the built-in 定形外郵便: the shipped
// file, or any file the seller named the same.
bool IsCurrentTeikeigai(const Tariff& t)
{
    return t.id == "teikeigai" || t.name == "定形外郵便";
}

}  // namespace

void CheckBuiltInTables(const CarrierTicks& ticks, const CarrierTicks& writes, std::span<const Tariff> currentServices,
                        std::vector<CheckResult>& results)
{
    // The built-in tables carry no date and are not the carriers' prices
    // today; a current table for these parcels could not be found in a
    // public source, so the seller is sent to the tariff editor.
    static const std::string field = Sjis("配送業者"), open = Sjis("組み込みの「"),
                             old =
                                 Sjis("」の料金は、プログラムに入っている古い料金表のもので、今の料金ではありません。"),
                             editor = Sjis(
                                 "今の料金は「設定 → 料金表の編集」で料金ファイルにして、"
                                 "「現行の配送サービス」から選んでください。");
    struct Box {
        bool CarrierTicks::*tick;
        const char* name;
    };
    static constexpr Box kSizeCarriers[] = {
        {&CarrierTicks::yamato, "クロネコヤマト"},
        {&CarrierTicks::sagawa, "佐川急便"},
        {&CarrierTicks::yuPack, "ゆうパック"},
    };
    for (const Box& box : kSizeCarriers)
        if (ticks.*box.tick && writes.*box.tick) results.push_back({field, open + Sjis(box.name) + old + editor});

    if (!ticks.teikeigai || !writes.teikeigai) return;
    const auto current = std::find_if(currentServices.begin(), currentServices.end(), IsCurrentTeikeigai);
    if (current == currentServices.end()) {
        results.push_back(
            {field, Sjis("組み込みの「定形外郵便」の料金は、プログラムに入っている古い料金表のもので、今の"
                         "料金ではありません。「現行の配送サービス」の「定形外郵便」を使ってください。")});
        return;
    }
    results.push_back(
        {field, Sjis("組み込みの「定形外郵便」と現行の配送サービスの「定形外郵便」で、ページに一つのサービスの"
                     "料金が二つ出ます（組み込みは古い料金、現行は「") +
                    Sjis(current->name) + Sjis(TariffDateLine(*current)) +
                    Sjis("」）。組み込みの「定形外郵便」のチェックを外してください。")});
}

void CheckCurrentServices(const PlateSelections& selections, int thicknessIndex,
                          std::span<const Tariff> currentServices, std::vector<CheckResult>& results)
{
    static const std::string field = Sjis("現行の配送サービス"), open = Sjis("「"), of = Sjis("」は、この荷物の"),
                             tail = Sjis("では送れないため、ページに何も書かれません。"), dot = Sjis("・");
    const ParcelMeasures parcel =
        MeasuresOf(ParcelChoice{selections.weight, selections.size, selections.origin, thicknessIndex});
    for (const Tariff& t : currentServices) {
        const unsigned faults = ServiceCarryFaults(t, parcel);
        if (faults == kCarries) continue;
        std::string why;
        auto add = [&](unsigned bit, const char* what) {
            if (!(faults & bit)) return;
            if (!why.empty()) why += dot;
            why += Sjis(what);
        };
        add(kTooHeavy, "重さ");
        add(kTooLarge, "大きさ");
        add(kTooThick, "厚さ");
        // The reader let in only names that Shift-JIS holds.
        results.push_back({field, open + Sjis(t.name) + of + why + tail});
    }
}

}  // namespace torepal
