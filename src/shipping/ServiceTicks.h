#pragma once
// Which current services the seller has ticked: kept across a restart in a
// small text file of its own beside the program (one id a line), so the
// settings files of the built-in form stay exactly as they were. With no
// service ticked there is no such file.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "shipping/Tariff.h"
#include "text/Files.h"

namespace torepal {

inline constexpr std::string_view kServiceTicksFileName = "current_services.txt";

// "teikeigai\n" per id. Ids that are not service ids are left out.
std::string ServiceTicksText(const std::vector<std::string>& ids);

// The ids of the file, each once, in file order; blank lines, "#" comments
// and anything that is not a service id are passed over.
std::vector<std::string> ParseServiceTicks(std::string_view bytes);

// Missing or unreadable file: nothing ticked.
std::vector<std::string> ReadServiceTicks(const std::filesystem::path& programFolder);

// Written beside and renamed over the old file; with no id the file is
// removed, so a seller who never ticks a service never gets one.
WriteStatus WriteServiceTicks(const std::filesystem::path& programFolder, const std::vector<std::string>& ids);

// The ids that name a service of `services`, and those that do not.
std::vector<std::string> KnownServiceIds(const std::vector<std::string>& ids, const std::vector<Tariff>& services);
std::vector<std::string> UnknownServiceIds(const std::vector<std::string>& ids, const std::vector<Tariff>& services);

// Told when a project names services whose files are missing (Shift-JIS).
std::string UnknownServicesMessage(const std::vector<std::string>& ids);

}  // namespace torepal
