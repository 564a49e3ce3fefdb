#pragma once
// A price file the seller changed is kept when a newer version of the
// program is installed; the newer shipped version is put beside it as
// "<id>.toml.new", which the reader does not read. At start the seller is
// told which files have one, so a corrected price of ours is not missed
// and no edit of theirs is lost.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace torepal {

inline constexpr std::string_view kNewerShippedSuffix = ".new";

// The price files of tariffs/ ("yu-packet.toml") with a newer shipped
// version beside them, sorted. A missing or unreadable folder has none.
std::vector<std::string> TariffsWithNewerShippedVersion(const std::filesystem::path& tariffFolder);

// The quiet note at start (Shift-JIS), naming each file and its newer
// version; empty when there is none.
std::string NewerShippedTariffsMessage(const std::vector<std::string>& files);

}  // namespace torepal
