#pragma once
// The mail page's record. Fields are named after the mail placeholders they
// feed. Texts are Shift-JIS; the body holds CR LF line breaks.

#include <array>
#include <string>

#include "store/BankAccount.h"

namespace torepal {

// The mail form's texts, under the one name each has in every record that
// holds it (this record, the project record, the recovery file's form);
// mail/MailFields.h says where each is kept.
struct MailTexts {
    std::string myname;
    std::string post;
    std::string zip;
    std::string tel;
    std::string ktel;
    std::string item;
    std::string name;
    std::string transmen;
    std::string transnum;
    std::string fauc;
    std::string ftrans;
    std::string bidderMail;
    std::string body;
    bool operator==(const MailTexts&) const = default;
};

struct MailState : MailTexts {
    std::string sum;
    std::string bank;

    AccountTicks useAccount{};
    Accounts accounts;
    std::array<std::string, kAccountCount> accountText;
};

}  // namespace torepal
