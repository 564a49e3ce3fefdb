#include "shipping/TariffPresets.h"

#include <initializer_list>
#include <utility>

#include "shipping/TariffPaste.h"

namespace torepal {
namespace {

// Where a carrier's regions (which prefectures each of its regions holds)
// could not be found on a public page, the preset names none: the seller
// adds them as the carrier's price page shows them, and the note says so.
constexpr const char* kAddRegions =
    "地域の分け方は公の出典で確かめられなかったため入っていません。"
    "運送会社の料金表のとおりに地域を加え、料金を貼り付け、出典と日付を書いてください。";
constexpr const char* kPastePrices = "運送会社の料金表から料金を貼り付け、出典と日付を書いてください。";

TariffPreset Preset(const char* idBase, const char* label, const char* name, const char* carrier,
                    std::vector<SizeClass> sizes, int maxSumCm, std::string note)
{
    TariffPreset p;
    p.idBase = idBase;
    p.label = label;
    p.note = std::move(note);
    p.service.name = name;
    p.service.carrier = carrier;
    p.service.shape = TariffShape::Regions;
    p.service.sizeClasses = std::move(sizes);
    p.service.limits.sumMm = maxSumCm * 10;
    return p;
}

// Size classes as the sources print them: the sizes, and the weight each
// carries in kg ("60/80/100 size up to 2/5/10 kg"); a shorter weight list
// gives its last weight to the remaining sizes ("どのサイズも25kgまで").
std::vector<SizeClass> SizesUpToKg(std::initializer_list<int> sizesCm, std::initializer_list<int> kg)
{
    std::vector<SizeClass> classes;
    const int* weight = kg.begin();
    for (int size : sizesCm) {
        classes.push_back({size, *weight * 1'000});
        if (weight + 1 != kg.end()) ++weight;
    }
    return classes;
}

struct NamedRegion {
    const char* name;
    std::initializer_list<const char*> prefectures;  // official names
};

// Gives the preset the carrier's regions, in the order its price table
// prints them, origin by destination, every price empty.
void SetRegions(TariffPreset& p, std::initializer_list<NamedRegion> regions, const char* regionsNote)
{
    for (const NamedRegion& region : regions) {
        AddRegion(p.service, region.name);
        for (const char* prefecture : region.prefectures)
            AssignPrefecture(p.service, prefecture, p.service.regions.size() - 1);
    }
    p.note += regionsNote;
}

// What the seller still has to do, after what the preset carries.
TariffPreset Finished(TariffPreset p)
{
    p.note += p.service.regions.empty() ? kAddRegions : kPastePrices;
    return p;
}

// 宅急便 (ヤマト運輸): the size classes and the weight each carries, as the
// carrier's own Instagram account (yamato_transport) lists them, quoted in
// https://danchizumano-nandeyanen.com/?p=450715 (read 2026-12-09): 60 to
// 200 size, 2/5/10/15/20/25/30/30 kg; the larger of size and weight
// decides the class. The same page: at most 200 cm for the three sides and
// 170 cm for one side.
TariffPreset Takkyubin()
{
    TariffPreset p = Preset("takkyubin", "宅急便（ヤマト運輸）: サイズと重さの区分", "宅急便", "ヤマト運輸",
                            SizesUpToKg({60, 80, 100, 120, 140, 160, 180, 200}, {2, 5, 10, 15, 20, 25, 30, 30}), 200,
                            "サイズ60～200と各サイズの重さの上限、三辺の合計200cm・一辺170cmまでという上限は、"
                            "ヤマト運輸の公式Instagramを引いた https://danchizumano-nandeyanen.com/?p=450715 "
                            "（2026年12月9日に確認）によります。");
    p.service.limits.lengthMm = 1'700;
    // The twelve regions and their prefectures from two shops' copies of the
    // rate card (not ヤマト運輸's own page), read 2026-12-09; the note names
    // both pages.
    SetRegions(p,
               {{"北海道", {"北海道"}},
                {"北東北", {"青森県", "秋田県", "岩手県"}},
                {"南東北", {"宮城県", "山形県", "福島県"}},
                {"関東", {"茨城県", "栃木県", "群馬県", "埼玉県", "千葉県", "東京都", "神奈川県", "山梨県"}},
                {"信越", {"新潟県", "長野県"}},
                {"北陸", {"富山県", "石川県", "福井県"}},
                {"中部", {"静岡県", "愛知県", "三重県", "岐阜県"}},
                {"関西", {"大阪府", "京都府", "滋賀県", "奈良県", "和歌山県", "兵庫県"}},
                {"中国", {"岡山県", "広島県", "山口県", "鳥取県", "島根県"}},
                {"四国", {"香川県", "徳島県", "愛媛県", "高知県"}},
                {"九州", {"福岡県", "佐賀県", "長崎県", "熊本県", "大分県", "宮崎県", "鹿児島県"}},
                {"沖縄", {"沖縄県"}}},
               "12の地域（北海道・北東北・南東北・関東・信越・北陸・中部・関西・中国・四国・九州・沖縄）は、"
               "ヤマト運輸の運賃表を写したお店のページ "
               "https://github.com/ShimotsumaA/eclipse/blob/54b551a8c19f83f2c8f7095ba7b53b96b351d0a6/WebContent/jsp/"
               "sogo/shohisha/souryou.jsp "
               "の列見出しに、各地域の都道府県は同じ名前で送料をまとめた "
               "https://github.com/ryu0501/simulation/blob/84503dd11f31f7f10f3ac91050ff35e84eb5d369/shippingFees.js "
               "（どちらも2026年12月9日に確認、ヤマト運輸自身のページではありません）によります。"
               "貼り付ける前に、今の運賃表の地域と見比べてください。");
    return p;
}

// ゆうパック (日本郵便): 60 to 170 size by the sum of the three sides, every
// size up to 25 kg, as https://aucfan.com/times/archives/44482 (written
// after the 2023-10-01 prices) and https://blog.shipandco.com/yu-pack
// (which names 日本郵便's ゆうパック page as its source) print them, read
// 2026-12-09. Above 25 kg up to 30 kg the parcel becomes 重量ゆうパック at
// a surcharge (https://takumick.com/?p=9546): a price rule, not a size
// class, so it is left out.
TariffPreset YuPack()
{
    return Preset("yu-pack", "ゆうパック（日本郵便）: サイズと重さの区分", "ゆうパック", "日本郵便",
                  SizesUpToKg({60, 80, 100, 120, 140, 160, 170}, {25}), 170,
                  "サイズ60～170（三辺の合計170cmまで）と、どのサイズも重さ25kgまでという区分は、"
                  "日本郵便の案内をもとにした https://aucfan.com/times/archives/44482 と "
                  "https://blog.shipandco.com/yu-pack （2026年12月9日に確認）によります。"
                  "25kgを超え30kgまでの重量ゆうパックは料金の加算があるため入っていません"
                  "（https://takumick.com/?p=9546）。");
}

// 飛脚宅配便 (佐川急便): 60/80/100/140/160 size up to 2/5/10/20/30 kg, as
// https://3min-lib.com/sagawa-carriage-size-list/ tables them (undated,
// read 2026-12-09); 160 cm and 30 kg as the service's limits also in
// https://ul-logi.jp/blog/logistics/characteristics-of-sagawa-express-courier-service/
// (2024-02-27). The page lists no 120 size, so the preset has none.
TariffPreset Hikyaku()
{
    return Preset("hikyaku", "飛脚宅配便（佐川急便）: サイズと重さの区分", "飛脚宅配便", "佐川急便",
                  SizesUpToKg({60, 80, 100, 140, 160}, {2, 5, 10, 20, 30}), 160,
                  "サイズ60・80・100・140・160と重さ2・5・10・20・30kgまでの区分は "
                  "https://3min-lib.com/sagawa-carriage-size-list/ （日付の書かれていないページ、"
                  "2026年12月9日に確認）によります。三辺の合計160cm・30kgまでという上限は "
                  "https://ul-logi.jp/blog/logistics/characteristics-of-sagawa-express-courier-service/ "
                  "（2024年2月27日）でも同じです。区分が今の料金表と同じか、貼り付ける前に見比べてください。");
}

}  // namespace

const std::vector<TariffPreset>& TariffPresets()
{
    static const std::vector<TariffPreset> presets = {Finished(Takkyubin()), Finished(YuPack()), Finished(Hikyaku())};
    return presets;
}

std::vector<TariffCell> EmptyPriceCells(const Tariff& t)
{
    std::vector<TariffCell> cells;
    switch (t.shape) {
        case TariffShape::Flat:
            if (t.flatYen == 0) cells.push_back({TariffField::FlatPrice, -1, -1, -1});
            break;
        case TariffShape::Bands:
            for (std::size_t v = 0; v < t.variants.size(); ++v)
                for (std::size_t b = 0; b < t.variants[v].bands.size(); ++b)
                    if (t.variants[v].bands[b].yen == 0)
                        cells.push_back({TariffField::BandPrice, static_cast<int>(v), static_cast<int>(b), -1});
            break;
        case TariffShape::Regions:
            for (std::size_t s = 0; s < t.sizeClasses.size(); ++s)
                for (std::size_t o = 0; o < t.regionYen.size(); ++o)
                    for (std::size_t d = 0; d < t.regionYen[o].size(); ++d)
                        if (s >= t.regionYen[o][d].size() || t.regionYen[o][d][s] == 0)
                            cells.push_back(
                                {TariffField::Price, static_cast<int>(s), static_cast<int>(o), static_cast<int>(d)});
            break;
    }
    return cells;
}

}  // namespace torepal
