#pragma once
// The colour part of the plate form: what the three colour labels say for a
// template type, and the colour text a palette choice gives.

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace torepal {

// Shift-JIS label texts; タイプ１ has no second colour, so its edit is off
// (its palette button stays usable).
struct TypeColourLabels {
    std::string first;
    std::string second;
    std::string third;
    bool secondEditable = true;
};

// The labels of template type 0..4 (タイプ１..タイプ５); nothing for no
// selection or another number, and the labels then stay as they are.
std::optional<TypeColourLabels> ColourLabels(int type);

// "#rrggbb" in lowercase hexadecimal digits, each part as two digits.
std::string PaletteColourText(const Rgb& colour);

}  // namespace torepal
