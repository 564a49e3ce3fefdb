#pragma once
// The mail page's record. Fields are named after the mail placeholders they
// feed. Texts are Shift-JIS; the body holds CR LF line breaks.

#include <array>
#include <string>

#include "store/BankAccount.h"

namespace torepal {

struct MailState {
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
    std::string sum;
    std::string bank;
    std::string bidderMail;
    std::string body;

    AccountTicks useAccount{};
    Accounts accounts;
    std::array<std::string, kAccountCount> accountText;
};

}  // namespace torepal
