#pragma once
// Prices of the current services for the parcel the form describes, and the
// blocks they add to the shipping text.

#include <span>
#include <string>
#include <vector>

#include "shipping/ShippingText.h"
#include "shipping/Tariff.h"

namespace torepal {

// The parcel in the units of the tariff files: the weight entry stands for
// its upper limit ("～500g" = 500, "～1kg" = 1000), the size entry for the sum
// of the three sides ("60size" = 60), the origin for its prefecture
// (position in OfficialPrefectureNames). A position outside a list is read
// as the list's first entry, as the built-in tariffs read it.
//
// `span` is what the size and thickness entries say for the services'
// size limits: a "70size" parcel's sides add up to more than 60 cm and at
// most 70 cm. Left empty, it keeps every service in.
struct ParcelMeasures {
    int grams = 0;
    int sizeCm = 0;
    int originPrefecture = 0;
    ParcelSpan span{};
};
ParcelMeasures MeasuresOf(const ParcelChoice& parcel);

// The upper limits in grams of the weight list's entries, by position.
const std::vector<int>& WeightListGrams();
// The sums of the three sides of the size list's entries, by position.
const std::vector<int>& SizeListCm();

// The price lines of one service for the parcel, without "<br>", in UTF-8:
// " 430円" for a flat price, "【規格内】 510円" for a named column, one
// "【関東】 1000円 （茨城県、…）" per destination region. A column or a
// service without a price for the parcel gives no line, nor does one whose
// size limits no parcel of the form's entries keeps within. Of columns
// that differ only in their thickness limit (ゆうパケット's 1, 2 and 3 cm),
// once the seller has chosen a thickness only the thinnest that holds it
// is written: that is the one price the parcel is charged.
std::vector<std::string> TariffLines(const Tariff& tariff, const ParcelMeasures& parcel);

// Why the service gives no line for the parcel (CarryFault bits), kCarries
// when it gives one. With several columns, what keeps every column out is
// named; when no one reason does, each column's reasons are.
unsigned ServiceCarryFaults(const Tariff& tariff, const ParcelMeasures& parcel);

// "（2024年10月1日改定の料金）", or "（…時点の料金）" for prices whose first
// day is not known (UTF-8).
std::string TariffDateLine(const Tariff& tariff);

// Appends the block of each service in turn, in Shift-JIS: the header
// "<br><b>▼" name "</b><br>", its lines each followed by "<br>", the date
// line and "<br>". A service without a line writes nothing at all.
void AppendCurrentServices(std::string& sdata, std::span<const Tariff> ticked, const ParcelChoice& parcel);

// The services of `all` whose ids are in `ids`, in the order of `all`.
std::vector<Tariff> TickedServices(const std::vector<Tariff>& all, const std::vector<std::string>& ids);

}  // namespace torepal
