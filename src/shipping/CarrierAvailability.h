#pragma once
// Which carrier and mail-class boxes of the plate form may be ticked for the
// parcel chosen. Each of the three parcel combos rules some boxes and a
// change of one combo sets those boxes outright, so for クロネコヤマト, which
// the weight and the size both rule, the combo changed last decides. A box
// keeps its tick while disabled. The limits are the last list positions the
// built-in tariffs price, taken from the rate tables so each exists once.

#include <array>
#include <optional>

#include "shipping/ShippingChoices.h"

namespace torepal {

enum class ParcelCombo { Weight, Size, Origin };

// The enabled state of each box a rule decided; a box no rule decided is
// left unset and keeps what it shows. ゆうパック and EXPACK500 take any
// parcel, so no rule names them.
struct CarrierAvailability {
    std::optional<bool> yamato;
    std::optional<bool> sagawa;
    std::optional<bool> yahooYuPack;
    std::optional<bool> teikeigai;
    std::optional<bool> sasshi;
    std::optional<bool> kuronekoMail;
};

// Each box a rule can decide, for code that treats them all alike.
inline constexpr std::array<std::optional<bool> CarrierAvailability::*, 6> kDecidedBoxes = {
    &CarrierAvailability::yamato,    &CarrierAvailability::sagawa, &CarrierAvailability::yahooYuPack,
    &CarrierAvailability::teikeigai, &CarrierAvailability::sasshi, &CarrierAvailability::kuronekoMail,
};

// What a change of `changed` decides. Positions compare signed, so no
// selection (-1) enables.
CarrierAvailability AvailableCarriers(const PlateSelections& parcel, ParcelCombo changed);

// The rules of all three combos run in the order the form runs them after a
// file is read or the form is cleared: weight, size, origin.
CarrierAvailability AvailableCarriers(const PlateSelections& parcel);

// The last list position each box stays enabled for.
struct CarrierLimits {
    int yamatoHeaviest;        // WeightList
    int yahooYuPackHeaviest;   // WeightList
    int teikeigaiHeaviest;     // WeightList
    int sasshiHeaviest;        // WeightList
    int kuronekoMailHeaviest;  // WeightList
    int yamatoLargest;         // SizeList
    int sagawaLargest;         // SizeList
    int sagawaLastOrigin;      // PrefectureList
};
const CarrierLimits& CarrierBoxLimits();

}  // namespace torepal
