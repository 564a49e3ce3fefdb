#pragma once
// The payment section of a listing page: one line per ticked payment box.
// Only the bank names reach the page; branch, number and holder stay for
// the follow-up mail.

#include <string>

#include "plate/PlateState.h"
#include "store/BankAccount.h"

namespace torepal {

// The lines of the ticked boxes in a fixed order (banks 1 to 4, ぱるる,
// 郵便振替, Yahoo!かんたん決済, 切手), whatever order they were ticked in;
// empty when no box is on. Bank names are inserted as stored.
std::string BuildPaymentText(const PaymentTicks& ticks, const Accounts& accounts);

}  // namespace torepal
