#include "io/File.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <vector>

namespace torepal {
namespace {

namespace fs = std::filesystem;

std::atomic<WriteFault> g_fault{WriteFault::None};

constexpr std::size_t kBufferSize = 65536;

// The temporary is hidden (a leading dot), so a desktop file manager does
// not show it while the save runs, and named after the file and the process,
// so a leftover after a crash says what it was. Its name stays within the
// file system's 255-byte limit even when the file's own name nearly fills it.
fs::path TemporaryBeside(const fs::path& path)
{
    constexpr std::size_t kLongestName = 255;
    const std::string suffix = ".new-" + std::to_string(::getpid());
    std::string name = path.filename().string();
    const std::size_t room = kLongestName - 1 - suffix.size();
    if (name.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;  // not inside a UTF-8 sequence
        name.resize(cut);
    }
    return path.parent_path() / ("." + name + suffix);
}

// Makes the rename itself durable; a folder that cannot be synced (some
// network file systems) still has the complete file, so failure is ignored.
void SyncFolder(const fs::path& folder)
{
    const UniqueFd fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

// Fills the buffer as far as the file allows; the count read, -1 on error.
ssize_t ReadFull(int fd, char* buffer, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ReadSome(fd, buffer + got, size - got);
        if (n < 0) return -1;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        reset();
        fd_ = other.release();
    }
    return *this;
}

int UniqueFd::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset()
{
    if (fd_ >= 0) ::close(release());
}

bool UniqueFd::close()
{
    return !valid() || ::close(release()) == 0;
}

bool WriteAll(int fd, std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

ReadResult ReadWholeFile(const fs::path& path, std::uintmax_t largest)
{
    ReadResult result;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        result.status = (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Failed;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.status = ReadStatus::NotRegular;
        return result;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > largest) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        result.status = ReadStatus::Failed;
        return result;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[kBufferSize];
    for (;;) {
        const ssize_t n = ReadSome(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            result.status = ReadStatus::Failed;
            return result;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > largest) {  // the file grew while being read
            result.status = ReadStatus::TooLarge;
            return result;
        }
    }
    result.status = ReadStatus::Ok;
    result.bytes = std::move(bytes);
    return result;
}

WriteStatus WriteFileAtomically(const fs::path& path, std::string_view bytes)
{
    const WriteFault fault = g_fault.load();
    const fs::path temp = TemporaryBeside(path);

    if (fault == WriteFault::Create) return WriteStatus::CannotCreate;
    UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd.valid()) return WriteStatus::CannotCreate;

    // A file the seller restricted (a template only they may read) keeps
    // its permissions when it is replaced.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd.get(), old.st_mode & 07777);

    auto fail = [&](WriteStatus status) {
        fd.reset();
        ::unlink(temp.c_str());
        return status;
    };
    if (fault == WriteFault::Write) {
        // Half the bytes reach the disk, then it is full.
        WriteAll(fd.get(), bytes.substr(0, bytes.size() / 2));
        return fail(WriteStatus::WriteFailed);
    }
    if (!WriteAll(fd.get(), bytes)) return fail(WriteStatus::WriteFailed);
    if (fault == WriteFault::Sync || ::fsync(fd.get()) != 0) return fail(WriteStatus::WriteFailed);
    if (!fd.close()) return fail(WriteStatus::WriteFailed);
    if (fault == WriteFault::CrashBeforeRename)
        return WriteStatus::CannotReplace;  // the temporary stays, as after a crash
    if (fault == WriteFault::Rename || ::rename(temp.c_str(), path.c_str()) != 0)
        return fail(WriteStatus::CannotReplace);
    SyncFolder(path.parent_path());
    return WriteStatus::Ok;
}

bool IsWriteTemporary(std::string_view fileName)
{
    constexpr std::string_view marker = ".new-";
    if (fileName.size() < 2 + marker.size() || fileName[0] != '.') return false;
    const std::size_t at = fileName.rfind(marker);
    if (at == std::string_view::npos || at == 0 || at + marker.size() == fileName.size()) return false;
    for (char c : fileName.substr(at + marker.size()))
        if (c < '0' || c > '9') return false;
    return true;
}

bool SameFileContents(const fs::path& a, const fs::path& b)
{
    const UniqueFd fa(::open(a.c_str(), O_RDONLY | O_CLOEXEC));
    const UniqueFd fb(::open(b.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fa.valid() || !fb.valid()) return false;
    struct stat sa {};
    struct stat sb {};
    if (::fstat(fa.get(), &sa) != 0 || ::fstat(fb.get(), &sb) != 0) return false;
    if (!S_ISREG(sa.st_mode) || !S_ISREG(sb.st_mode) || sa.st_size != sb.st_size) return false;
    std::vector<char> bufA(kBufferSize);
    std::vector<char> bufB(kBufferSize);
    for (;;) {
        const ssize_t na = ReadFull(fa.get(), bufA.data(), bufA.size());
        const ssize_t nb = ReadFull(fb.get(), bufB.data(), bufB.size());
        if (na < 0 || nb < 0 || na != nb) return false;
        if (na == 0) return true;
        if (std::memcmp(bufA.data(), bufB.data(), static_cast<std::size_t>(na)) != 0) return false;
    }
}

CopyStatus CopyFileExclusively(const fs::path& from, const fs::path& to)
{
    const UniqueFd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) return CopyStatus::Failed;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode)) return CopyStatus::Failed;

    fs::path temp = to;
    temp += ".part-" + std::to_string(::getpid());
    ::unlink(temp.c_str());  // left over from an interrupted copy of ours
    UniqueFd out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!out.valid()) return CopyStatus::Failed;
    auto fail = [&] {
        out.reset();
        ::unlink(temp.c_str());
        return CopyStatus::Failed;
    };
    std::vector<char> buffer(kBufferSize);
    for (;;) {
        const ssize_t n = ReadSome(in.get(), buffer.data(), buffer.size());
        if (n < 0) return fail();
        if (n == 0) break;
        if (!WriteAll(out.get(), std::string_view(buffer.data(), static_cast<std::size_t>(n)))) return fail();
    }
    if (::fsync(out.get()) != 0 || !out.close()) return fail();

    CopyStatus result = CopyStatus::Copied;
    if (::link(temp.c_str(), to.c_str()) != 0) {
        if (errno == EEXIST) {
            result = CopyStatus::TargetExists;
        } else {
            // A file system without hard links: check, then rename.
            struct stat existing {};
            if (::lstat(to.c_str(), &existing) == 0)
                result = CopyStatus::TargetExists;
            else if (::rename(temp.c_str(), to.c_str()) != 0)
                result = CopyStatus::Failed;
        }
    }
    ::unlink(temp.c_str());
    return result;
}

void SetWriteFaultForTesting(WriteFault fault)
{
    g_fault.store(fault);
}

MoveStatus MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return MoveStatus::Moved;
    if (errno == EEXIST) return MoveStatus::TargetExists;
    if (errno == ENOENT) return MoveStatus::Missing;
    if (errno != EINVAL && errno != ENOSYS) return MoveStatus::Failed;
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(to, ec))) return MoveStatus::TargetExists;
    std::filesystem::rename(from, to, ec);
    return ec ? MoveStatus::Failed : MoveStatus::Moved;
}

}  // namespace torepal
