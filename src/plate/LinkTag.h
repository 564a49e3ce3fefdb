#pragma once
// The link tag the seller pastes into any field of a listing:
// "<a href=" address " target=_blank>" text "</a>". Neither part is escaped
// or checked, so the address is taken as typed (a blank in it ends the
// address for a browser).

#include <string>

namespace torepal {

std::string LinkTag(const std::string& address, const std::string& text);

// "http://": what the address edit starts with each time.
inline constexpr const char* kLinkAddressStart = "http://";

}  // namespace torepal
