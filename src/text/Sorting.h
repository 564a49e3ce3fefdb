#pragma once
// The order of the sorted list and combo boxes (saved files, templates):
// Shift-JIS bytes with ASCII letters case-folded, ties broken by the exact
// bytes, so the first entry is predictable.

#include <string_view>

namespace torepal {

bool SjisLess(std::string_view a, std::string_view b);

}  // namespace torepal
