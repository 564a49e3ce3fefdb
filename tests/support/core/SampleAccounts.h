#pragma once
// The six accounts a seller keeps, every row filled: four banks (the third
// a 当座 account, the others 普通), ぱるる and 振替口座, all in one holder's
// name. The bank names are the ones the sample plate form's page lists; the
// first row is the one a sample mail names (みずほ銀行 本店), so a test
// ticks only the rows it wants a page or a mail to show.

#include "store/BankAccount.h"

namespace torepal::test {

Accounts SampleAccounts();

}  // namespace torepal::test
