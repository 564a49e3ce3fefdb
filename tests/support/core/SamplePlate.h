#pragma once
// A plate form filled the way a seller fills it: every text, every carrier
// and mail class (the parcel has a price for each), every payment box, the
// booth banner on, 中央. The browser checks and the page tests render it.

#include "plate/PlateState.h"

namespace torepal::test {

PlateState SamplePlateForm(PlateFlags& flags);

}  // namespace torepal::test
