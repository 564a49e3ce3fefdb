// The line readers and the text-mode writer. What a page writes is read
// back by the same page, so the interesting properties are fixed points:
// a template or project text written in text mode and read again is what
// was written; a saved file shown and written back again and again does not
// gather CR bytes at its line ends.

#include "text/Lines.h"

#include <algorithm>

#include "FuzzSupport.h"

namespace {

// Every CR is followed by LF and every LF preceded by one CR, and the text
// ends with CR LF unless it is empty.
bool EveryLineEndsInOneCrLf(std::string_view t)
{
    if (t.empty()) return true;
    if (t.size() < 2 || t.substr(t.size() - 2) != "\r\n") return false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r' && (i + 1 == t.size() || t[i + 1] != '\n')) return false;
        if (t[i] == '\n' && (i == 0 || t[i - 1] != '\r')) return false;
    }
    return true;
}

std::size_t Count(std::string_view t, char c)
{
    return static_cast<std::size_t>(std::count(t.begin(), t.end(), c));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace torepal;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // SplitLines: the lines joined by LF give the input back (without the
    // final LF), and none holds an LF.
    const std::vector<std::string_view> lines = SplitLines(bytes);
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        FUZZ_CHECK(lines[i].find('\n') == std::string_view::npos);
        if (i) joined += '\n';
        joined += lines[i];
    }
    if (!bytes.empty() && bytes.back() == '\n') joined += '\n';
    FUZZ_CHECK(joined == bytes);

    // ToTextMode: only CRs are added, one before every LF.
    const std::string textMode = ToTextMode(bytes);
    FUZZ_CHECK(textMode.size() == bytes.size() + Count(bytes, '\n'));
    FUZZ_CHECK(Count(textMode, '\r') == Count(bytes, '\r') + Count(bytes, '\n'));

    // Templates and project files: no CR left but one before each LF, one
    // line per input line, and writing in text mode then reading again
    // returns the same text.
    const std::string normal = NormalizedLinesCrLf(bytes);
    FUZZ_CHECK(EveryLineEndsInOneCrLf(normal));
    FUZZ_CHECK(Count(normal, '\r') == Count(normal, '\n'));
    FUZZ_CHECK(Count(normal, '\n') == lines.size());
    FUZZ_CHECK(NormalizedLinesCrLf(normal) == normal);
    FUZZ_CHECK(NormalizedLinesCrLf(ToTextMode(normal)) == normal);
    {
        std::string a, b;
        for (char c : bytes)
            if (c != '\r' && c != '\n') a += c;
        for (char c : normal)
            if (c != '\r' && c != '\n') b += c;
        FUZZ_CHECK(a == b);  // nothing but line ends changes
    }

    // Saved files: show, write back in text mode, show again: the text does
    // not change after the first showing.
    const std::string shown = SavedFileLinesCrLf(bytes);
    FUZZ_CHECK(shown.empty() == bytes.empty());
    FUZZ_CHECK(shown.empty() || shown.substr(shown.size() - 2) == "\r\n");
    FUZZ_CHECK(Count(shown, '\n') == lines.size());
    FUZZ_CHECK(SavedFileLinesCrLf(shown) == shown);
    const std::string again = SavedFileLinesCrLf(ToTextMode(shown));
    FUZZ_CHECK(again == shown);
    FUZZ_CHECK(SavedFileLinesCrLf(ToTextMode(again)) == shown);
    FUZZ_CHECK(shown.size() <= bytes.size() + 2 * lines.size());
    return 0;
}
