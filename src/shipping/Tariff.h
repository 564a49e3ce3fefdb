#pragma once
// A current shipping service as its tariff file describes it: the name the
// page shows, where the prices come from, and one shape of prices. Texts are
// UTF-8 as in the file; the reader has already checked that each converts to
// Shift-JIS, so writing a block never loses a character.

#include <array>
#include <string>
#include <vector>

#include "shipping/ParcelLimits.h"

namespace torepal {

enum class TariffShape {
    Flat,     // one price up to a weight limit (レターパック, クリックポスト)
    Bands,    // weight bands, possibly in named variants shown side by side
    Regions,  // size classes × origin region × destination region
};

// "effective" is the day the prices took effect; "in_force" a day on which
// the source shows them in force, for prices whose first day is not known.
enum class TariffDateKind { Effective, InForce };

struct TariffDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

struct WeightBand {
    int upToGrams = 0;
    int yen = 0;
};

// A named column of weight bands ("規格内"); a service with one column may
// leave the name empty.
struct TariffVariant {
    std::string name;
    std::vector<WeightBand> bands;  // strictly ascending weights
    ParcelLimits limits{};          // the column's own (規格内 34×25×3 cm), over the service's
};

struct SizeClass {
    int sizeCm = 0;    // sum of the three sides, upper limit
    int maxGrams = 0;  // weight limit of the class
};

struct TariffRegion {
    std::string name;
    std::vector<std::string> prefectures;  // official names ("沖縄県"), in file order
};

struct Tariff {
    std::string id;  // file name without ".toml"
    std::string name;
    std::string carrier;
    std::string source;
    TariffDate date;
    TariffDateKind dateKind = TariffDateKind::Effective;
    int order = 1000;  // place in the list of services; ties go by id
    TariffShape shape = TariffShape::Flat;
    // The largest parcel the service takes; its weight limit stays with its
    // prices (the flat limit, the last band, the size classes).
    ParcelLimits limits{};

    // Flat
    int flatYen = 0;
    int flatMaxGrams = 0;

    // Bands
    std::vector<TariffVariant> variants;

    // Regions: regionYen[origin region][destination region][size class].
    std::vector<SizeClass> sizeClasses;
    std::vector<TariffRegion> regions;
    std::vector<std::vector<std::vector<int>>> regionYen;
};

// What is wrong with one tariff file, for the seller: the file's name, the
// line (0 when the fault is not on one line) and the reason in Japanese.
struct TariffProblem {
    std::string file;
    int line = 0;
    std::string reason;  // UTF-8
};

// The 47 prefectures by their official names, in the order of the form's
// origin list (PrefectureList), which writes 沖縄県 as "沖　縄". A region map
// names each of them exactly once.
const std::array<const char*, 47>& OfficialPrefectureNames();

}  // namespace torepal
