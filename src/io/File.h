#pragma once
// The one place that opens, reads, writes, renames and syncs files. Every
// settings file, page, mail, template, saved file and project file goes
// through here, so "nothing lost" is decided once: a whole-file read with a
// size limit and a typed answer, and a replace that writes beside the file,
// checks every write, syncs it, renames it over and syncs the folder.
//
// Paths are system paths (UTF-8 on Linux); turning Shift-JIS names into
// paths is text/Files.h's job. Contents are bytes, never converted.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace torepal {

// A file descriptor that closes itself.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    void reset();
    // Closes now and says whether the close succeeded: on some file systems
    // the last write error shows only here.
    bool close();

private:
    int fd_ = -1;
};

// A file far larger than any real page, mail, template or project file is
// refused rather than read into the window.
inline constexpr std::uintmax_t kLargestTextFile = 64ull * 1024 * 1024;

enum class ReadStatus { Ok, Missing, NotRegular, TooLarge, Failed };

struct ReadResult {
    ReadStatus status = ReadStatus::Failed;
    std::string bytes;  // the whole file when status is Ok, else empty
    bool ok() const { return status == ReadStatus::Ok; }
};

// Reads a regular file whole (a folder is refused: on Linux it would open).
// A file past `largest` bytes, or one that grows past it while being read,
// is TooLarge.
ReadResult ReadWholeFile(const std::filesystem::path& path, std::uintmax_t largest = kLargestTextFile);

enum class WriteStatus { Ok, CannotCreate, WriteFailed, CannotReplace };

// Writes the bytes to a new file beside `path`, flushes it to disk and only
// then renames it over `path`. A failure leaves the old file as it was and
// removes the partial new one. The new file is the hidden
// ".<name>.new-<process id>"; only a crash between writing and renaming
// leaves it behind. A replaced file keeps its permission bits.
WriteStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// True for the name of such a leftover, so folder listings can skip it.
bool IsWriteTemporary(std::string_view fileName);

enum class CopyStatus { Copied, TargetExists, Failed };

// Copies the regular file `from` to `to` without ever replacing an existing
// `to`: the bytes go to a temporary beside it, reach the disk, and are then
// linked in under the new name, which fails if the name was taken meanwhile.
CopyStatus CopyFileExclusively(const std::filesystem::path& from, const std::filesystem::path& to);

enum class MoveStatus { Moved, TargetExists, Missing, Failed };

// Renames `from` to `to` in one step, never over an existing `to` (where a
// file system lacks the no-replace rename, it looks first).
MoveStatus MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// True when both are regular files with the same bytes.
bool SameFileContents(const std::filesystem::path& a, const std::filesystem::path& b);

// Writes all the bytes to an open descriptor, retrying short writes and
// interruptions; false on the first real error.
bool WriteAll(int fd, std::string_view bytes);

// Test hook: when set, WriteFileAtomically fails at the named step, as a
// full disk or a crash would. Never set by the program.
enum class WriteFault { None, Create, Write, Sync, Rename, CrashBeforeRename };
void SetWriteFaultForTesting(WriteFault fault);

}  // namespace torepal
