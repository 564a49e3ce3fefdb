#include "plate/PlateForm.h"

namespace torepal {

void ClearPlateForm(PlateState& state, PlateFlags& flags, PlateSelections& selections)
{
    state.Title.clear();
    state.Items.clear();
    state.trans.clear();
    selections = PlateSelections{0, 0, 0, 0};
    flags.center = true;
    flags.left = false;
}

}  // namespace torepal
