#pragma once
// Saved pages and mails are named from text the seller typed (a title, an
// item). That part of the name must stay one file inside its folder and be
// a name the file list can give back.

#include <filesystem>
#include <string>
#include <string_view>

#include "text/Files.h"

namespace torepal {

// The file system's limit for one name, in bytes of its UTF-8.
inline constexpr std::size_t kLongestFileName = 255;

// prefix + part + suffix, all Shift-JIS. Only `part` is changed: "/" and
// control characters become "／", "\" (which would also be read as a
// separator) becomes "＼", a character that does not decode becomes "？",
// and the part is cut at a character boundary where the whole name would
// pass kLongestFileName. Every other part goes in exactly as typed.
std::string FileNameWithPart(std::string_view prefix, std::string_view part, std::string_view suffix);

// The `number`th name a save may take: FileNameWithPart for 1, and for 2, 3
// ... the same with " (2)", " (3)" ... before the suffix, the part cut
// further where the number would pass kLongestFileName.
std::string NumberedFileName(std::string_view prefix, std::string_view part, std::string_view suffix, unsigned number);

// Past this many names taken by other content a save gives up.
inline constexpr unsigned kMostNumberedNames = 9999;

struct SaveOutcome {
    WriteStatus status = WriteStatus::CannotCreate;
    std::string name;  // the name written (or last tried), Shift-JIS
};

// Saves `bytes` (as they go to disk) in `folder` under the first
// NumberedFileName that is free or already holds exactly these bytes. A
// saved file of different content is never replaced: two saves in the same
// minute with the same title both stay.
SaveOutcome SaveUnderFreeName(const std::filesystem::path& folder, std::string_view prefix, std::string_view part,
                              std::string_view suffix, std::string_view bytes);

}  // namespace torepal
