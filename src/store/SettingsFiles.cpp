#include "store/SettingsFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "text/Encoding.h"
#include "text/Files.h"

namespace torepal {
namespace {

namespace fs = std::filesystem;

// Enough tries for a seller who keeps damaging the same file; past this the
// file is left alone rather than a copy being overwritten.
constexpr int kMostCopies = 99;

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

ssize_t ReadSome(int fd, char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

bool WriteAll(int fd, const char* p, std::size_t left)
{
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

bool SameContents(const fs::path& a, const fs::path& b)
{
    Fd fa(::open(a.c_str(), O_RDONLY | O_CLOEXEC));
    Fd fb(::open(b.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fa.valid() || !fb.valid()) return false;
    struct stat sa {};
    struct stat sb {};
    if (::fstat(fa.get(), &sa) != 0 || ::fstat(fb.get(), &sb) != 0) return false;
    if (!S_ISREG(sa.st_mode) || !S_ISREG(sb.st_mode) || sa.st_size != sb.st_size) return false;
    std::vector<char> bufA(65536);
    std::vector<char> bufB(65536);
    for (;;) {
        const ssize_t na = ReadFull(fa.get(), bufA.data(), bufA.size());
        const ssize_t nb = ReadFull(fb.get(), bufB.data(), bufB.size());
        if (na < 0 || nb < 0 || na != nb) return false;
        if (na == 0) return true;
        if (std::memcmp(bufA.data(), bufB.data(), static_cast<std::size_t>(na)) != 0) return false;
    }
}

enum class CopyResult { Copied, TargetExists, Failed };

// Copies `from` to `to` without ever replacing an existing `to`: the bytes
// go to a temporary beside it, reach the disk, and are then linked in under
// the new name, which fails if the name was taken meanwhile.
CopyResult CopyExclusively(const fs::path& from, const fs::path& to)
{
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) return CopyResult::Failed;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode)) return CopyResult::Failed;

    fs::path temp = to;
    temp += ".part-" + std::to_string(::getpid());
    ::unlink(temp.c_str());  // left over from an interrupted copy of ours
    Fd out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!out.valid()) return CopyResult::Failed;
    auto fail = [&] {
        ::close(out.release());
        ::unlink(temp.c_str());
        return CopyResult::Failed;
    };
    std::vector<char> buffer(65536);
    for (;;) {
        const ssize_t n = ReadSome(in.get(), buffer.data(), buffer.size());
        if (n < 0) return fail();
        if (n == 0) break;
        if (!WriteAll(out.get(), buffer.data(), static_cast<std::size_t>(n))) return fail();
    }
    if (::fsync(out.get()) != 0) return fail();
    if (::close(out.release()) != 0) {
        ::unlink(temp.c_str());
        return CopyResult::Failed;
    }

    CopyResult result = CopyResult::Copied;
    if (::link(temp.c_str(), to.c_str()) != 0) {
        if (errno == EEXIST) {
            result = CopyResult::TargetExists;
        } else {
            // A file system without hard links: check, then rename.
            struct stat existing {};
            if (::lstat(to.c_str(), &existing) == 0)
                result = CopyResult::TargetExists;
            else if (::rename(temp.c_str(), to.c_str()) != 0)
                result = CopyResult::Failed;
        }
    }
    ::unlink(temp.c_str());
    return result;
}

// Keeps the damaged file under a free name beside it ("bank.ini.broken",
// "bank.ini.broken-2", ...). A copy with the same bytes made earlier is
// reused, so loading the same damaged file again and again (every tab
// change) does not pile up copies. Empty when no copy could be made.
fs::path KeepDamagedCopy(const fs::path& file)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    for (int i = 1; i <= kMostCopies; ++i) {
        fs::path candidate = file;
        candidate += i == 1 ? std::string(".broken") : ".broken-" + std::to_string(i);
        struct stat existing {};
        if (::lstat(candidate.c_str(), &existing) == 0) {
            if (S_ISREG(existing.st_mode) && SameContents(file, candidate)) return candidate;
            continue;
        }
        switch (CopyExclusively(file, candidate)) {
            case CopyResult::Copied:
                return candidate;
            case CopyResult::TargetExists:
                continue;
            case CopyResult::Failed:
                return {};
        }
    }
    return {};
}

template <typename Record>
using Decoder = bool (*)(std::string_view, Record&);

template <typename Record>
using Salvager = Record (*)(std::string_view);

template <typename Record>
Loaded<Record> LoadSettings(const fs::path& folder, const char* name, Decoder<Record> decode, Salvager<Record> salvage,
                            bool emptyIsMissing = false)
{
    Loaded<Record> result;
    const fs::path file = folder / name;
    const ReadResult read = ReadWholeFile(file);
    if (read.status == ReadStatus::Missing || (emptyIsMissing && read.ok() && read.bytes.empty())) {
        result.status = LoadStatus::Missing;
        return result;
    }
    if (read.ok() && decode(read.bytes, result.record)) {
        result.status = LoadStatus::Loaded;
        return result;
    }
    result.record = read.ok() ? salvage(read.bytes) : Record{};
    result.status = LoadStatus::Damaged;
    result.keptCopy = KeepDamagedCopy(file);
    return result;
}

// A file that does not read as its record is replaced only once a copy of
// it is kept, whoever stores first.
template <typename Record>
bool SafeToReplace(const fs::path& file, Decoder<Record> decode)
{
    const ReadResult read = ReadWholeFile(file);
    // An empty file has nothing to keep.
    if (read.status == ReadStatus::Missing || (read.ok() && read.bytes.empty())) return true;
    if (read.ok()) {
        Record scratch;
        if (decode(read.bytes, scratch)) return true;
    }
    return !KeepDamagedCopy(file).empty();
}

template <typename Record>
bool StoreSettings(const fs::path& folder, const char* name, const std::string& bytes, Decoder<Record> decode)
{
    const fs::path file = folder / name;
    if (!SafeToReplace(file, decode)) return false;
    return WriteFileAtomically(file, bytes) == WriteStatus::Ok;
}

}  // namespace

Loaded<CBSave> LoadBankFile(const fs::path& programFolder)
{
    return LoadSettings<CBSave>(programFolder, kBankFile, DecodeBank, SalvageBank);
}

Loaded<CPSave> LoadPlateFile(const fs::path& programFolder)
{
    return LoadSettings<CPSave>(programFolder, kPlateFile, DecodePlate, SalvagePlate,
                                /*emptyIsMissing=*/true);
}

Loaded<CSavemail> LoadStatusFile(const fs::path& programFolder)
{
    return LoadSettings<CSavemail>(programFolder, kStatusFile, DecodeStatus, SalvageStatus);
}

bool StoreBankFile(const fs::path& programFolder, const CBSave& record)
{
    return StoreSettings<CBSave>(programFolder, kBankFile, EncodeBank(record), DecodeBank);
}

bool StorePlateFile(const fs::path& programFolder, const CPSave& record)
{
    return StoreSettings<CPSave>(programFolder, kPlateFile, EncodePlate(record), DecodePlate);
}

bool StoreStatusFile(const fs::path& programFolder, const CSavemail& record)
{
    return StoreSettings<CSavemail>(programFolder, kStatusFile, EncodeStatus(record), DecodeStatus);
}

std::string DamagedSettingsMessage(const std::string& fileName, const fs::path& keptCopy)
{
    static const std::string opening = Sjis("設定ファイル「");
    static const std::string damaged = Sjis("」を正しく読み込めませんでした。読み取れた部分だけを使います。\n");
    static const std::string keptBefore = Sjis("元のファイルは「");
    static const std::string keptAfter = Sjis("」という名前でプログラムのフォルダに残してあります。");
    static const std::string notKept =
        Sjis("元のファイルの控えを作れませんでした。控えを作れるまで、このファイルは書き換えません。");

    std::string text = opening + fileName + damaged;
    if (keptCopy.empty())
        text += notKept;
    else
        text += keptBefore + SjisFileName(keptCopy) + keptAfter;
    return text;
}

std::string StoreFailedMessage(const std::string& fileName)
{
    static const std::string opening = Sjis("設定ファイル「");
    static const std::string failed = Sjis(
        "」を保存できませんでした。\n"
        "前に保存した内容はそのまま残っています。\n"
        "フォルダに書き込めるか、ディスクに空きがあるかを確かめてください。");
    return opening + fileName + failed;
}

}  // namespace torepal
