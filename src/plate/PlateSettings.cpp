#include "plate/PlateSettings.h"

#include "store/SettingsFiles.h"

namespace torepal {

CPSave PlateSettingsRecord(const PlateState& state, const PlateFlags& flags, int originSelection, int typeSelection)
{
    CPSave r;
    const CarrierTicks& c = flags.carriers;
    r.yamato = c.yamato;
    r.sagawa = c.sagawa;
    r.yuPack = c.yuPack;
    r.yahooYuPack = c.yahooYuPack;
    r.teikeigai = c.teikeigai;
    r.sasshi = c.sasshi;
    r.kuronekoMail = c.kuronekoMail;
    r.expack = c.expack;
    r.accountTicks = flags.payment.accounts;
    r.yahooEasy = flags.payment.yahooEasy;
    r.stamps = flags.payment.stamps;
    r.color = state.color;
    r.bgcolor = state.bgcolor;
    r.fcolor = state.fcolor;
    r.originIndex = originSelection;
    r.templateType = typeSelection;
    r.center = flags.center;
    r.left = flags.left;
    r.linkOff = flags.linkOff;
    r.linkOn = flags.linkOn;
    r.yahooId = state.yahooId;
    r.mytext = state.mytext;
    r.TOthers = state.TOthers;
    r.Others = state.Others;
    r.phoneFit = flags.phoneFit;
    return r;
}

void ApplyPlateSettings(const CPSave& r, PlateState& state, PlateFlags& flags, int& originSelection, int& typeSelection)
{
    CarrierTicks& c = flags.carriers;
    c.yamato = r.yamato;
    c.sagawa = r.sagawa;
    c.yuPack = r.yuPack;
    c.yahooYuPack = r.yahooYuPack;
    c.teikeigai = r.teikeigai;
    c.sasshi = r.sasshi;
    c.kuronekoMail = r.kuronekoMail;
    c.expack = r.expack;
    flags.payment.accounts = r.accountTicks;
    flags.payment.yahooEasy = r.yahooEasy;
    flags.payment.stamps = r.stamps;
    state.color = r.color;
    state.bgcolor = r.bgcolor;
    state.fcolor = r.fcolor;
    originSelection = r.originIndex;
    typeSelection = r.templateType;
    flags.left = r.left;
    flags.center = r.center;
    flags.linkOff = r.linkOff;
    flags.linkOn = r.linkOn;
    state.yahooId = r.yahooId;
    state.TOthers = r.TOthers;
    state.Others = r.Others;
    state.mytext = r.mytext;
    flags.phoneFit = r.phoneFit;
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
