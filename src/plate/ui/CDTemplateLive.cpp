#include <string>
#include <vector>

#include "plate/ListingChecks.h"
#include "plate/PlateFields.h"
#include "plate/PreviewPage.h"
#include "plate/ui/CDTemplate.h"
#include "plate/ui/PlateFormControls.h"
#include "platform/ui/QtText.h"
#include "platform/ui/TextFieldControls.h"
#include "preview/ui/LivePreviewController.h"
#include "shipping/TariffLookup.h"
#include "text/Encoding.h"
#include "text/TextChecks.h"
#include "ui_CDTemplate.h"

// The plate page's live side: the preview that follows the form and the
// texts the recovery file keeps.

namespace torepal {

void CDTemplate::formEdited()
{
    livePreview_->formChanged();
    if (cleared_) {
        cleared_.reset();
        ui_->clearUndoBar->hide();
    }
}

// ---- recovery -------------------------------------------------------------

void CDTemplate::settle()
{
    emit settled();
}

PlateState CDTemplate::typedState() const
{
    PlateState form = state_;
    FieldReader quiet;
    ReadTextFields(*this, PlateTextFields(), quiet, form);
    return form;
}

PlateForm CDTemplate::typedForm() const
{
    const PlateState typed = typedState();
    return PlateForm{typed, flags(), selections(), tickedServiceIds(), typed.thicknessIndex};
}

void CDTemplate::restoreForm(const PlateForm& form)
{
    static_cast<PlateTexts&>(state_) = form.texts;
    setFlags(form.flags);
    setSelections(form.selections);
    setTickedServiceIds(form.services);
    state_.thicknessIndex = form.thickness;
    push();
    countTitle();
    livePreview_->formChanged();
}

void CDTemplate::projectOpened()
{
    cleared_.reset();
    ui_->clearUndoBar->hide();
    settle();
}

// ---- the live preview -------------------------------------------------------

std::string CDTemplate::previewBytes()
{
    PlateState form = state_;
    FieldReader reader;
    ReadTextFields(*this, PlateTextFields(), reader, form);
    if (!reader.ok()) {
        // The page cannot carry what was just typed: the last preview stays
        // and a line under it says why, without a message box while typing.
        previewNote_ = QStringLiteral("Shift-JISで表せない文字があるため、プレビューは直前のままです：") +
                       reader.problems().join(QStringLiteral("、"));
        if (!previewPage_.empty()) return previewPage_;
        form = state_;
    } else {
        previewNote_.clear();
    }
    form.templateType = SelectedIndex(ui_->typeCombo);
    form.originIndex = SelectedIndex(ui_->originCombo);
    form.weightIndex = SelectedIndex(ui_->weightCombo);
    form.sizeIndex = SelectedIndex(ui_->sizeCombo);
    form.thicknessIndex = ui_->currentServicesGroup->thicknessIndex();
    const PlateFlags f = flags();
    const std::vector<Tariff> ticked = TickedServices(services_, tickedServiceIds());
    previewPage_ = PreviewPageBytes(form, f, ticked);
    previewCheckLines_.clear();
    for (const CheckResult& check : CheckListing(form, f, selections(), ticked))
        previewCheckLines_.push_back(Utf8FromSjis(CheckLine(check)));
    // The width on a phone is said here, beside the preview's phone width,
    // rather than on the form and in the result dialog after each finish.
    for (const CheckResult& check : CheckPhoneWidth(f, selections()))
        previewCheckLines_.push_back(Utf8FromSjis(CheckLine(check)));
    return previewPage_;
}

std::vector<std::string> CDTemplate::previewChecks() const
{
    if (previewNote_.isEmpty()) return previewCheckLines_;
    std::vector<std::string> lines{Utf8Of(previewNote_)};
    lines.insert(lines.end(), previewCheckLines_.begin(), previewCheckLines_.end());
    return lines;
}

}  // namespace torepal
