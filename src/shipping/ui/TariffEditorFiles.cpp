#include <QDate>
#include <QUndoStack>
#include <filesystem>
#include <system_error>

#include "shipping/TariffFiles.h"
#include "shipping/TariffReader.h"
#include "shipping/ui/TariffEditor.h"
#include "shipping/ui/TariffEditorShared.h"
#include "ui_TariffEditor.h"

// The tariff editor's files: saving the service (renaming its file when the
// ID changed), a new or copied service, deleting into the backups and
// restoring from them, and closing with changes unsaved.

namespace torepal {

using namespace tariff_editor;

bool TariffEditor::save()
{
    if (const auto idFault = ServiceIdFault(current_.id, takenIds())) {
        tell(QStringLiteral("保存できません。") + Q(*idFault));
        ui_->idEdit->setFocus();
        return false;
    }
    if (fault_) {
        tell(QStringLiteral("保存できません。%1: %2")
                 .arg(Q(DescribeTariffCell(current_, fault_->cell)), Q(fault_->reason)));
        selectFaultCell();
        return false;
    }
    std::error_code ec;
    const bool renaming = !loadedId_.empty() && loadedId_ != current_.id;
    if ((loadedId_.empty() || renaming) && std::filesystem::exists(TariffFile(folder_, current_.id), ec)) {
        tell(QStringLiteral("ID「%1」のサービスはすでにあります。別のIDにしてください。").arg(Q(current_.id)));
        ui_->idEdit->setFocus();
        return false;
    }
    if (!loadedId_.empty() && !commentsAcknowledged_ && TariffFileHasComments(folder_, loadedId_)) {
        if (!ask(QStringLiteral("「%1.toml」には手で書いた注釈（# のあとの文）があります。"
                                "保存すると注釈は残りません。保存しますか？")
                     .arg(Q(loadedId_))))
            return false;
        commentsAcknowledged_ = true;
    }
    if (renaming) {
        if (RenameTariff(folder_, loadedId_, current_.id) != TariffFileStatus::Done) {
            tell(QStringLiteral("ファイルの名前を変えられませんでした。何も変わっていません。"));
            return false;
        }
        changedFiles_ = true;
        loadedId_ = current_.id;
    }
    const TariffSaveResult saved = SaveTariff(folder_, current_);
    if (saved.status != TariffFileStatus::Done) {
        tell(
            QStringLiteral("料金表を保存できませんでした（ディスクがいっぱいか、書き込めません）。"
                           "ファイルは元のままです。"));
        if (renaming) emit tariffsChanged();
        return false;
    }
    loadedId_ = current_.id;
    baseline_ = current_;
    datedPrices_ = true;
    unsaved_ = false;
    undo_->setClean();
    changedFiles_ = true;
    loadFolder(current_.id);
    validate();
    emit tariffsChanged();
    return true;
}

void TariffEditor::newService()
{
    if (!maySwitch()) return;
    Tariff t;
    t.id = FreeTariffId(folder_, "new-service");
    const QDate today = QDate::currentDate();
    t.date = {today.year(), today.month(), today.day()};
    t.shape = TariffShape::Bands;
    t.variants.push_back({"", {WeightBand{}}});
    const QSignalBlocker block(ui_->serviceList);
    ui_->serviceList->setCurrentRow(-1);
    showService(t, false);
    ui_->nameEdit->setFocus();
}

void TariffEditor::copyService()
{
    if (!maySwitch()) return;
    Tariff t = current_;
    t.id = FreeTariffId(folder_, t.id);
    const QSignalBlocker block(ui_->serviceList);
    ui_->serviceList->setCurrentRow(-1);
    showService(t, false);
    datedPrices_ = true;  // the copy's prices are still those of its date
    ui_->idEdit->setFocus();
}

void TariffEditor::deleteService()
{
    const std::string id = loadedId_;
    if (id.empty()) {
        // A service never saved has no file: it is only let go.
        if (!ask(QStringLiteral("保存していないサービス「%1」を破棄しますか？").arg(Q(current_.name)))) return;
        undo_->clear();
        unsaved_ = false;
        loadFolder({});
        if (ui_->serviceList->count() == 0) newService();
        return;
    }
    if (!ask(QStringLiteral("「%1」（%2.toml）を削除しますか？\n削除したファイルは残してあり、"
                            "「削除したサービス」から復元できます。")
                 .arg(Q(current_.name.empty() ? id : current_.name), Q(id))))
        return;
    if (DeleteTariffToBackup(folder_, id) != TariffFileStatus::Done) {
        tell(QStringLiteral("「%1.toml」を削除できませんでした。").arg(Q(id)));
        return;
    }
    changedFiles_ = true;
    undo_->clear();
    loadedId_.clear();
    unsaved_ = false;
    current_ = Tariff{};
    loadFolder({});
    if (ui_->serviceList->count() == 0) newService();
    emit tariffsChanged();
}

void TariffEditor::restoreService()
{
    const std::string id = U(ui_->deletedCombo->currentText());
    if (id.empty()) return;
    const TariffFileStatus status = RestoreTariff(folder_, id);
    if (status == TariffFileStatus::Exists) {
        tell(QStringLiteral("「%1.toml」がすでにあるため復元できません。先にそのサービスのIDを変えてください。")
                 .arg(Q(id)));
        return;
    }
    if (status != TariffFileStatus::Done) {
        tell(QStringLiteral("「%1.toml」を復元できませんでした。").arg(Q(id)));
        return;
    }
    changedFiles_ = true;
    if (maySwitch()) {
        undo_->clear();
        loadedId_.clear();
        unsaved_ = false;
        loadFolder(id);
    } else {
        loadFolder(current_.id);
    }
    emit tariffsChanged();
}

void TariffEditor::reject()
{
    if (!maySwitch()) return;
    QDialog::reject();
}

}  // namespace torepal
