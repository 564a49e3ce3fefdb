#pragma once
// The plate form's controls as groups the page code walks: which control
// holds which flag, the texts of the nine edits, the carrier boxes a parcel
// enables. Shared by the page's source files; nothing else needs them.

#include <QString>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "plate/PlateState.h"
#include "shipping/CarrierAvailability.h"

class QAbstractButton;
class QComboBox;

namespace Ui {
class CDTemplate;
}

namespace torepal {

class FieldReader;

void FillCombo(QComboBox* combo, const std::vector<std::string>& entries);

void ApplyAvailability(const Ui::CDTemplate& ui, const CarrierAvailability& a);

// Every tick and radio of the form beside the flag it holds.
std::array<std::pair<QAbstractButton*, bool&>, 21> FlagControls(const Ui::CDTemplate& ui, PlateFlags& f);

std::string Utf8Of(const QString& text);

}  // namespace torepal
