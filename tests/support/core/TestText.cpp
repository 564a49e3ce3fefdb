#include "support/core/TestText.h"

#include <gtest/gtest.h>

#include "text/Encoding.h"

namespace torepal::test {

std::string S(const std::string& utf8)
{
    const SjisConversion c = SjisFromUtf8(utf8);
    EXPECT_TRUE(c.ok()) << "expected text holds " << DescribeCharacters(c.unmappable);
    return c.text;
}

std::string Fill(std::string text, std::initializer_list<std::pair<std::string, std::string>> values)
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

std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

}  // namespace torepal::test
