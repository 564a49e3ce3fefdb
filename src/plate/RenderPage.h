#pragma once
// Turns the plate form's values into the listing page: the template of the
// chosen type, filled by a fixed sequence of plain text replacements. The
// seller's texts are never escaped, so a seller may write HTML of their own
// into any field; a section that is not used leaves its placeholder in the
// page, where a browser shows nothing of it.

#include <span>

#include "plate/PlateState.h"
#include "shipping/Tariff.h"

namespace torepal {

// Reads the texts and the four selections of `state` (the caller sets the
// indices from the combos first) and the ticks and radios of `flags`;
// rebuilds state.sdata and state.pdata from empty and overwrites
// state.page.
//
// `currentServices` are the ticked current services, in their group's order;
// their blocks follow the built-in carriers and mail classes, and they alone
// are enough to bring in the shipping section. Without them the page is the
// one the built-in tariffs alone make.
void RenderPage(PlateState& state, const PlateFlags& flags, std::span<const Tariff> currentServices = {});

}  // namespace torepal
