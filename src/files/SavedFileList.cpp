#include "files/SavedFileList.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <system_error>
#include <utility>

#include "io/File.h"
#include "text/Encoding.h"
#include "text/Files.h"
#include "text/Lines.h"
#include "text/Sorting.h"

namespace torepal {

const SavedFileMessages& FileMessages()
{
    static const SavedFileMessages messages{
        Sjis("削除するファイルがありません！"),
        Sjis("ファイルの削除に失敗しました。"),
        Sjis("選択されている項目がありません！"),
        Sjis("ファイルのサイズが大きすぎます！"),
        Sjis("選択されている項目は読み込めなかったため、内容を更新できません。"),
        Sjis("選択されているファイルが見つからないため、内容を更新できませんでした。"),
        Sjis("ファイルに書き込めませんでした。ファイルは元の内容のままです。"),
    };
    return messages;
}

std::string MovedToDeletedMessage(const std::string& name, const std::string& keptAs)
{
    return Sjis("デスクトップのごみ箱が使えないため、「") + name + Sjis("」を back/.deleted/") + keptAs +
           Sjis(" に移しました。「削除したファイル」から戻せます。");
}

std::string RestoredMessage(const std::string& name)
{
    return Sjis("「") + name + Sjis("」を back/ に戻しました");
}

std::string RestoreRefusedMessage(const std::string& name, RestoreStatus status)
{
    if (status == RestoreStatus::NameTaken)
        return Sjis("back/ に同じ名前のファイルがあるため、「") + name +
               Sjis("」を戻せませんでした。先にそのファイルを削除するか、名前を変えてください。");
    return Sjis("「") + name + Sjis("」を戻せませんでした。");
}

SavedFileList::SavedFileList(std::filesystem::path programFolder) : folder_(std::move(programFolder) / "back") {}

bool SavedFileList::refresh()
{
    // A refresh mostly finds about as many entries as the one before.
    const std::size_t expected = entries_.size();
    entries_.clear();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder_, ec)) return false;
    // A bare directory read: the folder may hold thousands of saved files,
    // and only their names are needed. Each entry's sort key is built once,
    // all of them side by side in one string, so there is no allocation per
    // key and the sort compares bytes lying close together.
    std::vector<SavedFile> read;
    std::string keys;
    struct Sorted {
        std::size_t key;     // where the entry's key starts in `keys`
        std::size_t length;  // of the key, which is that of the shown name
        std::size_t entry;   // in `read`
    };
    std::vector<Sorted> order;
    read.reserve(expected);
    order.reserve(expected);
    if (DIR* dir = ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name(entry->d_name);
            if (name == "." || name == ".." || IsWriteTemporary(name) || name == kDeletedFilesFolder) continue;
            SavedFile& file = read.emplace_back(name);
            file.name = SjisFileName(file.diskName);
            order.push_back({keys.size(), file.name.size(), read.size() - 1});
            AppendSjisSortKey(keys, file.name);
        }
        ::closedir(dir);
    }
    // The order of SjisLess on the shown names; names that show alike (two
    // "?" names) still come in a fixed order.
    const char* const key = keys.data();
    std::sort(order.begin(), order.end(), [&](const Sorted& a, const Sorted& b) {
        if (int c = CompareSortKeys({key + a.key, a.length}, {key + b.key, b.length})) return c < 0;
        const SavedFile& fa = read[a.entry];
        const SavedFile& fb = read[b.entry];
        if (int c = fa.name.compare(fb.name)) return c < 0;
        return fa.diskName.native() < fb.diskName.native();
    });
    // Into the list, which kept its room, each entry moved once.
    entries_.reserve(order.size());
    for (const Sorted& sorted : order) entries_.push_back(std::move(read[sorted.entry]));
    return true;
}

std::filesystem::path SavedFileList::pathOf(std::size_t index) const
{
    return folder_ / entries_.at(index).diskName;
}

SavedFileText SavedFileList::show(std::size_t index) const
{
    SavedFileText shown;
    const ReadResult read = ReadWholeFile(pathOf(index));
    if (!read.ok()) return shown;
    shown.text = SavedFileLinesCrLf(read.bytes);
    shown.loaded = true;
    return shown;
}

WriteBackStatus SavedFileList::writeBack(std::size_t index, bool loaded, std::string_view text) const
{
    if (!loaded) return WriteBackStatus::NotLoaded;
    const std::filesystem::path path = pathOf(index);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return WriteBackStatus::NotAFile;
    // A linked entry is written where the link points, so the link stays a
    // link instead of being replaced by a copy.
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, ec)) {
        target = std::filesystem::canonical(path, ec);
        if (ec) return WriteBackStatus::NotAFile;
    }
    if (WriteFileAtomically(target, ToTextMode(text)) != WriteStatus::Ok) return WriteBackStatus::Failed;
    return WriteBackStatus::Written;
}

bool SavedFileList::removable(std::size_t index) const
{
    const std::filesystem::path path = pathOf(index);
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) return false;
    if (S_ISLNK(entry.st_mode)) {
        // A link is removed itself, never what it points to; one that looks
        // like a folder in the list is refused like a folder.
        struct stat target {};
        return !(::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode));
    }
    return S_ISREG(entry.st_mode);
}

bool SavedFileList::remove(std::size_t index) const
{
    return removable(index) && ::unlink(pathOf(index).c_str()) == 0;
}

namespace {

// "name (2).ext", "name (3).ext" ... for the n-th file deleted under one
// name; a name without extension gets the number at its end.
std::filesystem::path Numbered(const std::filesystem::path& name, int n)
{
    const std::string suffix = " (" + std::to_string(n) + ")";
    return name.stem().native() + suffix + name.extension().native();
}

}  // namespace

std::filesystem::path SavedFileList::moveToDeleted(std::size_t index) const
{
    if (!removable(index)) return {};
    const std::filesystem::path deleted = deletedFolder();
    std::error_code ec;
    std::filesystem::create_directory(deleted, ec);
    if (!std::filesystem::is_directory(deleted, ec)) return {};
    const std::filesystem::path& name = entries_.at(index).diskName;
    for (int n = 1; n < 1000; ++n) {
        const std::filesystem::path kept = n == 1 ? name : Numbered(name, n);
        switch (MoveWithoutReplacing(pathOf(index), deleted / kept)) {
            case MoveStatus::Moved:
                return kept;
            case MoveStatus::TargetExists:
                continue;
            case MoveStatus::Missing:
            case MoveStatus::Failed:
                return {};
        }
    }
    return {};
}

std::vector<SavedFile> SavedFileList::deletedEntries() const
{
    std::vector<SavedFile> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(deletedFolder(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path name = it->path().filename();
        if (IsWriteTemporary(name.native()) || it->is_directory(ec)) continue;
        SavedFile& file = found.emplace_back(name);
        file.name = SjisFileName(file.diskName);
    }
    std::sort(found.begin(), found.end(), [](const SavedFile& a, const SavedFile& b) {
        if (SjisLess(a.name, b.name)) return true;
        if (SjisLess(b.name, a.name)) return false;
        return a.diskName.native() < b.diskName.native();
    });
    return found;
}

RestoreStatus SavedFileList::restoreDeleted(const std::filesystem::path& diskName) const
{
    switch (MoveWithoutReplacing(deletedFolder() / diskName, folder_ / diskName)) {
        case MoveStatus::Moved:
            return RestoreStatus::Restored;
        case MoveStatus::TargetExists:
            return RestoreStatus::NameTaken;
        case MoveStatus::Missing:
        case MoveStatus::Failed:
            break;
    }
    return RestoreStatus::Failed;
}

}  // namespace torepal
