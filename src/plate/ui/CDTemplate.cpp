#include "plate/ui/CDTemplate.h"

#include "bank/BankStore.h"
#include "bank/ui/AccountBoxes.h"
#include "bank/ui/CBank.h"
#include "plate/ListingChecks.h"
#include "plate/PageTemplates.h"
#include "plate/PlateForm.h"
#include "plate/PlateSettings.h"
#include "plate/PreviewPage.h"
#include "plate/RenderPage.h"
#include "plate/SavedPages.h"
#include "plate/TemplateColours.h"
#include "plate/ui/CComplete.h"
#include "plate/ui/CLink.h"
#include "plate/ui/CMylink.h"
#include "plate/ui/LivePreviewController.h"
#include "platform/ui/ChecksView.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/PageKeys.h"
#include "platform/ui/QtText.h"
#include "platform/ui/RadioPair.h"
#include "shipping/CarrierAvailability.h"
#include "shipping/ParcelLists.h"
#include "shipping/ServiceTicks.h"
#include "shipping/TariffLookup.h"
#include "shipping/TariffReader.h"
#include "shipping/ui/CurrentServicesGroup.h"
#include "store/SettingsFiles.h"
#include "text/Encoding.h"
#include "ui_CDTemplate.h"

namespace torepal {
namespace {

void FillCombo(QComboBox* combo, const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) combo->addItem(ToQt(entry));
}

void ApplyAvailability(const Ui::CDTemplate& ui, const CarrierAvailability& a)
{
    auto apply = [](QCheckBox* box, const std::optional<bool>& enabled) {
        if (enabled) box->setEnabled(*enabled);
    };
    apply(ui.yamatoBox, a.yamato);
    apply(ui.sagawaBox, a.sagawa);
    apply(ui.yahooYuPackBox, a.yahooYuPack);
    apply(ui.teikeigaiBox, a.teikeigai);
    apply(ui.sasshiBox, a.sasshi);
    apply(ui.kuronekoMailBox, a.kuronekoMail);
}

// Every tick and radio of the form beside the flag it holds.
std::array<std::pair<QAbstractButton*, bool&>, 20> FlagControls(const Ui::CDTemplate& ui, PlateFlags& f)
{
    bool* const accounts = f.payment.accounts.data();
    return {{{ui.account1Box, accounts[0]},
             {ui.account2Box, accounts[1]},
             {ui.account3Box, accounts[2]},
             {ui.account4Box, accounts[3]},
             {ui.paruruBox, accounts[4]},
             {ui.furikaeBox, accounts[5]},
             {ui.yahooEasyBox, f.payment.yahooEasy},
             {ui.stampsBox, f.payment.stamps},
             {ui.yamatoBox, f.carriers.yamato},
             {ui.sagawaBox, f.carriers.sagawa},
             {ui.yuPackBox, f.carriers.yuPack},
             {ui.yahooYuPackBox, f.carriers.yahooYuPack},
             {ui.teikeigaiBox, f.carriers.teikeigai},
             {ui.sasshiBox, f.carriers.sasshi},
             {ui.kuronekoMailBox, f.carriers.kuronekoMail},
             {ui.expackBox, f.carriers.expack},
             {ui.centerRadio, f.center},
             {ui.leftRadio, f.left},
             {ui.linkOffRadio, f.linkOff},
             {ui.linkOnRadio, f.linkOn}}};
}

// The nine edits' texts into `form`, each as far as Shift-JIS holds it; the
// reader lists what it could not hold.
void ReadEdits(const Ui::CDTemplate& ui, FieldReader& r, PlateState& form)
{
    form.Title = r.line(ui.titleEdit, QStringLiteral("商品タイトル"));
    form.Items = r.multiline(ui.itemsEdit, QStringLiteral("商品情報"));
    form.trans = r.multiline(ui.transEdit, QStringLiteral("発送方法"));
    form.TOthers = r.line(ui.othersTitleEdit, QStringLiteral("追加項目の見出し"));
    form.Others = r.multiline(ui.othersEdit, QStringLiteral("追加項目の内容"));
    form.color = r.line(ui.colorEdit, QStringLiteral("カラー1"));
    form.bgcolor = r.line(ui.bgcolorEdit, QStringLiteral("カラー2"));
    form.fcolor = r.line(ui.fcolorEdit, QStringLiteral("カラー3"));
    form.yahooId = r.line(ui.yahooIdEdit, QStringLiteral("Yahoo ID"));
}

std::string Utf8Of(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

}  // namespace

CDTemplate::CDTemplate(DesktopPlatform& platform, BankStore& bank, std::filesystem::path programFolder, QWidget* parent)
    : QWidget(parent),
      m_ui(new Ui::CDTemplate),
      platform_(platform),
      bank_(bank),
      programFolder_(std::move(programFolder))
{
    m_ui->setupUi(this);
    m_ui->clearUndoBar->hide();
    livePreview_ = new LivePreviewController(
        platform_, [this] { return previewBytes(); }, this);
    livePreview_->setCheckFunction([this](const std::string&) { return previewChecks(); });
    new RadioPair(m_ui->centerRadio, m_ui->leftRadio, this);
    new RadioPair(m_ui->linkOffRadio, m_ui->linkOnRadio, this);

    FillCombo(m_ui->weightCombo, WeightList());
    FillCombo(m_ui->sizeCombo, SizeList());
    FillCombo(m_ui->originCombo, PrefectureList());
    FillCombo(m_ui->typeCombo, TemplateTypeNames());
    m_ui->weightCombo->setCurrentIndex(0);
    m_ui->sizeCombo->setCurrentIndex(0);
    m_ui->originCombo->setCurrentIndex(0);
    m_ui->typeCombo->setCurrentIndex(0);
    setFlags(PlateFlags{});  // nothing ticked, 中央 and リンクしない on

    connectControls();
    loadPlateSettings();
    readTariffs();
    m_ui->currentServicesGroup->setTickedIds(ReadServiceTicks(programFolder_));
    countTitle();

    // The lists inside the current services and the checks take their
    // place in the Tab order: after the texts come the checks, after the
    // parcel combos the services.
    QWidget* const servicesList =
        m_ui->currentServicesGroup->findChild<QWidget*>(QStringLiteral("currentServicesList"));
    QWidget* const checksList = m_ui->plateChecks->findChild<QWidget*>(QStringLiteral("checksList"));
    if (checksList != nullptr) {
        setTabOrder(m_ui->othersEdit, checksList);
        setTabOrder(checksList, m_ui->account1Box);
    }
    if (servicesList != nullptr) {
        setTabOrder(m_ui->originCombo, servicesList);
        setTabOrder(servicesList, m_ui->colorEdit);
    }

    // Enter presses a focused button, Escape does nothing: the same keys as
    // every page of the window.
    InstallPageKeys(*this);

    // What plate.ini brought is nothing to recover.
    settle();
}

CDTemplate::~CDTemplate() = default;

void CDTemplate::connectControls()
{
    using Combo = void (QComboBox::*)(int);
    const Combo changed = &QComboBox::currentIndexChanged;
    connect(m_ui->typeCombo, changed, this, [this] { typeChanged(); });
    connect(m_ui->weightCombo, changed, this, [this] { weightChanged(); });
    connect(m_ui->sizeCombo, changed, this, [this] { sizeChanged(); });
    connect(m_ui->originCombo, changed, this, [this] { originChanged(); });

    connect(m_ui->colorPaletteButton, &QPushButton::clicked, this, [this] { choosePaletteColour(0); });
    connect(m_ui->bgcolorPaletteButton, &QPushButton::clicked, this, [this] { choosePaletteColour(1); });
    connect(m_ui->fcolorPaletteButton, &QPushButton::clicked, this, [this] { choosePaletteColour(2); });
    connect(m_ui->bankButton, &QPushButton::clicked, this, &CDTemplate::editAccounts);
    connect(m_ui->boothTextButton, &QPushButton::clicked, this, &CDTemplate::editBoothText);
    connect(m_ui->completeButton, &QPushButton::clicked, this, &CDTemplate::finishAndSave);
    connect(m_ui->previewButton, &QPushButton::clicked, this, &CDTemplate::preview);
    connect(m_ui->completeCopyButton, &QPushButton::clicked, this, &CDTemplate::finishAndShow);
    connect(m_ui->clearButton, &QPushButton::clicked, this, &CDTemplate::clearForm);
    connect(m_ui->linkTagButton, &QPushButton::clicked, this, &CDTemplate::makeLinkTag);
    connect(m_ui->currentServicesGroup, &CurrentServicesGroup::tickedIdsChanged, this, &CDTemplate::storeServiceTicks);
    connect(m_ui->titleEdit, &QLineEdit::textChanged, this, &CDTemplate::countTitle);
    connect(m_ui->livePreviewButton, &QPushButton::clicked, livePreview_, &LivePreviewController::open);
    connect(m_ui->undoClearButton, &QPushButton::clicked, this, &CDTemplate::undoClear);

    // Every value the page is rendered from.
    for (QLineEdit* edit : {m_ui->titleEdit, m_ui->othersTitleEdit, m_ui->colorEdit, m_ui->bgcolorEdit,
                            m_ui->fcolorEdit, m_ui->yahooIdEdit})
        connect(edit, &QLineEdit::textChanged, this, &CDTemplate::formEdited);
    for (QPlainTextEdit* edit : {m_ui->itemsEdit, m_ui->transEdit, m_ui->othersEdit})
        connect(edit, &QPlainTextEdit::textChanged, this, &CDTemplate::formEdited);
    PlateFlags unused;
    for (const auto& [box, on] : FlagControls(*m_ui, unused))
        connect(box, &QAbstractButton::toggled, this, &CDTemplate::formEdited);
    for (QComboBox* combo : {m_ui->typeCombo, m_ui->weightCombo, m_ui->sizeCombo, m_ui->originCombo})
        connect(combo, changed, this, &CDTemplate::formEdited);
    connect(m_ui->currentServicesGroup, &CurrentServicesGroup::tickedIdsChanged, this, &CDTemplate::formEdited);
}

void CDTemplate::formEdited()
{
    livePreview_->formChanged();
    if (cleared_) {
        cleared_.reset();
        m_ui->clearUndoBar->hide();
    }
}

// ---- recovery -------------------------------------------------------------

void CDTemplate::settle()
{
    unsaved_.settle(unsavedTexts());
    emit settled();
}

PlateTexts CDTemplate::unsavedTexts() const
{
    PlateState form = state_;
    FieldReader quiet;
    ReadEdits(*m_ui, quiet, form);
    return PlateTextsOf(form);
}

void CDTemplate::restoreTexts(const PlateTexts& texts)
{
    RestorePlateTexts(texts, state_);
    push();
    countTitle();
    livePreview_->formChanged();
}

void CDTemplate::projectOpened()
{
    cleared_.reset();
    m_ui->clearUndoBar->hide();
    settle();
}

// ---- the live preview -------------------------------------------------------

std::string CDTemplate::previewBytes()
{
    PlateState form = state_;
    FieldReader reader;
    ReadEdits(*m_ui, reader, form);
    if (!reader.ok()) {
        // The page cannot carry what was just typed: the last preview stays
        // and a line under it says why, without a message box while typing.
        previewNote_ = QStringLiteral("Shift-JISで表せない文字があるため、プレビューは直前のままです：") +
                       reader.problems().join(QStringLiteral("、"));
        if (!previewPage_.empty()) return previewPage_;
        form = state_;
    } else {
        previewNote_.clear();
    }
    form.templateType = SelectedIndex(m_ui->typeCombo);
    form.originIndex = SelectedIndex(m_ui->originCombo);
    form.weightIndex = SelectedIndex(m_ui->weightCombo);
    form.sizeIndex = SelectedIndex(m_ui->sizeCombo);
    const PlateFlags f = flags();
    const std::vector<Tariff> ticked = TickedServices(services_, tickedServiceIds());
    previewPage_ = PreviewPageBytes(form, f, ticked);
    previewCheckLines_.clear();
    for (const CheckResult& check : CheckListing(form, f, selections()))
        previewCheckLines_.push_back(Utf8FromSjis(CheckLine(check)));
    return previewPage_;
}

std::vector<std::string> CDTemplate::previewChecks() const
{
    if (previewNote_.isEmpty()) return previewCheckLines_;
    std::vector<std::string> lines{Utf8Of(previewNote_)};
    lines.insert(lines.end(), previewCheckLines_.begin(), previewCheckLines_.end());
    return lines;
}

// ---- pull and push ------------------------------------------------------

bool CDTemplate::pull()
{
    return pull(true);
}

bool CDTemplate::pull(bool tellSeller)
{
    FieldReader r;
    PlateState form = state_;
    ReadEdits(*m_ui, r, form);
    if (!r.ok()) {
        if (tellSeller) r.reportTo(platform_);
        return false;
    }
    state_ = std::move(form);
    return true;
}

void CDTemplate::push()
{
    SetLine(m_ui->titleEdit, state_.Title);
    SetMultiline(m_ui->itemsEdit, state_.Items);
    SetMultiline(m_ui->transEdit, state_.trans);
    SetLine(m_ui->othersTitleEdit, state_.TOthers);
    SetMultiline(m_ui->othersEdit, state_.Others);
    SetLine(m_ui->colorEdit, state_.color);
    SetLine(m_ui->bgcolorEdit, state_.bgcolor);
    SetLine(m_ui->fcolorEdit, state_.fcolor);
    SetLine(m_ui->yahooIdEdit, state_.yahooId);
}

// ---- ticks, radios and selections ---------------------------------------

PlateFlags CDTemplate::flags() const
{
    PlateFlags f;
    for (const auto& [box, on] : FlagControls(*m_ui, f)) on = box->isChecked();
    return f;
}

void CDTemplate::setFlags(const PlateFlags& flags)
{
    PlateFlags f = flags;
    for (const auto& [box, on] : FlagControls(*m_ui, f)) box->setChecked(on);
}

CDTemplate::Selections CDTemplate::selections() const
{
    return Selections{SelectedIndex(m_ui->weightCombo), SelectedIndex(m_ui->sizeCombo),
                      SelectedIndex(m_ui->originCombo), SelectedIndex(m_ui->typeCombo)};
}

void CDTemplate::setSelections(const Selections& s)
{
    m_ui->weightCombo->setCurrentIndex(s.weight);
    m_ui->sizeCombo->setCurrentIndex(s.size);
    m_ui->originCombo->setCurrentIndex(s.origin);
    m_ui->typeCombo->setCurrentIndex(s.type);
    typeChanged();
    weightChanged();
    sizeChanged();
    originChanged();
}

void CDTemplate::typeChanged()
{
    state_.templateType = SelectedIndex(m_ui->typeCombo);
    const std::optional<TypeColourLabels> labels = ColourLabels(state_.templateType);
    if (!labels) return;
    m_ui->colorLabel->setText(ToQt(labels->first));
    m_ui->bgcolorLabel->setText(ToQt(labels->second));
    m_ui->fcolorLabel->setText(ToQt(labels->third));
    m_ui->bgcolorEdit->setEnabled(labels->secondEditable);
}

void CDTemplate::weightChanged()
{
    state_.weightIndex = SelectedIndex(m_ui->weightCombo);
    ApplyAvailability(*m_ui, AvailableCarriers(selections(), ParcelCombo::Weight));
}

void CDTemplate::sizeChanged()
{
    state_.sizeIndex = SelectedIndex(m_ui->sizeCombo);
    ApplyAvailability(*m_ui, AvailableCarriers(selections(), ParcelCombo::Size));
}

void CDTemplate::originChanged()
{
    state_.originIndex = SelectedIndex(m_ui->originCombo);
    ApplyAvailability(*m_ui, AvailableCarriers(selections(), ParcelCombo::Origin));
}

void CDTemplate::takeSelections()
{
    state_.templateType = SelectedIndex(m_ui->typeCombo);
    state_.originIndex = SelectedIndex(m_ui->originCombo);
    state_.weightIndex = SelectedIndex(m_ui->weightCombo);
    state_.sizeIndex = SelectedIndex(m_ui->sizeCombo);
}

// ---- clear, settings, accounts --------------------------------------------

void CDTemplate::clearForm()
{
    if (!pull()) return;
    PlateFlags f = flags();
    Selections s = selections();
    const ClearedPlateValues cleared = ClearPlateForm(state_, f, s);
    setFlags(f);
    setSelections(s);
    push();
    // The findings were about the listing just cleared away.
    checks_.clear();
    m_ui->plateChecks->clear();
    settle();
    // Offered after the form's own change signals, which withdraw an offer.
    cleared_ = cleared;
    m_ui->clearUndoBar->show();
}

void CDTemplate::undoClear()
{
    if (!cleared_) return;
    const ClearedPlateValues cleared = *cleared_;
    // What was typed since the clear is taken along; the edits cannot hold
    // anything else, since any edit withdrew the offer.
    pull(false);
    PlateFlags f = flags();
    Selections s = selections();
    UndoClearPlateForm(cleared, state_, f, s);
    setFlags(f);
    setSelections(s);
    push();
    cleared_.reset();
    m_ui->clearUndoBar->hide();
}

void CDTemplate::loadPlateSettings()
{
    PlateFlags f = flags();
    Selections s = selections();
    LoadPlateSettings(programFolder_, platform_, state_, f, s);
    setFlags(f);
    push();
    setSelections(s);
}

bool CDTemplate::savePlateSettings()
{
    return pull() && SavePlateSettings(programFolder_, platform_, state_, flags(), selections());
}

std::array<QCheckBox*, 6> CDTemplate::accountBoxes() const
{
    return {m_ui->account1Box, m_ui->account2Box, m_ui->account3Box,
            m_ui->account4Box, m_ui->paruruBox,   m_ui->furikaeBox};
}

void CDTemplate::loadAccounts()
{
    // The tab is being shown: a character that cannot be held is told when
    // the seller next uses a button, and the edits keep what was typed.
    const bool pulled = pull(false);
    const Loaded<CBSave> loaded = bank_.load(accountsGeneration_);
    if (loaded.status == LoadStatus::Damaged && bank_.takeDamageReport())
        platform_.showMessage(DamagedSettingsMessage(kBankFile, loaded.keptCopy));
    state_.accounts = loaded.record.rows;
    CaptionAccountBoxes(accountBoxes(), state_.accounts);
    if (pulled) push();
    livePreview_->formChanged();  // the payment text names the accounts
}

void CDTemplate::editAccounts()
{
    // The other page's editor may have written bank.ini since this copy
    // was read; editing the old copy would undo that edit.
    if (bank_.isStale(accountsGeneration_)) loadAccounts();
    Accounts rows = state_.accounts;
    if (!EditAccounts(platform_, this, rows)) return;
    state_.accounts = rows;
    CaptionAccountBoxes(accountBoxes(), state_.accounts);
    formEdited();
    if (!bank_.store(state_.accounts, accountsGeneration_)) platform_.showMessage(StoreFailedMessage(kBankFile));
}

void CDTemplate::setProjectAccounts(const Accounts& rows)
{
    state_.accounts = rows;
    QCheckBox* paruru = m_ui->paruruBox;
    QCheckBox* furikae = m_ui->furikaeBox;
    const QString paruruText = paruru->text(), paruruName = paruru->accessibleName();
    const QString furikaeText = furikae->text(), furikaeName = furikae->accessibleName();
    CaptionAccountBoxes(accountBoxes(), rows);
    paruru->setText(paruruText);
    paruru->setAccessibleName(paruruName);
    furikae->setText(furikaeText);
    furikae->setAccessibleName(furikaeName);
    accountsGeneration_ = bank_.currentGeneration();
    livePreview_->formChanged();
}

// ---- current services -------------------------------------------------------

void CDTemplate::readTariffs()
{
    TariffFolder read = ReadTariffFolder(programFolder_ / kTariffFolderName);
    services_ = std::move(read.services);
    m_ui->currentServicesGroup->setServices(services_);
    const std::string problems = TariffProblemsMessage(read.problems);
    if (!problems.empty()) platform_.showMessage(problems);
}

void CDTemplate::reloadTariffs()
{
    readTariffs();
}

std::vector<std::string> CDTemplate::tickedServiceIds() const
{
    return m_ui->currentServicesGroup->tickedIds();
}

void CDTemplate::setTickedServiceIds(const std::vector<std::string>& ids)
{
    const std::vector<std::string> before = tickedServiceIds();
    m_ui->currentServicesGroup->setTickedIds(ids);
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
    const SjisConversion title = SjisFromUtf8(m_ui->titleEdit->text().toStdString());
    m_ui->titleCountLabel->setText(QString::fromStdString(TitleCountText(title.text)));
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
    checks_ = CheckListing(state_, flags(), selections());
    m_ui->plateChecks->setChecks(checks_);
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
