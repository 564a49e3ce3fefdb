#include "files/ui/CFileControl.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "mail/Mailto.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/PageKeys.h"
#include "platform/ui/QtText.h"
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
    // The list is sorted in code (the form turns Qt's sorting off), so the
    // first entry is predictable.
    connect(ui_->savedFileList, &QListWidget::itemSelectionChanged, this, [this] {
        if (selectedRow() >= 0) showSelected();
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
    for (const SavedFile& entry : files_.entries()) ui_->savedFileList->addItem(ToQt(entry.name));
}

void CFileControl::selectFirst()
{
    if (ui_->savedFileList->count() == 0) return;
    const QSignalBlocker blocker(ui_->savedFileList);
    ui_->savedFileList->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void CFileControl::tabSelected()
{
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
    // With nothing listed the box shows the text the page still holds.
    SetMultiline(ui_->fileTextEdit, text_);
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
        if (!files_.remove(static_cast<std::size_t>(row))) platform_.showMessage(FileMessages().deleteFailed);
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
    platform_.openUri(MailtoUri({}, text_));
}

void CFileControl::preview()
{
    const int row = selectedRow();
    if (row < 0) return;
    platform_.openFile(files_.pathOf(static_cast<std::size_t>(row)));
}

void CFileControl::copyText()
{
    if (selectedRow() < 0) return;
    platform_.copyText(text_);
}

void CFileControl::writeBack()
{
    const int row = selectedRow();
    if (row < 0) return;
    FieldReader reader;
    const std::string text = reader.multiline(ui_->fileTextEdit, QStringLiteral("ファイルの内容"));
    if (!reader.reportTo(platform_)) return;
    switch (files_.writeBack(static_cast<std::size_t>(row), loaded_, text)) {
        case WriteBackStatus::Written:
            text_ = text;
            break;
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
}

}  // namespace torepal
