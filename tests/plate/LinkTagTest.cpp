#include <gtest/gtest.h>

#include "plate/LinkTag.h"
#include "support/core/TestText.h"

using namespace torepal;
using namespace torepal::test;

TEST(LinkTag, TextWithTheDefaultAddress)
{
    EXPECT_EQ(LinkTag(kLinkAddressStart, S("商品一覧")), S("<a href=http:// target=_blank>商品一覧</a>"));
}

TEST(LinkTag, BothEmpty)
{
    EXPECT_EQ(LinkTag("", ""), "<a href= target=_blank></a>");
}

TEST(LinkTag, AddressIsTakenAsTyped)
{
    EXPECT_EQ(LinkTag("http://a b/\"x\"", "<b>"), "<a href=http://a b/\"x\" target=_blank><b></a>");
}
