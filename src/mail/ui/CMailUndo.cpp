#include <QLineEdit>

#include "mail/ui/CMail.h"
#include "platform/ui/ChecksView.h"
#include "platform/ui/ControlValues.h"
#include "platform/ui/UndoOffer.h"
#include "ui_CMail.h"

// The mail page's way back from the two buttons that replace what the
// seller typed: "クリアー" and "プレビュー・更新".

namespace torepal {

void CMail::clearByButton()
{
    const ControlValues before = ControlValues::of(*this);
    bool typed = false;
    for (const QLineEdit* edit : {ui_->itemEdit, ui_->nameEdit, ui_->faucEdit, ui_->bidderMailEdit, ui_->transnumEdit,
                                  ui_->transmenEdit, ui_->ftransEdit})
        typed = typed || !edit->text().isEmpty();
    clearParcelFields();
    if (typed) offerUndo(QStringLiteral("クリアーしました。"), before, false);
}

void CMail::offerUndo(const QString& note, const ControlValues& before, bool dropFindings)
{
    // Offered after the action's own changes, which withdraw an offer.
    undo_->offer(note, [this, before, dropFindings] {
        before.putBack();
        if (dropFindings) ui_->checksView->clear();
    });
}

}  // namespace torepal
