#pragma once
// The checks on the shipping prices a page offers: the built-in carriers
// print the program's own old tables, and a current service left out for
// the parcel's size says why. Part of CheckListing.

#include <span>
#include <vector>

#include "plate/PlateState.h"
#include "shipping/Tariff.h"
#include "text/TextChecks.h"

namespace torepal {

// The built-in クロネコヤマト, 佐川急便, ゆうパック and 定形外郵便 boxes
// that write a price: their prices are not today's, and a built-in
// 定形外郵便 beside the current one gives the page two prices for one
// service. `writes` says which boxes write anything for the parcel.
void CheckBuiltInTables(const CarrierTicks& ticks, const CarrierTicks& writes, std::span<const Tariff> currentServices,
                        std::vector<CheckResult>& results);

// Each ticked current service that writes nothing for the parcel, with the
// reason: its weight, size or thickness limit. The parcel is the combos'
// selections with the state's thickness.
void CheckCurrentServices(const PlateSelections& selections, int thicknessIndex,
                          std::span<const Tariff> currentServices, std::vector<CheckResult>& results);

}  // namespace torepal
