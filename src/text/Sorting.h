#pragma once
// The order of the sorted list and combo boxes (saved files, templates):
// Shift-JIS bytes with ASCII letters case-folded, ties broken by the exact
// bytes, so the first entry is predictable.

#include <string>
#include <string_view>

namespace torepal {

bool SjisLess(std::string_view a, std::string_view b);

// The key that order is made of: the bytes, with ASCII letters folded where
// they start a character. SjisLess(a, b) is the plain byte order of the
// pairs (SjisSortKey(a), a) and (SjisSortKey(b), b), so a long list can
// build each key once and sort by plain comparisons.
std::string SjisSortKey(std::string_view text);

// The byte order of two keys, as std::string_view::compare gives it, the
// long shared beginnings of saved files' names skipped eight bytes at a time.
int CompareSortKeys(std::string_view a, std::string_view b);

// The same key appended to `keys`, which is as long as `text`: a list can
// keep all its keys side by side in one string.
void AppendSjisSortKey(std::string& keys, std::string_view text);

}  // namespace torepal
