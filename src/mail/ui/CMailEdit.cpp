#include "mail/ui/CMailEdit.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "mail/MailMessages.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/QtText.h"
#include "text/Encoding.h"
#include "ui_CMailEdit.h"

namespace torepal {

CMailEdit::CMailEdit(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent)
    : QDialog(parent), platform_(platform), folder_(std::move(programFolder)), ui_(std::make_unique<Ui::CMailEdit>())
{
    ui_->setupUi(this);
    setModal(false);
    connect(ui_->typeCombo, &QComboBox::currentIndexChanged, this, [this] { loadSelected(); });
    connect(ui_->saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(ui_->okButton, &QPushButton::clicked, this, &CMailEdit::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CMailEdit::reject);
    // The count follows the text as the seller types: the bytes the
    // template would hold, each line break as CR LF.
    connect(ui_->textEdit, &QPlainTextEdit::textChanged, this, &CMailEdit::showByteCount);
}

CMailEdit::~CMailEdit() = default;

void CMailEdit::openFresh()
{
    templates_ = ListTemplates(folder_);
    loadedIndex_ = -1;
    {
        const QSignalBlocker block(ui_->typeCombo);
        ui_->typeCombo->clear();
        for (const TemplateEntry& entry : templates_) ui_->typeCombo->addItem(ToQt(entry.name));
        ui_->typeCombo->setCurrentIndex(-1);
    }
    ui_->textEdit->clear();
    loadedText_.clear();
    ui_->byteCountEdit->clear();
    if (!templates_.empty()) ui_->typeCombo->setCurrentIndex(0);  // loads it
}

void CMailEdit::loadSelected()
{
    const int index = ui_->typeCombo->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= templates_.size()) return;
    if (index == loadedIndex_) return;
    if (!settleUnsaved()) {
        const QSignalBlocker block(ui_->typeCombo);
        ui_->typeCombo->setCurrentIndex(loadedIndex_);
        return;
    }
    const TemplateEntry& entry = templates_[static_cast<std::size_t>(index)];
    const std::optional<std::string> text = ReadTemplate(entry.path);
    if (!text) {
        platform_.showMessage(TemplateUnreadableMessage(entry.name));
        // The text shown stays, and so does the name it belongs to: "保存"
        // can only ever write a text back into its own template.
        if (loadedIndex_ >= 0) {
            const QSignalBlocker block(ui_->typeCombo);
            ui_->typeCombo->setCurrentIndex(loadedIndex_);
        }
        return;
    }
    SetMultiline(ui_->textEdit, *text);
    loadedText_ = ui_->textEdit->toPlainText();
    ui_->byteCountEdit->setText(QString::number(text->size()));
    loadedIndex_ = index;
}

void CMailEdit::showByteCount()
{
    if (loadedIndex_ < 0) return;  // nothing loaded: the count stays empty
    FieldReader reader;
    const std::string text = reader.multiline(ui_->textEdit, {});
    ui_->byteCountEdit->setText(QString::number(text.size()));
}

bool CMailEdit::settleUnsaved()
{
    if (loadedIndex_ < 0 || ui_->textEdit->toPlainText() == loadedText_) return true;
    const std::string& name = templates_[static_cast<std::size_t>(loadedIndex_)].name;
    return SettleUnsavedEdits(platform_, name, [this] { return save(); });
}

void CMailEdit::accept()
{
    if (settleUnsaved()) QDialog::accept();
}

void CMailEdit::reject()
{
    if (settleUnsaved()) QDialog::reject();
}

bool CMailEdit::save()
{
    if (loadedIndex_ < 0 || static_cast<std::size_t>(loadedIndex_) >= templates_.size()) {
        platform_.showMessage(NothingToSaveMessage());
        return false;
    }
    const TemplateEntry& entry = templates_[static_cast<std::size_t>(loadedIndex_)];
    FieldReader reader;
    const std::string text = reader.multiline(ui_->textEdit, QStringLiteral("メールテンプレート"));
    if (!reader.reportTo(platform_)) return false;
    if (WriteTemplate(entry.path, text)) {
        loadedText_ = ui_->textEdit->toPlainText();
        platform_.showSuccess(SavedMessage(Sjis("file/") + entry.name));
        return true;
    }
    platform_.showMessage(TemplateNotSavedMessage(entry.name));
    return false;
}

std::optional<std::string> CMailEdit::loadedName() const
{
    if (loadedIndex_ < 0 || static_cast<std::size_t>(loadedIndex_) >= templates_.size()) return std::nullopt;
    return templates_[static_cast<std::size_t>(loadedIndex_)].name;
}

}  // namespace torepal
