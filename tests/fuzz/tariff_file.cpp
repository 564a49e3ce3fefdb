// The tariff reader on arbitrary bytes: it either gives a service that is
// consistent as a whole or a problem with a reason, never a crash or a half
// read table; and every service it gives prices every parcel of the form
// without a fault.

#include <variant>

#include "FuzzSupport.h"
#include "shipping/ParcelLists.h"
#include "shipping/TariffLookup.h"
#include "shipping/TariffReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace torepal;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    auto result = ReadTariffText("fuzz", text, "fuzz.toml");
    if (auto* problem = std::get_if<TariffProblem>(&result)) {
        FUZZ_CHECK(!problem->reason.empty());
        FUZZ_CHECK(problem->line >= 0);
        FUZZ_CHECK(!TariffProblemsMessage({*problem}).empty());
        return 0;
    }
    const Tariff& t = std::get<Tariff>(result);
    FUZZ_CHECK(!t.name.empty());
    switch (t.shape) {
        case TariffShape::Flat:
            FUZZ_CHECK(t.flatYen > 0 && t.flatMaxGrams > 0);
            break;
        case TariffShape::Bands:
            FUZZ_CHECK(!t.variants.empty());
            for (const TariffVariant& v : t.variants)
                for (std::size_t i = 0; i < v.bands.size(); ++i) {
                    FUZZ_CHECK(v.bands[i].yen > 0);
                    FUZZ_CHECK(i == 0 || v.bands[i - 1].upToGrams < v.bands[i].upToGrams);
                }
            break;
        case TariffShape::Regions: {
            std::size_t prefectures = 0;
            for (const TariffRegion& r : t.regions) prefectures += r.prefectures.size();
            FUZZ_CHECK(prefectures == OfficialPrefectureNames().size());
            FUZZ_CHECK(t.regionYen.size() == t.regions.size());
            for (const auto& row : t.regionYen) {
                FUZZ_CHECK(row.size() == t.regions.size());
                for (const auto& prices : row) FUZZ_CHECK(prices.size() == t.sizeClasses.size());
            }
            break;
        }
    }

    // Every weight, a few sizes and origins of the form.
    const std::vector<Tariff> one = {t};
    for (int w = 0; w < static_cast<int>(WeightList().size()); ++w)
        for (int s : {0, 5, 9})
            for (int o : {0, 12, 46}) {
                std::string sdata;
                AppendCurrentServices(sdata, one, ParcelChoice{w, s, o});
            }
    return 0;
}
