#include "store/SettingsFiles.h"

#include <sys/stat.h>

#include "io/File.h"
#include "text/Encoding.h"
#include "text/Files.h"

namespace torepal {
namespace {

namespace fs = std::filesystem;

// Enough tries for a seller who keeps damaging the same file; past this the
// file is left alone rather than a copy being overwritten.
constexpr int kMostCopies = 99;

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
            if (S_ISREG(existing.st_mode) && SameFileContents(file, candidate)) return candidate;
            continue;
        }
        switch (CopyFileExclusively(file, candidate)) {
            case CopyStatus::Copied:
                return candidate;
            case CopyStatus::TargetExists:
                continue;
            case CopyStatus::Failed:
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
