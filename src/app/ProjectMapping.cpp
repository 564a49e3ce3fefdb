#include "app/ProjectMapping.h"

#include "mail/MailFields.h"
#include "plate/PlateFields.h"
#include "shipping/ServiceTicks.h"
#include "text/SjisText.h"

namespace torepal {

ProjectRecord ProjectFromForms(const PlateState& plate, const PlateFlags& flags, const PlateSelections& selections,
                               const MailState& mail, const std::vector<std::string>& currentServices)
{
    ProjectRecord r;
    for (const PlateTextField& f : PlateTextFields())
        if (f.project.section != ProjectSection::None) r.*f.value = plate.*f.value;
    r.flags = flags;
    r.selections = selections;
    for (const MailTextField& f : MailTextFields())
        if (f.project.section != ProjectSection::None) r.*f.value = mail.*f.value;
    r.useAccount = mail.useAccount;
    r.accounts = mail.accounts;
    r.currentServices = currentServices;
    r.thickness = plate.thicknessIndex;
    return r;
}

void KeepOneLineValuesOnOneLine(PlateState& plate, Accounts& accounts)
{
    for (const PlateTextField& f : PlateTextFields())
        if (f.project.section == ProjectSection::TM5) plate.*f.value = WithoutLineBreaks(plate.*f.value);
    for (BankAccount& a : accounts)
        for (std::string* v : {&a.bankName, &a.branch, &a.number, &a.holder}) *v = WithoutLineBreaks(*v);
}

void PlateFromProject(const ProjectRecord& project, PlateState& plate, PlateFlags& flags, PlateSelections& selections)
{
    ApplyProjectToPlate(project, plate);
    flags = project.flags;
    selections = ProjectSelectionsInLists(project.selections);
}

void MailFromProject(const ProjectRecord& r, MailState& mail)
{
    // Only what the file holds: the mail text stays the form's.
    for (const MailTextField& f : MailTextFields())
        if (f.project.section != ProjectSection::None) mail.*f.value = r.*f.value;
    mail.useAccount = r.useAccount;
}

ProjectServices ServicesOfProject(const ProjectRecord& project, const std::vector<Tariff>& services)
{
    return ProjectServices{KnownServiceIds(project.currentServices, services),
                           UnknownServiceIds(project.currentServices, services)};
}

void FormsFromProject(const ProjectRecord& project, PlateState& plate, PlateFlags& flags, PlateSelections& selections,
                      MailState& mail)
{
    PlateFromProject(project, plate, flags, selections);
    MailFromProject(project, mail);
}

}  // namespace torepal
