#include "shipping/TariffLookup.h"

#include <algorithm>

#include "shipping/ParcelLists.h"
#include "shipping/TariffReader.h"
#include "shipping/ThicknessList.h"
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
    const std::size_t size = static_cast<std::size_t>(ListIndexOrFirst(parcel.sizeIndex, SizeListCm().size()));
    m.span.sumUpToMm = SizeListCm()[size] * 10;
    m.span.sumOverMm = size > 0 ? SizeListCm()[size - 1] * 10 : 0;
    ApplyThickness(parcel.thicknessIndex, m.span);
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

// The size class the parcel is priced in, or the classes' count when none
// takes it.
std::size_t RateClass(const Tariff& t, const ParcelMeasures& parcel)
{
    std::size_t rateClass = 0;
    while (rateClass < t.sizeClasses.size() &&
           (t.sizeClasses[rateClass].sizeCm < parcel.sizeCm || t.sizeClasses[rateClass].maxGrams < parcel.grams))
        ++rateClass;
    return rateClass;
}

void RegionLines(const Tariff& t, const ParcelMeasures& parcel, std::vector<std::string>& lines)
{
    const std::size_t rateClass = RateClass(t, parcel);
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

// One column of weight bands for the parcel: its price when it takes the
// parcel, and why it does not otherwise.
struct ColumnFit {
    const WeightBand* band = nullptr;
    ParcelLimits limits;
    unsigned faults = kCarries;
};

std::vector<ColumnFit> ColumnFits(const Tariff& t, const ParcelMeasures& parcel)
{
    std::vector<ColumnFit> fits;
    for (const TariffVariant& v : t.variants) {
        ColumnFit fit;
        const auto band = std::find_if(v.bands.begin(), v.bands.end(),
                                       [&](const WeightBand& b) { return parcel.grams <= b.upToGrams; });
        fit.limits = CombinedLimits(t.limits, v.limits);
        fit.faults = SizeFaults(fit.limits, parcel.span);
        if (band == v.bands.end())
            fit.faults |= kTooHeavy;
        else
            fit.band = &*band;
        fits.push_back(fit);
    }
    return fits;
}

bool SameButThickness(const ParcelLimits& a, const ParcelLimits& b)
{
    return a.sumMm == b.sumMm && a.lengthMm == b.lengthMm && a.widthMm == b.widthMm;
}

// A thickness column that a thinner one, holding the chosen thickness
// whole and alike in every other limit, already prices.
bool OutpricedByThinner(const std::vector<ColumnFit>& fits, std::size_t c, const ParcelSpan& span)
{
    const ColumnFit& column = fits[c];
    if (column.limits.thicknessMm == 0) return false;
    for (std::size_t e = 0; e < fits.size(); ++e) {
        const ColumnFit& other = fits[e];
        if (e == c || other.faults != kCarries) continue;
        if (SameButThickness(other.limits, column.limits) && other.limits.thicknessMm < column.limits.thicknessMm &&
            HoldsWholeThickness(other.limits, span))
            return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> TariffLines(const Tariff& t, const ParcelMeasures& parcel)
{
    std::vector<std::string> lines;
    switch (t.shape) {
        case TariffShape::Flat:
            if (parcel.grams <= t.flatMaxGrams && SizeFaults(t.limits, parcel.span) == kCarries)
                lines.push_back(YenText(t.flatYen));
            break;
        case TariffShape::Bands: {
            const std::vector<ColumnFit> fits = ColumnFits(t, parcel);
            for (std::size_t c = 0; c < fits.size(); ++c)
                if (fits[c].faults == kCarries && !OutpricedByThinner(fits, c, parcel.span))
                    lines.push_back(ColumnLabel(t.variants[c].name) + YenText(fits[c].band->yen));
            break;
        }
        case TariffShape::Regions:
            if (SizeFaults(t.limits, parcel.span) == kCarries) RegionLines(t, parcel, lines);
            break;
    }
    return lines;
}

unsigned ServiceCarryFaults(const Tariff& t, const ParcelMeasures& parcel)
{
    if (!TariffLines(t, parcel).empty()) return kCarries;
    switch (t.shape) {
        case TariffShape::Flat:
            return SizeFaults(t.limits, parcel.span) | (parcel.grams > t.flatMaxGrams ? kTooHeavy : kCarries);
        case TariffShape::Bands: {
            unsigned every = ~0u, some = kCarries;
            for (const ColumnFit& fit : ColumnFits(t, parcel)) {
                every &= fit.faults;
                some |= fit.faults;
            }
            return every != 0 && every != ~0u ? every : some;
        }
        case TariffShape::Regions: {
            const unsigned faults = SizeFaults(t.limits, parcel.span);
            if (faults != kCarries || RateClass(t, parcel) < t.sizeClasses.size()) return faults;
            // No class takes both the weight and the size: name what no
            // class takes, or both when each alone would find one.
            const bool heavy = std::none_of(t.sizeClasses.begin(), t.sizeClasses.end(),
                                            [&](const SizeClass& c) { return c.maxGrams >= parcel.grams; });
            const bool large = std::none_of(t.sizeClasses.begin(), t.sizeClasses.end(),
                                            [&](const SizeClass& c) { return c.sizeCm >= parcel.sizeCm; });
            return (heavy || !large ? kTooHeavy : kCarries) | (large || !heavy ? kTooLarge : kCarries);
        }
    }
    return kCarries;
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
