#pragma once
// Filling a mail template from the mail page's record.

#include <cstdint>
#include <string>
#include <string_view>

#include "mail/MailState.h"

namespace torepal {

// The text one account row yields for "[bank]". `row` is its position in the
// six rows: 0-3 bank rows, 4 the "ぱるる" row, 5 the "振替口座" row. Every
// text ends in CR LF.
std::string BuildAccountText(const BankAccount& account, std::size_t row);

// A price or fee as a seller types or copies it: leading blanks (ASCII or the
// ideographic space) skipped, an optional yen sign (byte 5C or "￥"), an optional
// sign ("+", "-" or "－"), then digits, ASCII or full-width, where a comma
// ("," or "，") between two digits is skipped; reading stops at the first
// other character (no digits is 0). Held within the 32-bit range.
std::int32_t ParseMailNumber(std::string_view text);

// True when ParseMailNumber reads the whole text, so "[sum]" adds it up as
// the seller wrote it: "285,000", "６００", "12,800円", "￥3,000", with
// blanks around; not "千円", "3万", "未定" or an empty text.
bool ReadsWholeAsPrice(std::string_view text);

// "[sum]": price plus fee, added without overflow and written in decimal.
std::string MailSum(std::string_view fauc, std::string_view ftrans);

// "[bank]" from the ticked rows: the first ticked bank row stands alone,
// every later ticked row is preceded by CR LF, so the texts are separated by
// one empty line. Rebuilds `state.accountText` on the way.
std::string BuildBankText(MailState& state);

// Works the template (its raw file bytes) into `state.body`: each line
// without CR and LF bytes and ending in CR LF, then the thirteen
// placeholders replaced in their fixed order. `sum` and `bank` are computed
// just before their own placeholders.
void ComposeMail(MailState& state, std::string_view templateBytes);

}  // namespace torepal
