#pragma once
// What the live preview shows: the page that "完成" would save for the form
// as it stands, as the bytes that would reach the file. It works on a copy
// of the form's record, so previewing never changes what the page holds
// (not even its last rendered page) and writes nothing.

#include <span>
#include <string>

#include "plate/PlateState.h"
#include "shipping/Tariff.h"

namespace torepal {

// Renders `form` (a copy) with `flags` and the ticked current services and
// returns the bytes WritePageFile would write for it: the page in text mode,
// so a line break the booth banner's own texts carry shows as it will in the
// saved file.
std::string PreviewPageBytes(PlateState form, const PlateFlags& flags, std::span<const Tariff> currentServices = {});

}  // namespace torepal
