#include "app/ui/FormsSnapshot.h"

#include "mail/ui/CMail.h"
#include "plate/ui/CDTemplate.h"
#include "preview/ui/LivePreviewController.h"

namespace torepal {

FormsSnapshot FormsSnapshot::of(CDTemplate& plate, const CMail& mail)
{
    FormsSnapshot s;
    s.plate_ = ControlValues::of(plate);
    s.mail_ = ControlValues::of(mail);
    s.boothText_ = plate.state().mytext;
    s.accounts_ = plate.state().accounts;
    return s;
}

bool FormsSnapshot::operator==(const FormsSnapshot&) const = default;

void FormsSnapshot::putBack(CDTemplate& plate) const
{
    // The account boxes' captions first: the ticks put back after them are
    // the ticks of those accounts.
    if (plate.state().accounts != accounts_) plate.setProjectAccounts(accounts_);
    plate.state().mytext = boothText_;
    plate_.putBack();
    mail_.putBack();
    // The booth text is no control: the preview hears of it here.
    plate.livePreview().formChanged();
}

}  // namespace torepal
