#pragma once
// A mail form filled the way a seller fills it: every text a placeholder
// reads (seller, buyer, item, carrier, tracking number, 3000 + 800 yen) and
// the buyer's address, no account ticked, no body. The values are short and
// plain so that an expected mail can be written out by hand around them; a
// test that needs a long or odd value sets that one, and takes its accounts
// from SampleAccounts.

#include "mail/MailState.h"

namespace torepal::test {

MailState SampleMailForm();

}  // namespace torepal::test
