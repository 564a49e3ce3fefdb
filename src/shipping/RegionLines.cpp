#include "shipping/RegionLines.h"

#include "shipping/ParcelLists.h"
#include "text/Encoding.h"

namespace torepal {

int ValueInRanges(std::span<const IndexRange> ranges, int index, int none)
{
    for (const IndexRange& r : ranges)
        if (index >= r.first && index <= r.last) return r.value;
    return none;
}

ParcelChoice InsideLists(const ParcelChoice& parcel)
{
    // The combos can report -1 (nothing chosen), and a project file can hold
    // any number. The tariffs are defined for list positions only, so such a
    // selection is priced as the list's first entry.
    ParcelChoice inside;
    inside.weightIndex = ListIndexOrFirst(parcel.weightIndex, WeightList().size());
    inside.sizeIndex = ListIndexOrFirst(parcel.sizeIndex, SizeList().size());
    inside.originIndex = ListIndexOrFirst(parcel.originIndex, PrefectureList().size());
    return inside;
}

std::vector<Region> ConvertRegions(std::span<const RegionRow> rows)
{
    // The lists are split before conversion: in UTF-8 the bytes of "、" can
    // only ever be that character.
    const std::string_view separator = kListSeparator;
    std::vector<Region> regions;
    for (const RegionRow& row : rows) {
        Region region;
        region.label = Sjis(row.label);
        std::string_view rest = row.prefectures;
        for (;;) {
            const std::size_t cut = rest.find(separator);
            region.prefectures.push_back(Sjis(rest.substr(0, cut)));
            if (cut == std::string_view::npos) break;
            rest.remove_prefix(cut + separator.size());
        }
        regions.push_back(std::move(region));
    }
    return regions;
}

std::string JoinedList(const std::vector<std::string>& names, std::string_view without)
{
    static const std::string separator = Sjis(kListSeparator);
    std::string list;
    for (const std::string& name : names) {
        if (!without.empty() && name == without) continue;
        if (!list.empty()) list += separator;
        list += name;
    }
    return list;
}

void AppendRegionLine(std::string& sdata, std::string_view label, int price, std::string_view list)
{
    static const std::string open = Sjis(kTailOpen);
    static const std::string close = Sjis(kTailClose);
    sdata += label;
    sdata += std::to_string(price);
    sdata += open;
    sdata += list;
    sdata += close;
}

}  // namespace torepal
