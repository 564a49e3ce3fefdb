#include "bank/BankStore.h"
#include "bank/ui/AccountBoxes.h"
#include "bank/ui/CBank.h"
#include "plate/ListingChecks.h"
#include "plate/PageTemplates.h"
#include "plate/PlateForm.h"
#include "plate/PlateSettings.h"
#include "plate/PreviewPage.h"
#include "plate/RenderPage.h"
#include "plate/SavedPages.h"
#include "plate/TemplateColours.h"
#include "plate/ui/CComplete.h"
#include "plate/ui/CDTemplate.h"
#include "plate/ui/CLink.h"
#include "plate/ui/CMylink.h"
#include "plate/ui/PlateFormControls.h"
#include "platform/ui/ChecksView.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/PageKeys.h"
#include "platform/ui/QtText.h"
#include "platform/ui/RadioPair.h"
#include "preview/ui/LivePreviewController.h"
#include "shipping/CarrierAvailability.h"
#include "shipping/ParcelLists.h"
#include "shipping/ServiceTicks.h"
#include "shipping/TariffLookup.h"
#include "shipping/TariffReader.h"
#include "shipping/ui/CurrentServicesGroup.h"
#include "store/SettingsFiles.h"
#include "text/Encoding.h"
#include "ui_CDTemplate.h"

// The plate page's live side: the preview that follows the form and the
// texts the recovery file keeps.

namespace torepal {

void CDTemplate::formEdited()
{
    livePreview_->formChanged();
    if (cleared_) {
        cleared_.reset();
        m_ui->clearUndoBar->hide();
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
    ReadEdits(*m_ui, quiet, form);
    return form;
}

void CDTemplate::restoreState(const PlateState& state)
{
    state_ = state;
    push();
    countTitle();
    livePreview_->formChanged();
}

void CDTemplate::projectOpened()
{
    cleared_.reset();
    m_ui->clearUndoBar->hide();
    settle();
}

// ---- the live preview -------------------------------------------------------

std::string CDTemplate::previewBytes()
{
    PlateState form = state_;
    FieldReader reader;
    ReadEdits(*m_ui, reader, form);
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
    form.templateType = SelectedIndex(m_ui->typeCombo);
    form.originIndex = SelectedIndex(m_ui->originCombo);
    form.weightIndex = SelectedIndex(m_ui->weightCombo);
    form.sizeIndex = SelectedIndex(m_ui->sizeCombo);
    form.thicknessIndex = m_ui->currentServicesGroup->thicknessIndex();
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
