#pragma once
// The recovery file: what the seller typed in both forms and has not yet
// saved, finished or cleared, kept beside the program so that a crash, a
// power cut or a closed window loses nothing. Written at exit and now and
// then while typing, offered back at the next start.
//
// Layout (all numbers little-endian u32):
//   "TRPLRCV" 00          magic
//   version               kRecoveryVersion
//   payload length
//   payload checksum      CRC-32 (the zlib polynomial) of the payload
//   payload:
//     forms               bit 0 plate texts follow, bit 1 mail texts follow
//     per form present:   field count, then each field as length + bytes
// A file that is cut, altered, of another version or with a field count
// other than this version's is refused as a whole: half a recovery would
// put texts in the wrong boxes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "mail/MailState.h"
#include "plate/PlateState.h"
#include "text/Files.h"

namespace torepal {

inline constexpr const char* kRecoveryFileName = "torepal-recovery.dat";
inline constexpr std::uint32_t kRecoveryVersion = 1;

// The texts of the plate form a seller types (Shift-JIS, CR LF breaks).
struct PlateTexts {
    std::string title, items, trans, othersTitle, others, sdata, pdata, mytext, yahooId, color, bgcolor, fcolor;
    bool operator==(const PlateTexts&) const = default;
};

// The texts of the mail form a seller types or fills.
struct MailTexts {
    std::string item, name, transmen, transnum, fauc, ftrans, bidderMail, body, myname, post, zip, tel, ktel;
    bool operator==(const MailTexts&) const = default;
};

PlateTexts PlateTextsOf(const PlateState& state);
void RestorePlateTexts(const PlateTexts& texts, PlateState& state);
MailTexts MailTextsOf(const MailState& state);
void RestoreMailTexts(const MailTexts& texts, MailState& state);

// The file's content: each form's texts when it has something to recover.
struct RecoveryRecord {
    bool hasPlate = false;
    PlateTexts plate;
    bool hasMail = false;
    MailTexts mail;
    bool empty() const { return !hasPlate && !hasMail; }
    bool operator==(const RecoveryRecord&) const = default;
};

// Whether one form leaves anything to recover. The page settles the form's
// texts whenever nothing would be lost if the program ended now: after its
// values are loaded at start, and after it is saved, finished or cleared.
// Texts that differ from the settled ones are unsaved work.
template <typename Texts>
class UnsavedTexts {
public:
    void settle(const Texts& now) { settled_ = now; }
    bool unsaved(const Texts& now) const { return !(now == settled_); }

private:
    Texts settled_{};
};

// The record for the two forms' current texts: a form is in it only when
// its texts are unsaved.
RecoveryRecord RecoveryOf(const PlateTexts& plate, const UnsavedTexts<PlateTexts>& plateState, const MailTexts& mail,
                          const UnsavedTexts<MailTexts>& mailState);

std::string EncodeRecovery(const RecoveryRecord& record);

enum class RecoveryDecode { Ok, Damaged, OtherVersion };
// Fills `record` only when the whole file is sound; otherwise leaves it
// empty.
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
