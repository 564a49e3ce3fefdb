#pragma once
// The six payment-account check boxes both pages carry (four banks, ぱるる,
// 振替口座): their captions follow the accounts.

#include <array>

#include "store/BankAccount.h"

class QCheckBox;

namespace torepal {

// Each box gets AccountBoxCaption: boxes 1 to 4 the bank names ("未登録"
// for a row without one), the last two the fixed words "ぱるる" and
// "振替口座". The tick states are not touched.
void CaptionAccountBoxes(const std::array<QCheckBox*, kAccountCount>& boxes, const Accounts& rows);

}  // namespace torepal
