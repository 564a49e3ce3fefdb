#pragma once
// The built-in tariffs, as constant data. The texts are UTF-8 literals,
// converted to Shift-JIS when a block is written. The writers and the tests
// share these tables; nothing outside src/shipping/ and its tests uses them.
//
// Numbering follows the printed tariffs: origin groups, regions, zones and
// tiers count from 1; rate classes and list positions count from 0.

#include <array>

namespace torepal {

// A run of list positions that share one value ("13-15 -> 1").
struct IndexRange {
    int first;
    int last;
    int value;
};

// One destination region of a carrier: its label and the prefectures of
// its tail, written as they are printed ("新潟県、長野県").
struct RegionRow {
    const char* label;
    const char* prefectures;
};

// The pieces every region line is made of: label, price digits, tail.
inline constexpr const char* kTailOpen = "円 （";
inline constexpr const char* kTailClose = "）<br>";
inline constexpr const char* kListSeparator = "、";

// ---- クロネコヤマト ----------------------------------------------------
inline constexpr const char* kYamatoHeader = "<br>▼クロネコヤマト<br>";
inline constexpr int kYamatoPricedClasses = 6;  // class 6 ("～30kg", "170size") has no price
extern const std::array<IndexRange, 7> kYamatoWeightClasses;
extern const std::array<IndexRange, 7> kYamatoSizeClasses;
extern const std::array<RegionRow, 12> kYamatoRegions;
extern const std::array<IndexRange, 12> kYamatoOriginGroups;
extern const std::array<std::array<int, 6>, 12> kYamatoZonePrices;  // [zone - 1][class]
extern const std::array<std::array<int, 12>, 12> kYamatoZones;      // [group - 1][region - 1]

// ---- 佐川急便 -----------------------------------------------------------
inline constexpr const char* kSagawaHeader = "<br>▼佐川急便<br>";
inline constexpr int kSagawaPricedClasses = 5;  // class 5 ("170size") has no price
extern const std::array<IndexRange, 5> kSagawaWeightClasses;
extern const std::array<IndexRange, 6> kSagawaSizeClasses;
extern const std::array<RegionRow, 12> kSagawaRegions;
extern const std::array<IndexRange, 12> kSagawaOriginGroups;        // "沖　縄" has no group
extern const std::array<std::array<int, 5>, 11> kSagawaZonePrices;  // [zone - 1][class]
extern const std::array<std::array<int, 12>, 12> kSagawaZones;      // [group - 1][region - 1]

// ---- ゆうパック ---------------------------------------------------------
inline constexpr const char* kYuPackHeader = "<br>▼ゆうパック<br>";
inline constexpr const char* kOwnLineOpen = "【";
inline constexpr const char* kOwnLineClose = "】 ";
inline constexpr const char* kOwnLineCloseAomori = "】";  // 青森県's own line has no blank
inline constexpr const char* kOkinawaOwnName = "沖縄県";  // how "沖　縄" is written on its own line
inline constexpr int kAomoriIndex = 1;
inline constexpr int kOkinawaIndex = 46;
// Weight is not used. The size classes are the ones クロネコヤマト prints
// (60 to 160, then 170), so the two carriers read one table.
inline constexpr const std::array<IndexRange, 7>& kYuPackSizeClasses = kYamatoSizeClasses;
extern const std::array<RegionRow, 13> kYuPackRegions;
extern const std::array<IndexRange, 11> kYuPackOriginGroups;
extern const std::array<std::array<int, 7>, 8> kYuPackZonePrices;  // [zone - 1][class]
extern const std::array<std::array<int, 13>, 11> kYuPackZones;     // [group - 1][region - 1]

// ---- Yahoo！ゆうパック ---------------------------------------------------
inline constexpr const char* kYahooHeader = "<br>▼Yahooゆうパック<br>";
inline constexpr const char* kYahooTierOpen = "【";
inline constexpr const char* kYahooTierClose = "円 の地域 】<br>";
inline constexpr const char* kYahooListEnd = "<br>";
extern const std::array<IndexRange, 10> kYahooWeightClasses;   // "～25kg", "～30kg": none
extern const std::array<std::array<int, 4>, 10> kYahooPrices;  // [class][tier - 1]
extern const std::array<const char*, 47> kYahooDestinations;
// One row per origin (PrefectureList position): the tiers of the 47
// destinations, W X Y Z for tiers 1 to 4, in groups of ten.
extern const std::array<const char*, 47> kYahooTiers;

// Tier lists that are not the plain join of their prefectures.
struct TierListException {
    int origin;  // PrefectureList position
    int tier;    // 1..4
    const char* list;
};
extern const std::array<TierListException, 7> kYahooTierListExceptions;

// ---- mail classes -------------------------------------------------------
inline constexpr const char* kExpackHeader = "<br><b>▼ＥＸＰＡＣＫ５００</b><br>";
inline constexpr const char* kKuronekoMailHeader = "<br><b>▼クロネコメール便</b><br>";
inline constexpr const char* kSasshiHeader = "<br><b>▼冊子小包</b><br> ";
inline constexpr const char* kTeikeigaiHeader = "<br><b>▼定形外郵便</b><br> ";
inline constexpr const char* kMailPriceEnd = "<br>";
inline constexpr int kKuronekoMailHeaviest = 11;  // up to "～1kg"

// Price texts by weight; nullptr where a class takes no parcel that heavy.
struct MailPriceRow {
    int first;
    int last;
    const char* sasshi;     // 冊子小包
    const char* teikeigai;  // 定形外郵便
};
extern const std::array<MailPriceRow, 10> kMailClassPrices;

}  // namespace torepal
