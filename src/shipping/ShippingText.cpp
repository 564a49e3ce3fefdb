#include "shipping/ShippingText.h"

namespace torepal {

void BuildShippingTextCarriers(std::string& sdata, const CarrierTicks& ticks, const ParcelChoice& parcel)
{
    // The text is rebuilt from nothing on every render. Only the tick
    // counts: a box the form has disabled still runs its writer, which then
    // finds no price for the selection and writes nothing.
    sdata.clear();
    if (ticks.yamato) WriteYamatoRates(sdata, parcel);
    if (ticks.sagawa) WriteSagawaRates(sdata, parcel);
    if (ticks.yuPack) WriteYuPackRates(sdata, parcel);
    if (ticks.yahooYuPack) WriteYahooYuPackRates(sdata, parcel);
}

void BuildShippingTextMailClasses(std::string& sdata, const CarrierTicks& ticks, int weightIndex)
{
    WriteMailClassRates(sdata, ticks, weightIndex);
}

}  // namespace torepal
