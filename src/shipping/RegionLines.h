#pragma once
// Helpers shared by the carrier writers: looking a list position up in a
// run table, and writing region lines "【関　東】 1050円 （...）<br>".

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shipping/RateTables.h"
#include "shipping/ShippingText.h"

namespace torepal {

// The value of the run holding `index`, or `none` when no run holds it.
int ValueInRanges(std::span<const IndexRange> ranges, int index, int none);

// The parcel choice with every index inside its list.
ParcelChoice InsideLists(const ParcelChoice& parcel);

// A region converted to Shift-JIS: its label and the prefectures of its tail.
struct Region {
    std::string label;
    std::vector<std::string> prefectures;
};
std::vector<Region> ConvertRegions(std::span<const RegionRow> rows);

// The names joined with "、", leaving out every entry equal to `without`.
std::string JoinedList(const std::vector<std::string>& names, std::string_view without = {});

// label + price digits + "円 （" + list + "）<br>".
void AppendRegionLine(std::string& sdata, std::string_view label, int price, std::string_view list);

// A zone tariff whose block is the header and one line per region, the
// same for every origin (クロネコヤマト, 佐川急便).
template <std::size_t Regions, std::size_t Zones, std::size_t Classes, std::size_t Groups>
void AppendZoneBlock(std::string& sdata, const std::string& header, const std::vector<Region>& regions,
                     const std::array<std::array<int, Regions>, Groups>& zones,
                     const std::array<std::array<int, Classes>, Zones>& prices, int group, int rateClass)
{
    sdata += header;
    for (std::size_t r = 0; r < Regions; ++r) {
        const int zone = zones[group - 1][r];
        AppendRegionLine(sdata, regions[r].label, prices[zone - 1][rateClass], JoinedList(regions[r].prefectures));
    }
}

}  // namespace torepal
