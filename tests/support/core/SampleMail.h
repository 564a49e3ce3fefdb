#pragma once
// A mail form and the six accounts filled the way a seller fills them.
//
// SampleMailForm: every text a placeholder reads (seller, buyer, item,
// carrier, tracking number, 3000 + 800 yen), no account ticked, no body. The
// values are short and plain so that an expected mail can be written out by
// hand around them; a test that needs a long or odd value sets that one.
//
// SampleAccounts: two bank rows and the ぱるる row, the other three empty.
// The first row is the one a mail usually names (みずほ銀行 本店, 普通), so
// a test ticks only what it wants the mail to show.

#include "mail/MailState.h"

namespace torepal::test {

MailState SampleMailForm();
Accounts SampleAccounts();

}  // namespace torepal::test
