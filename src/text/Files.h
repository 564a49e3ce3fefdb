#pragma once
// Whole-file reading and writing. Names are built as Shift-JIS text by the
// pages and converted to the system's file-name encoding (UTF-8 on Linux)
// only here, when a file is opened, created, listed or deleted. Contents are
// never converted.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace torepal {

// A file far larger than any real page, mail, template or project file is
// refused rather than read into the window.
inline constexpr std::uintmax_t kLargestTextFile = 64ull * 1024 * 1024;

// The path of a Shift-JIS relative name inside `folder`. Either separator in
// the name is accepted; the name is not otherwise interpreted.
std::filesystem::path JoinSjis(const std::filesystem::path& folder, std::string_view sjisName);

// The Shift-JIS form of a file name found on disk (for showing it); a name
// that is not valid UTF-8 or holds characters code page 932 cannot hold
// comes back with those characters as "?" and `exact` false.
std::string SjisFileName(const std::filesystem::path& name, bool* exact = nullptr);

enum class ReadStatus { Ok, Missing, NotRegular, TooLarge, Failed };

struct ReadResult {
    ReadStatus status = ReadStatus::Failed;
    std::string bytes;
    bool ok() const { return status == ReadStatus::Ok; }
};

// Reads a regular file whole (a folder is refused: on Linux it would open).
ReadResult ReadWholeFile(const std::filesystem::path& path, std::uintmax_t largest = kLargestTextFile);

enum class WriteStatus { Ok, CannotCreate, WriteFailed, CannotReplace };

// Writes the bytes to a new file beside `path`, flushes it to disk and only
// then renames it over `path`. A failure leaves the old file as it was and
// removes the partial new one. The new file is the hidden
// ".<name>.new-<process id>"; only a crash between writing and renaming
// leaves it behind.
WriteStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// True for the name of such a leftover, so folder listings can skip it.
bool IsWriteTemporary(std::string_view fileName);

// True for the hidden temporary ".<name>.new-<pid>" that WriteFileAtomically
// writes beside a file; one left behind by a crash is no saved file of the
// seller's, so folder listings leave it out.
bool IsSaveTemporaryName(std::string_view fileName);

// Test hook: when set, WriteFileAtomically fails at the named step, as a
// full disk or a crash would. Never set by the program.
enum class WriteFault { None, Create, Write, Sync, Rename, CrashBeforeRename };
void SetWriteFaultForTesting(WriteFault fault);

}  // namespace torepal
