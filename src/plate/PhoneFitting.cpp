#include "plate/PhoneFitting.h"

#include <array>
#include <string_view>

namespace torepal {
namespace {

// Lets a line break anywhere once no ordinary break fits: a long model
// number or address in the seller's text would otherwise stretch the whole
// frame. Both properties are inherited, so the outermost table is enough;
// the second is the older name some phone browsers still need.
#define TOREPAL_WRAP "overflow-wrap:anywhere;word-break:break-word"

// One style attribute to add: to every tag of `piece` that begins with
// `tagStart`, right after the tag's name.
struct StyleEdit {
    std::string PageTemplate::*piece;
    std::string_view tagStart;
    std::string_view style;
};

// clang-format off
// タイプ１ draws 620 px wide: its item table (610) stands in a cell of the
// frame, which adds its cell spacing of 5 on either side.
constexpr std::array kType1 = {
    StyleEdit{&PageTemplate::frame, "<table width=610 border=0 cellpadding=0 cellspacing=5 ", "width:100%;max-width:620px;" TOREPAL_WRAP},
    StyleEdit{&PageTemplate::frame, "<table width=610 border=0 cellspacing=0>",               "width:100%;max-width:610px"},
    StyleEdit{&PageTemplate::item,  "<table width=610 border=0 cellpadding=2 cellspacing=1>", "width:100%"},
};
// タイプ２ and タイプ３ take 70 % and 80 % of the screen; on a narrow one they
// keep at least 480 px, or the whole screen when it is narrower, so a phone
// shows them full width while a desktop screen sees its share unchanged.
constexpr std::array kType2 = {
    StyleEdit{&PageTemplate::frame, "<TABLE WIDTH=70% cellspacing=0 cellpadding=0 >", "min-width:min(100%,480px);" TOREPAL_WRAP},
};
constexpr std::array kType3 = {
    StyleEdit{&PageTemplate::frame, "<TABLE width=80% height=10 border=0 cellpadding=0 cellspacing=0>", "min-width:min(100%,480px);" TOREPAL_WRAP},
};
constexpr std::array kType4 = {
    StyleEdit{&PageTemplate::frame, "<table width=700 border=0 cellpadding=0 cellspacing=0 ", "width:100%;max-width:700px;" TOREPAL_WRAP},
    StyleEdit{&PageTemplate::frame, "<table width=700>",                                      "width:100%;max-width:700px"},
};
constexpr std::array kType5 = {
    StyleEdit{&PageTemplate::frame, "<table width=700 border=0  cellpadding=6 ", "width:100%;max-width:700px;" TOREPAL_WRAP},
    StyleEdit{&PageTemplate::frame, "<table width=700>",                         "width:100%;max-width:700px"},
};
// clang-format on

#undef TOREPAL_WRAP

// The banner image keeps its own size and shrinks, keeping its proportions,
// only on a screen narrower than itself.
constexpr std::string_view kBannerImage = "<IMG ALT=";
constexpr std::string_view kBannerImageStyle = "max-width:100%;height:auto";

void AddStyle(std::string& markup, std::string_view tagStart, std::string_view style)
{
    const std::string attribute = " style=\"" + std::string(style) + "\"";
    const std::size_t nameEnd = tagStart.find(' ');
    for (std::size_t at = markup.find(tagStart); at != std::string::npos;
         at = markup.find(tagStart, at + tagStart.size() + attribute.size())) {
        markup.insert(at + nameEnd, attribute);
    }
}

template <std::size_t N>
PageTemplate Fitted(int templateType, const std::array<StyleEdit, N>& edits)
{
    PageTemplate t = *TemplateOfType(templateType);
    for (const StyleEdit& e : edits) AddStyle(t.*(e.piece), e.tagStart, e.style);
    return t;
}

std::array<PageTemplate, kTemplateTypeCount> FittingTemplates()
{
    return {Fitted(0, kType1), Fitted(1, kType2), Fitted(2, kType3), Fitted(3, kType4), Fitted(4, kType5)};
}

}  // namespace

const PageTemplate* FittingTemplateOfType(int templateType)
{
    static const std::array<PageTemplate, kTemplateTypeCount> templates = FittingTemplates();
    if (templateType < 0 || templateType >= kTemplateTypeCount) return nullptr;
    return &templates[static_cast<std::size_t>(templateType)];
}

const std::string& FittingBoothBanner()
{
    static const std::string banner = [] {
        std::string b = BoothBanner();
        AddStyle(b, kBannerImage, kBannerImageStyle);
        return b;
    }();
    return banner;
}

int FixedPageWidth(int templateType)
{
    switch (templateType) {
        case 0:
            return 620;
        case 3:
        case 4:
            return 700;
        default:
            return 0;
    }
}

}  // namespace torepal
