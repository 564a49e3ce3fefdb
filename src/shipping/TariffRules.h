#pragma once
// The rules a service must keep before it is used or saved, in one place:
// the reader applies them to a file and the tariff editor to what the seller
// types. A fault names the cell it is in, so the reader can give the file's
// line and the editor can select the cell.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shipping/Tariff.h"

namespace torepal {

// Limits far beyond any real rate card; they keep every number an int.
inline constexpr std::int64_t kMostTariffYen = 10'000'000;
inline constexpr std::int64_t kMostTariffGrams = 1'000'000;
inline constexpr std::int64_t kMostTariffCm = 1'000;
inline constexpr std::int64_t kMostTariffOrder = 9'999;

// The four size limits a service or a column may state, in the order the
// file writes them: the key, what the seller reads, where the limit lives.
struct LimitEntry {
    const char* key;    // "max_length_cm"
    const char* what;   // "長辺の上限（cm）"
    const char* which;  // "長辺", beside the others under one caption
    int ParcelLimits::*member;
};
const std::array<LimitEntry, 4>& LimitEntries();

enum class TariffField {
    None,  // the service as a whole
    Name,  // name, carrier, source, date, order
    Carrier,
    Source,
    Date,
    Order,
    FlatPrice,
    FlatWeight,
    VariantName,        // group: variant
    Bands,              // group: variant (the column as a whole)
    BandWeight,         // group: variant, row: band
    BandPrice,          // group: variant, row: band
    Sizes,              // the size classes as a whole
    SizeCm,             // row: size class
    SizeGrams,          // row: size class
    Regions,            // the region list as a whole
    RegionName,         // row: region
    Prefecture,         // row: region, column: place in its list
    PrefectureMissing,  // column: index in OfficialPrefectureNames
    Price,              // group: size class, row: origin region, column: destination region
    PriceRow,           // row: origin region, column: destination region (the list as a whole)
    Limit,              // group: variant (-1: the service), row: place in LimitEntries
};

struct TariffCell {
    TariffField field = TariffField::None;
    int group = -1;
    int row = -1;
    int column = -1;
    friend bool operator==(const TariffCell&, const TariffCell&) = default;
};

struct TariffFault {
    TariffCell cell;
    std::string reason;  // UTF-8, as the reader words it
};

// One value's own rule; the reason when it breaks it. `what` names the
// field in the reason ("name", "料金").
std::optional<std::string> TextFault(std::string_view utf8, std::string_view what);
std::optional<std::string> NumberFault(std::int64_t value, std::int64_t lowest, std::int64_t highest,
                                       const std::string& what);
std::optional<std::string> YenFault(std::int64_t yen);
std::optional<std::string> GramsFault(std::int64_t grams);
std::optional<std::string> CmFault(std::int64_t cm);
std::optional<std::string> DateFault(const TariffDate& date);
// A limit in millimetres: 0 (none) or 0.1 cm to kMostTariffCm.
std::optional<std::string> LimitFault(std::int64_t mm, const std::string& what);

// Whom a reason is for: a file names its keys ("「name」が空です"), the
// tariff editor the fields as its form labels them ("「サービス名」が空です").
enum class TariffWording { File, Form };

// The first fault of the service, in the order of its file; none when it
// may be used and saved.
std::optional<TariffFault> ValidateTariff(const Tariff& tariff, TariffWording wording = TariffWording::File);

// What is wrong with an ID as the seller types it (UTF-8): characters a
// file name and the project file cannot hold, or an ID that `taken` (the
// folder's other services, the one being edited left out) already has.
std::optional<std::string> ServiceIdFault(std::string_view id, const std::vector<std::string>& taken);

// True when the two rate cards differ: a price, a weight or size limit, a
// band, a column, a size class or a prefecture's region; names, source and date are
// not the rate card.
bool RatesDiffer(const Tariff& a, const Tariff& b);

// A page writes "（2024年10月1日改定の料金）" under the prices, so prices
// changed from `saved` must not keep saved's date: while `edited` still
// carries it, it becomes `today` as a day the new prices are in force
// ("時点"), until the seller enters the day they took effect. True when the
// date was moved.
bool DateNewRates(const Tariff& saved, Tariff& edited, const TariffDate& today);

// Where a cell is, for the seller (UTF-8): "「規格内」の3行目の料金".
std::string DescribeTariffCell(const Tariff& tariff, const TariffCell& cell);

}  // namespace torepal
