#pragma once
// What of the plate form survives a restart in plate.ini: the ticks, the
// colours, the origin and type choices, the radios, the auction ID, the
// extra section and the booth text. The title, the item text, the
// shipping note and the weight and size choices are not kept.

#include "plate/PlateState.h"
#include "store/SettingsRecords.h"

namespace torepal {

// The record to store; `originSelection` and `typeSelection` are the
// combos' current selections (-1 for none).
CPSave PlateSettingsRecord(const PlateState& state, const PlateFlags& flags, int originSelection, int typeSelection);

// Copies every field of a record read from plate.ini into the page's
// values; the combos are then set to `originSelection` and `typeSelection`.
void ApplyPlateSettings(const CPSave& record, PlateState& state, PlateFlags& flags, int& originSelection,
                        int& typeSelection);

}  // namespace torepal
