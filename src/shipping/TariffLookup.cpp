#include "shipping/TariffLookup.h"

#include <algorithm>

#include "shipping/ParcelLists.h"
#include "shipping/TariffReader.h"
#include "text/Encoding.h"

namespace torepal {

const std::vector<int>& WeightListGrams()
{
    // Beside WeightList's "～25g" .. "～30kg"; a test holds the two together.
    static const std::vector<int> grams = {
        25,   50,   75,   100,   150,   200,   250,   300,   500,   600,   750,   1000,  2000,  3000,  4000,
        5000, 6000, 8000, 10000, 11000, 12000, 14000, 15000, 16000, 18000, 20000, 21000, 25000, 30000,
    };
    return grams;
}

const std::vector<int>& SizeListCm()
{
    static const std::vector<int> cm = {60, 70, 80, 90, 100, 120, 140, 150, 160, 170};
    return cm;
}

ParcelMeasures MeasuresOf(const ParcelChoice& parcel)
{
    ParcelMeasures m;
    m.grams =
        WeightListGrams()[static_cast<std::size_t>(ListIndexOrFirst(parcel.weightIndex, WeightListGrams().size()))];
    m.sizeCm = SizeListCm()[static_cast<std::size_t>(ListIndexOrFirst(parcel.sizeIndex, SizeListCm().size()))];
    m.originPrefecture = ListIndexOrFirst(parcel.originIndex, OfficialPrefectureNames().size());
    return m;
}

namespace {

std::string YenText(int yen)
{
    return " " + std::to_string(yen) + "円";
}

std::string ColumnLabel(const std::string& name)
{
    return name.empty() ? std::string() : "【" + name + "】";
}

void RegionLines(const Tariff& t, const ParcelMeasures& parcel, std::vector<std::string>& lines)
{
    std::size_t rateClass = 0;
    while (rateClass < t.sizeClasses.size() &&
           (t.sizeClasses[rateClass].sizeCm < parcel.sizeCm || t.sizeClasses[rateClass].maxGrams < parcel.grams))
        ++rateClass;
    if (rateClass == t.sizeClasses.size()) return;

    const std::string origin = OfficialPrefectureNames()[static_cast<std::size_t>(parcel.originPrefecture)];
    std::size_t from = 0;
    while (from < t.regions.size() && std::find(t.regions[from].prefectures.begin(), t.regions[from].prefectures.end(),
                                                origin) == t.regions[from].prefectures.end())
        ++from;
    if (from == t.regions.size() || from >= t.regionYen.size()) return;

    for (std::size_t to = 0; to < t.regions.size(); ++to) {
        std::string list;
        for (const std::string& p : t.regions[to].prefectures) {
            if (!list.empty()) list += "、";
            list += p;
        }
        lines.push_back(ColumnLabel(t.regions[to].name) + YenText(t.regionYen[from][to][rateClass]) + " （" + list +
                        "）");
    }
}

}  // namespace

std::vector<std::string> TariffLines(const Tariff& t, const ParcelMeasures& parcel)
{
    std::vector<std::string> lines;
    switch (t.shape) {
        case TariffShape::Flat:
            if (parcel.grams <= t.flatMaxGrams) lines.push_back(YenText(t.flatYen));
            break;
        case TariffShape::Bands:
            for (const TariffVariant& v : t.variants) {
                const auto band = std::find_if(v.bands.begin(), v.bands.end(),
                                               [&](const WeightBand& b) { return parcel.grams <= b.upToGrams; });
                if (band != v.bands.end()) lines.push_back(ColumnLabel(v.name) + YenText(band->yen));
            }
            break;
        case TariffShape::Regions:
            RegionLines(t, parcel, lines);
            break;
    }
    return lines;
}

std::string TariffDateLine(const Tariff& t)
{
    return "（" + JapaneseDate(t.date) + (t.dateKind == TariffDateKind::Effective ? "改定の料金）" : "時点の料金）");
}

void AppendCurrentServices(std::string& sdata, std::span<const Tariff> ticked, const ParcelChoice& parcel)
{
    static const std::string open = Sjis("<br><b>▼");
    static const std::string close = Sjis("</b><br>");
    const ParcelMeasures measures = MeasuresOf(parcel);
    for (const Tariff& t : ticked) {
        const std::vector<std::string> lines = TariffLines(t, measures);
        if (lines.empty()) continue;
        // The reader let in only texts that Shift-JIS holds.
        sdata += open + Sjis(t.name) + close;
        for (const std::string& line : lines) sdata += Sjis(line) + "<br>";
        sdata += Sjis(TariffDateLine(t)) + "<br>";
    }
}

std::vector<Tariff> TickedServices(const std::vector<Tariff>& all, const std::vector<std::string>& ids)
{
    std::vector<Tariff> ticked;
    for (const Tariff& t : all)
        if (std::find(ids.begin(), ids.end(), t.id) != ids.end()) ticked.push_back(t);
    return ticked;
}

}  // namespace torepal
