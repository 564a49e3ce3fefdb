#include "shipping/ui/TariffEditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoCommand>
#include <QUndoStack>

#include "platform/ui/DesktopPlatform.h"
#include "shipping/TariffFiles.h"
#include "shipping/TariffReader.h"
#include "ui_TariffEditor.h"

namespace torepal {
namespace {

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

std::string U(const QString& text)
{
    return text.toStdString();
}

// A zero is a cell the seller has not filled in yet: shown empty.
QString Number(int value)
{
    return value == 0 ? QString() : QString::number(value);
}

enum MergeKey {
    kNoMerge = -1,
    kIdKey = 1,
    kNameKey,
    kCarrierKey,
    kSourceKey,
    kVariantNameKey,
};

const QBrush kMarked(QColor(255, 200, 200));

void SetCell(QTableWidget* table, int row, int column, const QString& text, bool editable = true)
{
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    if (item->text() != text) item->setText(text);
    item->setFlags(editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable);
    item->setBackground(QBrush());
    item->setToolTip(QString());
}

QStringList RegionNames(const Tariff& t)
{
    QStringList names;
    for (const TariffRegion& r : t.regions) names << Q(r.name);
    return names;
}

}  // namespace

// One edit of the service, kept whole: undoing puts back the service as it
// was before, so no edit needs its own inverse.
class TariffEditor::Snapshot : public QUndoCommand {
public:
    Snapshot(TariffEditor& editor, Tariff before, Tariff after, const QString& what, int key)
        : QUndoCommand(what), editor_(editor), before_(std::move(before)), after_(std::move(after)), key_(key)
    {
    }
    void undo() override { editor_.apply(before_); }
    void redo() override { editor_.apply(after_); }
    int id() const override { return key_; }
    bool mergeWith(const QUndoCommand* other) override
    {
        if (other->id() != key_ || key_ == kNoMerge) return false;
        after_ = static_cast<const Snapshot*>(other)->after_;
        return true;
    }

private:
    TariffEditor& editor_;
    Tariff before_, after_;
    int key_;
};

TariffEditor::TariffEditor(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TariffEditor>()),
      platform_(platform),
      folder_(std::move(programFolder) / std::string(kTariffFolderName)),
      undo_(new QUndoStack(this))
{
    ui_->setupUi(this);
    ui_->dateKindCombo->addItems({QStringLiteral("改定日"), QStringLiteral("時点（改定日が不明）")});
    ui_->dateKindCombo->setAccessibleName(QStringLiteral("日付の種類"));
    ui_->shapeCombo->addItems(
        {QStringLiteral("一律（重さの上限まで）"), QStringLiteral("重さの区切り"), QStringLiteral("大きさ × 地域")});
    ui_->deletedCombo->setAccessibleName(QStringLiteral("削除したサービス"));
    ui_->faultLabel->setAccessibleName(QStringLiteral("確認の結果"));

    ui_->bandsTable->setColumnCount(2);
    ui_->bandsTable->setHorizontalHeaderLabels({QStringLiteral("重さ（g）まで"), QStringLiteral("料金（円）")});
    ui_->sizesTable->setColumnCount(2);
    ui_->sizesTable->setHorizontalHeaderLabels({QStringLiteral("三辺の合計（cm）"), QStringLiteral("重さ（g）まで")});
    ui_->regionsTable->setColumnCount(1);
    ui_->regionsTable->setHorizontalHeaderLabels({QStringLiteral("地域の名前")});
    ui_->prefecturesTable->setColumnCount(2);
    ui_->prefecturesTable->setHorizontalHeaderLabels({QStringLiteral("都道府県"), QStringLiteral("地域")});
    const auto& official = OfficialPrefectureNames();
    ui_->prefecturesTable->setRowCount(static_cast<int>(official.size()));
    for (int p = 0; p < static_cast<int>(official.size()); ++p) {
        SetCell(ui_->prefecturesTable, p, 0, Q(official[static_cast<std::size_t>(p)]), false);
        auto* combo = new QComboBox;
        combo->setAccessibleName(Q(official[static_cast<std::size_t>(p)]) + QStringLiteral("の地域"));
        ui_->prefecturesTable->setCellWidget(p, 1, combo);
        connect(combo, &QComboBox::activated, this, [this, p](int index) { prefectureRegionChosen(p, index); });
    }
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

    connect(ui_->idEdit, &QLineEdit::textEdited, this,
            [this](const QString& s) { edit(QStringLiteral("ID"), kIdKey, [&](Tariff& t) { t.id = U(s); }); });
    connect(ui_->nameEdit, &QLineEdit::textEdited, this, [this](const QString& s) {
        edit(QStringLiteral("サービス名"), kNameKey, [&](Tariff& t) { t.name = U(s); });
    });
    connect(ui_->carrierEdit, &QLineEdit::textEdited, this, [this](const QString& s) {
        edit(QStringLiteral("運送会社"), kCarrierKey, [&](Tariff& t) { t.carrier = U(s); });
    });
    connect(ui_->sourceEdit, &QLineEdit::textEdited, this, [this](const QString& s) {
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
    connect(ui_->variantNameEdit, &QLineEdit::textEdited, this, [this](const QString& s) {
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
    connect(ui_->copyButton, &QPushButton::clicked, this, &TariffEditor::copyService);
    connect(ui_->deleteButton, &QPushButton::clicked, this, &TariffEditor::deleteService);
    connect(ui_->restoreButton, &QPushButton::clicked, this, &TariffEditor::restoreService);
    connect(ui_->saveButton, &QPushButton::clicked, this, &TariffEditor::save);
    connect(ui_->closeButton, &QPushButton::clicked, this, &TariffEditor::reject);

    loadFolder({});
    if (ui_->serviceList->count() == 0) newService();
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
    int select = -1;
    for (const Tariff& t : read.services) {
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
    if (select < 0 && selectId.empty() && ui_->serviceList->count() > 0) select = 0;
    if (select >= 0) {
        ui_->serviceList->setCurrentRow(select);
        if (selectId != current_.id || loadedId_.empty()) serviceChosen();
    }
}

void TariffEditor::serviceChosen()
{
    QListWidgetItem* item = ui_->serviceList->currentItem();
    if (!item) return;
    const std::string id = U(item->data(Qt::UserRole).toString());
    if (!item->data(Qt::UserRole + 1).toBool()) {
        // A file the reader refuses cannot be shown in grids; it can be
        // deleted (into the backups) or mended by hand.
        showService(Tariff{}, false);
        loadedId_ = id;
        for (QWidget* w : {static_cast<QWidget*>(ui_->idEdit), static_cast<QWidget*>(ui_->shapeStack)})
            w->setEnabled(false);
        ui_->faultLabel->setText(QStringLiteral("このファイルは読み込めません: ") +
                                 item->data(Qt::UserRole + 2).toString());
        return;
    }
    if (id == loadedId_ && id == current_.id) return;
    if (!maySwitch()) return;
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
    commentsAcknowledged_ = false;
    loadedId_ = onDisk ? tariff.id : std::string();
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
    undo_->push(new Snapshot(*this, current_, std::move(after), what, mergeKey));
}

void TariffEditor::apply(const Tariff& tariff)
{
    current_ = tariff;
    fill();
    validate();
}

void TariffEditor::fill()
{
    filling_ = true;
    const Tariff& t = current_;
    auto setLine = [](QLineEdit* e, const std::string& v) {
        if (e->text() != Q(v)) e->setText(Q(v));
    };
    setLine(ui_->idEdit, t.id);
    setLine(ui_->nameEdit, t.name);
    setLine(ui_->carrierEdit, t.carrier);
    setLine(ui_->sourceEdit, t.source);
    const QDate date(t.date.year, t.date.month, t.date.day);
    if (date.isValid()) ui_->dateEdit->setDate(date);
    ui_->dateKindCombo->setCurrentIndex(t.dateKind == TariffDateKind::InForce ? 1 : 0);
    ui_->orderSpin->setValue(t.order);
    ui_->shapeCombo->setCurrentIndex(static_cast<int>(t.shape));
    ui_->shapeStack->setCurrentIndex(static_cast<int>(t.shape));
    ui_->flatPriceSpin->setValue(t.flatYen);
    ui_->flatWeightSpin->setValue(t.flatMaxGrams);
    fillBands();
    fillRegions();
    filling_ = false;
    markCells();
}

void TariffEditor::fillBands()
{
    const Tariff& t = current_;
    const int keep = ui_->variantCombo->currentIndex();
    ui_->variantCombo->clear();
    for (std::size_t v = 0; v < t.variants.size(); ++v)
        ui_->variantCombo->addItem(t.variants[v].name.empty() ? QStringLiteral("列%1").arg(v + 1)
                                                              : Q(t.variants[v].name));
    const int v = std::clamp(keep, 0, std::max(0, static_cast<int>(t.variants.size()) - 1));
    ui_->variantCombo->setCurrentIndex(t.variants.empty() ? -1 : v);
    ui_->removeVariantButton->setEnabled(t.variants.size() > 1);
    const TariffVariant* variant = t.variants.empty() ? nullptr : &t.variants[static_cast<std::size_t>(v)];
    if (ui_->variantNameEdit->text() != Q(variant ? variant->name : std::string()))
        ui_->variantNameEdit->setText(Q(variant ? variant->name : std::string()));
    const int rows = variant ? static_cast<int>(variant->bands.size()) : 0;
    ui_->bandsTable->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        SetCell(ui_->bandsTable, r, 0, Number(variant->bands[static_cast<std::size_t>(r)].upToGrams));
        SetCell(ui_->bandsTable, r, 1, Number(variant->bands[static_cast<std::size_t>(r)].yen));
    }
}

void TariffEditor::fillRegions()
{
    const Tariff& t = current_;
    const int n = static_cast<int>(t.regions.size());
    const int sizes = static_cast<int>(t.sizeClasses.size());
    ui_->sizesTable->setRowCount(sizes);
    for (int s = 0; s < sizes; ++s) {
        SetCell(ui_->sizesTable, s, 0, Number(t.sizeClasses[static_cast<std::size_t>(s)].sizeCm));
        SetCell(ui_->sizesTable, s, 1, Number(t.sizeClasses[static_cast<std::size_t>(s)].maxGrams));
    }
    const int keep = ui_->sizeCombo->currentIndex();
    ui_->sizeCombo->clear();
    for (const SizeClass& c : t.sizeClasses)
        ui_->sizeCombo->addItem(c.sizeCm ? QStringLiteral("%1サイズ").arg(c.sizeCm) : QStringLiteral("（未入力）"));
    const int size = std::clamp(keep, 0, std::max(0, sizes - 1));
    ui_->sizeCombo->setCurrentIndex(sizes ? size : -1);

    ui_->regionsTable->setRowCount(n);
    for (int r = 0; r < n; ++r) SetCell(ui_->regionsTable, r, 0, Q(t.regions[static_cast<std::size_t>(r)].name));

    const QStringList names = RegionNames(t);
    ui_->pricesTable->setRowCount(n);
    ui_->pricesTable->setColumnCount(n);
    ui_->pricesTable->setVerticalHeaderLabels(names);
    ui_->pricesTable->setHorizontalHeaderLabels(names);
    for (int o = 0; o < n; ++o)
        for (int d = 0; d < n; ++d) {
            int yen = 0;
            if (o < static_cast<int>(t.regionYen.size()) && d < static_cast<int>(t.regionYen[o].size()) &&
                size < static_cast<int>(t.regionYen[o][d].size()))
                yen = t.regionYen[o][d][size];
            SetCell(ui_->pricesTable, o, d, Number(yen));
        }

    const auto& official = OfficialPrefectureNames();
    for (int p = 0; p < static_cast<int>(official.size()); ++p) {
        auto* combo = static_cast<QComboBox*>(ui_->prefecturesTable->cellWidget(p, 1));
        combo->clear();
        combo->addItem(QStringLiteral("（なし）"));
        combo->addItems(names);
        combo->setCurrentIndex(RegionOfPrefecture(t, official[static_cast<std::size_t>(p)]) + 1);
    }
}

void TariffEditor::validate()
{
    fault_ = ValidateTariff(current_);
    QString text;
    if (!IsServiceId(current_.id))
        text = QStringLiteral("ID: 半角の英数字と「-」「_」だけで、64文字までにしてください。");
    else if (fault_)
        text = Q(DescribeTariffCell(current_, fault_->cell)) + QStringLiteral(": ") + Q(fault_->reason);
    else
        text = undo_->isClean() && !loadedId_.empty() ? QStringLiteral("誤りはありません。")
                                                      : QStringLiteral("誤りはありません。保存できます。");
    ui_->faultLabel->setText(text);
    ui_->faultLabel->setStyleSheet(fault_ || !IsServiceId(current_.id) ? QStringLiteral("color: #a00000;") : QString());
}

QTableWidget* TariffEditor::gridOf(const TariffCell& cell, int* row, int* column) const
{
    *row = cell.row;
    *column = 0;
    switch (cell.field) {
        case TariffField::BandWeight:
        case TariffField::BandPrice:
            if (cell.group != ui_->variantCombo->currentIndex()) return nullptr;
            *column = cell.field == TariffField::BandPrice ? 1 : 0;
            return ui_->bandsTable;
        case TariffField::SizeCm:
        case TariffField::SizeGrams:
            *column = cell.field == TariffField::SizeGrams ? 1 : 0;
            return ui_->sizesTable;
        case TariffField::Price:
            if (cell.group != ui_->sizeCombo->currentIndex()) return nullptr;
            *column = cell.column;
            return ui_->pricesTable;
        case TariffField::RegionName:
            return ui_->regionsTable;
        default:
            return nullptr;
    }
}

void TariffEditor::markCells()
{
    for (const TariffCell& cell : marked_) {
        int row = 0, column = 0;
        QTableWidget* table = gridOf(cell, &row, &column);
        if (!table) continue;
        if (QTableWidgetItem* item = table->item(row, column)) {
            const QSignalBlocker block(table);
            item->setBackground(kMarked);
            item->setToolTip(
                QStringLiteral("貼り付けた値が料金・重さ・大きさとして読めないため、取り込んでいません。"));
        }
    }
}

void TariffEditor::selectFaultCell()
{
    if (!fault_) return;
    const TariffCell& cell = fault_->cell;
    switch (cell.field) {
        case TariffField::Name:
            ui_->nameEdit->setFocus();
            return;
        case TariffField::Carrier:
            ui_->carrierEdit->setFocus();
            return;
        case TariffField::Source:
            ui_->sourceEdit->setFocus();
            return;
        case TariffField::Date:
            ui_->dateEdit->setFocus();
            return;
        case TariffField::FlatPrice:
            ui_->flatPriceSpin->setFocus();
            return;
        case TariffField::FlatWeight:
            ui_->flatWeightSpin->setFocus();
            return;
        case TariffField::VariantName:
        case TariffField::Bands:
        case TariffField::BandWeight:
        case TariffField::BandPrice:
            ui_->variantCombo->setCurrentIndex(cell.group);
            break;
        case TariffField::Price:
            ui_->regionTabs->setCurrentIndex(0);
            ui_->sizeCombo->setCurrentIndex(cell.group);
            break;
        case TariffField::PriceRow:
            ui_->regionTabs->setCurrentIndex(0);
            break;
        case TariffField::Sizes:
        case TariffField::SizeCm:
        case TariffField::SizeGrams:
            ui_->regionTabs->setCurrentIndex(1);
            break;
        default:
            ui_->regionTabs->setCurrentIndex(2);
            break;
    }
    int row = 0, column = 0;
    if (QTableWidget* table = gridOf(cell, &row, &column)) {
        table->setCurrentCell(row, column);
        table->setFocus();
    } else if (cell.field == TariffField::VariantName) {
        ui_->variantNameEdit->setFocus();
    } else if (cell.field == TariffField::PrefectureMissing) {
        ui_->prefecturesTable->setCurrentCell(cell.column, 1);
        ui_->prefecturesTable->setFocus();
    }
}

void TariffEditor::cellEdited(QTableWidget* table, int row, int column)
{
    if (filling_) return;
    const QString text = table->item(row, column) ? table->item(row, column)->text() : QString();
    if (table == ui_->regionsTable) {
        edit(QStringLiteral("地域の名前"), kNoMerge, [&](Tariff& t) {
            if (row < static_cast<int>(t.regions.size())) t.regions[static_cast<std::size_t>(row)].name = U(text);
        });
        return;
    }
    TariffGrid grid = TariffGrid::Bands;
    int group = ui_->variantCombo->currentIndex();
    if (table == ui_->sizesTable) {
        grid = TariffGrid::Sizes;
        group = -1;
    } else if (table == ui_->pricesTable) {
        grid = TariffGrid::Prices;
        group = ui_->sizeCombo->currentIndex();
    }
    // A typed cell is read like a pasted one, so "1,200円" is taken too.
    Tariff after = current_;
    const PasteOutcome outcome = PasteCells(after, grid, group, row, column, {{U(text)}});
    marked_ = outcome.refused;
    if (text.trimmed().isEmpty() || !outcome.refused.empty()) {
        fill();  // the cell shows its value again, marked when unreadable
        return;
    }
    undo_->push(new Snapshot(*this, current_, std::move(after), QStringLiteral("セルの編集"), kNoMerge));
}

void TariffEditor::prefectureRegionChosen(int prefecture, int region)
{
    const std::string name = OfficialPrefectureNames()[static_cast<std::size_t>(prefecture)];
    edit(QStringLiteral("都道府県の地域"), kNoMerge, [&](Tariff& t) {
        AssignPrefecture(t, name, region <= 0 ? t.regions.size() : static_cast<std::size_t>(region - 1));
    });
}

void TariffEditor::pasteText(const QString& text)
{
    QTableWidget* table = nullptr;
    for (QTableWidget* candidate : {ui_->bandsTable, ui_->sizesTable, ui_->pricesTable})
        if (candidate->hasFocus() || candidate->isAncestorOf(QApplication::focusWidget())) table = candidate;
    if (!table) {
        // Without a focused grid the paste goes where this shape's prices are.
        table = current_.shape == TariffShape::Regions ? ui_->pricesTable : ui_->bandsTable;
        if (current_.shape == TariffShape::Flat) return;
    }
    const TariffGrid grid = table == ui_->bandsTable   ? TariffGrid::Bands
                            : table == ui_->sizesTable ? TariffGrid::Sizes
                                                       : TariffGrid::Prices;
    const int group = grid == TariffGrid::Bands    ? ui_->variantCombo->currentIndex()
                      : grid == TariffGrid::Prices ? ui_->sizeCombo->currentIndex()
                                                   : -1;
    const int row = std::max(table->currentRow(), 0);
    const int column = std::max(table->currentColumn(), 0);
    Tariff after = current_;
    const PasteOutcome outcome = PasteCells(after, grid, group, row, column, SplitCells(U(text)));
    if (!outcome.taken.empty())
        undo_->push(new Snapshot(*this, current_, std::move(after), QStringLiteral("貼り付け"), kNoMerge));
    marked_ = outcome.refused;
    markCells();
    if (!outcome.refused.empty() || outcome.outside > 0) {
        QString note = QStringLiteral("%1個のセルを貼り付けました。").arg(outcome.taken.size());
        if (!outcome.refused.empty())
            note +=
                QStringLiteral("赤いセル%1個は数として読めないため、取り込んでいません。").arg(outcome.refused.size());
        if (outcome.outside > 0) note += QStringLiteral("表からはみ出した%1個は捨てました。").arg(outcome.outside);
        ui_->faultLabel->setText(note + QLatin1Char(' ') + ui_->faultLabel->text());
    }
}

bool TariffEditor::save()
{
    if (!IsServiceId(current_.id)) {
        tell(QStringLiteral("保存できません。IDは半角の英数字と「-」「_」だけで、64文字までにしてください。"));
        ui_->idEdit->setFocus();
        return false;
    }
    if (fault_) {
        tell(QStringLiteral("保存できません。%1: %2")
                 .arg(Q(DescribeTariffCell(current_, fault_->cell)), Q(fault_->reason)));
        selectFaultCell();
        return false;
    }
    std::error_code ec;
    const bool renaming = !loadedId_.empty() && loadedId_ != current_.id;
    if ((loadedId_.empty() || renaming) && std::filesystem::exists(TariffFile(folder_, current_.id), ec)) {
        tell(QStringLiteral("ID「%1」のサービスはすでにあります。別のIDにしてください。").arg(Q(current_.id)));
        ui_->idEdit->setFocus();
        return false;
    }
    if (!loadedId_.empty() && !commentsAcknowledged_ && TariffFileHasComments(folder_, loadedId_)) {
        if (!ask(QStringLiteral("「%1.toml」には手で書いた注釈（# のあとの文）があります。"
                                "保存すると注釈は残りません。保存しますか？")
                     .arg(Q(loadedId_))))
            return false;
        commentsAcknowledged_ = true;
    }
    if (renaming) {
        if (RenameTariff(folder_, loadedId_, current_.id) != TariffFileStatus::Done) {
            tell(QStringLiteral("ファイルの名前を変えられませんでした。何も変わっていません。"));
            return false;
        }
        changedFiles_ = true;
        loadedId_ = current_.id;
    }
    const TariffSaveResult saved = SaveTariff(folder_, current_);
    if (saved.status != TariffFileStatus::Done) {
        tell(
            QStringLiteral("料金表を保存できませんでした（ディスクがいっぱいか、書き込めません）。"
                           "ファイルは元のままです。"));
        if (renaming) emit tariffsChanged();
        return false;
    }
    loadedId_ = current_.id;
    undo_->setClean();
    changedFiles_ = true;
    loadFolder(current_.id);
    validate();
    emit tariffsChanged();
    return true;
}

void TariffEditor::newService()
{
    if (!maySwitch()) return;
    Tariff t;
    t.id = FreeTariffId(folder_, "new-service");
    const QDate today = QDate::currentDate();
    t.date = {today.year(), today.month(), today.day()};
    t.shape = TariffShape::Bands;
    t.variants.push_back({"", {WeightBand{}}});
    const QSignalBlocker block(ui_->serviceList);
    ui_->serviceList->setCurrentRow(-1);
    showService(t, false);
    ui_->nameEdit->setFocus();
}

void TariffEditor::copyService()
{
    if (!maySwitch()) return;
    Tariff t = current_;
    t.id = FreeTariffId(folder_, t.id);
    const QSignalBlocker block(ui_->serviceList);
    ui_->serviceList->setCurrentRow(-1);
    showService(t, false);
    ui_->idEdit->setFocus();
}

void TariffEditor::deleteService()
{
    const std::string id = loadedId_;
    if (id.empty()) {
        // A service never saved has no file: it is only let go.
        if (!ask(QStringLiteral("保存していないサービス「%1」を破棄しますか？").arg(Q(current_.name)))) return;
        undo_->clear();
        loadFolder({});
        if (ui_->serviceList->count() == 0) newService();
        return;
    }
    if (!ask(QStringLiteral("「%1」（%2.toml）を削除しますか？\n削除したファイルは残してあり、"
                            "「削除したサービス」から復元できます。")
                 .arg(Q(current_.name.empty() ? id : current_.name), Q(id))))
        return;
    if (DeleteTariffToBackup(folder_, id) != TariffFileStatus::Done) {
        tell(QStringLiteral("「%1.toml」を削除できませんでした。").arg(Q(id)));
        return;
    }
    changedFiles_ = true;
    undo_->clear();
    loadedId_.clear();
    current_ = Tariff{};
    loadFolder({});
    if (ui_->serviceList->count() == 0) newService();
    emit tariffsChanged();
}

void TariffEditor::restoreService()
{
    const std::string id = U(ui_->deletedCombo->currentText());
    if (id.empty()) return;
    const TariffFileStatus status = RestoreTariff(folder_, id);
    if (status == TariffFileStatus::Exists) {
        tell(QStringLiteral("「%1.toml」がすでにあるため復元できません。先にそのサービスのIDを変えてください。")
                 .arg(Q(id)));
        return;
    }
    if (status != TariffFileStatus::Done) {
        tell(QStringLiteral("「%1.toml」を復元できませんでした。").arg(Q(id)));
        return;
    }
    changedFiles_ = true;
    if (maySwitch()) {
        undo_->clear();
        loadedId_.clear();
        loadFolder(id);
    } else {
        loadFolder(current_.id);
    }
    emit tariffsChanged();
}

void TariffEditor::reject()
{
    if (!maySwitch()) return;
    QDialog::reject();
}

}  // namespace torepal
