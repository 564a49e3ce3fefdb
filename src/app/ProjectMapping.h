#pragma once
// Between the two forms' records and the project record: what "保存（&S）"
// takes from the forms and what "開く（&O）" and torepal-cli give them. The
// window and torepal-cli share these, so a project opened in either fills
// the forms the same way.

#include <string>
#include <vector>

#include "app/ProjectFile.h"
#include "mail/MailState.h"
#include "plate/PlateState.h"
#include "shipping/Tariff.h"
#include "store/BankAccount.h"

namespace torepal {

// The project of the forms as they are: the plate form's texts, ticks,
// radio states and combo positions, the ids of the current services ticked
// on the plate form (in their group's order), and the mail form's texts,
// account ticks and accounts. Nothing else of either record is kept.
ProjectRecord ProjectFromForms(const PlateState& plate, const PlateFlags& flags, const PlateSelections& selections,
                               const MailState& mail, const std::vector<std::string>& currentServices = {});

// Before a save, the values the file holds on one line lose their line
// breaks in the forms as well, so what the forms show is what was saved:
// the plate form's title, extra title, colours, ID and booth text, and the
// accounts.
void KeepOneLineValuesOnOneLine(PlateState& plate, Accounts& accounts);

// The plate form of a project: its values, the project's accounts, the
// ticks and radio states, and the combo positions (one outside its list
// leaves the combo without a selection).
void PlateFromProject(const ProjectRecord& project, PlateState& plate, PlateFlags& flags, PlateSelections& selections);

// The mail form of a project: its texts and account ticks. The accounts
// stay the form's own (the window keeps bank.ini's); the rest of the record
// (the mail text and what was filled into it) is left as it is.
void MailFromProject(const ProjectRecord& project, MailState& mail);

// The current services a project names, split by whether a tariff file
// read now still describes them: the known ones are ticked (or rendered),
// the others are told to the seller. Both keep the file's order.
struct ProjectServices {
    std::vector<std::string> known;
    std::vector<std::string> unknown;
};
ProjectServices ServicesOfProject(const ProjectRecord& project, const std::vector<Tariff>& services);

// Both forms at once.
void FormsFromProject(const ProjectRecord& project, PlateState& plate, PlateFlags& flags, PlateSelections& selections,
                      MailState& mail);

}  // namespace torepal
