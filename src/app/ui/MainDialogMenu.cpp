#include <QDialog>
#include <filesystem>
#include <string>
#include <utility>

#include "app/ui/CAbout.h"
#include "app/ui/CNew.h"
#include "app/ui/FormsSnapshot.h"
#include "app/ui/MainDialog.h"
#include "mail/ui/CMail.h"
#include "plate/PageTemplates.h"
#include "plate/ui/CDTemplate.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/UndoOffer.h"
#include "shipping/ui/TariffEditor.h"
#include "text/Encoding.h"
#include "ui_MainDialog.h"

// The menu's commands other than the project files: new forms, help, the
// about box, the maker's page, the live preview and the tariff editor.

namespace torepal {

void MainDialog::newForms()
{
    CNew dialog(this);
    if (platform_.runModal(dialog) != QDialog::Accepted) return;
    const FormsSnapshot before = FormsSnapshot::of(*plate_, mailPage());
    mailPage().clearParcelFields();
    plate_->clearForm();
    plate_->typeChanged();
    plate_->weightChanged();
    plate_->sizeChanged();
    plate_->originChanged();
    settlePlateTexts();
    // One way back for both forms, in the status line, instead of the
    // plate page's own.
    plate_->withdrawClearUndo();
    offerFormsUndo(QStringLiteral("新規作成しました。"), before);
}

void MainDialog::offerFormsUndo(const QString& note, const FormsSnapshot& before)
{
    if (before == FormsSnapshot::of(*plate_, mailPage())) return;
    formsUndo_->offer(note, [this, before] { before.putBack(*plate_); });
}

bool MainDialog::handlerOrCopy(DesktopHandler kind, const std::string& sjisOffer, const std::string& sjisText)
{
    if (platform_.handlerPresence(kind) != HandlerPresence::Missing) return true;
    if (platform_.askYesNo(NoHandlerQuestion(kind, sjisOffer)) && platform_.copyText(sjisText))
        platform_.showSuccess(CopiedBytesMessage(sjisText.size()));
    return false;
}

void MainDialog::showHelp()
{
    // From the program's own folder, whatever the current folder is.
    const std::filesystem::path help = folder_ / "menu_help.html";
    if (!handlerOrCopy(DesktopHandler::Html, Sjis("ヘルプのファイルの場所をクリップボードへコピー"),
                       SjisFromUtf8(std::filesystem::absolute(help).string()).text))
        return;
    platform_.openFile(help);
}

void MainDialog::showAbout()
{
    CAbout dialog(this);
    platform_.runModal(dialog);
}

void MainDialog::openMakerPage()
{
    if (!handlerOrCopy(DesktopHandler::Web, Sjis("ホームページのアドレスをクリップボードへコピー"), HomePageUrl()))
        return;
    platform_.openUri(HomePageUrl());
}

void MainDialog::setLivePreviewOpener(std::function<void()> open)
{
    livePreviewOpener_ = std::move(open);
    ui_->livePreviewAction->setEnabled(static_cast<bool>(livePreviewOpener_));
}

void MainDialog::setTariffReloader(std::function<void()> reload)
{
    tariffReloader_ = std::move(reload);
}

void MainDialog::openLivePreview()
{
    // When the plate page has livePreview(): platePage().livePreview().open();
    if (livePreviewOpener_) livePreviewOpener_();
}

void MainDialog::editTariffs()
{
    TariffEditor editor(platform_, folder_, this);
    platform_.runModal(editor);
    // The plate page's current services read the files again only when
    // the editor wrote or deleted one.
    if (editor.changedFiles() && tariffReloader_) tariffReloader_();
}

}  // namespace torepal
