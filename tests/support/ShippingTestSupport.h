#pragma once
// Helpers for the shipping tests: expected texts are written in UTF-8 and
// converted here, and blocks are taken apart to compare prices and lines.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "support/core/TestText.h"
#include "text/Encoding.h"

namespace torepal::test {

// The prices of the region lines ("】 1050円 （" or "】1050円 （") in order.
inline std::vector<int> RegionPrices(const std::string& sjis)
{
    const std::string text = Utf8FromSjis(sjis);
    static const std::regex price("】 ?([0-9]+)円 （");
    std::vector<int> prices;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), price); it != std::sregex_iterator(); ++it)
        prices.push_back(std::stoi((*it)[1]));
    return prices;
}

// The lines of a carrier block after its header, each ending in "）<br>",
// as UTF-8.
inline std::vector<std::string> RegionLinesOf(const std::string& sjis, const std::string& headerUtf8)
{
    std::string text = Utf8FromSjis(sjis);
    EXPECT_EQ(text.rfind(headerUtf8, 0), 0u) << "block does not start with " << headerUtf8;
    text.erase(0, headerUtf8.size());
    const std::string end = "）<br>";
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(end, start)) != std::string::npos; start = at + end.size())
        lines.push_back(text.substr(start, at + end.size() - start));
    EXPECT_EQ(start, text.size()) << "text after the last line: " << text.substr(start);
    return lines;
}

}  // namespace torepal::test
