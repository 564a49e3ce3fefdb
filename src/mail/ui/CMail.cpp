#include "mail/ui/CMail.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>

#include "bank/ui/AccountBoxes.h"
#include "bank/ui/CBank.h"
#include "mail/ComposeMail.h"
#include "mail/MailChecks.h"
#include "mail/MailMessages.h"
#include "mail/Mailto.h"
#include "mail/ui/CMailEdit.h"
#include "platform/ui/ChecksView.h"
#include "platform/ui/ControlValues.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/PageKeys.h"
#include "platform/ui/QtText.h"
#include "platform/ui/TextFieldControls.h"
#include "platform/ui/UndoOffer.h"
#include "platform/ui/UpDownScroll.h"
#include "store/SettingsFiles.h"
#include "text/Encoding.h"
#include "text/Files.h"
#include "ui_CMail.h"

namespace torepal {

CMail::CMail(DesktopPlatform& platform, BankStore& bank, std::filesystem::path programFolder, QWidget* parent)
    : QWidget(parent),
      platform_(platform),
      bank_(bank),
      folder_(std::move(programFolder)),
      ui_(std::make_unique<Ui::CMail>())
{
    ui_->setupUi(this);
    // The left column scrolls up and down on a low screen but never
    // sideways: it keeps the width its boxes want.
    ScrollUpAndDownOnly(*ui_->leftScroll);
    accountBoxes_ = {ui_->account1Box, ui_->account2Box, ui_->account3Box,
                     ui_->account4Box, ui_->account5Box, ui_->account6Box};
    connect(ui_->previewButton, &QPushButton::clicked, this, &CMail::preview);
    connect(ui_->saveButton, &QPushButton::clicked, this, &CMail::saveMail);
    connect(ui_->mailerButton, &QPushButton::clicked, this, &CMail::startMailer);
    connect(ui_->clearButton, &QPushButton::clicked, this, &CMail::clearByButton);
    connect(ui_->copyButton, &QPushButton::clicked, this, &CMail::copyToClipboard);
    connect(ui_->editTemplateButton, &QPushButton::clicked, this, &CMail::openTemplateEditor);
    connect(ui_->editAccountsButton, &QPushButton::clicked, this, &CMail::editAccounts);
    undo_ = new UndoOffer(QStringLiteral("mailUndo"), this);
    ui_->buttonRow->addWidget(undo_);
    undo_->withdrawOnChangesIn(*this);
    InstallPageKeys(*this);
}

CMail::~CMail() = default;

CMail::StartReads CMail::readAtStart(Platform& platform, const std::filesystem::path& programFolder)
{
    StartReads reads{ListTemplates(programFolder), LoadStatusFile(programFolder)};
    if (reads.status.status == LoadStatus::Damaged)
        platform.showMessage(DamagedSettingsMessage(kStatusFile, reads.status.keptCopy));
    return reads;
}

void CMail::startUp()
{
    startUp(readAtStart(platform_, folder_));
}

void CMail::startUp(const StartReads& reads)
{
    fillTemplates(reads.templates);
    loadAccounts();
    ApplyStatusSettings(reads.status.record, state_);
    push();
    captionBoxes();
    emit settled();
}

void CMail::fillTemplates(std::vector<TemplateEntry> templates)
{
    // Filled once: templates added while the program runs show after a
    // restart (the editor lists the folder afresh each time it opens).
    templates_ = std::move(templates);
    ui_->templateCombo->clear();
    for (const TemplateEntry& entry : templates_) ui_->templateCombo->addItem(ToQt(entry.name));
    ui_->templateCombo->setCurrentIndex(templates_.empty() ? -1 : 0);
}

void CMail::captionBoxes()
{
    CaptionAccountBoxes(accountBoxes_, state_.accounts);
}

void CMail::reloadAccountsIntoState()
{
    const Loaded<CBSave> loaded = bank_.load(generation_);
    state_.accounts = loaded.record.rows;
    captionBoxes();
    if (bank_.takeDamageReport()) platform_.showMessage(DamagedSettingsMessage(kBankFile, loaded.keptCopy));
}

void CMail::loadAccounts()
{
    FieldReader reader;
    const bool pulled = pullInto(reader);
    reloadAccountsIntoState();
    // When a field holds a character that cannot be kept, the controls are
    // left as typed; the next operation that needs them says which.
    if (pulled) push();
}

void CMail::clearParcelFields()
{
    FieldReader reader;
    const bool pulled = pullInto(reader);
    for (std::string* field : {&state_.item, &state_.name, &state_.fauc, &state_.bidderMail, &state_.transnum,
                               &state_.transmen, &state_.ftrans})
        field->clear();
    if (pulled) {
        push();
    } else {
        for (QLineEdit* edit : {ui_->itemEdit, ui_->nameEdit, ui_->faucEdit, ui_->bidderMailEdit, ui_->transnumEdit,
                                ui_->transmenEdit, ui_->ftransEdit})
            edit->clear();
    }
    emit settled();
}

bool CMail::saveStatus()
{
    if (!pull()) return false;
    CSavemail record = StatusSettingsRecord(state_);
    record.accountTicks = ticks();
    if (StoreStatusFile(folder_, record)) return true;
    platform_.showMessage(StoreFailedMessage(kStatusFile));
    return false;
}

bool CMail::saveAccounts()
{
    // The plate page's editor may have written bank.ini since this copy
    // was taken: never undo that edit.
    if (bank_.isStale(generation_)) reloadAccountsIntoState();
    if (bank_.store(state_.accounts, generation_)) return true;
    platform_.showMessage(StoreFailedMessage(kBankFile));
    return false;
}

bool CMail::pullInto(FieldReader& r, bool withBody)
{
    MailState s = state_;
    ReadTextFields(*this, MailTextFields(), r, s,
                   [withBody](const MailTextField& f) { return withBody || f.value != &MailTexts::body; });
    if (!r.ok()) return false;
    s.useAccount = ticks();
    state_ = std::move(s);
    return true;
}

bool CMail::pull()
{
    FieldReader reader;
    if (pullInto(reader)) return true;
    reader.reportTo(platform_);
    return false;
}

void CMail::push()
{
    ShowTextFields(*this, MailTextFields(), state_);
    for (std::size_t i = 0; i < kAccountCount; ++i) accountBoxes_[i]->setChecked(state_.useAccount[i]);
}

AccountTicks CMail::ticks() const
{
    AccountTicks t{};
    for (std::size_t i = 0; i < kAccountCount; ++i) t[i] = accountBoxes_[i]->isChecked();
    return t;
}

void CMail::setTicks(const AccountTicks& t)
{
    state_.useAccount = t;
    for (std::size_t i = 0; i < kAccountCount; ++i) accountBoxes_[i]->setChecked(t[i]);
}

CMailEdit* CMail::templateEditor() const
{
    return editor_;
}

MailState CMail::typedState() const
{
    // Read quietly: a field's caption would only name it in a message.
    FieldReader quiet;
    MailState t = state_;
    ReadTextFields(*this, MailTextFields(), quiet, t);
    t.useAccount = ticks();
    return t;
}

MailForm CMail::typedForm() const
{
    const MailState typed = typedState();
    return MailForm{typed, typed.useAccount};
}

void CMail::restoreForm(const MailForm& form)
{
    static_cast<MailTexts&>(state_) = form.texts;
    state_.useAccount = form.useAccount;
    push();
}

void CMail::preview()
{
    // The template is read before anything else: if it cannot be, the mail
    // shown stays as it was.
    const int index = ui_->templateCombo->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= templates_.size()) {
        platform_.showMessage(NoTemplateMessage());
        return;
    }
    const TemplateEntry& chosen = templates_[static_cast<std::size_t>(index)];
    const ReadResult read = ReadWholeFile(chosen.path);
    if (!read.ok()) {
        platform_.showMessage(TemplateUnreadableMessage(chosen.name));
        return;
    }
    // The mail box is about to be replaced, so what it holds now (a
    // character Shift-JIS cannot hold included) never stops the compose.
    FieldReader reader;
    if (!pullInto(reader, false)) {
        reader.reportTo(platform_);
        return;
    }
    const ControlValues before = ControlValues::of(*this);
    const QString shown = ui_->bodyEdit->toPlainText();
    ComposeMail(state_, read.bytes);
    push();
    ui_->checksView->setChecks(CheckMail(state_, read.bytes));
    if (!shown.isEmpty() && shown != ui_->bodyEdit->toPlainText())
        offerUndo(QStringLiteral("メール本文を作り直しました。"), before, true);
}

void CMail::saveMail()
{
    if (!pull()) return;
    const std::string stamp = FormatTimeStamp(platform_.now());
    std::string saved;
    if (SaveMail(folder_, stamp, state_.item, state_.body, &saved) != WriteStatus::Ok) {
        platform_.showMessage(MailNotSavedMessage(SavedMailName(stamp, state_.item)));
        return;
    }
    platform_.showSuccess(SavedMessage(Sjis("back/") + saved));
    emit settled();
}

void CMail::startMailer()
{
    if (!pull()) return;
    if (MailtoTooLong(state_.bidderMail, state_.body)) {
        platform_.showMessage(MailTooLargeMessage());
        return;
    }
    // With no mail program the open would do nothing at all: say so, and
    // offer the clipboard instead. An unknown answer tries the open.
    if (platform_.handlerPresence(DesktopHandler::Mail) == HandlerPresence::Missing) {
        if (platform_.askYesNo(NoHandlerQuestion(DesktopHandler::Mail, Sjis("メールの本文をクリップボードへコピー"))))
            copyBody();
        return;
    }
    platform_.openUri(MailtoUri(state_.bidderMail, state_.body));  // the desktop's answer is not awaited
}

void CMail::copyToClipboard()
{
    if (!pull()) return;
    copyBody();
}

void CMail::copyBody()
{
    // A clipboard that cannot be opened is not reported, as before; only a
    // copy that took is said in the status line.
    if (platform_.copyText(state_.body)) platform_.showSuccess(CopiedBytesMessage(state_.body.size()));
}

void CMail::openTemplateEditor()
{
    // One editor at a time: pressing again brings the open one forward
    // with its unsaved text; a closed one opens afresh.
    if (editor_ && editor_->isVisible()) {
        editor_->raise();
        editor_->activateWindow();
        return;
    }
    if (!editor_) editor_ = new CMailEdit(platform_, folder_, this);
    editor_->openFresh();
    editor_->move(100, 100);
    editor_->show();
    editor_->raise();
    editor_->activateWindow();
}

void CMail::editAccounts()
{
    if (!pull()) return;
    if (bank_.isStale(generation_)) reloadAccountsIntoState();
    Accounts rows = state_.accounts;
    if (!EditAccounts(platform_, this, rows)) return;
    state_.accounts = rows;
    captionBoxes();
    if (!bank_.store(state_.accounts, generation_)) platform_.showMessage(StoreFailedMessage(kBankFile));
}

}  // namespace torepal
