#pragma once
// What the plate form's "クリアー" resets, on the form's values.

#include "plate/PlateState.h"

namespace torepal {

// Empties the title, the item text and the shipping note, selects the first
// entry of the four combos and turns 中央 on and 左寄せ off. The extra
// section, the colours, the auction ID, the booth text, the ticks and the
// booth radios are the seller's standing choices and stay.
void ClearPlateForm(PlateState& state, PlateFlags& flags, PlateSelections& selections);

}  // namespace torepal
