#pragma once
// Handing a mail to the desktop's mail program.
//
// The size limit is judged on the address text built the traditional way:
// "mailto:" + address + "?body=" + body, with every "\r\n" written as
// "%0a%0d" and nothing else escaped; 3000 bytes or more is too large.
// What actually goes to the desktop is a proper mailto: URI (UTF-8,
// percent-encoded, line breaks as "%0D%0A"), so "&", "%", "#", "?", blanks
// and Japanese reach the mail program exactly as the seller wrote them.

#include <string>
#include <string_view>

namespace torepal {

inline constexpr std::size_t kMailtoLimit = 3000;

// The text the limit is judged on (Shift-JIS bytes).
std::string MailtoLimitText(std::string_view sjisAddress, std::string_view sjisBody);

// True when the limit text is 3000 bytes or longer.
bool MailtoTooLong(std::string_view sjisAddress, std::string_view sjisBody);

// The ASCII URI for the desktop.
std::string MailtoUri(std::string_view sjisAddress, std::string_view sjisBody);

}  // namespace torepal
