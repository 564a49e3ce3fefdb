#pragma once
// Where finished pages go: the saved-files folder "back/" under a name made
// from the time stamp and the title, and the preview file beside the
// program. Pages are written "in text mode" and replace a file of the same
// name; a failed write leaves any old file as it was.

#include <cstddef>
#include <filesystem>
#include <string>

#include "io/File.h"
#include "plate/PlateState.h"
#include "platform/Platform.h"
#include "text/FileNames.h"
#include "text/Files.h"

namespace torepal {

inline constexpr const char* kPreviewFileName = "menu_preview.html";

// "【プレート ～" stamp "～ 】--" title ".html", Shift-JIS. The title goes in
// as typed except that a character that cannot stand in a file name here
// ("/", "\" and control characters, which would split or break the name)
// becomes a visible full-width stand-in ("／", "＼"), a character that does
// not decode becomes "？", and a title too long for one name is cut at a
// character boundary. So every title gives exactly one file inside back/.
std::string SavedPageName(const std::string& stamp, const std::string& title);

// The longest name, in bytes of the file system's UTF-8, that SavedPageName
// makes: the file system's limit for one name. (The atomic write shortens
// its own temporary's name to fit beside it.)
inline constexpr std::size_t kLongestPageFileName = kLongestFileName;

// Saves a finished page (text mode) into ProgramFolder/back/ under
// SavedPageName, or, where a different page already has that name (two pages
// of the same title finished in the same minute), under the next free name
// with " (2)", " (3)" ... (SaveUnderFreeName). `saved.name` is the name used.
SaveOutcome SaveFinishedPage(const std::filesystem::path& programFolder, const std::string& stamp,
                             const std::string& title, const std::string& page);

// JoinSjis(programFolder, "back/" + name).
std::filesystem::path SavedPagePath(const std::filesystem::path& programFolder, const std::string& name);
std::filesystem::path PreviewPath(const std::filesystem::path& programFolder);

// Writes the page (text mode: LF becomes CR LF) through WriteFileAtomically.
WriteStatus WritePageFile(const std::filesystem::path& path, const std::string& page);

// Messages for the seller (Shift-JIS). The page itself is never lost: the
// caller shows it in the result dialog, where it can be copied.
std::string PageNotSavedMessage(const std::string& name, bool folderMissing);
std::string PreviewNotWrittenMessage();

// "完成": saves the rendered `state.page` through the SaveFinishedPage
// above, so a page of the same title finished in the same minute gets a
// numbered name instead of replacing the first. False, and the seller told
// why (naming the file), when it could not be written; the caller then
// shows the page so it can still be copied. `savedName`, when given,
// receives the name written.
bool SaveFinishedPage(const PlateState& state, const std::string& stamp, const std::filesystem::path& programFolder,
                      Platform& platform, std::string* savedName = nullptr);

// What the status line says once a page is saved or copied (Shift-JIS):
// "「name」を保存しました" and "N バイトをコピーしました".
std::string PageSavedMessage(const std::string& name);
std::string BytesCopiedMessage(std::size_t bytes);

// "プレビュー": writes the page to the preview file and has the desktop open
// it. False, and the seller told, when the file could not be written.
bool ShowPreview(const std::string& page, const std::filesystem::path& programFolder, Platform& platform);

}  // namespace torepal
