#include "app/ProjectMapping.h"

#include "shipping/ServiceTicks.h"
#include "text/SjisText.h"

namespace torepal {

ProjectRecord ProjectFromForms(const PlateState& plate, const PlateFlags& flags, const PlateSelections& selections,
                               const MailState& mail, const std::vector<std::string>& currentServices)
{
    ProjectRecord r;
    r.Title = plate.Title;
    r.Items = plate.Items;
    r.trans = plate.trans;
    r.Others = plate.Others;
    r.TOthers = plate.TOthers;
    r.color = plate.color;
    r.bgcolor = plate.bgcolor;
    r.fcolor = plate.fcolor;
    r.yahooId = plate.yahooId;
    r.mytext = plate.mytext;
    r.flags = flags;
    r.selections = selections;

    r.myname = mail.myname;
    r.zip = mail.zip;
    r.tel = mail.tel;
    r.post = mail.post;
    r.ktel = mail.ktel;
    r.item = mail.item;
    r.name = mail.name;
    r.fauc = mail.fauc;
    r.bidderMail = mail.bidderMail;
    r.transnum = mail.transnum;
    r.transmen = mail.transmen;
    r.ftrans = mail.ftrans;
    r.useAccount = mail.useAccount;
    r.accounts = mail.accounts;
    r.currentServices = currentServices;
    r.thickness = plate.thicknessIndex;
    return r;
}

void KeepOneLineValuesOnOneLine(PlateState& plate, Accounts& accounts)
{
    for (std::string* v :
         {&plate.Title, &plate.TOthers, &plate.color, &plate.bgcolor, &plate.fcolor, &plate.yahooId, &plate.mytext})
        *v = WithoutLineBreaks(*v);
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
    mail.myname = r.myname;
    mail.zip = r.zip;
    mail.tel = r.tel;
    mail.post = r.post;
    mail.ktel = r.ktel;
    mail.item = r.item;
    mail.name = r.name;
    mail.fauc = r.fauc;
    mail.bidderMail = r.bidderMail;
    mail.transnum = r.transnum;
    mail.transmen = r.transmen;
    mail.ftrans = r.ftrans;
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
