#pragma once
// What the benchmarks work on: a seller's form with everything filled in and
// ticked, a long mail template, a long Japanese text, a throwaway program
// folder. Everything is Shift-JIS, as inside the program.

#include <cstddef>
#include <filesystem>
#include <string>

#include "app/ProjectFile.h"
#include "mail/MailState.h"
#include "plate/PlateState.h"
#include "store/SettingsRecords.h"

namespace torepal::bench {

// Every section filled, every payment and carrier box ticked, the booth
// banner on, a description of a few kilobytes with CR LF line breaks.
PlateState FullPlateState(int templateType);
PlateFlags FullPlateFlags();
Accounts FullAccounts();

// The mail form filled in, every account ticked.
MailState FullMailState();
// A template of `lines` lines, each carrying placeholders, with the CR CR LF
// line ends a template saved by the editor has on disk.
std::string MailTemplate(std::size_t lines);

// Both forms and the accounts, as a project file holds them.
ProjectRecord FullProjectRecord();

CBSave FullBankRecord();
CPSave FullPlateRecord();
CSavemail FullStatusRecord();

// Japanese description text of exactly `bytes` bytes,
// with the search text below in nearly every line and now and then its
// bytes straddling a character, where it must not be replaced.
std::string JapaneseText(std::size_t bytes);
const std::string& ReplaceSearch();  // "送料"
const std::string& ReplaceWith();    // "配送料金"

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& label);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A program folder as installed: back/ (empty), file/ with the sample mail
// templates and the default plate.ini, from the source tree.
void LayOutProgramFolder(const std::filesystem::path& folder);

// tariffs/ in the program folder with eight small service files, as the
// program reads at start: one flat price, weight bands, size classes by
// region. Their names and prices are made up for the benchmark.
void LayOutTariffFolder(const std::filesystem::path& folder);

}  // namespace torepal::bench
