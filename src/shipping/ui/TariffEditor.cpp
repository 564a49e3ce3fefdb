#include "shipping/ui/TariffEditor.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QUndoStack>

#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/ReadableLabel.h"
#include "shipping/TariffFiles.h"
#include "shipping/TariffReader.h"
#include "shipping/ui/TariffEditorShared.h"
#include "ui_TariffEditor.h"

// The tariff editor's frame: its widgets and their connections, the list of
// services and switching between them, the questions it asks, and the
// edits that become snapshots on the undo stack. The grids are filled and
// checked in TariffEditorGrids.cpp; files are written in TariffEditorFiles.cpp.

namespace torepal {

using namespace tariff_editor;

TariffEditor::TariffEditor(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TariffEditor>()),
      platform_(platform),
      folder_(std::move(programFolder) / std::string(kTariffFolderName)),
      undo_(new QUndoStack(this))
{
    ui_->setupUi(this);
    ui_->dateKindCombo->addItems({QStringLiteral("改定日"), QStringLiteral("時点（改定日が不明）")});
    ui_->shapeCombo->addItems(
        {QStringLiteral("一律（重さの上限まで）"), QStringLiteral("重さの区切り"), QStringLiteral("大きさ × 地域")});
    ui_->deletedCombo->setAccessibleName(QStringLiteral("削除したサービス"));
    // A list or a table takes no name from its buddy label on AT-SPI; the
    // names are the captions the labels show.
    ui_->serviceList->setAccessibleName(QStringLiteral("サービス"));
    ui_->bandsTable->setAccessibleName(QStringLiteral("重さの区切りと料金"));
    ui_->pricesTable->setAccessibleName(QStringLiteral("料金（行: 発地域、列: 着地域）"));
    ui_->sizesTable->setAccessibleName(QStringLiteral("大きさの区分"));
    ui_->regionsTable->setAccessibleName(QStringLiteral("地域"));
    MakeLabelReadable(*ui_->faultLabel);
    MakeLabelReadable(*ui_->dateNote);

    ui_->bandsTable->setColumnCount(2);
    ui_->bandsTable->setHorizontalHeaderLabels({QStringLiteral("重さ（g）まで"), QStringLiteral("料金（円）")});
    ui_->sizesTable->setColumnCount(2);
    ui_->sizesTable->setHorizontalHeaderLabels({QStringLiteral("三辺の合計（cm）"), QStringLiteral("重さ（g）まで")});
    ui_->regionsTable->setColumnCount(1);
    ui_->regionsTable->setHorizontalHeaderLabels({QStringLiteral("地域の名前")});
    // One labelled combo box per prefecture, real widgets in a form rather
    // than widgets laid over grid cells, so a screen reader finds each
    // prefecture's region by the prefecture's name.
    const auto& official = OfficialPrefectureNames();
    for (int p = 0; p < static_cast<int>(official.size()); ++p) {
        const QString name = Q(official[static_cast<std::size_t>(p)]);
        auto* combo = new QComboBox;
        combo->setObjectName(QStringLiteral("prefectureRegion%1").arg(p));
        combo->setAccessibleName(name + QStringLiteral("の地域"));
        auto* label = new QLabel(name);
        label->setBuddy(combo);
        ui_->prefecturesForm->addRow(label, combo);
        prefectureCombos_.push_back(combo);
        connect(combo, &QComboBox::activated, this, [this, p](int index) { prefectureRegionChosen(p, index); });
    }
    if (!prefectureCombos_.empty()) ui_->prefecturesLabel->setBuddy(prefectureCombos_.front());
    for (QTableWidget* table : {ui_->bandsTable, ui_->sizesTable, ui_->pricesTable, ui_->regionsTable}) {
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        connect(table, &QTableWidget::cellChanged, this,
                [this, table](int row, int column) { cellEdited(table, row, column); });
        auto* paste = new QAction(QStringLiteral("貼り付け"), table);
        paste->setShortcut(QKeySequence::Paste);
        paste->setShortcutContext(Qt::WidgetShortcut);
        table->addAction(paste);
        connect(paste, &QAction::triggered, this,
                [this] { pasteText(QGuiApplication::clipboard()->text(QClipboard::Clipboard)); });
    }

    // Ten rows of each grid show at once: a rate card is read down its
    // column, and a paste is checked against the printed table by eye.
    for (QTableWidget* table : {ui_->bandsTable, ui_->sizesTable, ui_->pricesTable, ui_->regionsTable}) {
        constexpr int kRowsShown = 10;
        table->setMinimumHeight(table->horizontalHeader()->sizeHint().height() +
                                kRowsShown * table->verticalHeader()->defaultSectionSize() +
                                table->horizontalScrollBar()->sizeHint().height() + 2 * table->frameWidth());
    }

    auto* undoAction = undo_->createUndoAction(this, QStringLiteral("元に戻す"));
    undoAction->setShortcut(QKeySequence::Undo);
    auto* redoAction = undo_->createRedoAction(this, QStringLiteral("やり直し"));
    redoAction->setShortcut(QKeySequence::Redo);
    addAction(undoAction);
    addAction(redoAction);
    connect(ui_->undoButton, &QPushButton::clicked, undo_, &QUndoStack::undo);
    connect(ui_->redoButton, &QPushButton::clicked, undo_, &QUndoStack::redo);
    connect(undo_, &QUndoStack::canUndoChanged, ui_->undoButton, &QWidget::setEnabled);
    connect(undo_, &QUndoStack::canRedoChanged, ui_->redoButton, &QWidget::setEnabled);
    ui_->undoButton->setEnabled(false);
    ui_->redoButton->setEnabled(false);

    connect(ui_->idEdit, &QLineEdit::textChanged, this,
            [this](const QString& s) { edit(QStringLiteral("ID"), kIdKey, [&](Tariff& t) { t.id = U(s); }); });
    connect(ui_->nameEdit, &QLineEdit::textChanged, this, [this](const QString& s) {
        edit(QStringLiteral("サービス名"), kNameKey, [&](Tariff& t) { t.name = U(s); });
    });
    connect(ui_->carrierEdit, &QLineEdit::textChanged, this, [this](const QString& s) {
        edit(QStringLiteral("運送会社"), kCarrierKey, [&](Tariff& t) { t.carrier = U(s); });
    });
    connect(ui_->sourceEdit, &QLineEdit::textChanged, this, [this](const QString& s) {
        edit(QStringLiteral("出典"), kSourceKey, [&](Tariff& t) { t.source = U(s); });
    });
    connect(ui_->dateEdit, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        edit(QStringLiteral("日付"), kNoMerge, [&](Tariff& t) { t.date = {d.year(), d.month(), d.day()}; });
    });
    connect(ui_->dateKindCombo, &QComboBox::activated, this, [this](int i) {
        edit(QStringLiteral("日付の種類"), kNoMerge,
             [&](Tariff& t) { t.dateKind = i == 1 ? TariffDateKind::InForce : TariffDateKind::Effective; });
    });
    connect(ui_->orderSpin, &QSpinBox::valueChanged, this,
            [this](int v) { edit(QStringLiteral("順番"), kNoMerge, [&](Tariff& t) { t.order = v; }); });
    connect(ui_->flatPriceSpin, &QSpinBox::valueChanged, this,
            [this](int v) { edit(QStringLiteral("料金"), kNoMerge, [&](Tariff& t) { t.flatYen = v; }); });
    connect(ui_->flatWeightSpin, &QSpinBox::valueChanged, this,
            [this](int v) { edit(QStringLiteral("重さの上限"), kNoMerge, [&](Tariff& t) { t.flatMaxGrams = v; }); });
    connect(ui_->shapeCombo, &QComboBox::activated, this, [this](int i) {
        edit(QStringLiteral("料金の形"), kNoMerge, [&](Tariff& t) {
            t.shape = static_cast<TariffShape>(i);
            // A new shape starts with one empty row for the seller to fill.
            if (t.shape == TariffShape::Bands && t.variants.empty()) t.variants.push_back({"", {WeightBand{}}});
            if (t.shape == TariffShape::Regions && t.regions.empty()) {
                if (t.sizeClasses.empty()) AddSizeClass(t, SizeClass{});
                AddRegion(t, "全国");
                for (const char* p : OfficialPrefectureNames()) AssignPrefecture(t, p, 0);
            }
        });
    });

    connect(ui_->variantCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) fill();
    });
    connect(ui_->variantNameEdit, &QLineEdit::textChanged, this, [this](const QString& s) {
        const int v = ui_->variantCombo->currentIndex();
        edit(QStringLiteral("列の名前"), kVariantNameKey, [&](Tariff& t) {
            if (v >= 0 && v < static_cast<int>(t.variants.size())) t.variants[static_cast<std::size_t>(v)].name = U(s);
        });
    });
    connect(ui_->addVariantButton, &QPushButton::clicked, this, [this] {
        edit(QStringLiteral("列を追加"), kNoMerge, [](Tariff& t) { t.variants.push_back({"", {WeightBand{}}}); });
        ui_->variantCombo->setCurrentIndex(ui_->variantCombo->count() - 1);
    });
    connect(ui_->removeVariantButton, &QPushButton::clicked, this, [this] {
        const int v = ui_->variantCombo->currentIndex();
        edit(QStringLiteral("列を削除"), kNoMerge, [v](Tariff& t) {
            if (v >= 0 && v < static_cast<int>(t.variants.size())) t.variants.erase(t.variants.begin() + v);
        });
    });
    connect(ui_->addBandButton, &QPushButton::clicked, this, [this] {
        const int v = ui_->variantCombo->currentIndex();
        edit(QStringLiteral("行を追加"), kNoMerge, [v](Tariff& t) {
            if (v >= 0 && v < static_cast<int>(t.variants.size()))
                t.variants[static_cast<std::size_t>(v)].bands.push_back({});
        });
        ui_->bandsTable->setCurrentCell(ui_->bandsTable->rowCount() - 1, 0);
    });
    connect(ui_->removeBandButton, &QPushButton::clicked, this, [this] {
        const int v = ui_->variantCombo->currentIndex();
        const int row = ui_->bandsTable->currentRow();
        edit(QStringLiteral("行を削除"), kNoMerge, [v, row](Tariff& t) {
            if (v < 0 || v >= static_cast<int>(t.variants.size())) return;
            auto& bands = t.variants[static_cast<std::size_t>(v)].bands;
            if (row >= 0 && row < static_cast<int>(bands.size())) bands.erase(bands.begin() + row);
        });
    });
    connect(ui_->sizeCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) fill();
    });
    connect(ui_->addSizeButton, &QPushButton::clicked, this,
            [this] { edit(QStringLiteral("区分を追加"), kNoMerge, [](Tariff& t) { AddSizeClass(t, SizeClass{}); }); });
    connect(ui_->removeSizeButton, &QPushButton::clicked, this, [this] {
        const int row = ui_->sizesTable->currentRow();
        edit(QStringLiteral("区分を削除"), kNoMerge,
             [row](Tariff& t) { RemoveSizeClass(t, static_cast<std::size_t>(std::max(row, 0))); });
    });
    connect(ui_->addRegionButton, &QPushButton::clicked, this, [this] {
        edit(QStringLiteral("地域を追加"), kNoMerge,
             [](Tariff& t) { AddRegion(t, "地域" + std::to_string(t.regions.size() + 1)); });
    });
    connect(ui_->removeRegionButton, &QPushButton::clicked, this, [this] {
        const int row = ui_->regionsTable->currentRow();
        edit(QStringLiteral("地域を削除"), kNoMerge,
             [row](Tariff& t) { RemoveRegion(t, static_cast<std::size_t>(std::max(row, 0))); });
    });

    connect(ui_->serviceList, &QListWidget::currentRowChanged, this, &TariffEditor::serviceChosen);
    connect(ui_->newButton, &QPushButton::clicked, this, &TariffEditor::newService);
    addPresetButton();
    addLimitControls();
    connect(ui_->copyButton, &QPushButton::clicked, this, &TariffEditor::copyService);
    connect(ui_->deleteButton, &QPushButton::clicked, this, &TariffEditor::deleteService);
    connect(ui_->restoreButton, &QPushButton::clicked, this, &TariffEditor::restoreService);
    connect(ui_->saveButton, &QPushButton::clicked, this, &TariffEditor::save);
    connect(ui_->closeButton, &QPushButton::clicked, this, &TariffEditor::reject);

    loadFolder({});
    if (ui_->serviceList->count() == 0) newService();

    // As large as its grids need, inside the screen it opens on.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize want = sizeHint().expandedTo(QSize(980, 0));
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, want.width(), want.height());
    resize(std::min(want.width(), room.width()), std::min(want.height(), room.height()));
}

TariffEditor::~TariffEditor() = default;

bool TariffEditor::ask(const QString& question)
{
    QMessageBox box(QMessageBox::Question, windowTitle(), question, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    platform_.runModal(box);
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

void TariffEditor::tell(const QString& text)
{
    platform_.showUnicodeMessage(U(text));
}

void TariffEditor::loadFolder(const std::string& selectId)
{
    const TariffFolder read = ReadTariffFolder(folder_);
    const QSignalBlocker block(ui_->serviceList);
    ui_->serviceList->clear();
    folderIds_.clear();
    int select = -1;
    for (const Tariff& t : read.services) {
        folderIds_.push_back(t.id);
        const QString kind = t.dateKind == TariffDateKind::Effective ? QStringLiteral("改定") : QStringLiteral("時点");
        auto* item = new QListWidgetItem(Q(t.name) + QStringLiteral("（") + Q(JapaneseDate(t.date)) + kind +
                                         QStringLiteral("）  ") + Q(t.id));
        item->setData(Qt::UserRole, Q(t.id));
        item->setData(Qt::UserRole + 1, true);
        if (t.id == selectId) select = ui_->serviceList->count();
        ui_->serviceList->addItem(item);
    }
    for (const TariffProblem& p : read.problems) {
        const std::string id = std::filesystem::path(p.file).stem().string();
        folderIds_.push_back(id);
        auto* item = new QListWidgetItem(QStringLiteral("誤りあり: ") + Q(p.file));
        item->setToolTip(Q(DescribeTariffProblem(p)));
        item->setData(Qt::UserRole, Q(id));
        item->setData(Qt::UserRole + 1, false);
        item->setData(Qt::UserRole + 2, Q(DescribeTariffProblem(p)));
        item->setForeground(QColor(170, 0, 0));
        if (id == selectId) select = ui_->serviceList->count();
        ui_->serviceList->addItem(item);
    }
    ui_->deletedCombo->clear();
    for (const std::string& id : DeletedTariffIds(folder_)) ui_->deletedCombo->addItem(Q(id));
    ui_->restoreButton->setEnabled(ui_->deletedCombo->count() > 0);
    // The whole text of each line fits: an ID is never cut off.
    ui_->serviceList->setMinimumWidth(
        std::min(ui_->serviceList->sizeHintForColumn(0) + 2 * ui_->serviceList->frameWidth() + 24, 520));
    if (select < 0 && selectId.empty() && ui_->serviceList->count() > 0) select = 0;
    if (select >= 0) {
        ui_->serviceList->setCurrentRow(select);
        if (selectId != current_.id || loadedId_.empty()) serviceChosen();
    }
    listUnsaved();
}

void TariffEditor::listUnsaved()
{
    const QSignalBlocker block(ui_->serviceList);
    for (int row = ui_->serviceList->count() - 1; row >= 0; --row)
        if (ui_->serviceList->item(row)->data(kUnsavedRole).toBool()) delete ui_->serviceList->takeItem(row);
    if (!unsaved_) return;
    auto* item = new QListWidgetItem(QStringLiteral("（未保存）") +
                                     (current_.name.empty() ? QStringLiteral("新しいサービス") : Q(current_.name)) +
                                     QStringLiteral("  ") + Q(current_.id));
    item->setData(Qt::UserRole, Q(current_.id));
    item->setData(kUnsavedRole, true);
    item->setToolTip(Q(presetNote_));
    QFont font = item->font();
    font.setItalic(true);
    item->setFont(font);
    ui_->serviceList->addItem(item);
    ui_->serviceList->setCurrentItem(item);
}

std::vector<std::string> TariffEditor::takenIds() const
{
    std::vector<std::string> taken;
    for (const std::string& id : folderIds_)
        if (id != loadedId_) taken.push_back(id);
    return taken;
}

void TariffEditor::serviceChosen()
{
    QListWidgetItem* item = ui_->serviceList->currentItem();
    if (!item || item->data(kUnsavedRole).toBool()) return;
    const std::string id = U(item->data(Qt::UserRole).toString());
    if (!item->data(Qt::UserRole + 1).toBool()) {
        // A file the reader refuses cannot be shown in grids; it can be
        // deleted (into the backups) or mended by hand.
        showService(Tariff{}, false);
        unsaved_ = false;
        listUnsaved();
        loadedId_ = id;
        for (QWidget* w : {static_cast<QWidget*>(ui_->idEdit), static_cast<QWidget*>(ui_->shapeStack)})
            w->setEnabled(false);
        ui_->faultLabel->setText(QStringLiteral("このファイルは読み込めません: ") +
                                 item->data(Qt::UserRole + 2).toString());
        return;
    }
    if (id == loadedId_ && id == current_.id) return;
    if (!maySwitch()) {
        // The list goes back to the service still being edited.
        const QSignalBlocker block(ui_->serviceList);
        for (int row = 0; row < ui_->serviceList->count(); ++row) {
            QListWidgetItem* shown = ui_->serviceList->item(row);
            if (unsaved_ ? shown->data(kUnsavedRole).toBool() : U(shown->data(Qt::UserRole).toString()) == loadedId_)
                ui_->serviceList->setCurrentRow(row);
        }
        return;
    }
    const TariffFolder read = ReadTariffFolder(folder_);
    for (const Tariff& t : read.services)
        if (t.id == id) {
            showService(t, true);
            return;
        }
}

void TariffEditor::showService(const Tariff& tariff, bool onDisk)
{
    undo_->clear();
    marked_.clear();
    presetNote_.clear();
    commentsAcknowledged_ = false;
    loadedId_ = onDisk ? tariff.id : std::string();
    baseline_ = tariff;
    datedPrices_ = onDisk;
    unsaved_ = !onDisk;
    ui_->idEdit->setEnabled(true);
    ui_->shapeStack->setEnabled(true);
    ui_->variantCombo->setCurrentIndex(0);
    ui_->sizeCombo->setCurrentIndex(0);
    apply(tariff);
}

bool TariffEditor::maySwitch()
{
    if (undo_->isClean()) return true;
    return ask(QStringLiteral("「%1」の保存していない変更を捨てますか？").arg(Q(current_.name)));
}

void TariffEditor::edit(const QString& what, int mergeKey, const std::function<void(Tariff&)>& change)
{
    if (filling_) return;
    Tariff after = current_;
    change(after);
    commit(std::move(after), what, mergeKey);
}

void TariffEditor::commit(Tariff after, const QString& what, int mergeKey)
{
    const QDate today = QDate::currentDate();
    // A new service's date is today already; the seller's first prices
    // are not a change of the prices it was dated for.
    if (datedPrices_) DateNewRates(baseline_, after, {today.year(), today.month(), today.day()});
    undo_->push(new Snapshot(*this, current_, std::move(after), what, mergeKey));
}

void TariffEditor::apply(const Tariff& tariff)
{
    current_ = tariff;
    fill();
    validate();
    listUnsaved();
}

}  // namespace torepal
