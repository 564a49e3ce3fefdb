#include <filesystem>
#include <optional>
#include <string>

#include "app/ProjectFile.h"
#include "app/ProjectMapping.h"
#include "app/ui/FormsSnapshot.h"
#include "app/ui/MainDialog.h"
#include "app/ui/RecoveryKeeper.h"
#include "io/File.h"
#include "mail/ui/CMail.h"
#include "plate/PlateState.h"
#include "plate/ui/CDTemplate.h"
#include "platform/ui/DesktopPlatform.h"
#include "shipping/ServiceTicks.h"
#include "text/Encoding.h"
#include "text/Files.h"
#include "text/Lines.h"

// "保存（&S）" and "開く（&O）": both forms into one project file and back.

namespace torepal {

void MainDialog::saveProject()
{
    // Both forms must be readable before anything changes.
    if (!plate_->pull() || !mailPage().pull()) return;
    // The accounts saved are bank.ini's, as the mail page now reads them.
    mail_->loadAccounts();

    KeepOneLineValuesOnOneLine(plate_->state(), mail_->state().accounts);
    plate_->push();
    projectText_ = BuildProjectText(ProjectFromForms(plate_->state(), plate_->flags(), plate_->selections(),
                                                     mail_->state(), plate_->tickedServiceIds()));

    const std::optional<std::filesystem::path> path = platform_.chooseFileToSave(ProjectFileDialog());
    if (!path) return;
    // Written beside the chosen file and renamed over it only when whole:
    // a failed save never leaves half a project in place of a good one.
    if (WriteFileAtomically(*path, ToTextMode(projectText_)) != WriteStatus::Ok) {
        platform_.showMessage(ProjectSaveFailedMessage());
        return;
    }
    platform_.showSuccess(SavedMessage(SjisFromUtf8(path->string()).text));
    settlePlateTexts();
    recovery_->settleMail();
}

void MainDialog::openProject()
{
    const std::optional<std::filesystem::path> path = platform_.chooseFileToOpen(ProjectFileDialog());
    if (!path) return;
    const ReadResult read = ReadWholeFile(*path);
    if (!read.ok()) {
        platform_.showMessage(ProjectNotOpenedMessage(ProjectUnreadableMessage(read.status == ReadStatus::TooLarge)));
        return;
    }
    std::string reason;
    const std::optional<ProjectRecord> opened = ParseProjectText(read.bytes, &reason);
    if (!opened) {
        platform_.showMessage(ProjectNotOpenedMessage(reason));
        return;
    }
    const ProjectRecord& r = *opened;
    const FormsSnapshot before = FormsSnapshot::of(*plate_, mailPage());

    // The mail page takes the file's values as they are; what was typed
    // there is replaced, so it is not read first.
    MailFromProject(r, mailPage().state());
    mail_->setTicks(mail_->state().useAccount);
    mail_->push();

    // The plate page: cleared, then every value of the file. The file's
    // texts are shown first, so the clear reads back nothing it would have
    // to refuse (a character typed earlier that Shift-JIS cannot hold).
    PlateState& plate = plate_->state();
    PlateFlags flags;
    PlateSelections selections;
    PlateFromProject(r, plate, flags, selections);
    plate_->push();
    plate_->clearForm();
    PlateFromProject(r, plate, flags, selections);
    plate_->setFlags(flags);
    plate_->setSelections(selections);
    // The project's accounts serve this page until its tab is chosen again;
    // bank.ini and the mail page's copy stay as they are.
    plate_->setProjectAccounts(r.accounts);
    // Services whose tariff files are gone (or left out as faulty) cannot
    // be ticked; the seller hears which.
    const ProjectServices services = ServicesOfProject(r, plate_->currentServices());
    plate_->setTickedServiceIds(services.known);
    if (!services.unknown.empty()) platform_.showMessage(UnknownServicesMessage(services.unknown));
    plate_->push();
    plate_->typeChanged();
    plate_->weightChanged();
    plate_->sizeChanged();
    plate_->originChanged();
    // The forms now hold the file's texts: nothing of them to recover.
    plate_->projectOpened();
    recovery_->settleMail();
    offerFormsUndo(
        QStringLiteral("「") + QString::fromStdString(path->filename().string()) + QStringLiteral("」を開きました。"),
        before);
}

}  // namespace torepal
