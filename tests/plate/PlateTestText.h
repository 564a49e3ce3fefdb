#pragma once
// Small helpers for the plate tests: expected texts are written in UTF-8,
// filled by plain find-and-replace of the ASCII placeholders and converted
// to Shift-JIS once at the end.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "text/Encoding.h"

namespace torepal::plate_test {

// Shift-JIS of an expected text; fails if a character could not be held.
inline std::string S(const std::string& utf8)
{
    const SjisConversion c = SjisFromUtf8(utf8);
    EXPECT_TRUE(c.ok()) << "expected text holds " << DescribeCharacters(c.unmappable);
    return c.text;
}

// Every occurrence of each placeholder, in the order given. UTF-8 never
// holds an ASCII byte inside a character, so a plain search is right here.
inline std::string Fill(std::string text, std::initializer_list<std::pair<std::string, std::string>> values)
{
    for (const auto& [from, to] : values) {
        std::string out;
        std::size_t start = 0;
        for (std::size_t at; (at = text.find(from, start)) != std::string::npos; start = at + from.size())
            out += text.substr(start, at - start) + to;
        out += text.substr(start);
        text = std::move(out);
    }
    return text;
}

}  // namespace torepal::plate_test
