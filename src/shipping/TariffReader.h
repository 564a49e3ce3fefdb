#pragma once
// Reading the tariff files of the program folder's tariffs/: one UTF-8 TOML
// file per service, its name without ".toml" being the service's id. A file
// is checked as a whole before it is used; one that fails is left out and
// named with its line and reason, never half read.

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "shipping/Tariff.h"

namespace torepal {

inline constexpr std::string_view kTariffFolderName = "tariffs";
inline constexpr std::string_view kTariffExtension = ".toml";

// A tariff file far larger than any real rate card is refused unread.
inline constexpr std::uintmax_t kLargestTariffFile = 256 * 1024;

// True for an id the project file and the settings file can hold: ASCII
// letters, digits, "-" and "_", at most 64 of them.
bool IsServiceId(std::string_view id);

// One file's text. `fileName` names the file in a problem.
std::variant<Tariff, TariffProblem> ReadTariffText(std::string_view id, std::string_view utf8,
                                                   const std::string& fileName);

struct TariffFolder {
    std::vector<Tariff> services;         // by order, then id
    std::vector<TariffProblem> problems;  // by file name
};

// Every "*.toml" file of the folder. A missing folder is no problem (the
// seller may have removed it); an unreadable one is.
TariffFolder ReadTariffFolder(const std::filesystem::path& folder);

// The seller's message at start (Shift-JIS), naming each file left out;
// empty when there is none.
std::string TariffProblemsMessage(const std::vector<TariffProblem>& problems);

// One problem as a line for a terminal (UTF-8): "file:line: reason".
std::string DescribeTariffProblem(const TariffProblem& problem);

// The date as the page writes it: "2024年10月1日" (UTF-8).
std::string JapaneseDate(const TariffDate& date);

}  // namespace torepal
