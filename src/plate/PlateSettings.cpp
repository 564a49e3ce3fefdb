#include "plate/PlateSettings.h"

#include "plate/PlateFields.h"
#include "store/SettingsFiles.h"

namespace torepal {

CPSave PlateSettingsRecord(const PlateState& state, const PlateFlags& flags, int originSelection, int typeSelection)
{
    CPSave r;
    for (const PlateTextField& f : PlateTextFields())
        if (f.settings) r.*f.settings = state.*f.value;
    PlateFlags ticks = flags;
    for (const PlateTickField& f : PlateTickFields())
        if (f.settings) f.settings(r) = f.flag(ticks);
    const PlateSelections chosen{0, 0, originSelection, typeSelection};
    for (const PlateSelectionField& f : PlateSelectionFields())
        if (f.settings) r.*f.settings = chosen.*f.value;
    return r;
}

void ApplyPlateSettings(const CPSave& record, PlateState& state, PlateFlags& flags, int& originSelection,
                        int& typeSelection)
{
    CPSave r = record;
    for (const PlateTextField& f : PlateTextFields())
        if (f.settings) state.*f.value = r.*f.settings;
    for (const PlateTickField& f : PlateTickFields())
        if (f.settings) f.flag(flags) = f.settings(r);
    PlateSelections chosen{0, 0, originSelection, typeSelection};
    for (const PlateSelectionField& f : PlateSelectionFields())
        if (f.settings) chosen.*f.value = r.*f.settings;
    originSelection = chosen.origin;
    typeSelection = chosen.type;
}

void LoadPlateSettings(const std::filesystem::path& programFolder, Platform& platform, PlateState& state,
                       PlateFlags& flags, PlateSelections& selections)
{
    const Loaded<CPSave> loaded = LoadPlateFile(programFolder);
    if (loaded.status == LoadStatus::Damaged) platform.showMessage(DamagedSettingsMessage(kPlateFile, loaded.keptCopy));
    if (loaded.status == LoadStatus::Missing) return;
    ApplyPlateSettings(loaded.record, state, flags, selections.origin, selections.type);
}

bool SavePlateSettings(const std::filesystem::path& programFolder, Platform& platform, const PlateState& state,
                       const PlateFlags& flags, const PlateSelections& selections)
{
    if (StorePlateFile(programFolder, PlateSettingsRecord(state, flags, selections.origin, selections.type)))
        return true;
    platform.showMessage(StoreFailedMessage(kPlateFile));
    return false;
}

}  // namespace torepal
