#include "mail/ui/CMail.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "bank/ui/AccountBoxes.h"
#include "bank/ui/CBank.h"
#include "mail/ComposeMail.h"
#include "mail/MailMessages.h"
#include "mail/Mailto.h"
#include "mail/ui/CMailEdit.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/QtText.h"
#include "store/SettingsFiles.h"
#include "text/Files.h"

namespace torepal {
namespace {

QLineEdit* AddLine(QFormLayout* form, const QString& label, const char* objectName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(objectName));
    form->addRow(label, edit);  // the label becomes the edit's buddy
    return edit;
}

QPushButton* MakeButton(const QString& caption, const char* objectName)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1String(objectName));
    // Enter inside the page does nothing, even when the main window is a dialog.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace

CMail::CMail(DesktopPlatform& platform, BankStore& bank, std::filesystem::path programFolder, QWidget* parent)
    : QWidget(parent), platform_(platform), bank_(bank), folder_(std::move(programFolder))
{
    setObjectName(QStringLiteral("CMail"));
    buildPage();
}

CMail::~CMail() = default;

void CMail::buildPage()
{
    auto* seller = new QGroupBox(QStringLiteral("出品者個人情報"));
    seller->setObjectName(QStringLiteral("sellerGroup"));
    auto* sellerForm = new QFormLayout(seller);
    mynameEdit_ = AddLine(sellerForm, QStringLiteral("名前 "), "mynameEdit");
    zipEdit_ = AddLine(sellerForm, QStringLiteral("郵便番号"), "zipEdit");
    postEdit_ = AddLine(sellerForm, QStringLiteral("住所"), "postEdit");
    telEdit_ = AddLine(sellerForm, QStringLiteral("電話番号"), "telEdit");
    ktelEdit_ = AddLine(sellerForm, QStringLiteral("携帯番号"), "ktelEdit");

    auto* item = new QGroupBox(QStringLiteral("落札商品に関する情報"));
    item->setObjectName(QStringLiteral("itemGroup"));
    auto* itemForm = new QFormLayout(item);
    itemEdit_ = AddLine(itemForm, QStringLiteral("落札商品"), "itemEdit");
    nameEdit_ = AddLine(itemForm, QStringLiteral("落札者(YahooID)"), "nameEdit");
    faucEdit_ = AddLine(itemForm, QStringLiteral("落札金額"), "faucEdit");
    bidderMailEdit_ = AddLine(itemForm, QStringLiteral("落札者メール"), "bidderMailEdit");

    auto* delivery = new QGroupBox(QStringLiteral("配送に関する情報"));
    delivery->setObjectName(QStringLiteral("deliveryGroup"));
    auto* deliveryForm = new QFormLayout(delivery);
    transmenEdit_ = AddLine(deliveryForm, QStringLiteral("配送業者"), "transmenEdit");
    transnumEdit_ = AddLine(deliveryForm, QStringLiteral("荷物追跡番号"), "transnumEdit");
    ftransEdit_ = AddLine(deliveryForm, QStringLiteral("送料"), "ftransEdit");

    auto* accounts = new QGroupBox(QStringLiteral("振込み口座"));
    accounts->setObjectName(QStringLiteral("accountGroup"));
    auto* accountGrid = new QGridLayout(accounts);
    for (std::size_t i = 0; i < kAccountCount; ++i) {
        auto* box = new QCheckBox;
        box->setObjectName(QStringLiteral("account%1Box").arg(i + 1));
        accountBoxes_[i] = box;
        accountGrid->addWidget(box, static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    QPushButton* editAccountsButton = MakeButton(QStringLiteral("口座情報編集"), "editAccountsButton");
    accountGrid->addWidget(editAccountsButton, 3, 0, 1, 2);

    auto* templates = new QGroupBox(QStringLiteral("メールテンプレート"));
    templates->setObjectName(QStringLiteral("templateGroup"));
    auto* templateLayout = new QVBoxLayout(templates);
    auto* templateForm = new QFormLayout;
    templateCombo_ = new QComboBox;
    templateCombo_->setObjectName(QStringLiteral("templateCombo"));
    templateCombo_->setEditable(false);
    templateForm->addRow(QStringLiteral("プレート選択"), templateCombo_);
    templateLayout->addLayout(templateForm);
    QPushButton* editTemplateButton = MakeButton(QStringLiteral("メール編集"), "editTemplateButton");
    templateLayout->addWidget(editTemplateButton);

    auto* left = new QVBoxLayout;
    left->addWidget(seller);
    left->addWidget(item);
    left->addWidget(delivery);
    left->addWidget(accounts);
    left->addWidget(templates);
    left->addStretch(1);

    bodyEdit_ = new QPlainTextEdit;
    bodyEdit_->setObjectName(QStringLiteral("bodyEdit"));
    bodyEdit_->setAccessibleName(QStringLiteral("メール本文"));
    bodyEdit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    bodyEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bodyEdit_->setTabChangesFocus(true);

    QPushButton* previewButton = MakeButton(QStringLiteral("プレビュー・更新"), "previewButton");
    QPushButton* saveButton = MakeButton(QStringLiteral("保存"), "saveButton");
    QPushButton* mailerButton = MakeButton(QStringLiteral("メーラー起動"), "mailerButton");
    QPushButton* clearButton = MakeButton(QStringLiteral("クリアー"), "clearButton");
    QPushButton* copyButton = MakeButton(QStringLiteral("クリップボードへコピー"), "copyButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(previewButton);
    buttons->addWidget(saveButton);
    buttons->addWidget(mailerButton);
    buttons->addWidget(clearButton);
    buttons->addWidget(copyButton);
    buttons->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(bodyEdit_, 1);
    right->addLayout(buttons);

    auto* page = new QHBoxLayout(this);
    page->addLayout(left, 0);
    page->addLayout(right, 1);

    connect(previewButton, &QPushButton::clicked, this, &CMail::preview);
    connect(saveButton, &QPushButton::clicked, this, &CMail::saveMail);
    connect(mailerButton, &QPushButton::clicked, this, &CMail::startMailer);
    connect(clearButton, &QPushButton::clicked, this, &CMail::clearParcelFields);
    connect(copyButton, &QPushButton::clicked, this, &CMail::copyToClipboard);
    connect(editTemplateButton, &QPushButton::clicked, this, &CMail::openTemplateEditor);
    connect(editAccountsButton, &QPushButton::clicked, this, &CMail::editAccounts);
}

void CMail::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();  // inside the page these keys do nothing
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void CMail::startUp()
{
    fillTemplates();
    loadAccounts();

    const Loaded<CSavemail> status = LoadStatusFile(folder_);
    if (status.status == LoadStatus::Damaged)
        platform_.showMessage(DamagedSettingsMessage(kStatusFile, status.keptCopy));
    state_.myname = status.record.myname;
    state_.zip = status.record.zip;
    state_.tel = status.record.tel;
    state_.ktel = status.record.ktel;
    state_.post = status.record.post;
    state_.useAccount = status.record.accountTicks;
    push();
    captionBoxes();
}

void CMail::fillTemplates()
{
    // Filled once: templates added while the program runs show after a
    // restart (the editor lists the folder afresh each time it opens).
    templates_ = ListTemplates(folder_);
    templateCombo_->clear();
    for (const TemplateEntry& entry : templates_) templateCombo_->addItem(ToQt(entry.name));
    templateCombo_->setCurrentIndex(templates_.empty() ? -1 : 0);
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
        return;
    }
    for (QLineEdit* edit :
         {itemEdit_, nameEdit_, faucEdit_, bidderMailEdit_, transnumEdit_, transmenEdit_, ftransEdit_})
        edit->clear();
}

bool CMail::saveStatus()
{
    if (!pull()) return false;
    CSavemail record;
    record.post = state_.post;
    record.myname = state_.myname;
    record.zip = state_.zip;
    record.tel = state_.tel;
    record.ktel = state_.ktel;
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

bool CMail::pullInto(FieldReader& r)
{
    MailState s = state_;
    s.myname = r.line(mynameEdit_, QStringLiteral("名前"));
    s.zip = r.line(zipEdit_, QStringLiteral("郵便番号"));
    s.post = r.line(postEdit_, QStringLiteral("住所"));
    s.tel = r.line(telEdit_, QStringLiteral("電話番号"));
    s.ktel = r.line(ktelEdit_, QStringLiteral("携帯番号"));
    s.item = r.line(itemEdit_, QStringLiteral("落札商品"));
    s.name = r.line(nameEdit_, QStringLiteral("落札者(YahooID)"));
    s.fauc = r.line(faucEdit_, QStringLiteral("落札金額"));
    s.bidderMail = r.line(bidderMailEdit_, QStringLiteral("落札者メール"));
    s.transmen = r.line(transmenEdit_, QStringLiteral("配送業者"));
    s.transnum = r.line(transnumEdit_, QStringLiteral("荷物追跡番号"));
    s.ftrans = r.line(ftransEdit_, QStringLiteral("送料"));
    s.body = r.multiline(bodyEdit_, QStringLiteral("メール本文"));
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
    SetLine(mynameEdit_, state_.myname);
    SetLine(zipEdit_, state_.zip);
    SetLine(postEdit_, state_.post);
    SetLine(telEdit_, state_.tel);
    SetLine(ktelEdit_, state_.ktel);
    SetLine(itemEdit_, state_.item);
    SetLine(nameEdit_, state_.name);
    SetLine(faucEdit_, state_.fauc);
    SetLine(bidderMailEdit_, state_.bidderMail);
    SetLine(transmenEdit_, state_.transmen);
    SetLine(transnumEdit_, state_.transnum);
    SetLine(ftransEdit_, state_.ftrans);
    SetMultiline(bodyEdit_, state_.body);
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

void CMail::markAccountsCurrent()
{
    generation_ = bank_.currentGeneration();
    captionBoxes();
}

void CMail::preview()
{
    // The template is read before anything else: if it cannot be, the mail
    // shown stays as it was.
    const int index = templateCombo_->currentIndex();
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
    if (!pull()) return;
    ComposeMail(state_, read.bytes);
    push();
}

void CMail::saveMail()
{
    if (!pull()) return;
    const std::string stamp = FormatTimeStamp(platform_.now());
    if (SaveMail(folder_, stamp, state_.item, state_.body) != WriteStatus::Ok)
        platform_.showMessage(MailNotSavedMessage(SavedMailName(stamp, state_.item)));
}

void CMail::startMailer()
{
    if (!pull()) return;
    if (MailtoTooLong(state_.bidderMail, state_.body)) {
        platform_.showMessage(MailTooLargeMessage());
        return;
    }
    platform_.openUri(MailtoUri(state_.bidderMail, state_.body));  // the desktop's answer is not awaited
}

void CMail::copyToClipboard()
{
    if (!pull()) return;
    platform_.copyText(state_.body);  // a clipboard that cannot be opened is not reported
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
