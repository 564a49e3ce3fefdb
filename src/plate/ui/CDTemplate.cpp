#include "plate/ui/CDTemplate.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdio>

#include "bank/BankStore.h"
#include "bank/ui/AccountBoxes.h"
#include "bank/ui/CBank.h"
#include "plate/PageTemplates.h"
#include "plate/PlateSettings.h"
#include "plate/RenderPage.h"
#include "plate/SavedPages.h"
#include "plate/ui/CComplete.h"
#include "plate/ui/CLink.h"
#include "plate/ui/CMylink.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/QtText.h"
#include "shipping/ParcelLists.h"
#include "store/SettingsFiles.h"

namespace torepal {
namespace {

// Colour labels by template type: タイプ１ has no second colour. The blanks
// are as the seller knows them: ideographic spaces around 枠カラー, ---
// and 影カラー, ASCII blanks around 文字カラー except in タイプ１.
struct ColourLabels {
    const char* first;
    const char* second;
    const char* third;
    bool secondEnabled;
};
constexpr ColourLabels kType1Labels = {"【　枠カラー　】", "【　---　】", "【文字カラー】", false};
constexpr ColourLabels kType2Labels = {"【　枠カラー　】", "【　影カラー　】", "【 文字カラー 】", true};
constexpr ColourLabels kOtherLabels = {"【　枠カラー　】", "【バックカラー】", "【 文字カラー 】", true};

// The highest selection for which a carrier box stays enabled. Selections
// are signed, so no selection (-1) enables.
constexpr int kYamatoHeaviest = 27;        // "～25kg"
constexpr int kSasshiHeaviest = 13;        // "～3kg"
constexpr int kTeikeigaiHeaviest = 14;     // "～4kg"
constexpr int kKuronekoMailHeaviest = 11;  // "～1kg"
constexpr int kYahooYuPackHeaviest = 26;   // "～21kg"
constexpr int kLargestSize = 8;            // "160size", for クロネコヤマト and 佐川急便
constexpr int kSagawaLastOrigin = 45;      // 鹿児島県: 佐川急便 does not send from 沖縄

void FillCombo(QComboBox* combo, const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) combo->addItem(ToQt(entry));
}

QPushButton* Button(const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    // A page is no dialog: Enter never presses a button here.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QCheckBox* CheckBox(const QString& caption, const char* name)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QRadioButton* Radio(const QString& caption, const char* name)
{
    auto* radio = new QRadioButton(caption);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

// The pair's states come from files as two plain flags, both or neither may
// be on; a click makes the pair exclusive (see connectControls). A group of
// their own that is not exclusive lets the pair hold any state, where
// turning auto-exclusivity off would have screen readers call the buttons
// check boxes.
void FreePair(QWidget* owner, QRadioButton* a, QRadioButton* b)
{
    auto* group = new QButtonGroup(owner);
    group->setExclusive(false);
    group->addButton(a);
    group->addButton(b);
}

QLabel* Heading(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

std::string PaletteText(const Rgb& c)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%.2x%.2x%.2x", static_cast<unsigned>(c.red & 0xFF),
                  static_cast<unsigned>(c.green & 0xFF), static_cast<unsigned>(c.blue & 0xFF));
    return text;
}

}  // namespace

CDTemplate::CDTemplate(DesktopPlatform& platform, BankStore& bank, std::filesystem::path programFolder, QWidget* parent)
    : QWidget(parent), platform_(platform), bank_(bank), programFolder_(std::move(programFolder))
{
    setObjectName(QStringLiteral("platePage"));
    buildForm();

    FillCombo(weightCombo_, WeightList());
    FillCombo(sizeCombo_, SizeList());
    FillCombo(originCombo_, PrefectureList());
    FillCombo(typeCombo_, TemplateTypeNames());
    weightCombo_->setCurrentIndex(0);
    sizeCombo_->setCurrentIndex(0);
    originCombo_->setCurrentIndex(0);
    typeCombo_->setCurrentIndex(0);
    centerRadio_->setChecked(true);
    leftRadio_->setChecked(false);
    linkOffRadio_->setChecked(true);
    linkOnRadio_->setChecked(false);

    connectControls();
    loadPlateSettings();
}

CDTemplate::~CDTemplate() = default;

void CDTemplate::buildForm()
{
    // Left: the texts of the page, top to bottom as they appear on it.
    titleEdit_ = new QLineEdit;
    titleEdit_->setObjectName(QStringLiteral("titleEdit"));
    itemsEdit_ = new QPlainTextEdit;
    itemsEdit_->setObjectName(QStringLiteral("itemsEdit"));
    transEdit_ = new QPlainTextEdit;
    transEdit_->setObjectName(QStringLiteral("transEdit"));
    othersTitleEdit_ = new QLineEdit;
    othersTitleEdit_->setObjectName(QStringLiteral("othersTitleEdit"));
    othersEdit_ = new QPlainTextEdit;
    othersEdit_->setObjectName(QStringLiteral("othersEdit"));
    for (QPlainTextEdit* edit : {itemsEdit_, transEdit_, othersEdit_}) edit->setTabChangesFocus(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(Heading(QStringLiteral("-----商品タイトル------"), titleEdit_));
    texts->addWidget(titleEdit_);
    texts->addWidget(Heading(QStringLiteral("-----商品情報------"), itemsEdit_));
    texts->addWidget(itemsEdit_, 3);
    texts->addWidget(Heading(QStringLiteral("-----発送方法------"), transEdit_));
    texts->addWidget(transEdit_, 2);
    auto* othersHeading = new QHBoxLayout;
    othersHeading->addWidget(Heading(QStringLiteral("-----追加項目の見出し------"), othersTitleEdit_));
    othersHeading->addWidget(othersTitleEdit_, 1);
    texts->addLayout(othersHeading);
    texts->addWidget(Heading(QStringLiteral("-----追加項目の内容------"), othersEdit_));
    texts->addWidget(othersEdit_, 2);

    // Right: payment, carriers and parcel, colours, type and position, booth.
    auto* payment = new QGroupBox(QStringLiteral("支払い方法"));
    auto* paymentGrid = new QGridLayout(payment);
    const char* const accountNames[] = {"account1Box", "account2Box", "account3Box",
                                        "account4Box", "paruruBox",   "furikaeBox"};
    for (std::size_t i = 0; i < accountBoxes_.size(); ++i) {
        accountBoxes_[i] = CheckBox(QStringLiteral("未登録"), accountNames[i]);
        paymentGrid->addWidget(accountBoxes_[i], static_cast<int>(i / 3), static_cast<int>(i % 3));
    }
    yahooEasyBox_ = CheckBox(QStringLiteral("Yahoo!かんたん決算"), "yahooEasyBox");
    stampsBox_ = CheckBox(QStringLiteral("切手"), "stampsBox");
    bankButton_ = Button(QStringLiteral("銀行登録"), "bankButton");
    paymentGrid->addWidget(yahooEasyBox_, 2, 0);
    paymentGrid->addWidget(stampsBox_, 2, 1);
    paymentGrid->addWidget(bankButton_, 2, 2, Qt::AlignRight);

    auto* carriers = new QGroupBox(QStringLiteral("配送業者"));
    auto* carrierGrid = new QGridLayout(carriers);
    yamatoBox_ = CheckBox(QStringLiteral("クロネコヤマト"), "yamatoBox");
    sagawaBox_ = CheckBox(QStringLiteral("佐川急便"), "sagawaBox");
    yuPackBox_ = CheckBox(QStringLiteral("ゆうパック"), "yuPackBox");
    yahooYuPackBox_ = CheckBox(QStringLiteral("Yahoo！ゆうパック"), "yahooYuPackBox");
    teikeigaiBox_ = CheckBox(QStringLiteral("定形外郵便"), "teikeigaiBox");
    sasshiBox_ = CheckBox(QStringLiteral("冊子小包"), "sasshiBox");
    kuronekoMailBox_ = CheckBox(QStringLiteral("クロネコメール便"), "kuronekoMailBox");
    expackBox_ = CheckBox(QStringLiteral("EXPACK500"), "expackBox");
    QCheckBox* const onScreen[] = {yamatoBox_,    sagawaBox_, yuPackBox_,       yahooYuPackBox_,
                                   teikeigaiBox_, sasshiBox_, kuronekoMailBox_, expackBox_};
    for (int i = 0; i < 8; ++i) carrierGrid->addWidget(onScreen[i], i / 3, i % 3);

    weightCombo_ = new QComboBox;
    weightCombo_->setObjectName(QStringLiteral("weightCombo"));
    sizeCombo_ = new QComboBox;
    sizeCombo_->setObjectName(QStringLiteral("sizeCombo"));
    originCombo_ = new QComboBox;
    originCombo_->setObjectName(QStringLiteral("originCombo"));
    originCombo_->setMaxVisibleItems(16);
    auto* parcel = new QGridLayout;
    parcel->addWidget(Heading(QStringLiteral("重量"), weightCombo_), 0, 0);
    parcel->addWidget(Heading(QStringLiteral("サイズ"), sizeCombo_), 0, 1);
    parcel->addWidget(Heading(QStringLiteral("発送元"), originCombo_), 0, 2);
    parcel->addWidget(weightCombo_, 1, 0);
    parcel->addWidget(sizeCombo_, 1, 1);
    parcel->addWidget(originCombo_, 1, 2);
    carrierGrid->addLayout(parcel, 3, 0, 1, 3);

    auto* colours = new QGroupBox(QStringLiteral("テンプレートカラー"));
    auto* colourGrid = new QGridLayout(colours);
    const char* const editNames[] = {"colorEdit", "bgcolorEdit", "fcolorEdit"};
    const char* const labelNames[] = {"colorLabel", "bgcolorLabel", "fcolorLabel"};
    const char* const paletteNames[] = {"colorPaletteButton", "bgcolorPaletteButton", "fcolorPaletteButton"};
    for (int i = 0; i < 3; ++i) {
        colourEdits_[i] = new QLineEdit;
        colourEdits_[i]->setObjectName(QString::fromLatin1(editNames[i]));
        colourLabels_[i] = Heading(QString(), colourEdits_[i]);
        colourLabels_[i]->setObjectName(QString::fromLatin1(labelNames[i]));
        paletteButtons_[i] = Button(QStringLiteral("パレット"), paletteNames[i]);
        // Three buttons share one caption; say which colour each one sets.
        paletteButtons_[i]->setAccessibleName(QStringLiteral("パレット（カラー%1）").arg(i + 1));
        colourGrid->addWidget(colourLabels_[i], i, 0);
        colourGrid->addWidget(colourEdits_[i], i, 1);
        colourGrid->addWidget(paletteButtons_[i], i, 2);
    }
    colourLabels_[0]->setText(QString::fromUtf8(kType1Labels.first));
    colourLabels_[1]->setText(QString::fromUtf8(kType1Labels.second));
    colourLabels_[2]->setText(QString::fromUtf8(kType1Labels.third));

    auto* status = new QGroupBox(QStringLiteral("テンプレートステータス"));
    auto* statusGrid = new QGridLayout(status);
    typeCombo_ = new QComboBox;
    typeCombo_->setObjectName(QStringLiteral("typeCombo"));
    centerRadio_ = Radio(QStringLiteral("中央"), "centerRadio");
    leftRadio_ = Radio(QStringLiteral("左寄せ"), "leftRadio");
    FreePair(this, centerRadio_, leftRadio_);
    statusGrid->addWidget(Heading(QStringLiteral("【タイプ】"), typeCombo_), 0, 0);
    statusGrid->addWidget(typeCombo_, 0, 1, 1, 2);
    auto* positionLabel = new QLabel(QStringLiteral("【ポディション】"));
    positionLabel->setObjectName(QStringLiteral("positionLabel"));
    statusGrid->addWidget(positionLabel, 1, 0);
    statusGrid->addWidget(centerRadio_, 1, 1);
    statusGrid->addWidget(leftRadio_, 1, 2);
    centerRadio_->setAccessibleDescription(positionLabel->text());
    leftRadio_->setAccessibleDescription(positionLabel->text());

    auto* booth = new QGroupBox(QStringLiteral("マイブース"));
    auto* boothGrid = new QGridLayout(booth);
    yahooIdEdit_ = new QLineEdit;
    yahooIdEdit_->setObjectName(QStringLiteral("yahooIdEdit"));
    linkOffRadio_ = Radio(QStringLiteral("リンクしない"), "linkOffRadio");
    linkOnRadio_ = Radio(QStringLiteral("リンクする"), "linkOnRadio");
    FreePair(this, linkOffRadio_, linkOnRadio_);
    boothTextButton_ = Button(QStringLiteral("テキストリンク編集"), "boothTextButton");
    boothGrid->addWidget(Heading(QStringLiteral("【Yahoo ID】"), yahooIdEdit_), 0, 0);
    boothGrid->addWidget(yahooIdEdit_, 0, 1, 1, 2);
    boothGrid->addWidget(linkOffRadio_, 1, 0);
    boothGrid->addWidget(linkOnRadio_, 1, 1);
    boothGrid->addWidget(boothTextButton_, 1, 2);

    auto* side = new QVBoxLayout;
    side->addWidget(payment);
    side->addWidget(carriers);
    side->addWidget(colours);
    side->addWidget(status);
    side->addWidget(booth);
    side->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(texts, 1);
    columns->addLayout(side, 1);

    completeButton_ = Button(QStringLiteral("完成"), "completeButton");
    previewButton_ = Button(QStringLiteral("プレビュー"), "previewButton");
    completeCopyButton_ = Button(QStringLiteral("完成・クリップボードへコピー"), "completeCopyButton");
    clearButton_ = Button(QStringLiteral("クリアー"), "clearButton");
    linkTagButton_ = Button(QStringLiteral("リンクタグ作成"), "linkTagButton");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(completeButton_);
    bottom->addWidget(previewButton_);
    bottom->addWidget(completeCopyButton_);
    bottom->addStretch(1);
    bottom->addWidget(clearButton_);
    bottom->addWidget(linkTagButton_);

    auto* page = new QVBoxLayout(this);
    page->addLayout(columns, 1);
    page->addLayout(bottom);
}

void CDTemplate::connectControls()
{
    using Combo = void (QComboBox::*)(int);
    const Combo changed = &QComboBox::currentIndexChanged;
    connect(typeCombo_, changed, this, [this] { typeChanged(); });
    connect(weightCombo_, changed, this, [this] { weightChanged(); });
    connect(sizeCombo_, changed, this, [this] { sizeChanged(); });
    connect(originCombo_, changed, this, [this] { originChanged(); });

    auto pair = [this](QRadioButton* on, QRadioButton* off) {
        connect(on, &QRadioButton::clicked, this, [on, off] {
            on->setChecked(true);
            off->setChecked(false);
        });
    };
    pair(centerRadio_, leftRadio_);
    pair(leftRadio_, centerRadio_);
    pair(linkOffRadio_, linkOnRadio_);
    pair(linkOnRadio_, linkOffRadio_);

    for (int i = 0; i < 3; ++i)
        connect(paletteButtons_[i], &QPushButton::clicked, this, [this, i] { choosePaletteColour(i); });
    connect(bankButton_, &QPushButton::clicked, this, &CDTemplate::editAccounts);
    connect(boothTextButton_, &QPushButton::clicked, this, &CDTemplate::editBoothText);
    connect(completeButton_, &QPushButton::clicked, this, &CDTemplate::finishAndSave);
    connect(previewButton_, &QPushButton::clicked, this, &CDTemplate::preview);
    connect(completeCopyButton_, &QPushButton::clicked, this, &CDTemplate::finishAndShow);
    connect(clearButton_, &QPushButton::clicked, this, &CDTemplate::clearForm);
    connect(linkTagButton_, &QPushButton::clicked, this, &CDTemplate::makeLinkTag);
}

// ---- pull and push ------------------------------------------------------

bool CDTemplate::pull()
{
    return pull(true);
}

bool CDTemplate::pull(bool tellSeller)
{
    FieldReader r;
    std::string title = r.line(titleEdit_, QStringLiteral("商品タイトル"));
    std::string items = r.multiline(itemsEdit_, QStringLiteral("商品情報"));
    std::string trans = r.multiline(transEdit_, QStringLiteral("発送方法"));
    std::string othersTitle = r.line(othersTitleEdit_, QStringLiteral("追加項目の見出し"));
    std::string others = r.multiline(othersEdit_, QStringLiteral("追加項目の内容"));
    std::string color = r.line(colourEdits_[0], QStringLiteral("カラー1"));
    std::string bgcolor = r.line(colourEdits_[1], QStringLiteral("カラー2"));
    std::string fcolor = r.line(colourEdits_[2], QStringLiteral("カラー3"));
    std::string yahooId = r.line(yahooIdEdit_, QStringLiteral("Yahoo ID"));
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
    SetLine(titleEdit_, state_.Title);
    SetMultiline(itemsEdit_, state_.Items);
    SetMultiline(transEdit_, state_.trans);
    SetLine(othersTitleEdit_, state_.TOthers);
    SetMultiline(othersEdit_, state_.Others);
    SetLine(colourEdits_[0], state_.color);
    SetLine(colourEdits_[1], state_.bgcolor);
    SetLine(colourEdits_[2], state_.fcolor);
    SetLine(yahooIdEdit_, state_.yahooId);
}

// ---- ticks, radios and selections ---------------------------------------

PlateFlags CDTemplate::flags() const
{
    PlateFlags f;
    for (std::size_t i = 0; i < accountBoxes_.size(); ++i) f.payment.accounts[i] = accountBoxes_[i]->isChecked();
    f.payment.yahooEasy = yahooEasyBox_->isChecked();
    f.payment.stamps = stampsBox_->isChecked();
    f.carriers.yamato = yamatoBox_->isChecked();
    f.carriers.sagawa = sagawaBox_->isChecked();
    f.carriers.yuPack = yuPackBox_->isChecked();
    f.carriers.yahooYuPack = yahooYuPackBox_->isChecked();
    f.carriers.teikeigai = teikeigaiBox_->isChecked();
    f.carriers.sasshi = sasshiBox_->isChecked();
    f.carriers.kuronekoMail = kuronekoMailBox_->isChecked();
    f.carriers.expack = expackBox_->isChecked();
    f.center = centerRadio_->isChecked();
    f.left = leftRadio_->isChecked();
    f.linkOff = linkOffRadio_->isChecked();
    f.linkOn = linkOnRadio_->isChecked();
    return f;
}

void CDTemplate::setFlags(const PlateFlags& f)
{
    for (std::size_t i = 0; i < accountBoxes_.size(); ++i) accountBoxes_[i]->setChecked(f.payment.accounts[i]);
    yahooEasyBox_->setChecked(f.payment.yahooEasy);
    stampsBox_->setChecked(f.payment.stamps);
    yamatoBox_->setChecked(f.carriers.yamato);
    sagawaBox_->setChecked(f.carriers.sagawa);
    yuPackBox_->setChecked(f.carriers.yuPack);
    yahooYuPackBox_->setChecked(f.carriers.yahooYuPack);
    teikeigaiBox_->setChecked(f.carriers.teikeigai);
    sasshiBox_->setChecked(f.carriers.sasshi);
    kuronekoMailBox_->setChecked(f.carriers.kuronekoMail);
    expackBox_->setChecked(f.carriers.expack);
    centerRadio_->setChecked(f.center);
    leftRadio_->setChecked(f.left);
    linkOffRadio_->setChecked(f.linkOff);
    linkOnRadio_->setChecked(f.linkOn);
}

CDTemplate::Selections CDTemplate::selections() const
{
    return Selections{SelectedIndex(weightCombo_), SelectedIndex(sizeCombo_), SelectedIndex(originCombo_),
                      SelectedIndex(typeCombo_)};
}

void CDTemplate::setSelections(const Selections& s)
{
    weightCombo_->setCurrentIndex(s.weight);
    sizeCombo_->setCurrentIndex(s.size);
    originCombo_->setCurrentIndex(s.origin);
    typeCombo_->setCurrentIndex(s.type);
    typeChanged();
    weightChanged();
    sizeChanged();
    originChanged();
}

void CDTemplate::typeChanged()
{
    state_.templateType = SelectedIndex(typeCombo_);
    const ColourLabels* labels = nullptr;
    switch (state_.templateType) {
        case 0:
            labels = &kType1Labels;
            break;
        case 1:
            labels = &kType2Labels;
            break;
        case 2:
        case 3:
        case 4:
            labels = &kOtherLabels;
            break;
        default:
            return;  // no selection: the labels stay as they are
    }
    colourLabels_[0]->setText(QString::fromUtf8(labels->first));
    colourLabels_[1]->setText(QString::fromUtf8(labels->second));
    colourLabels_[2]->setText(QString::fromUtf8(labels->third));
    // Only the edit: the palette button of colour 2 stays usable.
    colourEdits_[1]->setEnabled(labels->secondEnabled);
}

void CDTemplate::weightChanged()
{
    const int w = state_.weightIndex = SelectedIndex(weightCombo_);
    yamatoBox_->setEnabled(w <= kYamatoHeaviest);
    sasshiBox_->setEnabled(w <= kSasshiHeaviest);
    teikeigaiBox_->setEnabled(w <= kTeikeigaiHeaviest);
    kuronekoMailBox_->setEnabled(w <= kKuronekoMailHeaviest);
    yahooYuPackBox_->setEnabled(w <= kYahooYuPackHeaviest);
}

void CDTemplate::sizeChanged()
{
    // クロネコヤマト depends on weight and size: the rule that ran last decides.
    const int s = state_.sizeIndex = SelectedIndex(sizeCombo_);
    yamatoBox_->setEnabled(s <= kLargestSize);
    sagawaBox_->setEnabled(s <= kLargestSize);
}

void CDTemplate::originChanged()
{
    const int o = state_.originIndex = SelectedIndex(originCombo_);
    sagawaBox_->setEnabled(o <= kSagawaLastOrigin);
}

void CDTemplate::takeSelections()
{
    state_.templateType = SelectedIndex(typeCombo_);
    state_.originIndex = SelectedIndex(originCombo_);
    state_.weightIndex = SelectedIndex(weightCombo_);
    state_.sizeIndex = SelectedIndex(sizeCombo_);
}

// ---- clear, settings, accounts --------------------------------------------

void CDTemplate::clearForm()
{
    if (!pull()) return;
    state_.Title.clear();
    state_.Items.clear();
    state_.trans.clear();
    weightCombo_->setCurrentIndex(0);
    sizeCombo_->setCurrentIndex(0);
    originCombo_->setCurrentIndex(0);
    typeCombo_->setCurrentIndex(0);
    leftRadio_->setChecked(false);
    centerRadio_->setChecked(true);
    push();
    typeChanged();
    weightChanged();
    sizeChanged();
    originChanged();
}

void CDTemplate::loadPlateSettings()
{
    const Loaded<CPSave> loaded = LoadPlateFile(programFolder_);
    if (loaded.status == LoadStatus::Damaged)
        platform_.showMessage(DamagedSettingsMessage(kPlateFile, loaded.keptCopy));
    // At the first start there is no file: the form keeps its defaults.
    if (loaded.status != LoadStatus::Missing) {
        PlateFlags f = flags();
        int origin = 0;
        int type = 0;
        ApplyPlateSettings(loaded.record, state_, f, origin, type);
        setFlags(f);
        originCombo_->setCurrentIndex(origin);
        typeCombo_->setCurrentIndex(type);
        push();
    }
    typeChanged();
    weightChanged();
    sizeChanged();
    originChanged();
}

bool CDTemplate::savePlateSettings()
{
    if (!pull()) return false;
    const CPSave record = PlateSettingsRecord(state_, flags(), SelectedIndex(originCombo_), SelectedIndex(typeCombo_));
    if (!StorePlateFile(programFolder_, record)) {
        platform_.showMessage(StoreFailedMessage(kPlateFile));
        return false;
    }
    return true;
}

std::array<QCheckBox*, 6> CDTemplate::accountBoxes() const
{
    return accountBoxes_;
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
    QCheckBox* paruru = accountBoxes_[kParuruRow];
    QCheckBox* furikae = accountBoxes_[kFurikaeRow];
    const QString paruruText = paruru->text(), paruruName = paruru->accessibleName();
    const QString furikaeText = furikae->text(), furikaeName = furikae->accessibleName();
    CaptionAccountBoxes(accountBoxes(), rows);
    paruru->setText(paruruText);
    paruru->setAccessibleName(paruruName);
    furikae->setText(furikaeText);
    furikae->setAccessibleName(furikaeName);
    accountsGeneration_ = bank_.currentGeneration();
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
    *targets[which] = PaletteText(*colour);
    push();
}

// ---- finishing ------------------------------------------------------------

void CDTemplate::render()
{
    takeSelections();
    RenderPage(state_, flags());
}

void CDTemplate::showResult(const std::string& page)
{
    CComplete dialog(platform_, this);
    dialog.setPage(page);
    platform_.runModal(dialog);
}

void CDTemplate::finishAndSave()
{
    if (!pull()) return;
    const std::string stamp = FormatTimeStamp(platform_.now());
    render();
    push();
    const std::string name = SavedPageName(stamp, state_.Title);
    if (WritePageFile(SavedPagePath(programFolder_, name), state_.page) != WriteStatus::Ok) {
        std::error_code ec;
        const bool folderMissing = !std::filesystem::is_directory(programFolder_ / "back", ec);
        platform_.showMessage(PageNotSavedMessage(name, folderMissing));
        showResult(state_.page);
    }
}

void CDTemplate::preview()
{
    if (!pull()) return;
    state_.page.clear();
    render();
    push();
    const std::filesystem::path path = PreviewPath(programFolder_);
    if (WritePageFile(path, state_.page) != WriteStatus::Ok) {
        platform_.showMessage(PreviewNotWrittenMessage());
        showResult(state_.page);
        return;
    }
    platform_.openFile(path);
}

void CDTemplate::finishAndShow()
{
    if (!pull()) return;
    CComplete dialog(platform_, this);
    render();
    dialog.setPage(state_.page);
    push();
    platform_.runModal(dialog);
}

void CDTemplate::keyPressEvent(QKeyEvent* event)
{
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

}  // namespace torepal
