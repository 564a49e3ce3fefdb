#pragma once
// Expected texts are written in UTF-8 in the tests and converted here.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace torepal::test {

// The Shift-JIS bytes of an expected text; fails the test if a character of
// it cannot be held (it would otherwise vanish on both sides).
std::string S(const std::string& utf8);

// Every occurrence of each placeholder, in the order given. UTF-8 never
// holds an ASCII byte inside a character, so a plain search is right here.
std::string Fill(std::string text, std::initializer_list<std::pair<std::string, std::string>> values);

// The hex bytes of a text, for messages and byte checks.
std::string Hex(std::string_view bytes);

}  // namespace torepal::test
