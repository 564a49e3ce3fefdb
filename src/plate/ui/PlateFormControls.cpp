#include "plate/ui/PlateFormControls.h"

#include "platform/ui/QtText.h"
#include "ui_CDTemplate.h"

namespace torepal {

void FillCombo(QComboBox* combo, const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) combo->addItem(ToQt(entry));
}

void ApplyAvailability(const Ui::CDTemplate& ui, const CarrierAvailability& a)
{
    auto apply = [](QCheckBox* box, const std::optional<bool>& enabled) {
        if (enabled) box->setEnabled(*enabled);
    };
    apply(ui.yamatoBox, a.yamato);
    apply(ui.sagawaBox, a.sagawa);
    apply(ui.yahooYuPackBox, a.yahooYuPack);
    apply(ui.teikeigaiBox, a.teikeigai);
    apply(ui.sasshiBox, a.sasshi);
    apply(ui.kuronekoMailBox, a.kuronekoMail);
}

std::array<std::pair<QAbstractButton*, bool&>, 21> FlagControls(const Ui::CDTemplate& ui, PlateFlags& f)
{
    bool* const accounts = f.payment.accounts.data();
    return {{{ui.account1Box, accounts[0]},
             {ui.account2Box, accounts[1]},
             {ui.account3Box, accounts[2]},
             {ui.account4Box, accounts[3]},
             {ui.paruruBox, accounts[4]},
             {ui.furikaeBox, accounts[5]},
             {ui.yahooEasyBox, f.payment.yahooEasy},
             {ui.stampsBox, f.payment.stamps},
             {ui.yamatoBox, f.carriers.yamato},
             {ui.sagawaBox, f.carriers.sagawa},
             {ui.yuPackBox, f.carriers.yuPack},
             {ui.yahooYuPackBox, f.carriers.yahooYuPack},
             {ui.teikeigaiBox, f.carriers.teikeigai},
             {ui.sasshiBox, f.carriers.sasshi},
             {ui.kuronekoMailBox, f.carriers.kuronekoMail},
             {ui.expackBox, f.carriers.expack},
             {ui.centerRadio, f.center},
             {ui.leftRadio, f.left},
             {ui.linkOffRadio, f.linkOff},
             {ui.linkOnRadio, f.linkOn},
             {ui.phoneFitBox, f.phoneFit}}};
}

std::string Utf8Of(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

}  // namespace torepal
