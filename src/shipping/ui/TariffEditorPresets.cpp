#include <QDate>
#include <QHBoxLayout>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>

#include "shipping/TariffFiles.h"
#include "shipping/TariffPresets.h"
#include "shipping/ui/TariffEditor.h"
#include "shipping/ui/TariffEditorShared.h"
#include "ui_TariffEditor.h"

// A new service from one of the carriers' presets, beside 新規: the preset's
// sizes and regions with every price empty and marked, so the seller only
// pastes the rows of the carrier's price page; and the marking of empty
// price cells, which every service gets.

namespace torepal {

using namespace tariff_editor;

namespace {

const QBrush kEmptyPrice(QColor(255, 240, 180));

}  // namespace

void TariffEditor::addPresetButton()
{
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("presetButton"));
    button->setText(QStringLiteral("ひな形から新規"));
    button->setToolTip(QStringLiteral("運送会社の大きさの区分などを入れた新しいサービス（料金は空）"));
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    const std::vector<TariffPreset>& presets = TariffPresets();
    for (std::size_t i = 0; i < presets.size(); ++i)
        menu->addAction(Q(presets[i].label), this, [this, i] { newFromPreset(i); });
    button->setMenu(menu);
    ui_->listButtons->insertWidget(ui_->listButtons->indexOf(ui_->newButton) + 1, button);
    setTabOrder(ui_->newButton, button);
}

void TariffEditor::newFromPreset(std::size_t index)
{
    const std::vector<TariffPreset>& presets = TariffPresets();
    if (index >= presets.size() || !maySwitch()) return;
    const TariffPreset& preset = presets[index];
    Tariff t = preset.service;
    t.id = FreeTariffId(folder_, preset.idBase);
    const QDate today = QDate::currentDate();
    t.date = {today.year(), today.month(), today.day()};
    const QSignalBlocker block(ui_->serviceList);
    ui_->serviceList->setCurrentRow(-1);
    showService(t, false);
    // The note stays on the service's line until it is saved, for the
    // seller who closed the message before copying the sources.
    presetNote_ = preset.note;
    listUnsaved();
    tell(Q(preset.note));
    ui_->sourceEdit->setFocus();
}

void TariffEditor::markEmptyPrices()
{
    for (const TariffCell& cell : EmptyPriceCells(current_)) {
        int row = 0, column = 0;
        QTableWidget* table = gridOf(cell, &row, &column);
        if (!table) continue;
        if (QTableWidgetItem* item = table->item(row, column); item && item->background() == QBrush()) {
            const QSignalBlocker block(table);
            item->setBackground(kEmptyPrice);
            item->setToolTip(QStringLiteral("料金が入っていません。運送会社の料金表から貼り付けてください。"));
        }
    }
}

}  // namespace torepal
