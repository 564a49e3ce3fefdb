#include "plate/LinkTag.h"

namespace torepal {

std::string LinkTag(const std::string& address, const std::string& text)
{
    return "<a href=" + address + " target=_blank>" + text + "</a>";
}

}  // namespace torepal
