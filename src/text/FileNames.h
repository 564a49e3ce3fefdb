#pragma once
// Saved pages and mails are named from text the seller typed (a title, an
// item). That part of the name must stay one file inside its folder and be
// a name the file list can give back.

#include <string>
#include <string_view>

namespace torepal {

// The file system's limit for one name, in bytes of its UTF-8.
inline constexpr std::size_t kLongestFileName = 255;

// prefix + part + suffix, all Shift-JIS. Only `part` is changed: "/" and
// control characters become "／", "\" (which would also be read as a
// separator) becomes "＼", a character that does not decode becomes "？",
// and the part is cut at a character boundary where the whole name would
// pass kLongestFileName. Every other part goes in exactly as typed.
std::string FileNameWithPart(std::string_view prefix, std::string_view part, std::string_view suffix);

}  // namespace torepal
