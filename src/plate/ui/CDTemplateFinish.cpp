#include <QDialog>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "io/File.h"
#include "plate/ListingChecks.h"
#include "plate/RenderPage.h"
#include "plate/SavedPages.h"
#include "plate/TemplateColours.h"
#include "plate/ui/CComplete.h"
#include "plate/ui/CDTemplate.h"
#include "plate/ui/CLink.h"
#include "plate/ui/CMylink.h"
#include "platform/ui/ChecksView.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/QtText.h"
#include "shipping/ServiceTicks.h"
#include "shipping/TariffLookup.h"
#include "shipping/TariffReader.h"
#include "shipping/ui/CurrentServicesGroup.h"
#include "store/SettingsFiles.h"
#include "text/Encoding.h"
#include "ui_CDTemplate.h"

// The plate page's current services, its dialogs, and the buttons that
// render, save, preview and copy the page.

namespace torepal {

// ---- current services -------------------------------------------------------

void CDTemplate::readTariffs()
{
    TariffFolder read = ReadTariffFolder(programFolder_ / kTariffFolderName);
    services_ = std::move(read.services);
    ui_->currentServicesGroup->setServices(services_);
    const std::string problems = TariffProblemsMessage(read.problems);
    if (!problems.empty()) platform_.showMessage(problems);
}

void CDTemplate::reloadTariffs()
{
    readTariffs();
}

std::vector<std::string> CDTemplate::tickedServiceIds() const
{
    return ui_->currentServicesGroup->tickedIds();
}

void CDTemplate::setTickedServiceIds(const std::vector<std::string>& ids)
{
    const std::vector<std::string> before = tickedServiceIds();
    ui_->currentServicesGroup->setTickedIds(ids);
    if (tickedServiceIds() != before) storeServiceTicks();
}

void CDTemplate::storeServiceTicks()
{
    // The tick stays on the form: only keeping it for the next start failed.
    if (WriteServiceTicks(programFolder_, tickedServiceIds()) != WriteStatus::Ok)
        platform_.showMessage(StoreFailedMessage(std::string(kServiceTicksFileName)));
}

void CDTemplate::countTitle()
{
    // A character Shift-JIS cannot hold is left out of the count; the seller
    // is told about it when a button reads the form.
    const SjisConversion title = SjisFromUtf8(ui_->titleEdit->text().toStdString());
    ui_->titleCountLabel->setText(QString::fromStdString(TitleCountText(title.text)));
}

// ---- dialogs ------------------------------------------------------------

void CDTemplate::editBoothText()
{
    CMylink dialog(platform_, state_.mytext, this);
    if (platform_.runModal(dialog) != QDialog::Accepted) return;
    state_.mytext = dialog.text();
    formEdited();
}

void CDTemplate::makeLinkTag()
{
    CLink dialog(platform_, this);
    if (platform_.runModal(dialog) == QDialog::Accepted) emit succeeded(ToQt(BytesCopiedMessage(dialog.tag().size())));
}

void CDTemplate::choosePaletteColour(int which)
{
    if (which < 0 || which > 2) return;
    const std::optional<Rgb> colour = platform_.chooseColour();
    if (!colour || !pull()) return;
    std::string* const targets[] = {&state_.color, &state_.bgcolor, &state_.fcolor};
    *targets[which] = PaletteColourText(*colour);
    push();
    formEdited();
}

// ---- finishing ------------------------------------------------------------

void CDTemplate::render()
{
    takeSelections();
    const std::vector<Tariff> ticked = TickedServices(services_, tickedServiceIds());
    RenderPage(state_, flags(), ticked);
    checks_ = CheckListing(state_, flags(), selections(), ticked);
    ui_->plateChecks->setChecks(checks_);
}

void CDTemplate::showResult(const std::string& page)
{
    CComplete dialog(platform_, this);
    connect(&dialog, &CComplete::pageCopied, this,
            [this](qsizetype bytes) { emit succeeded(ToQt(BytesCopiedMessage(static_cast<std::size_t>(bytes)))); });
    dialog.setPage(page);
    dialog.setListing(state_.Title, checks_);
    platform_.runModal(dialog);
}

void CDTemplate::finishAndSave()
{
    if (!pull()) return;
    const std::string stamp = FormatTimeStamp(platform_.now());
    render();
    push();
    std::string name;
    if (!SaveFinishedPage(state_, stamp, programFolder_, platform_, &name)) {
        showResult(state_.page);
        return;
    }
    settle();
    emit succeeded(ToQt(PageSavedMessage(name)));
}

void CDTemplate::preview()
{
    if (!pull()) return;
    state_.page.clear();
    render();
    push();
    if (!ShowPreview(state_.page, programFolder_, platform_)) showResult(state_.page);
}

void CDTemplate::finishAndShow()
{
    if (!pull()) return;
    render();
    push();
    settle();
    showResult(state_.page);
}

}  // namespace torepal
