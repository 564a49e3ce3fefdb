#pragma once
// What the checks before a page or a mail goes out look for in a seller's
// text: e-mail addresses, telephone numbers and web addresses (the auction
// site forbids drawing a trade off the site with them), and characters that
// only some machines show as meant. Everything works on Shift-JIS bytes and
// never splits a double-byte character; full-width letters, digits, "＠",
// "．" and dashes count as their ASCII forms, since a seller who writes
// "０９０－１２３４－５６７８" means a telephone number all the same.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace torepal {

// One finding of a check: the field as the form names it and what the
// seller may want to do, both Shift-JIS. A finding never blocks anything.
struct CheckResult {
    std::string field;
    std::string advice;

    bool operator==(const CheckResult&) const = default;
};

// "field：advice", the line a list of findings shows.
std::string CheckLine(const CheckResult& result);

// Characters, not bytes: a double-byte character counts once, and so does a
// half-width kana or a lone lead byte at the end.
std::size_t SjisCharacterCount(std::string_view sjis);

// Each finder returns the found texts as the seller wrote them (Shift-JIS
// substrings), in order, each once.

// "name@host.tld", also inside a word ("連絡はabc@example.jpまで").
std::vector<std::string> FindMailAddresses(std::string_view sjis);

// Japanese telephone numbers: 10 or 11 digits starting with 0 (not 00),
// written with or without "-" or "()" between the groups; a run of digits
// that is longer, or that is glued to a letter (a model number), is not one.
std::vector<std::string> FindPhoneNumbers(std::string_view sjis);

// Addresses starting with "http://", "https://" or "www.", except those
// whose host is one of `allowedHosts` or ends in "." followed by one.
std::vector<std::string> FindWebAddresses(std::string_view sjis, const std::vector<std::string>& allowedHosts);

// The host part of an address ("https://a.b.jp/x" gives "a.b.jp"), folded to
// lower case.
std::string HostOfAddress(std::string_view address);

// Characters of code page 932 outside JIS X 0208: the NEC special row
// (①, Ⅰ, ㈱, ㍉ ...), the NEC-selected and IBM extensions (髙, 﨑 ...) and
// the user-defined area. Half-width kana are not among them.
std::vector<std::string> FindMachineDependentCharacters(std::string_view sjis);

}  // namespace torepal
