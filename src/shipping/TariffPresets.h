#pragma once
// Starting points for a new service in the tariff editor: what a carrier
// publishes about a service's shape (size classes and their weight limits,
// regions and their prefectures), each fact with the public page it was
// read from, and every price left empty for the seller to paste from the
// carrier's own price page. Nothing here is a price.

#include <string>
#include <vector>

#include "shipping/Tariff.h"
#include "shipping/TariffRules.h"

namespace torepal {

struct TariffPreset {
    std::string idBase;  // the new service's id before FreeTariffId numbers it
    std::string label;   // the entry in the editor's list (UTF-8)
    // Where each fact of the preset comes from, and what the seller still
    // has to enter (UTF-8), shown when the preset is chosen.
    std::string note;
    Tariff service;  // date and source left for the seller; prices 0
};

// The presets, in the order the editor offers them.
const std::vector<TariffPreset>& TariffPresets();

// The price cells of the service that hold no price yet (by size class,
// then origin and destination): the cells the editor marks for pasting.
std::vector<TariffCell> EmptyPriceCells(const Tariff& tariff);

}  // namespace torepal
