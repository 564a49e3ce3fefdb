#include "shipping/CarrierAvailability.h"

#include <algorithm>
#include <span>

#include "shipping/RateTables.h"

namespace torepal {
namespace {

// The last position of the runs whose rate class still has a price.
int LastPriced(std::span<const IndexRange> classes, int pricedClasses)
{
    int last = -1;
    for (const IndexRange& run : classes)
        if (run.value < pricedClasses) last = std::max(last, run.last);
    return last;
}

int LastCovered(std::span<const IndexRange> runs)
{
    int last = -1;
    for (const IndexRange& run : runs) last = std::max(last, run.last);
    return last;
}

template <typename Price>
int LastWithPrice(Price MailPriceRow::*price)
{
    int last = -1;
    for (const MailPriceRow& row : kMailClassPrices)
        if (row.*price != nullptr) last = std::max(last, row.last);
    return last;
}

CarrierLimits ReadLimits()
{
    CarrierLimits limits{};
    limits.yamatoHeaviest = LastPriced(kYamatoWeightClasses, kYamatoPricedClasses);
    limits.yahooYuPackHeaviest = LastCovered(kYahooWeightClasses);  // no class for the two heaviest
    limits.teikeigaiHeaviest = LastWithPrice(&MailPriceRow::teikeigai);
    limits.sasshiHeaviest = LastWithPrice(&MailPriceRow::sasshi);
    limits.kuronekoMailHeaviest = kKuronekoMailHeaviest;
    limits.yamatoLargest = LastPriced(kYamatoSizeClasses, kYamatoPricedClasses);
    limits.sagawaLargest = LastPriced(kSagawaSizeClasses, kSagawaPricedClasses);
    limits.sagawaLastOrigin = LastCovered(kSagawaOriginGroups);  // "沖　縄" has no group
    return limits;
}

void Overlay(CarrierAvailability& into, const CarrierAvailability& later)
{
    for (const auto box : kDecidedBoxes)
        if (later.*box) into.*box = later.*box;
}

}  // namespace

const CarrierLimits& CarrierBoxLimits()
{
    static const CarrierLimits limits = ReadLimits();
    return limits;
}

CarrierAvailability AvailableCarriers(const PlateSelections& parcel, ParcelCombo changed)
{
    const CarrierLimits& limit = CarrierBoxLimits();
    CarrierAvailability a;
    switch (changed) {
        case ParcelCombo::Weight:
            a.yamato = parcel.weight <= limit.yamatoHeaviest;
            a.sasshi = parcel.weight <= limit.sasshiHeaviest;
            a.teikeigai = parcel.weight <= limit.teikeigaiHeaviest;
            a.kuronekoMail = parcel.weight <= limit.kuronekoMailHeaviest;
            a.yahooYuPack = parcel.weight <= limit.yahooYuPackHeaviest;
            break;
        case ParcelCombo::Size:
            a.yamato = parcel.size <= limit.yamatoLargest;
            a.sagawa = parcel.size <= limit.sagawaLargest;
            break;
        case ParcelCombo::Origin:
            a.sagawa = parcel.origin <= limit.sagawaLastOrigin;
            break;
    }
    return a;
}

CarrierAvailability AvailableCarriers(const PlateSelections& parcel)
{
    CarrierAvailability a = AvailableCarriers(parcel, ParcelCombo::Weight);
    Overlay(a, AvailableCarriers(parcel, ParcelCombo::Size));
    Overlay(a, AvailableCarriers(parcel, ParcelCombo::Origin));
    return a;
}

}  // namespace torepal
