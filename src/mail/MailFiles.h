#pragma once
// The files of the mail page: the templates in file/ and the saved mails in
// back/. Names are Shift-JIS; the paths on disk are kept as found, so a
// template whose name the list can only show approximately still opens.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/File.h"
#include "text/Files.h"

namespace torepal {

struct TemplateEntry {
    std::string name;            // shown in the combo (Shift-JIS)
    std::filesystem::path path;  // the file on disk
};

// The regular files of ProgramFolder/file/ whose names end in ".txt" (any
// case), sorted with SjisLess. A missing folder gives an empty list.
std::vector<TemplateEntry> ListTemplates(const std::filesystem::path& programFolder);

// A template's text: its lines without CR and LF bytes, each ending in CR
// LF. Nothing when the file cannot be read.
std::optional<std::string> ReadTemplate(const std::filesystem::path& path);

// Writes a template in text mode (CR LF stored as CR CR LF), replacing the
// old file only when the new one is complete.
bool WriteTemplate(const std::filesystem::path& path, std::string_view text);

// The item part of a saved mail's name: "/", "\" and control characters
// become "／", so an item can never lead the file out of back/ or split the
// name; the whole name is kept within the 255 bytes a file name may hold,
// cut at a character boundary.
std::string SavedMailName(std::string_view stamp, std::string_view item);

// Writes the body in text mode into ProgramFolder/back/ under SavedMailName,
// or, where a different mail already has that name (two saves in the same
// minute), under the next free name with " (2)", " (3)" ... (the rule of
// SaveUnderFreeName). The name used goes to `savedName` when given.
WriteStatus SaveMail(const std::filesystem::path& programFolder, std::string_view stamp, std::string_view item,
                     std::string_view body, std::string* savedName = nullptr);

}  // namespace torepal
