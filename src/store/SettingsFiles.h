#pragma once
// Loading and storing the three settings files in the program folder.
//
// A missing file is the first start, not an error, and so is an empty
// plate.ini. A file that is shorter than its layout or otherwise malformed is
// never destroyed silently: the valid fields read before the fault are kept
// (the rest stay zeroed, see SalvageBank...), the file is
// copied aside as "<name>.broken" before any store can replace it, and the
// caller tells the seller once. A store writes a new file and renames it
// over the old one only when it is complete.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "store/SettingsRecords.h"

namespace torepal {

enum class LoadStatus {
    Loaded,   // the whole record was read
    Missing,  // no file: first start
    Damaged,  // short or malformed: partly read, copy kept aside
};

template <typename Record>
struct Loaded {
    Record record;
    LoadStatus status = LoadStatus::Missing;
    std::filesystem::path keptCopy;  // where the damaged file was copied, if it was
};

inline const char* const kBankFile = "bank.ini";
inline const char* const kPlateFile = "plate.ini";
inline const char* const kStatusFile = "status.ini";

Loaded<CBSave> LoadBankFile(const std::filesystem::path& programFolder);
Loaded<CPSave> LoadPlateFile(const std::filesystem::path& programFolder);
Loaded<CSavemail> LoadStatusFile(const std::filesystem::path& programFolder);

// True when the file was replaced by the new record; false leaves the old
// file as it was.
bool StoreBankFile(const std::filesystem::path& programFolder, const CBSave& record);
bool StorePlateFile(const std::filesystem::path& programFolder, const CPSave& record);
bool StoreStatusFile(const std::filesystem::path& programFolder, const CSavemail& record);

// The bytes of each record, exactly as stored, and their readers (used by
// the loaders above, the tests and the fuzz targets).
std::string EncodeBank(const CBSave& record);
std::string EncodePlate(const CPSave& record);
std::string EncodeStatus(const CSavemail& record);
bool DecodeBank(std::string_view bytes, CBSave& record);  // false: short or malformed
bool DecodePlate(std::string_view bytes, CPSave& record);
bool DecodeStatus(std::string_view bytes, CSavemail& record);

// What a damaged file still gives: the fields that can be read, each taken
// only when it is a value the form could have written (see
// IsCleanSettingsText; ticks 0 or 1; the origin and template type and an
// account's kind inside their lists); the rest keep the record's initial
// values. The loaders use these when a file does not read completely.
CBSave SalvageBank(std::string_view bytes);
CPSave SalvagePlate(std::string_view bytes);
CSavemail SalvageStatus(std::string_view bytes);

// A text a settings file may give back: valid Shift-JIS without control
// characters, except CR, LF and tab in a multi-line field.
bool IsCleanSettingsText(std::string_view sjis, bool multiLine);

// The lengths of the lists whose positions plate.ini keeps: the origin
// prefectures and the page templates.
inline constexpr std::int32_t kStoredOriginCount = 47;
inline constexpr std::int32_t kStoredTemplateTypeCount = 5;

// Messages for the seller (Shift-JIS).
std::string DamagedSettingsMessage(const std::string& fileName, const std::filesystem::path& keptCopy);
std::string StoreFailedMessage(const std::string& fileName);

}  // namespace torepal
