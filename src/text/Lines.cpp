#include "text/Lines.h"

#include <cstring>

namespace torepal {

std::string ToTextMode(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    while (start < text.size()) {
        const void* hit = std::memchr(text.data() + start, '\n', text.size() - start);
        if (!hit) {
            out.append(text, start);
            break;
        }
        const std::size_t lf = static_cast<const char*>(hit) - text.data();
        out.append(text, start, lf - start);
        out.append("\r\n");
        start = lf + 1;
    }
    return out;
}

std::vector<std::string_view> SplitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, lf - start));
        start = lf + 1;
    }
    return lines;
}

std::string NormalizedLinesCrLf(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + 64);
    for (std::string_view line : SplitLines(bytes)) {
        for (char c : line)
            if (c != '\r') out.push_back(c);
        out.append("\r\n");
    }
    return out;
}

std::string SavedFileLinesCrLf(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + 64);
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            // A last line without LF keeps its bytes, but CRs that end the
            // file are a line end like CRs before an LF; kept, they would
            // come back as one more CR after every showing and writing back.
            std::size_t end = bytes.size();
            while (end > start && bytes[end - 1] == '\r') --end;
            out.append(bytes, start, end - start);
            out.append("\r\n");
            break;
        }
        std::size_t end = lf;
        while (end > start && bytes[end - 1] == '\r') --end;
        out.append(bytes, start, end - start);
        out.append("\r\n");
        start = lf + 1;
    }
    return out;
}

}  // namespace torepal
