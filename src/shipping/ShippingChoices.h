#pragma once
// What of the plate form the shipping rules read: the carrier and
// mail-class boxes, and the selections of the parcel's combos.

namespace torepal {

// The eight carrier and mail-class boxes.
struct CarrierTicks {
    bool yamato = false;        // the クロネコヤマト box
    bool sagawa = false;        // the 佐川急便 box
    bool yuPack = false;        // the ゆうパック box
    bool yahooYuPack = false;   // the Yahoo！ゆうパック box
    bool teikeigai = false;     // the 定形外郵便 box
    bool sasshi = false;        // the 冊子小包 box
    bool kuronekoMail = false;  // the クロネコメール便 box
    bool expack = false;        // the EXPACK500 box
    bool operator==(const CarrierTicks&) const = default;
};

// The selected entries of the plate form's four combos (weight, size,
// origin, type), -1 for none: only a project file can leave one unselected.
struct PlateSelections {
    int weight = 0;
    int size = 0;
    int origin = 0;
    int type = 0;
    bool operator==(const PlateSelections&) const = default;
};

}  // namespace torepal
