#pragma once
// The five page templates a listing page is made from ("タイプ１" to
// "タイプ５"), the credit line every frame carries and the booth banner.
// Each template is a frame and four sections; rendering fills them by plain
// text replacement, so every byte here reaches the seller's page.

#include <string>
#include <vector>

namespace torepal {

struct PageTemplate {
    std::string frame;     // with the credit line in place
    std::string item;      // "<data1>"
    std::string shipping;  // "<data2>"
    std::string others;    // "<data3>" (inside the item section for タイプ３)
    std::string payment;   // "<data4>"
};

inline constexpr int kTemplateTypeCount = 5;

// The page of `templateType` (0 to 4), or nullptr when there is none.
const PageTemplate* TemplateOfType(int templateType);

// "タイプ１" .. "タイプ５", the entries of the type combo in order.
const std::vector<std::string>& TemplateTypeNames();

// The addresses the pages link to, in one place. The about box names the
// maker's page with HomePageUrl too.
//
// The tool's own page is a build setting (TOREPAL_HOME_PAGE_URL, see the
// README): a build without one links the credit line to the auction site
// itself, an address that exists and that the checks never report, rather
// than to a page that is not there.
const std::string& HomePageUrl();     // the tool's home page, in the credit line
bool HasOwnHomePage();                // the build names a page of the tool's own
const std::string& BoothSiteUrl();    // scheme and host of the auction site
const std::string& BannerImageUrl();  // scheme and host of its image server

// "オークション出品ツール：<a href=" HomePageUrl ">トレパル</a>によって作成されています。"
const std::string& CreditLine();

// The banner linking to the seller's booth; "yahoo-id" and "mytext" are
// filled in when a page is rendered.
const std::string& BoothBanner();

}  // namespace torepal
