#pragma once
// The recovery file: the whole of both forms as the seller left them and
// has not yet saved, finished or cleared (texts, ticks, radio pairs,
// selections, current-service ticks), kept beside the program so that a
// crash, a power cut or a closed window loses nothing. Written at exit and
// now and then while typing, offered back at the next start.
//
// Layout (all numbers little-endian u32):
//   "TRPLRCV" 00          magic
//   version               kRecoveryVersion
//   payload length
//   payload checksum      CRC-32 (the zlib polynomial) of the payload
//   payload:
//     forms               bit 0 the plate form follows, bit 1 the mail form
//     per form present:   the form's fields as a project file holds them
//                         (length + the project text, the other form left
//                         empty), then the texts the project file does not
//                         hold whole: their count, each as length + bytes
// Which field goes where is the forms' field tables' RecoveryKeeps. A file
// that is cut, altered, of another version, whose project text does not read
// as a project or whose count of own texts is not this version's is refused
// as a whole: half a recovery would put values in the wrong boxes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "mail/MailFields.h"
#include "plate/PlateFields.h"
#include "text/Files.h"

namespace torepal {

inline constexpr const char* kRecoveryFileName = "torepal-recovery.dat";
inline constexpr std::uint32_t kRecoveryVersion = 2;

// The file's content: each form whole when it has something to recover.
struct RecoveryRecord {
    bool hasPlate = false;
    PlateForm plate;
    bool hasMail = false;
    MailForm mail;
    // Read from a file of the first version, which held the texts alone:
    // restoring puts back the texts and leaves the ticks and choices as the
    // form shows them.
    bool textsOnly = false;
    bool empty() const { return !hasPlate && !hasMail; }
    bool operator==(const RecoveryRecord&) const = default;
};

// Whether one form leaves anything to recover. The window settles the form
// whenever nothing would be lost if the program ended now: after its values
// are loaded at start, and after it is saved, finished or cleared. A form
// that differs from the settled one is unsaved work.
template <typename Form>
class UnsavedForm {
public:
    void settle(const Form& now) { settled_ = now; }
    bool unsaved(const Form& now) const { return !(now == settled_); }

private:
    Form settled_{};
};

// The record for the two forms as they are: a form is in it only when it
// is unsaved.
RecoveryRecord RecoveryOf(const PlateForm& plate, const UnsavedForm<PlateForm>& plateState, const MailForm& mail,
                          const UnsavedForm<MailForm>& mailState);

std::string EncodeRecovery(const RecoveryRecord& record);

enum class RecoveryDecode { Ok, Damaged, OtherVersion };
// Fills `record` only when the whole file is sound; otherwise leaves it
// empty. A sound file of the first version (texts only) is read too, so a
// crash just before an update loses nothing.
RecoveryDecode DecodeRecovery(std::string_view bytes, RecoveryRecord& record);

enum class RecoveryStatus {
    None,     // no file: nothing to offer
    Found,    // a record to offer back
    Damaged,  // a file that cannot be taken (cut, altered, another version)
};

struct LoadedRecovery {
    RecoveryStatus status = RecoveryStatus::None;
    RecoveryRecord record;
};

std::filesystem::path RecoveryPath(const std::filesystem::path& programFolder);

LoadedRecovery LoadRecovery(const std::filesystem::path& programFolder);

// Writes the record beside the program through the atomic write, so a crash
// at any moment leaves the old or the new file whole. An empty record
// removes the file: nothing is left to offer back.
WriteStatus StoreRecovery(const std::filesystem::path& programFolder, const RecoveryRecord& record);

// Removes the file (after the seller took or declined the offer).
void ClearRecovery(const std::filesystem::path& programFolder);

// Messages for the seller (Shift-JIS).
std::string RecoveryOfferMessage();
std::string RecoveryDamagedMessage();

}  // namespace torepal
