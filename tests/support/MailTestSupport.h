#pragma once
// Mail tests: the temporary program folder and whole files of the support
// library, and the decoding a mail program does with a mailto: text.

#include <string>
#include <string_view>

#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"

namespace torepal::test {

// Decodes %XX escapes, as a mail program does with a mailto: parameter.
inline std::string PercentDecoded(std::string_view text)
{
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && value(text[i + 1]) >= 0 && value(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(value(text[i + 1]) * 16 + value(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

}  // namespace torepal::test
