#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QScrollArea>
#include <QTableWidget>
#include <QUndoStack>
#include <algorithm>

#include "shipping/TariffReader.h"
#include "shipping/ui/TariffEditor.h"
#include "shipping/ui/TariffEditorShared.h"
#include "ui_TariffEditor.h"

// The tariff editor's grids: filling the fields and the flat, bands and
// regions grids from the service, the seller's cell edits and pastes, the
// marks on cells a paste could not read, and the rules' verdict with the
// cell it points at.

namespace torepal {

using namespace tariff_editor;

namespace {

// A zero is a cell the seller has not filled in yet: shown empty.
QString Number(int value)
{
    return value == 0 ? QString() : QString::number(value);
}

const QBrush kMarked(QColor(255, 200, 200));

QStringList RegionNames(const Tariff& t)
{
    QStringList names;
    for (const TariffRegion& r : t.regions) names << Q(r.name);
    return names;
}

}  // namespace

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
    fillLimits();
    filling_ = false;
    markCells();
    markEmptyPrices();
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
        QComboBox* combo = prefectureCombos_[static_cast<std::size_t>(p)];
        combo->clear();
        combo->addItem(QStringLiteral("（なし）"));
        combo->addItems(names);
        combo->setCurrentIndex(RegionOfPrefecture(t, official[static_cast<std::size_t>(p)]) + 1);
    }
}

void TariffEditor::validate()
{
    fault_ = ValidateTariff(current_, TariffWording::Form);
    const std::optional<std::string> idFault = ServiceIdFault(current_.id, takenIds());
    QString text;
    if (idFault)
        text = QStringLiteral("ID（ファイル名）: ") + Q(*idFault);
    else if (fault_)
        text = Q(DescribeTariffCell(current_, fault_->cell)) + QStringLiteral(": ") + Q(fault_->reason);
    else
        text = undo_->isClean() && !loadedId_.empty() ? QStringLiteral("誤りはありません。")
                                                      : QStringLiteral("誤りはありません。保存できます。");
    ui_->faultLabel->setText(text);
    ui_->faultLabel->setStyleSheet(fault_ || idFault ? QStringLiteral("color: #a00000;") : QString());
    showDateNote();
}

void TariffEditor::showDateNote()
{
    const bool changed = datedPrices_ && RatesDiffer(baseline_, current_);
    ui_->dateNote->setVisible(changed);
    if (!changed) return;
    const QDate today = QDate::currentDate();
    const bool moved = current_.date.year == today.year() && current_.date.month == today.month() &&
                       current_.date.day == today.day() && current_.dateKind == TariffDateKind::InForce;
    ui_->dateNote->setText(moved ? QStringLiteral("料金を変えたので、今日の日付（時点）にしました。"
                                                  "改定日がわかるときは、その日と「改定日」にしてください。")
                                 : QStringLiteral("料金を変えました。日付が新しい料金の日付か確かめてください。"));
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
    // The service's own values, each in a control of its own.
    const std::pair<TariffField, QWidget*> ownValues[] = {
        {TariffField::Name, ui_->nameEdit},           {TariffField::Carrier, ui_->carrierEdit},
        {TariffField::Source, ui_->sourceEdit},       {TariffField::Date, ui_->dateEdit},
        {TariffField::FlatPrice, ui_->flatPriceSpin}, {TariffField::FlatWeight, ui_->flatWeightSpin},
    };
    for (const auto& [field, control] : ownValues)
        if (cell.field == field) {
            control->setFocus();
            return;
        }
    if (cell.field == TariffField::Limit) {
        focusLimit(cell);
        return;
    }
    switch (cell.field) {
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
        if (cell.column >= 0 && cell.column < static_cast<int>(prefectureCombos_.size())) {
            QComboBox* combo = prefectureCombos_[static_cast<std::size_t>(cell.column)];
            ui_->prefecturesArea->ensureWidgetVisible(combo);
            combo->setFocus();
        }
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
    commit(std::move(after), QStringLiteral("セルの編集"), kNoMerge);
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
    if (!outcome.taken.empty()) commit(std::move(after), QStringLiteral("貼り付け"), kNoMerge);
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

}  // namespace torepal
