#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <cmath>

#include "shipping/ui/TariffEditor.h"
#include "shipping/ui/TariffEditorShared.h"
#include "ui_TariffEditor.h"

// The largest parcel the service takes, and the one a column of weight
// bands takes (規格内 34 × 25 × 3 cm): a box per limit the file may state,
// in centimetres to the millimetre the carriers print ("24.8"), empty
// limits shown as 制限なし. A preset's limits show here as soon as it is
// chosen, and the seller can mend them like any other field.

namespace torepal {

using namespace tariff_editor;

namespace {

// The limits of the service (`variant` -1) or of one of its columns.
ParcelLimits* LimitsOf(Tariff& t, int variant)
{
    if (variant < 0) return &t.limits;
    if (variant < static_cast<int>(t.variants.size())) return &t.variants[static_cast<std::size_t>(variant)].limits;
    return nullptr;
}

double Cm(int mm)
{
    return mm / 10.0;
}

}  // namespace

void TariffEditor::addLimitControls()
{
    struct Place {
        QGridLayout* grid;
        std::array<QDoubleSpinBox*, 4>* spins;
        bool column;  // the current column's limits, not the service's
    };
    for (const Place& place : {Place{ui_->limitsGrid, &serviceLimitSpins_, false},
                               Place{ui_->variantLimitsGrid, &variantLimitSpins_, true}}) {
        if (place.column) place.grid->addWidget(new QLabel(QStringLiteral("この列の上限（cm）"), this), 0, 0);
        // Tab reaches the boxes where they stand, not after the dialog's buttons.
        QWidget* before = place.column ? static_cast<QWidget*>(ui_->removeVariantButton) : ui_->shapeCombo;
        const auto& entries = LimitEntries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const LimitEntry& entry = entries[i];
            const QString what = (place.column ? QStringLiteral("この列の") : QString()) + Q(entry.what);
            auto* spin = new QDoubleSpinBox(this);
            spin->setObjectName(QStringLiteral("%1_%2").arg(place.column ? "columnLimit" : "limit", entry.key));
            spin->setDecimals(1);
            spin->setRange(0.0, static_cast<double>(kMostTariffCm));
            spin->setSpecialValueText(QStringLiteral("制限なし"));
            spin->setAccessibleName(what);
            spin->setToolTip(what + QStringLiteral("。0は制限なし。"));
            // One row under the caption, so the grids keep their height.
            auto* label = new QLabel(Q(entry.which), this);
            label->setBuddy(spin);
            const int column = 1 + static_cast<int>(i) * 2;
            place.grid->addWidget(label, 0, column);
            place.grid->addWidget(spin, 0, column + 1);
            (*place.spins)[i] = spin;
            setTabOrder(before, spin);
            before = spin;
            const int mergeKey = (place.column ? kColumnLimitKey : kServiceLimitKey) + static_cast<int>(i);
            const bool ofColumn = place.column;
            connect(spin, &QDoubleSpinBox::valueChanged, this, [this, i, mergeKey, ofColumn](double cm) {
                const int variant = ofColumn ? ui_->variantCombo->currentIndex() : -1;
                if (ofColumn && variant < 0) return;
                edit(QStringLiteral("大きさの上限"), mergeKey, [&](Tariff& t) {
                    if (ParcelLimits* limits = LimitsOf(t, variant))
                        limits->*LimitEntries()[i].member = static_cast<int>(std::lround(cm * 10.0));
                });
            });
        }
    }
}

void TariffEditor::fillLimits()
{
    const int variant = ui_->variantCombo->currentIndex();
    ParcelLimits* column = variant >= 0 ? LimitsOf(current_, variant) : nullptr;
    const auto& entries = LimitEntries();
    // Called inside fill(), whose filling_ keeps these settings from being edits.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        serviceLimitSpins_[i]->setValue(Cm(current_.limits.*entries[i].member));
        variantLimitSpins_[i]->setEnabled(column != nullptr);
        variantLimitSpins_[i]->setValue(column ? Cm(column->*entries[i].member) : 0.0);
    }
}

void TariffEditor::focusLimit(const TariffCell& cell)
{
    if (cell.row < 0 || cell.row >= static_cast<int>(serviceLimitSpins_.size())) return;
    if (cell.group >= 0) ui_->variantCombo->setCurrentIndex(cell.group);
    (cell.group >= 0 ? variantLimitSpins_ : serviceLimitSpins_)[static_cast<std::size_t>(cell.row)]->setFocus();
}

}  // namespace torepal
