#pragma once
// The checks after "プレビュー・更新": what in the composed mail the auction
// site forbids or that would reach the buyer wrong. Messages go through the
// site's 取引ナビ today, where drawing a trade off the site with an e-mail
// or outside address is a listed violation, and since 2018-03-01 the buyer
// pays through Yahoo!かんたん決済 only, so a message carries no account
// (sources in plate/ListingChecks.h). Nothing is ever blocked.

#include <string_view>
#include <vector>

#include "mail/MailState.h"
#include "text/TextChecks.h"

namespace torepal {

// Every finding for the composed mail (`state.body`, `state.bank`, as
// ComposeMail left them) and the template it was composed from (its raw
// bytes: whether it asks for "[bank]", "[fauc]" ...). Empty when there is
// nothing to say.
std::vector<CheckResult> CheckMail(const MailState& state, std::string_view templateBytes);

}  // namespace torepal
