#pragma once
// The shipping-cost text of a listing page: the blocks of the ticked
// carriers and mail classes, appended to `sdata` in a fixed run order. Page
// rendering calls it in two parts, with the shipping note placed between.

#include <string>

#include "shipping/ShippingChoices.h"

namespace torepal {

struct ParcelChoice {
    int weightIndex = 0;  // into WeightList
    int sizeIndex = 0;    // into SizeList
    int originIndex = 0;  // into PrefectureList
    // Into ThicknessList; only the current services read it (the built-in
    // tables know no thickness).
    int thicknessIndex = 0;
};

// Empties `sdata`, then appends クロネコヤマト, 佐川急便, ゆうパック,
// Yahoo！ゆうパック, each when ticked (a ticked box that the form has
// disabled still runs its writer). An index outside its list is priced as
// the list's first entry.
void BuildShippingTextCarriers(std::string& sdata, const CarrierTicks& ticks, const ParcelChoice& parcel);

// Appends EXPACK500, クロネコメール便, 冊子小包, 定形外郵便, in that order.
void BuildShippingTextMailClasses(std::string& sdata, const CarrierTicks& ticks, int weightIndex);

// The writers; each appends its block or nothing.
void WriteYamatoRates(std::string& sdata, const ParcelChoice& parcel);
void WriteSagawaRates(std::string& sdata, const ParcelChoice& parcel);
void WriteYuPackRates(std::string& sdata, const ParcelChoice& parcel);
void WriteYahooYuPackRates(std::string& sdata, const ParcelChoice& parcel);
void WriteMailClassRates(std::string& sdata, const CarrierTicks& ticks, int weightIndex);

}  // namespace torepal
