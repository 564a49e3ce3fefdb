#include "plate/ui/CDTemplate.h"

#include "bank/BankStore.h"
#include "bank/ui/AccountBoxes.h"
#include "bank/ui/CBank.h"
#include "plate/ListingChecks.h"
#include "plate/PageTemplates.h"
#include "plate/PlateForm.h"
#include "plate/PlateSettings.h"
#include "plate/RenderPage.h"
#include "plate/SavedPages.h"
#include "plate/TemplateColours.h"
#include "plate/ui/CComplete.h"
#include "plate/ui/CLink.h"
#include "plate/ui/CMylink.h"
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

}  // namespace

CDTemplate::CDTemplate(DesktopPlatform& platform, BankStore& bank, std::filesystem::path programFolder, QWidget* parent)
    : QWidget(parent),
      m_ui(new Ui::CDTemplate),
      platform_(platform),
      bank_(bank),
      programFolder_(std::move(programFolder))
{
    m_ui->setupUi(this);
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
}

// ---- pull and push ------------------------------------------------------

bool CDTemplate::pull()
{
    return pull(true);
}

bool CDTemplate::pull(bool tellSeller)
{
    FieldReader r;
    std::string title = r.line(m_ui->titleEdit, QStringLiteral("商品タイトル"));
    std::string items = r.multiline(m_ui->itemsEdit, QStringLiteral("商品情報"));
    std::string trans = r.multiline(m_ui->transEdit, QStringLiteral("発送方法"));
    std::string othersTitle = r.line(m_ui->othersTitleEdit, QStringLiteral("追加項目の見出し"));
    std::string others = r.multiline(m_ui->othersEdit, QStringLiteral("追加項目の内容"));
    std::string color = r.line(m_ui->colorEdit, QStringLiteral("カラー1"));
    std::string bgcolor = r.line(m_ui->bgcolorEdit, QStringLiteral("カラー2"));
    std::string fcolor = r.line(m_ui->fcolorEdit, QStringLiteral("カラー3"));
    std::string yahooId = r.line(m_ui->yahooIdEdit, QStringLiteral("Yahoo ID"));
    if (!r.ok()) {
        if (tellSeller) r.reportTo(platform_);
        return false;
    }
    state_.Title = std::move(title);
    state_.Items = std::move(items);
    state_.trans = std::move(trans);
    state_.TOthers = std::move(othersTitle);
    state_.Others = std::move(others);
    state_.color = std::move(color);
    state_.bgcolor = std::move(bgcolor);
    state_.fcolor = std::move(fcolor);
    state_.yahooId = std::move(yahooId);
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
    ClearPlateForm(state_, f, s);
    setFlags(f);
    setSelections(s);
    push();
    // The findings were about the listing just cleared away.
    checks_.clear();
    m_ui->plateChecks->clear();
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
    if (platform_.runModal(dialog) == QDialog::Accepted) state_.mytext = dialog.text();
}

void CDTemplate::makeLinkTag()
{
    CLink dialog(platform_, this);
    platform_.runModal(dialog);
}

void CDTemplate::choosePaletteColour(int which)
{
    if (which < 0 || which > 2) return;
    const std::optional<Rgb> colour = platform_.chooseColour();
    if (!colour || !pull()) return;
    std::string* const targets[] = {&state_.color, &state_.bgcolor, &state_.fcolor};
    *targets[which] = PaletteColourText(*colour);
    push();
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
    if (!SaveFinishedPage(state_, stamp, programFolder_, platform_)) showResult(state_.page);
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
    CComplete dialog(platform_, this);
    render();
    dialog.setPage(state_.page);
    dialog.setListing(state_.Title, checks_);
    push();
    platform_.runModal(dialog);
}

}  // namespace torepal
