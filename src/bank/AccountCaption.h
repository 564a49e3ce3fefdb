#pragma once
// What the six payment-account check boxes of both pages say.

#include <string>

#include "store/BankAccount.h"

namespace torepal {

// The caption of one account row's box (Shift-JIS): a bank row shows its
// bank name, or "未登録" while it has none (at the first start no bank is
// registered, and a box without a caption cannot be told from its
// neighbours); the postal rows always show "ぱるる" and "振替口座".
std::string AccountBoxCaption(const Accounts& rows, std::size_t row);

// True for a bank row with no bank name (nothing but blanks counts as none).
bool IsUnregisteredBank(const BankAccount& account);

}  // namespace torepal
