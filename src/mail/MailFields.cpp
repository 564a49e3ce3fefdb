#include "mail/MailFields.h"

namespace torepal {
namespace {

using enum ProjectSection;

// The telephone stands twice in "[MP1]", as lines 3 and 5. The mail text is
// filled from a template and edited; the project file has no place for it.
// clang-format off
constexpr MailTextField kTexts[] = {
    // name        member                  project      status.ini           recovery  the page's edit   caption
    {"myname",     &MailTexts::myname,     {MP1, 1},    &CSavemail::myname,  kProject, "mynameEdit",     "名前"},
    {"zip",        &MailTexts::zip,        {MP1, 2},    &CSavemail::zip,     kProject, "zipEdit",        "郵便番号"},
    {"post",       &MailTexts::post,       {MP1, 4},    &CSavemail::post,    kProject, "postEdit",       "住所"},
    {"tel",        &MailTexts::tel,        {MP1, 3, 5}, &CSavemail::tel,     kProject, "telEdit",        "電話番号"},
    {"ktel",       &MailTexts::ktel,       {MP1, 6},    &CSavemail::ktel,    kProject, "ktelEdit",       "携帯番号"},
    {"item",       &MailTexts::item,       {MP1, 7},    nullptr,             kProject, "itemEdit",       "落札商品"},
    {"name",       &MailTexts::name,       {MP1, 8},    nullptr,             kProject, "nameEdit",       "落札者(YahooID)"},
    {"fauc",       &MailTexts::fauc,       {MP1, 9},    nullptr,             kProject, "faucEdit",       "落札金額"},
    {"bidderMail", &MailTexts::bidderMail, {MP1, 10},   nullptr,             kProject, "bidderMailEdit", "落札者メール"},
    {"transmen",   &MailTexts::transmen,   {MP1, 12},   nullptr,             kProject, "transmenEdit",   "配送業者"},
    {"transnum",   &MailTexts::transnum,   {MP1, 11},   nullptr,             kProject, "transnumEdit",   "荷物追跡番号"},
    {"ftrans",     &MailTexts::ftrans,     {MP1, 13},   nullptr,             kProject, "ftransEdit",     "送料"},
    {"body",       &MailTexts::body,       {},          nullptr,             kOwn,     "bodyEdit",       "メール本文"},
};
// clang-format on

}  // namespace

std::span<const MailTextField> MailTextFields()
{
    return kTexts;
}

CSavemail StatusSettingsRecord(const MailState& mail)
{
    CSavemail record;
    for (const MailTextField& f : kTexts)
        if (f.settings) record.*f.settings = mail.*f.value;
    record.accountTicks = mail.useAccount;
    return record;
}

void ApplyStatusSettings(const CSavemail& record, MailState& mail)
{
    for (const MailTextField& f : kTexts)
        if (f.settings) mail.*f.value = record.*f.settings;
    mail.useAccount = record.accountTicks;
}

}  // namespace torepal
