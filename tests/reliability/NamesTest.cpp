// Saved names from bytes that are not valid Shift-JIS (a damaged project
// file can bring them): each must still be one file inside back/.

#include <gtest/gtest.h>

#include "mail/MailFiles.h"
#include "plate/SavedPages.h"
#include "text/Encoding.h"
#include "text/Files.h"

using namespace torepal;

namespace {

// A lead byte before "/", LF and "\": the pair does not decode, and its
// second byte would be a separator or a control character in the name.
const std::string kBroken[] = {std::string("\xE3/../x", 6), std::string("\x81\nx", 3), std::string("\x82\\y", 3)};

void ExpectOneFileInBack(const std::string& name)
{
    const std::filesystem::path path = JoinSjis("/program", "back/" + name);
    EXPECT_EQ(path.parent_path(), std::filesystem::path("/program/back")) << Utf8FromSjis(name);
    for (unsigned char c : Utf8FromSjis(name)) EXPECT_GE(c, 0x20) << Utf8FromSjis(name);
}

}  // namespace

TEST(SavedNames, PageNamesFromUndecodableTitlesStayInBack)
{
    for (const std::string& title : kBroken) ExpectOneFileInBack(SavedPageName("1", title));
}

TEST(SavedNames, MailNamesFromUndecodableItemsStayInBack)
{
    for (const std::string& item : kBroken) ExpectOneFileInBack(SavedMailName("1", item));
}
