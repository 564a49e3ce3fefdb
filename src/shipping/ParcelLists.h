#pragma once
// The fixed entries of the three parcel combo boxes. Their positions are
// stored in plate.ini (the origin) and in project files (all three), so the
// order is part of those formats.

#include <string>
#include <vector>

namespace torepal {

const std::vector<std::string>& WeightList();      // 29 entries, "～25g" .. "～30kg"
const std::vector<std::string>& SizeList();        // 10 entries, "60size" .. "170size"
const std::vector<std::string>& PrefectureList();  // 47 entries, 北海道 .. "沖　縄"

// The combos are editable drop-downs, so a selection of -1 (nothing chosen)
// or anything else outside a list can reach the rate tables; the tables are
// defined for positions inside the lists only, and such an index is read as
// position 0.
int ListIndexOrFirst(int index, std::size_t listSize);

}  // namespace torepal
