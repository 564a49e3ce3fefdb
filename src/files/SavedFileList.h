#pragma once
// The saved-files folder ("back/" in the program folder), where finished
// pages and saved mails lie, as the file page lists, shows, writes back and
// deletes its entries.
//
// Each entry keeps the name exactly as the folder holds it, so a file whose
// name cannot be shown in Shift-JIS is still opened, written and deleted as
// itself; the Shift-JIS name is only for showing and sorting.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace torepal {

// Where a deleted entry goes when the desktop has no trash to take it: a
// hidden folder inside back/, which the list does not show and from which
// the page puts files back. Nothing is ever made in the program folder
// itself.
inline constexpr std::string_view kDeletedFilesFolder = ".deleted";

enum class RestoreStatus {
    Restored,
    NameTaken,  // back/ has an entry of that name again; nothing moved
    Failed,     // gone meanwhile, or the disk refused
};

struct SavedFile {
    std::filesystem::path diskName;  // the bare name as found in the folder
    std::string name;                // Shift-JIS for showing; "?" where a character cannot be shown
};

// What the page shows for an entry. An entry that could not be read (a
// subfolder, a file removed meanwhile, one far too large) shows an empty
// text and is not loaded, so it is never written back over.
struct SavedFileText {
    std::string text;  // lines each ending in "\r\n"
    bool loaded = false;
};

enum class WriteBackStatus {
    Written,
    NotLoaded,  // the entry was not shown from a file: nothing to write back to
    NotAFile,   // the entry is now a folder or is gone; it is not created anew
    Failed,     // the disk refused; the old file is as it was
};

// The texts the file page shows in its message boxes, Shift-JIS.
struct SavedFileMessages {
    std::string noFileToDelete;   // delete on an empty list
    std::string deleteFailed;     // the system refused the deletion (also for a subfolder)
    std::string nothingSelected;  // mail hand-off on an empty list
    std::string tooLarge;         // mail hand-off address of 3000 bytes or more
    std::string notLoaded;        // write back of an entry that could not be shown
    std::string notAFile;         // write back of an entry that is gone or a folder
    std::string writeFailed;      // write back refused by the disk
};
const SavedFileMessages& FileMessages();

// The status line after a deletion without a desktop trash, and the
// answers to putting a deleted file back (Shift-JIS names in, Shift-JIS out).
std::string MovedToDeletedMessage(const std::string& name, const std::string& keptAs);
std::string RestoredMessage(const std::string& name);
std::string RestoreRefusedMessage(const std::string& name, RestoreStatus status);

class SavedFileList {
public:
    explicit SavedFileList(std::filesystem::path programFolder);

    // Lists every entry of the folder but "." and "..", subfolders included,
    // sorted by the shown name. False when the folder does not exist; the
    // list is then empty (the folder is never created here).
    bool refresh();

    const std::vector<SavedFile>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path pathOf(std::size_t index) const;

    // The entry's text with every line ending in one "\r\n": a run of CR
    // before LF is the line end, so a file written back is shown the same.
    SavedFileText show(std::size_t index) const;

    // Writes the text back in text mode (each LF as CR LF) over the entry,
    // replacing it only once the new content is safely on disk.
    WriteBackStatus writeBack(std::size_t index, bool loaded, std::string_view text) const;

    // Whether the entry may be deleted: a file, or a link that does not
    // lead to a folder; never a subfolder.
    bool removable(std::size_t index) const;
    // Deletes the entry if it is removable.
    bool remove(std::size_t index) const;

    // Moves a removable entry into back/.deleted/ (made when missing),
    // under its own name or, when a file deleted earlier has it, the next
    // free "name (2).ext". The name it was kept under; empty on failure.
    std::filesystem::path moveToDeleted(std::size_t index) const;
    // The files of back/.deleted/, sorted as the list is.
    std::vector<SavedFile> deletedEntries() const;
    // Puts a deleted file back into back/ under its name.
    RestoreStatus restoreDeleted(const std::filesystem::path& diskName) const;
    std::filesystem::path deletedFolder() const { return folder_ / kDeletedFilesFolder; }

private:
    std::filesystem::path folder_;
    std::vector<SavedFile> entries_;
};

}  // namespace torepal
