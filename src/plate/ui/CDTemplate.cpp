#include "plate/ui/CDTemplate.h"

#include <optional>
#include <utility>

#include "bank/BankStore.h"
#include "bank/ui/AccountBoxes.h"
#include "bank/ui/CBank.h"
#include "plate/PageTemplates.h"
#include "plate/PlateForm.h"
#include "plate/PlateSettings.h"
#include "plate/TemplateColours.h"
#include "plate/ui/PlateFormControls.h"
#include "platform/ui/ChecksView.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/PageKeys.h"
#include "platform/ui/QtText.h"
#include "platform/ui/RadioPair.h"
#include "platform/ui/TextFieldControls.h"
#include "preview/ui/LivePreviewController.h"
#include "shipping/CarrierAvailability.h"
#include "shipping/ParcelLists.h"
#include "shipping/ServiceTicks.h"
#include "shipping/ui/CurrentServicesGroup.h"
#include "store/SettingsFiles.h"
#include "ui_CDTemplate.h"

namespace torepal {

CDTemplate::CDTemplate(DesktopPlatform& platform, BankStore& bank, std::filesystem::path programFolder, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::CDTemplate>()),
      platform_(platform),
      bank_(bank),
      programFolder_(std::move(programFolder))
{
    ui_->setupUi(this);
    ui_->clearUndoBar->hide();
    livePreview_ = new LivePreviewController(
        platform_, [this] { return previewBytes(); }, this);
    livePreview_->setCheckFunction([this](const std::string&) { return previewChecks(); });
    new RadioPair(ui_->centerRadio, ui_->leftRadio, this);
    new RadioPair(ui_->linkOffRadio, ui_->linkOnRadio, this);

    FillCombo(ui_->weightCombo, WeightList());
    FillCombo(ui_->sizeCombo, SizeList());
    FillCombo(ui_->originCombo, PrefectureList());
    FillCombo(ui_->typeCombo, TemplateTypeNames());
    ui_->weightCombo->setCurrentIndex(0);
    ui_->sizeCombo->setCurrentIndex(0);
    ui_->originCombo->setCurrentIndex(0);
    ui_->typeCombo->setCurrentIndex(0);
    setFlags(PlateFlags{});  // nothing ticked, 中央 and リンクしない on

    connectControls();
    loadPlateSettings();
    readTariffs();
    ui_->currentServicesGroup->setTickedIds(ReadServiceTicks(programFolder_));
    countTitle();

    // The lists inside the current services and the checks take their
    // place in the Tab order: after the texts come the checks, after the
    // parcel combos the services.
    QWidget* const servicesList = ui_->currentServicesGroup->findChild<QWidget*>(QStringLiteral("currentServicesList"));
    QWidget* const checksList = ui_->plateChecks->findChild<QWidget*>(QStringLiteral("checksList"));
    if (checksList != nullptr) {
        setTabOrder(ui_->othersEdit, checksList);
        setTabOrder(checksList, ui_->account1Box);
    }
    if (servicesList != nullptr) {
        setTabOrder(ui_->originCombo, servicesList);
        setTabOrder(servicesList, ui_->colorEdit);
    }

    // Enter presses a focused button, Escape does nothing: the same keys as
    // every page of the window.
    InstallPageKeys(*this);

    // What plate.ini brought is nothing to recover.
    settle();
}

CDTemplate::~CDTemplate() = default;

QSize CDTemplate::sizeHint() const
{
    QSize hint = QWidget::sizeHint();
    const ChecksView& checks = *ui_->plateChecks;
    const int spacing = ui_->textsColumn->spacing();
    const int shown = checks.isHidden() ? 0 : checks.height() + spacing;
    const int texts = ui_->textsColumn->minimumSize().height() - shown + spacing + checks.mostOuterHeight();
    // What the columns get at the hint: the rest is the margins and the row
    // of buttons.
    const QMargins margins = ui_->pageLayout->contentsMargins();
    const int columns = hint.height() - margins.top() - margins.bottom() - ui_->pageLayout->spacing() -
                        ui_->bottomRow->sizeHint().height();
    if (texts > columns) hint.rheight() += texts - columns;
    return hint;
}

void CDTemplate::connectControls()
{
    using Combo = void (QComboBox::*)(int);
    const Combo changed = &QComboBox::currentIndexChanged;
    connect(ui_->typeCombo, changed, this, [this] { typeChanged(); });
    connect(ui_->weightCombo, changed, this, [this] { weightChanged(); });
    connect(ui_->sizeCombo, changed, this, [this] { sizeChanged(); });
    connect(ui_->originCombo, changed, this, [this] { originChanged(); });

    connect(ui_->colorPaletteButton, &QPushButton::clicked, this, [this] { choosePaletteColour(0); });
    connect(ui_->bgcolorPaletteButton, &QPushButton::clicked, this, [this] { choosePaletteColour(1); });
    connect(ui_->fcolorPaletteButton, &QPushButton::clicked, this, [this] { choosePaletteColour(2); });
    connect(ui_->bankButton, &QPushButton::clicked, this, &CDTemplate::editAccounts);
    connect(ui_->boothTextButton, &QPushButton::clicked, this, &CDTemplate::editBoothText);
    connect(ui_->completeButton, &QPushButton::clicked, this, &CDTemplate::finishAndSave);
    connect(ui_->previewButton, &QPushButton::clicked, this, &CDTemplate::preview);
    connect(ui_->completeCopyButton, &QPushButton::clicked, this, &CDTemplate::finishAndShow);
    connect(ui_->clearButton, &QPushButton::clicked, this, &CDTemplate::clearForm);
    connect(ui_->linkTagButton, &QPushButton::clicked, this, &CDTemplate::makeLinkTag);
    connect(ui_->currentServicesGroup, &CurrentServicesGroup::tickedIdsChanged, this, &CDTemplate::storeServiceTicks);
    connect(ui_->titleEdit, &QLineEdit::textChanged, this, &CDTemplate::countTitle);
    connect(ui_->livePreviewButton, &QPushButton::clicked, livePreview_, &LivePreviewController::open);
    connect(ui_->undoClearButton, &QPushButton::clicked, this, &CDTemplate::undoClear);

    // Every value the page is rendered from.
    for (QLineEdit* edit :
         {ui_->titleEdit, ui_->othersTitleEdit, ui_->colorEdit, ui_->bgcolorEdit, ui_->fcolorEdit, ui_->yahooIdEdit})
        connect(edit, &QLineEdit::textChanged, this, &CDTemplate::formEdited);
    for (QPlainTextEdit* edit : {ui_->itemsEdit, ui_->transEdit, ui_->othersEdit})
        connect(edit, &QPlainTextEdit::textChanged, this, &CDTemplate::formEdited);
    PlateFlags unused;
    for (const auto& [box, on] : FlagControls(*ui_, unused))
        connect(box, &QAbstractButton::toggled, this, &CDTemplate::formEdited);
    for (QComboBox* combo : {ui_->typeCombo, ui_->weightCombo, ui_->sizeCombo, ui_->originCombo})
        connect(combo, changed, this, &CDTemplate::formEdited);
    connect(ui_->currentServicesGroup, &CurrentServicesGroup::tickedIdsChanged, this, &CDTemplate::formEdited);
    connect(ui_->currentServicesGroup, &CurrentServicesGroup::thicknessChanged, this, [this] {
        state_.thicknessIndex = ui_->currentServicesGroup->thicknessIndex();
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
    ReadTextFields(*this, PlateTextFields(), r, form);
    form.thicknessIndex = ui_->currentServicesGroup->thicknessIndex();
    if (!r.ok()) {
        if (tellSeller) r.reportTo(platform_);
        return false;
    }
    state_ = std::move(form);
    return true;
}

void CDTemplate::push()
{
    ShowTextFields(*this, PlateTextFields(), state_);
    ui_->currentServicesGroup->setThicknessIndex(state_.thicknessIndex);
}

// ---- ticks, radios and selections ---------------------------------------

PlateFlags CDTemplate::flags() const
{
    PlateFlags f;
    for (const auto& [box, on] : FlagControls(*ui_, f)) on = box->isChecked();
    return f;
}

void CDTemplate::setFlags(const PlateFlags& flags)
{
    PlateFlags f = flags;
    for (const auto& [box, on] : FlagControls(*ui_, f)) box->setChecked(on);
}

CDTemplate::Selections CDTemplate::selections() const
{
    return Selections{SelectedIndex(ui_->weightCombo), SelectedIndex(ui_->sizeCombo), SelectedIndex(ui_->originCombo),
                      SelectedIndex(ui_->typeCombo)};
}

void CDTemplate::setSelections(const Selections& s)
{
    ui_->weightCombo->setCurrentIndex(s.weight);
    ui_->sizeCombo->setCurrentIndex(s.size);
    ui_->originCombo->setCurrentIndex(s.origin);
    ui_->typeCombo->setCurrentIndex(s.type);
    typeChanged();
    weightChanged();
    sizeChanged();
    originChanged();
}

void CDTemplate::typeChanged()
{
    state_.templateType = SelectedIndex(ui_->typeCombo);
    const std::optional<TypeColourLabels> labels = ColourLabels(state_.templateType);
    if (!labels) return;
    ui_->colorLabel->setText(ToQt(labels->first));
    ui_->bgcolorLabel->setText(ToQt(labels->second));
    ui_->fcolorLabel->setText(ToQt(labels->third));
    ui_->bgcolorEdit->setEnabled(labels->secondEditable);
}

void CDTemplate::weightChanged()
{
    state_.weightIndex = SelectedIndex(ui_->weightCombo);
    ApplyAvailability(*ui_, AvailableCarriers(selections(), ParcelCombo::Weight));
}

void CDTemplate::sizeChanged()
{
    state_.sizeIndex = SelectedIndex(ui_->sizeCombo);
    ApplyAvailability(*ui_, AvailableCarriers(selections(), ParcelCombo::Size));
}

void CDTemplate::originChanged()
{
    state_.originIndex = SelectedIndex(ui_->originCombo);
    ApplyAvailability(*ui_, AvailableCarriers(selections(), ParcelCombo::Origin));
}

void CDTemplate::takeSelections()
{
    state_.templateType = SelectedIndex(ui_->typeCombo);
    state_.originIndex = SelectedIndex(ui_->originCombo);
    state_.weightIndex = SelectedIndex(ui_->weightCombo);
    state_.sizeIndex = SelectedIndex(ui_->sizeCombo);
    state_.thicknessIndex = ui_->currentServicesGroup->thicknessIndex();
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
    ui_->plateChecks->clear();
    settle();
    // Offered after the form's own change signals, which withdraw an offer.
    cleared_ = cleared;
    ui_->clearUndoBar->show();
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
    withdrawClearUndo();
}

void CDTemplate::withdrawClearUndo()
{
    cleared_.reset();
    ui_->clearUndoBar->hide();
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
    return {ui_->account1Box, ui_->account2Box, ui_->account3Box, ui_->account4Box, ui_->paruruBox, ui_->furikaeBox};
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
    QCheckBox* paruru = ui_->paruruBox;
    QCheckBox* furikae = ui_->furikaeBox;
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
