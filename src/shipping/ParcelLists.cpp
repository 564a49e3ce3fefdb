#include "shipping/ParcelLists.h"

#include "shipping/Tariff.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

std::vector<std::string> Converted(std::initializer_list<const char*> utf8)
{
    std::vector<std::string> out;
    for (const char* s : utf8) out.push_back(Sjis(s));
    return out;
}

}  // namespace

const std::vector<std::string>& WeightList()
{
    // The first character is the full-width tilde U+FF5E (Shift-JIS 81 60).
    // The steps are uneven on purpose: there is no 400 g, 7, 9, 13, 17 or 19 kg.
    static const std::vector<std::string> list = Converted({
        "～25g",  "～50g",  "～75g",  "～100g", "～150g", "～200g", "～250g", "～300g", "～500g", "～600g",
        "～750g", "～1kg",  "～2kg",  "～3kg",  "～4kg",  "～5kg",  "～6kg",  "～8kg",  "～10kg", "～11kg",
        "～12kg", "～14kg", "～15kg", "～16kg", "～18kg", "～20kg", "～21kg", "～25kg", "～30kg",
    });
    return list;
}

const std::vector<std::string>& SizeList()
{
    static const std::vector<std::string> list = Converted({
        "60size",
        "70size",
        "80size",
        "90size",
        "100size",
        "120size",
        "140size",
        "150size",
        "160size",
        "170size",
    });
    return list;
}

const std::vector<std::string>& PrefectureList()
{
    // The official names, grouped by the carriers' regions rather than by
    // the usual numbering; the form's last entry has an ideographic space and
    // no 県, as the list was printed.
    static const std::vector<std::string> list = [] {
        std::vector<std::string> out;
        for (const char* name : OfficialPrefectureNames()) out.push_back(Sjis(name));
        out.back() = Sjis("沖　縄");
        return out;
    }();
    return list;
}

int ListIndexOrFirst(int index, std::size_t listSize)
{
    return (index >= 0 && static_cast<std::size_t>(index) < listSize) ? index : 0;
}

}  // namespace torepal
