// The four flat-rate mail services. None depends on origin or destination;
// 冊子小包 and 定形外郵便 show one price chosen by weight, EXPACK500 and
// クロネコメール便 only their name.

#include <vector>

#include "shipping/ParcelLists.h"
#include "shipping/RateTables.h"
#include "shipping/ShippingText.h"
#include "text/Encoding.h"

namespace torepal {

// By WeightList position.
const std::array<MailPriceRow, 10> kMailClassPrices = {{
    // weights   冊子小包   定形外郵便
    {0, 1, "180円", "120円"},     // ～25g, ～50g
    {2, 3, "180円", "140円"},     // ～75g, ～100g
    {4, 4, "180円", "200円"},     // ～150g
    {5, 6, "210円", "240円"},     // ～200g, ～250g
    {7, 8, "290円", "390円"},     // ～300g, ～500g
    {9, 11, "340円", "580円"},    // ～600g, ～750g, ～1kg
    {12, 12, "450円", "850円"},   // ～2kg
    {13, 13, "590円", "1150円"},  // ～3kg
    {14, 14, nullptr, "1150円"},  // ～4kg
    {15, 28, nullptr, nullptr},   // ～5kg and heavier
}};

namespace {

// A price text in Shift-JIS, empty where the class has no price.
struct ConvertedPrices {
    std::string sasshi;
    std::string teikeigai;
};

std::vector<ConvertedPrices> ConvertPrices()
{
    std::vector<ConvertedPrices> prices;
    for (const MailPriceRow& row : kMailClassPrices)
        prices.push_back(
            {row.sasshi ? Sjis(row.sasshi) : std::string(), row.teikeigai ? Sjis(row.teikeigai) : std::string()});
    return prices;
}

void AppendPriced(std::string& sdata, const std::string& header, const std::string& price)
{
    static const std::string end = Sjis(kMailPriceEnd);
    if (price.empty()) return;
    sdata += header;
    sdata += price;
    sdata += end;
}

}  // namespace

void WriteMailClassRates(std::string& sdata, const CarrierTicks& ticks, int weightIndex)
{
    static const std::string expack = Sjis(kExpackHeader);
    static const std::string kuronekoMail = Sjis(kKuronekoMailHeader);
    static const std::string sasshi = Sjis(kSasshiHeader);
    static const std::string teikeigai = Sjis(kTeikeigaiHeader);

    static const std::vector<ConvertedPrices> prices = ConvertPrices();

    // A weight outside the list (nothing chosen) is priced as the first entry.
    const int weight = ListIndexOrFirst(weightIndex, WeightList().size());
    const ConvertedPrices* price = nullptr;
    for (std::size_t i = 0; i < kMailClassPrices.size(); ++i)
        if (weight >= kMailClassPrices[i].first && weight <= kMailClassPrices[i].last) price = &prices[i];

    if (ticks.expack) sdata += expack;
    if (ticks.kuronekoMail && weight <= kKuronekoMailHeaviest) sdata += kuronekoMail;
    if (ticks.sasshi && price != nullptr) AppendPriced(sdata, sasshi, price->sasshi);
    if (ticks.teikeigai && price != nullptr) AppendPriced(sdata, teikeigai, price->teikeigai);
}

}  // namespace torepal
