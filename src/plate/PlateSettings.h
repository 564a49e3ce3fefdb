#pragma once
// What of the plate form survives a restart in plate.ini: the ticks, the
// colours, the origin and type choices, the radios, the auction ID, the
// extra section and the booth text. The title, the item text, the
// shipping note and the weight and size choices are not kept.

#include <filesystem>

#include "plate/PlateState.h"
#include "platform/Platform.h"
#include "store/SettingsRecords.h"

namespace torepal {

// The record to store; `originSelection` and `typeSelection` are the
// combos' current selections (-1 for none).
CPSave PlateSettingsRecord(const PlateState& state, const PlateFlags& flags, int originSelection, int typeSelection);

// Copies every field of a record read from plate.ini into the page's
// values; the combos are then set to `originSelection` and `typeSelection`.
void ApplyPlateSettings(const CPSave& record, PlateState& state, PlateFlags& flags, int& originSelection,
                        int& typeSelection);

// Reads plate.ini into the form's values. At the first start there is no
// file and the values stay as they are; a damaged file is told to the
// seller (its copy kept aside) and the values get the record's defaults.
void LoadPlateSettings(const std::filesystem::path& programFolder, Platform& platform, PlateState& state,
                       PlateFlags& flags, PlateSelections& selections);

// Writes plate.ini from the form's values. False, and the seller told, when
// it could not; the old file is then left as it was.
bool SavePlateSettings(const std::filesystem::path& programFolder, Platform& platform, const PlateState& state,
                       const PlateFlags& flags, const PlateSelections& selections);

}  // namespace torepal
