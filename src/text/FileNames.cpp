#include "text/FileNames.h"

#include <system_error>

#include "text/Encoding.h"
#include "text/SjisText.h"

namespace torepal {
namespace {

// What one character of the seller's part becomes in the name, with its
// UTF-8 form (what the file system counts).
std::string NameCharacter(std::string_view ch, std::string& utf8)
{
    static const std::string slash = Sjis("／");
    static const std::string backslash = Sjis("＼");
    static const std::string unknown = Sjis("？");
    const unsigned char b = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 1 && (b < 0x20 || b == 0x7F || b == '/')) {
        utf8 = Utf8FromSjis(slash);
        return slash;
    }
    if (ch.size() == 1 && b == '\\') {
        utf8 = Utf8FromSjis(backslash);
        return backslash;
    }
    utf8 = Utf8FromSjis(ch);
    // A pair that does not decode would reach the disk as U+FFFD, or (a
    // lead byte before "/") as a separator.
    if (!IsValidSjis(ch) || utf8.find('/') != std::string::npos || utf8.find('\\') != std::string::npos) {
        utf8 = Utf8FromSjis(unknown);
        return unknown;
    }
    return std::string(ch);
}

}  // namespace

std::string FileNameWithPart(std::string_view prefix, std::string_view part, std::string_view suffix)
{
    std::size_t utf8Length = Utf8FromSjis(prefix).size() + Utf8FromSjis(suffix).size();
    std::string name(prefix);
    std::string utf8;
    for (std::size_t pos = 0; pos < part.size();) {
        const std::size_t len = CharLength(part, pos);
        const std::string ch = NameCharacter(part.substr(pos, len), utf8);
        if (utf8Length + utf8.size() > kLongestFileName) break;
        utf8Length += utf8.size();
        name += ch;
        pos += len;
    }
    name += suffix;
    return name;
}

std::string NumberedFileName(std::string_view prefix, std::string_view part, std::string_view suffix, unsigned number)
{
    if (number <= 1) return FileNameWithPart(prefix, part, suffix);
    return FileNameWithPart(prefix, part, " (" + std::to_string(number) + ")" + std::string(suffix));
}

SaveOutcome SaveUnderFreeName(const std::filesystem::path& folder, std::string_view prefix, std::string_view part,
                              std::string_view suffix, std::string_view bytes)
{
    SaveOutcome saved;
    for (unsigned number = 1; number <= kMostNumberedNames; ++number) {
        saved.name = NumberedFileName(prefix, part, suffix, number);
        const std::filesystem::path path = JoinSjis(folder, saved.name);
        std::error_code ec;
        const std::filesystem::file_status status = std::filesystem::symlink_status(path, ec);
        // A folder that cannot be looked into (missing, no access) shows no
        // file here: the write then reports why it fails.
        if (std::filesystem::exists(status)) {
            // Only the very same content may be written over; a file that
            // cannot be read counts as different.
            if (!std::filesystem::is_regular_file(status)) continue;
            const ReadResult old = ReadWholeFile(path, bytes.size());
            if (!old.ok() || old.bytes != bytes) continue;
        }
        saved.status = WriteFileAtomically(path, bytes);
        return saved;
    }
    saved.status = WriteStatus::CannotCreate;
    return saved;
}

}  // namespace torepal
