#pragma once
// The tariff editor's file operations in tariffs/: saving a service (only a
// valid one, written beside and renamed over the old file), renaming it,
// deleting it into a backup the seller can restore, and the spreadsheet
// import of the command-line tool. The reader never sees a backup: they
// live in the hidden folder ".deleted", which it does not enter.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shipping/Tariff.h"
#include "shipping/TariffRules.h"

namespace torepal {

inline constexpr std::string_view kDeletedTariffFolder = ".deleted";

std::filesystem::path TariffFile(const std::filesystem::path& folder, std::string_view id);

enum class TariffFileStatus {
    Done,
    Invalid,      // the service breaks a rule (SaveTariff) or the id is not one
    Exists,       // the new name is taken (rename, restore)
    Missing,      // no such file
    WriteFailed,  // the disk refused: the old file is as it was
};

struct TariffSaveResult {
    TariffFileStatus status = TariffFileStatus::Done;
    std::optional<TariffFault> fault;  // for Invalid
};

// Checks the service, then writes tariffs/<id>.toml atomically (the folder
// is made when missing).
TariffSaveResult SaveTariff(const std::filesystem::path& folder, const Tariff& tariff);

// True when the service's file holds comments that saving would drop.
bool TariffFileHasComments(const std::filesystem::path& folder, std::string_view id);

// Renames <old>.toml to <new>.toml; never over an existing file.
TariffFileStatus RenameTariff(const std::filesystem::path& folder, std::string_view oldId, std::string_view newId);

// Moves <id>.toml into .deleted/ (replacing an older backup of the same id).
TariffFileStatus DeleteTariffToBackup(const std::filesystem::path& folder, std::string_view id);

// The ids with a backup, sorted.
std::vector<std::string> DeletedTariffIds(const std::filesystem::path& folder);

// Moves the backup back; refused while a service of that id exists.
TariffFileStatus RestoreTariff(const std::filesystem::path& folder, std::string_view id);

// An id not yet used in the folder, from `base` ("teikeigai" gives
// "teikeigai-2", "teikeigai-3" ...).
std::string FreeTariffId(const std::filesystem::path& folder, std::string_view base);

// A spreadsheet's prices (CSV, or tab-separated when its first line holds a
// tab) laid into the service, each cell read as a paste reads it:
// - flat: one row "weight, price";
// - bands: rows "weight, price, price ..." with one price column per
//   variant (an empty cell: no price for that weight); a first row whose
//   first cell is not a weight names the variants;
// - regions: a first row "size, origin, destination region names ...",
//   then rows "size, origin region, prices ..." for size classes the
//   service has.
// The bands of a bands service are replaced; a region service's cells not
// in the table keep their prices.
struct TariffImport {
    Tariff tariff;
    std::vector<std::string> problems;  // UTF-8: "3行目2列目: ..."
    bool ok() const { return problems.empty(); }
};
TariffImport ImportTariffTable(const Tariff& base, std::string_view text);

}  // namespace torepal
