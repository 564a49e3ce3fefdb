#include "plate/PlateForm.h"

namespace torepal {

ClearedPlateValues ClearPlateForm(PlateState& state, PlateFlags& flags, PlateSelections& selections)
{
    ClearedPlateValues cleared{state.Title, state.Items, state.trans, flags.center, flags.left, selections};
    state.Title.clear();
    state.Items.clear();
    state.trans.clear();
    selections = PlateSelections{0, 0, 0, 0};
    flags.center = true;
    flags.left = false;
    return cleared;
}

void UndoClearPlateForm(const ClearedPlateValues& cleared, PlateState& state, PlateFlags& flags,
                        PlateSelections& selections)
{
    state.Title = cleared.title;
    state.Items = cleared.items;
    state.trans = cleared.trans;
    flags.center = cleared.center;
    flags.left = cleared.left;
    selections = cleared.selections;
}

}  // namespace torepal
