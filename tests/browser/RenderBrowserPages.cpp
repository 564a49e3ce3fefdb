// Writes the five listing pages of one full plate form, exactly as the
// program saves them, for the browser check (check_pages.py). Beside each
// page it writes what a buyer must be able to read on it, one UTF-8 text a
// line: "title", "item", "shipping" and "payment" lines.
//
// It also writes the pages of the phone check: fit-typeN.html (the box on),
// page-long-typeN.html and fit-long-typeN.html (long unbroken words).
//
// Usage: render_browser_pages <output folder>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "plate/RenderPage.h"
#include "plate/SavedPages.h"
#include "support/core/SamplePlate.h"
#include "text/Encoding.h"
#include "text/SjisText.h"

using namespace torepal;
using torepal::test::SamplePlateForm;

namespace {

// The texts between "<br>" with their tags removed: the lines a reader sees.
std::vector<std::string> VisibleLines(const std::string& utf8Html)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = utf8Html.find("<br>", start);
        const std::string part = utf8Html.substr(start, at == std::string::npos ? std::string::npos : at - start);
        std::string text;
        bool inTag = false;
        for (char c : part) {
            if (c == '<')
                inTag = true;
            else if (c == '>')
                inTag = false;
            else if (!inTag)
                text += c;
        }
        const std::size_t first = text.find_first_not_of(' ');
        const std::size_t last = text.find_last_not_of(' ');
        if (first != std::string::npos) lines.push_back(text.substr(first, last - first + 1));
        if (at == std::string::npos) break;
        start = at + 4;
    }
    return lines;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);

    for (int type = 0; type < 5; ++type) {
        PlateFlags flags;
        PlateState state = SamplePlateForm(flags);
        state.templateType = type;
        RenderPage(state, flags);

        const std::string name = "page-type" + std::to_string(type + 1);
        if (WritePageFile(out / (name + ".html"), state.page) != WriteStatus::Ok) {
            std::fprintf(stderr, "cannot write %s\n", name.c_str());
            return 1;
        }
        std::ofstream expected(out / (name + ".expected"), std::ios::binary | std::ios::trunc);
        // タイプ３ has no place for the title: its pages show none.
        if (type != 2)
            expected << "title\t" << Utf8FromSjis(state.Title) << "\n";
        else
            expected << "no-title\t" << Utf8FromSjis(state.Title) << "\n";
        for (const std::string& line : VisibleLines(Utf8FromSjis(Replaced(state.Items, "\r\n", "<br>"))))
            expected << "item\t" << line << "\n";
        expected << "item\t" << Utf8FromSjis(state.trans) << "\n";
        expected << "item\t" << Utf8FromSjis(state.TOthers) << "\n";
        expected << "item\t" << Utf8FromSjis(state.Others) << "\n";
        expected << "item\t" << Utf8FromSjis(state.mytext) << "\n";
        for (const std::string& line : VisibleLines(Utf8FromSjis(state.sdata)))
            expected << "shipping\t" << line << "\n";
        for (const std::string& line : VisibleLines(Utf8FromSjis(state.pdata))) expected << "payment\t" << line << "\n";
        if (!expected) {
            std::fprintf(stderr, "cannot write %s.expected\n", name.c_str());
            return 1;
        }
    }

    // For the phone check (check_phone_fit.py): each type with the
    // スマートフォンでも読みやすく box on, and both forms of a page whose
    // title and item text hold long runs without a break (a model number,
    // an address).
    for (int type = 0; type < 5; ++type) {
        const std::string n = std::to_string(type + 1);
        for (const bool longWords : {false, true}) {
            for (const bool fit : {false, true}) {
                if (!longWords && !fit) continue;  // page-typeN.html above
                PlateFlags flags;
                PlateState state = SamplePlateForm(flags);
                state.templateType = type;
                if (longWords) {
                    state.Title = std::string(90, 'X') + state.Title;
                    state.Items = "https://example.com/" + std::string(100, 'a') + "\r\n" + state.Items;
                }
                flags.phoneFit = fit;
                RenderPage(state, flags);
                const std::string name = std::string(fit ? "fit-" : "page-") + (longWords ? "long-" : "") + "type" + n;
                if (WritePageFile(out / (name + ".html"), state.page) != WriteStatus::Ok) {
                    std::fprintf(stderr, "cannot write %s\n", name.c_str());
                    return 1;
                }
            }
        }
    }
    return 0;
}
