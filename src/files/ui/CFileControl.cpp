#include "files/ui/CFileControl.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "mail/Mailto.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/PageKeys.h"
#include "platform/ui/QtText.h"
#include "text/Encoding.h"
#include "text/Files.h"
#include "ui_CFileControl.h"

namespace torepal {

CFileControl::CFileControl(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent)
    : QWidget(parent), platform_(platform), files_(std::move(programFolder)), ui_(std::make_unique<Ui::CFileControl>())
{
    ui_->setupUi(this);
    ui_->folderHint->hide();  // until a listing finds no back/ folder
    connect(ui_->deleteButton, &QPushButton::clicked, this, &CFileControl::deleteFile);
    connect(ui_->mailerButton, &QPushButton::clicked, this, &CFileControl::startMailer);
    connect(ui_->previewButton, &QPushButton::clicked, this, &CFileControl::preview);
    connect(ui_->copyButton, &QPushButton::clicked, this, &CFileControl::copyText);
    connect(ui_->writeBackButton, &QPushButton::clicked, this, &CFileControl::writeBack);
    connect(ui_->restoreFileButton, &QPushButton::clicked, this, &CFileControl::restoreDeleted);
    ui_->deletedFilesRow->hide();  // until a deletion without a trash keeps a file there
    // The list is sorted in code (the form turns Qt's sorting off), so the
    // first entry is predictable.
    connect(ui_->savedFileList, &QListWidget::itemSelectionChanged, this, [this] {
        const int row = selectedRow();
        if (row < 0 || row == shownRow_) return;
        if (!settleUnsaved()) {
            // Back to the entry whose edits the seller keeps.
            const QSignalBlocker blocker(ui_->savedFileList);
            ui_->savedFileList->setCurrentRow(shownRow_, QItemSelectionModel::ClearAndSelect);
            return;
        }
        showSelected();
    });
    InstallPageKeys(*this);
}

CFileControl::~CFileControl() = default;

void CFileControl::refreshList()
{
    const QSignalBlocker blocker(ui_->savedFileList);
    const bool folderExists = files_.refresh();
    ui_->folderHint->setVisible(!folderExists);
    ui_->savedFileList->clear();
    shownRow_ = -1;  // the rows may now be other entries
    for (const SavedFile& entry : files_.entries()) ui_->savedFileList->addItem(ToQt(entry.name));
    listDeleted();
}

void CFileControl::listDeleted()
{
    deleted_ = files_.deletedEntries();
    ui_->deletedFilesCombo->clear();
    for (const SavedFile& entry : deleted_) ui_->deletedFilesCombo->addItem(ToQt(entry.name));
    ui_->deletedFilesRow->setVisible(!deleted_.empty());
}

void CFileControl::restoreDeleted()
{
    const int row = ui_->deletedFilesCombo->currentIndex();
    if (row < 0 || static_cast<std::size_t>(row) >= deleted_.size()) return;
    const SavedFile entry = deleted_[static_cast<std::size_t>(row)];
    // The restored file is shown next, so the shown one is settled first.
    if (!settleUnsaved()) return;
    const RestoreStatus status = files_.restoreDeleted(entry.diskName);
    if (status != RestoreStatus::Restored) {
        platform_.showMessage(RestoreRefusedMessage(entry.name, status));
        listDeleted();
        return;
    }
    refreshList();
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (files_.entries()[i].diskName == entry.diskName) {
            const QSignalBlocker blocker(ui_->savedFileList);
            ui_->savedFileList->setCurrentRow(static_cast<int>(i), QItemSelectionModel::ClearAndSelect);
        }
    showSelected();
    platform_.showSuccess(RestoredMessage(entry.name));
}

void CFileControl::selectFirst()
{
    if (ui_->savedFileList->count() == 0) return;
    const QSignalBlocker blocker(ui_->savedFileList);
    ui_->savedFileList->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void CFileControl::tabSelected()
{
    if (!settleUnsaved()) return;
    refreshList();
    selectFirst();
    showSelected();
}

int CFileControl::selectedRow() const
{
    const QList<QListWidgetItem*> selected = ui_->savedFileList->selectedItems();
    if (selected.isEmpty()) return -1;
    const int row = ui_->savedFileList->row(selected.front());
    return row < static_cast<int>(files_.size()) ? row : -1;
}

void CFileControl::showSelected()
{
    const int row = selectedRow();
    if (row >= 0) {
        const SavedFileText shown = files_.show(static_cast<std::size_t>(row));
        text_ = shown.text;
        loaded_ = shown.loaded;
    }
    shownRow_ = row;
    // With nothing listed the box shows the text the page still holds.
    SetMultiline(ui_->fileTextEdit, text_);
    shownText_ = ui_->fileTextEdit->toPlainText();
}

bool CFileControl::settleUnsaved()
{
    // Edited means the box differs from what was shown or written back,
    // however it got there (typed, pasted, undone back to the original).
    if (shownRow_ < 0 || static_cast<std::size_t>(shownRow_) >= files_.size() || !loaded_ ||
        ui_->fileTextEdit->toPlainText() == shownText_)
        return true;
    return SettleUnsavedEdits(platform_, files_.entries()[static_cast<std::size_t>(shownRow_)].name,
                              [this] { return writeRow(shownRow_); });
}

void CFileControl::deleteFile()
{
    if (files_.empty()) {
        platform_.showMessage(FileMessages().noFileToDelete);
    } else {
        const int row = selectedRow();
        if (row < 0) {
            platform_.showMessage(FileMessages().nothingSelected);
            return;
        }
        if (!settleUnsaved()) return;
        // Into the desktop's trash, where the seller can restore it; where
        // there is none, into back/.deleted/, from which this page puts it
        // back. Folders are never taken.
        const auto index = static_cast<std::size_t>(row);
        const std::string name = files_.entries()[index].name;
        if (!files_.removable(index)) {
            platform_.showMessage(FileMessages().deleteFailed);
        } else if (!platform_.moveToTrash(files_.pathOf(index))) {
            const std::filesystem::path kept = files_.moveToDeleted(index);
            if (kept.empty())
                platform_.showMessage(FileMessages().deleteFailed);
            else
                platform_.showSuccess(MovedToDeletedMessage(name, SjisFileName(kept)));
        }
        refreshList();
    }
    selectFirst();
    showSelected();
    if (files_.empty()) {
        text_.clear();
        loaded_ = false;
        SetMultiline(ui_->fileTextEdit, text_);
    }
}

void CFileControl::startMailer()
{
    if (files_.empty() || selectedRow() < 0) {
        platform_.showMessage(FileMessages().nothingSelected);
        return;
    }
    // No recipient: the seller chooses one in the mail program.
    if (MailtoTooLong({}, text_)) {
        platform_.showMessage(FileMessages().tooLarge);
        return;
    }
    // With no mail program the open would do nothing: say so, and offer
    // the clipboard instead.
    if (platform_.handlerPresence(DesktopHandler::Mail) == HandlerPresence::Missing) {
        if (platform_.askYesNo(NoHandlerQuestion(DesktopHandler::Mail, Sjis("ファイルの内容をクリップボードへコピー"))))
            copyShown();
        return;
    }
    platform_.openUri(MailtoUri({}, text_));
}

void CFileControl::preview()
{
    const int row = selectedRow();
    if (row < 0) return;
    const std::filesystem::path path = files_.pathOf(static_cast<std::size_t>(row));
    // A saved page needs a browser; a mail opens in whatever the desktop
    // gives text files, which it is not asked about.
    const std::string suffix = path.extension().string();
    const bool page = suffix == ".html" || suffix == ".htm" || suffix == ".HTML" || suffix == ".HTM";
    if (page && platform_.handlerPresence(DesktopHandler::Html) == HandlerPresence::Missing) {
        if (platform_.askYesNo(NoHandlerQuestion(DesktopHandler::Html, Sjis("ファイルの内容をクリップボードへコピー"))))
            copyShown();
        return;
    }
    platform_.openFile(path);
}

void CFileControl::copyText()
{
    if (selectedRow() < 0) return;
    copyShown();
}

void CFileControl::copyShown()
{
    if (platform_.copyText(text_)) platform_.showSuccess(CopiedBytesMessage(text_.size()));
}

void CFileControl::writeBack()
{
    writeRow(selectedRow());
}

bool CFileControl::writeRow(int row)
{
    if (row < 0) return false;
    FieldReader reader;
    const std::string text = reader.multiline(ui_->fileTextEdit, QStringLiteral("ファイルの内容"));
    if (!reader.reportTo(platform_)) return false;
    const auto index = static_cast<std::size_t>(row);
    switch (files_.writeBack(index, loaded_, text)) {
        case WriteBackStatus::Written:
            text_ = text;
            shownText_ = ui_->fileTextEdit->toPlainText();
            platform_.showSuccess(SavedMessage(Sjis("back/") + files_.entries()[index].name));
            return true;
        case WriteBackStatus::NotLoaded:
            platform_.showMessage(FileMessages().notLoaded);
            break;
        case WriteBackStatus::NotAFile:
            platform_.showMessage(FileMessages().notAFile);
            break;
        case WriteBackStatus::Failed:
            platform_.showMessage(FileMessages().writeFailed);
            break;
    }
    return false;
}

}  // namespace torepal
