#pragma once
// The mail form's fields, each described once: its name (the member's name
// in every record that holds it), where the project file keeps it, whether
// status.ini keeps it, and how the recovery file keeps it. The project
// file, the mapping between the forms and a project, status.ini and the
// recovery file walk these tables; a new field is one line here.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "mail/MailState.h"
#include "store/FieldPlaces.h"
#include "store/SettingsRecords.h"

namespace torepal {

using MailTextField = TextField<MailTexts, CSavemail>;

// The six account boxes: box k is the value after comma k + 1 of "[MP2]",
// and status.ini keeps all six, in row order.
inline constexpr ProjectSection kMailAccountTicksSection = ProjectSection::MP2;

std::span<const MailTextField> MailTextFields();

// The mail form as a whole: what the seller typed or filled and ticked.
struct MailForm {
    MailTexts texts;
    AccountTicks useAccount{};
    bool operator==(const MailForm&) const = default;
};

// status.ini's record of the mail form, and the form's values from it.
CSavemail StatusSettingsRecord(const MailState& mail);
void ApplyStatusSettings(const CSavemail& record, MailState& mail);

}  // namespace torepal
