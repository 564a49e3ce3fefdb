#pragma once
// Project files ("*.tpf"): the whole working state of the plate and mail
// forms and the six accounts in one Shift-JIS text, thirteen marked sections
// ("[TM1]" .. "[TM5]" for the plate form, "[MP1]" and "[MP2]" for the mail
// form, "[BK1]" .. "[BK6]" for the accounts).
//
// Writing and reading work on a plain record, so the pages are touched only
// after a file has been read and checked completely.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mail/MailState.h"
#include "plate/PlateState.h"
#include "platform/Platform.h"
#include "store/BankAccount.h"

namespace torepal {

using ProjectSelections = PlateSelections;

// The plate form's texts (PlateTexts) and the mail form's (MailTexts) under
// their own names; of those, the file keeps what the forms' field tables
// give a project place (not the last render's texts, not the mail text).
struct ProjectRecord : PlateTexts, MailTexts {
    PlateFlags flags;
    ProjectSelections selections;
    AccountTicks useAccount{};

    Accounts accounts;

    // The ticked current services by id, in the order of their group. Held
    // in a "[CS1]" section after the accounts, written only when there is one.
    std::vector<std::string> currentServices;

    // The 現行の配送サービス group's thickness (into ThicknessList). Held in
    // a "[TH1]" section after the services, written only when chosen, so a
    // project without it is the file the program always wrote.
    int thickness = 0;
    // The layout ticks (the field table's PL1 places, phoneFit) are held in a
    // "[PL1]" section after those, written
    // only when the box is on.
};

// The file's text with CR LF line ends, as it is kept in memory. It goes to
// disk through ToTextMode, so every line end there is CR CR LF.
//
// The three multi-line plate values are written with a count line; every
// other value must stay on its line, so its CR and LF bytes are left out.
std::string BuildProjectText(const ProjectRecord& record);

// Reads a project file's bytes (CR CR LF, CR LF or LF line ends). Nothing is
// returned for a file that is not a project file, lacks a section marker or
// ends inside a counted value; `message` then receives the reason for the
// seller (Shift-JIS).
std::optional<ProjectRecord> ParseProjectText(std::string_view bytes, std::string* message = nullptr);

// What the plate and mail records hold right after a project was opened
// into freshly cleared forms: the values, the combo positions (an index
// outside its list leaves the combo without selection, as the combo itself
// does) and, for the plate form, the project's accounts.
void ApplyProjectToPlate(const ProjectRecord& record, PlateState& state);
ProjectSelections ProjectSelectionsInLists(const ProjectSelections& selections);

// The project-file dialogs: "トレパルファイル(*.tpf)", "*.tpf", "tpf".
FileDialogRequest ProjectFileDialog();

// Messages for the seller (Shift-JIS). The window adds to the reason of a
// failed open that the forms were left as they were.
std::string ProjectSaveFailedMessage();
std::string ProjectUnreadableMessage(bool tooLarge);
std::string ProjectNotOpenedMessage(const std::string& reason);

}  // namespace torepal
