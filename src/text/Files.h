#pragma once
// File names between Shift-JIS and the system. Names are built as Shift-JIS
// text by the pages and converted to the system's file-name encoding (UTF-8
// on Linux) only here, when a file is opened, created, listed or deleted;
// the files themselves are read and written by io/File.h, which every user
// of these names needs too. Contents are never converted.

#include <filesystem>
#include <string>
#include <string_view>

#include "io/File.h"

namespace torepal {

// The path of a Shift-JIS relative name inside `folder`. Either separator in
// the name is accepted; the name is not otherwise interpreted.
std::filesystem::path JoinSjis(const std::filesystem::path& folder, std::string_view sjisName);

// The Shift-JIS form of a file name found on disk (for showing it); a name
// that is not valid UTF-8 or holds characters code page 932 cannot hold
// comes back with those characters as "?" and `exact` false.
std::string SjisFileName(const std::filesystem::path& name, bool* exact = nullptr);

}  // namespace torepal
