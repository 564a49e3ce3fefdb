#pragma once
// What the plate form's "クリアー" resets, on the form's values.

#include <string>

#include "plate/PlateState.h"

namespace torepal {

// What "クリアー" took off the form, so that "元に戻す" can put it back.
struct ClearedPlateValues {
    std::string title, items, trans;
    bool center = true;
    bool left = false;
    PlateSelections selections;
};

// Empties the title, the item text and the shipping note, selects the first
// entry of the four combos and turns 中央 on and 左寄せ off. The extra
// section, the colours, the auction ID, the booth text, the ticks and the
// booth radios are the seller's standing choices and stay. Returns the
// values it replaced.
ClearedPlateValues ClearPlateForm(PlateState& state, PlateFlags& flags, PlateSelections& selections);

// Puts back exactly what ClearPlateForm replaced; everything else (what the
// seller set since, the standing choices) is left as it is.
void UndoClearPlateForm(const ClearedPlateValues& cleared, PlateState& state, PlateFlags& flags,
                        PlateSelections& selections);

}  // namespace torepal
