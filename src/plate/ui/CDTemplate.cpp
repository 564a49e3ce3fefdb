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
#include "plate/ui/PlateFormControls.h"
#include "platform/ui/ChecksView.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/PageKeys.h"
#include "platform/ui/QtText.h"
#include "platform/ui/RadioPair.h"
#include "preview/ui/LivePreviewController.h"
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
    connect(m_ui->currentServicesGroup, &CurrentServicesGroup::thicknessChanged, this, [this] {
        state_.thicknessIndex = m_ui->currentServicesGroup->thicknessIndex();
        formEdited();
    });
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
    form.thicknessIndex = m_ui->currentServicesGroup->thicknessIndex();
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
    m_ui->currentServicesGroup->setThicknessIndex(state_.thicknessIndex);
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
    state_.thicknessIndex = m_ui->currentServicesGroup->thicknessIndex();
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

}  // namespace torepal
