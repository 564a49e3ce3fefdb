#include "text/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "text/Encoding.h"

namespace torepal {
namespace {

std::atomic<WriteFault> g_fault{WriteFault::None};

// The temporary is hidden (a leading dot), so a desktop file manager does
// not show it while the save runs, and named after the file and the process,
// so a leftover after a crash says what it was. Its name stays within the
// file system's 255-byte limit even when the file's own name nearly fills it.
std::filesystem::path TemporaryBeside(const std::filesystem::path& path)
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
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
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

}  // namespace

std::filesystem::path JoinSjis(const std::filesystem::path& folder, std::string_view sjisName)
{
    std::string utf8 = Utf8FromSjis(sjisName);
    for (char& c : utf8)
        if (c == '\\') c = '/';
    return folder / std::filesystem::path(utf8).relative_path();
}

std::string SjisFileName(const std::filesystem::path& name, bool* exact)
{
    // The last part of the path as its bytes, without building a path for
    // it: a folder lists thousands of names through here.
    std::string_view utf8 = name.native();
    const std::size_t slash = utf8.rfind('/');
    if (slash != std::string_view::npos) utf8.remove_prefix(slash + 1);
    const SjisConversion conv = SjisFromUtf8(utf8);
    if (exact) *exact = conv.ok();
    if (conv.ok()) return conv.text;
    // Rebuild with "?" where a character could not be held, so the seller
    // still sees most of the name.
    std::string shown;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        std::size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
        if (i + len > utf8.size()) len = utf8.size() - i;
        const SjisConversion one = SjisFromUtf8(utf8.substr(i, len));
        shown += one.ok() ? one.text : std::string("?");
        i += len;
    }
    return shown;
}

ReadResult ReadWholeFile(const std::filesystem::path& path, std::uintmax_t largest)
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.status = ReadStatus::Failed;
        return result;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            result.status = ReadStatus::Failed;
            return result;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > largest) {  // the file grew while being read
            ::close(fd);
            result.status = ReadStatus::TooLarge;
            return result;
        }
    }
    ::close(fd);
    result.status = ReadStatus::Ok;
    result.bytes = std::move(bytes);
    return result;
}

WriteStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes)
{
    const WriteFault fault = g_fault.load();
    const std::filesystem::path temp = TemporaryBeside(path);

    if (fault == WriteFault::Create) return WriteStatus::CannotCreate;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return WriteStatus::CannotCreate;

    // A file the seller restricted (a template only they may read) keeps
    // its permissions when it is replaced.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);

    auto fail = [&](WriteStatus status) {
        ::close(fd);
        ::unlink(temp.c_str());
        return status;
    };
    if (fault == WriteFault::Write) {
        // Half the bytes reach the disk, then it is full.
        WriteAll(fd, bytes.substr(0, bytes.size() / 2));
        return fail(WriteStatus::WriteFailed);
    }
    if (!WriteAll(fd, bytes)) return fail(WriteStatus::WriteFailed);
    if (fault == WriteFault::Sync || ::fsync(fd) != 0) return fail(WriteStatus::WriteFailed);
    if (::close(fd) != 0) {
        ::unlink(temp.c_str());
        return WriteStatus::WriteFailed;
    }
    if (fault == WriteFault::CrashBeforeRename)
        return WriteStatus::CannotReplace;  // the temporary stays, as after a crash
    if (fault == WriteFault::Rename || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return WriteStatus::CannotReplace;
    }
    SyncFolder(path.parent_path());
    return WriteStatus::Ok;
}

bool IsWriteTemporary(std::string_view name)
{
    if (name.size() < 7 || name[0] != '.') return false;
    const std::size_t mark = name.rfind(".new-");
    if (mark == std::string_view::npos || mark == 0 || mark + 5 == name.size()) return false;
    for (std::size_t i = mark + 5; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

bool IsSaveTemporaryName(std::string_view fileName)
{
    constexpr std::string_view marker = ".new-";
    if (fileName.size() < 2 + marker.size() || fileName[0] != '.') return false;
    const std::size_t at = fileName.rfind(marker);
    if (at == std::string_view::npos || at == 0 || at + marker.size() == fileName.size()) return false;
    for (char c : fileName.substr(at + marker.size()))
        if (c < '0' || c > '9') return false;
    return true;
}

void SetWriteFaultForTesting(WriteFault fault)
{
    g_fault.store(fault);
}

}  // namespace torepal
