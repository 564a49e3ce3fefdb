#include "files/ui/CFileControl.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "mail/Mailto.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/QtText.h"

namespace torepal {

CFileControl::CFileControl(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent)
    : QWidget(parent), platform_(platform), files_(std::move(programFolder))
{
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("savedFileList"));
    list_->setAccessibleName(QStringLiteral("保存したファイルの一覧"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSortingEnabled(false);  // sorted in code, so the first entry is predictable

    edit_ = new QPlainTextEdit(this);
    edit_->setObjectName(QStringLiteral("fileTextEdit"));
    edit_->setAccessibleName(QStringLiteral("ファイルの内容"));
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setTabChangesFocus(true);

    folderHint_ = new QLabel(QStringLiteral("プログラムのフォルダーに「back」フォルダーがありません。"
                                            "保存したプレートやメールはそこに置かれます。"),
                             this);
    folderHint_->setObjectName(QStringLiteral("folderHint"));
    folderHint_->setWordWrap(true);
    folderHint_->hide();

    auto* lists = new QHBoxLayout;
    lists->addWidget(list_, 1);
    lists->addWidget(edit_, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addButton(QStringLiteral("ファイルの削除"), "deleteButton", &CFileControl::deleteFile));
    buttons->addWidget(addButton(QStringLiteral("メーラー起動"), "mailerButton", &CFileControl::startMailer));
    buttons->addWidget(addButton(QStringLiteral("プレビュー"), "previewButton", &CFileControl::preview));
    buttons->addWidget(addButton(QStringLiteral("クリップボードへコピー"), "copyButton", &CFileControl::copyText));
    buttons->addWidget(addButton(QStringLiteral("内容更新"), "writeBackButton", &CFileControl::writeBack));
    buttons->addStretch(1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(folderHint_);
    page->addLayout(lists, 1);
    page->addLayout(buttons);

    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        if (selectedRow() >= 0) showSelected();
    });
}

QPushButton* CFileControl::addButton(const QString& caption, const char* objectName, void (CFileControl::*operation)())
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(objectName));
    // Enter inside the page must not press a button.
    button->setAutoDefault(false);
    button->setDefault(false);
    connect(button, &QPushButton::clicked, this, operation);
    return button;
}

void CFileControl::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape do nothing here: they must not reach the main
    // window, where Escape would close the program.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void CFileControl::refreshList()
{
    const QSignalBlocker blocker(list_);
    const bool folderExists = files_.refresh();
    folderHint_->setVisible(!folderExists);
    list_->clear();
    for (const SavedFile& entry : files_.entries()) list_->addItem(ToQt(entry.name));
}

void CFileControl::selectFirst()
{
    if (list_->count() == 0) return;
    const QSignalBlocker blocker(list_);
    list_->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void CFileControl::tabSelected()
{
    refreshList();
    selectFirst();
    showSelected();
}

int CFileControl::selectedRow() const
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return -1;
    const int row = list_->row(selected.front());
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
    SetMultiline(edit_, text_);
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
        SetMultiline(edit_, text_);
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
    const std::string text = reader.multiline(edit_, QStringLiteral("ファイルの内容"));
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
