// The colour labels of the five template types and the palette's colour
// text, expected as the plate form's label table prints them.

#include <gtest/gtest.h>

#include "plate/TemplateColours.h"
#include "support/core/TestText.h"

using namespace torepal::test;

using namespace torepal;

TEST(ColourLabels, Type1HasNoSecondColour)
{
    const std::optional<TypeColourLabels> l = ColourLabels(0);
    ASSERT_TRUE(l.has_value());
    EXPECT_EQ(l->first, S("【\u3000枠カラー\u3000】"));
    EXPECT_EQ(l->second, S("【\u3000---\u3000】"));
    EXPECT_EQ(l->third, S("【文字カラー】"));  // no blanks in タイプ１
    EXPECT_FALSE(l->secondEditable);
    // The ideographic space is 81 40 in Shift-JIS.
    EXPECT_EQ(l->first.substr(2, 2), "\x81\x40");
}

TEST(ColourLabels, Type2NamesTheShadow)
{
    const std::optional<TypeColourLabels> l = ColourLabels(1);
    ASSERT_TRUE(l.has_value());
    EXPECT_EQ(l->first, S("【\u3000枠カラー\u3000】"));
    EXPECT_EQ(l->second, S("【\u3000影カラー\u3000】"));
    EXPECT_EQ(l->third, S("【 文字カラー 】"));
    EXPECT_TRUE(l->secondEditable);
}

TEST(ColourLabels, Types3To5NameTheBackground)
{
    for (int type : {2, 3, 4}) {
        const std::optional<TypeColourLabels> l = ColourLabels(type);
        ASSERT_TRUE(l.has_value()) << type;
        EXPECT_EQ(l->first, S("【\u3000枠カラー\u3000】"));
        EXPECT_EQ(l->second, S("【バックカラー】"));
        EXPECT_EQ(l->third, S("【 文字カラー 】"));
        EXPECT_TRUE(l->secondEditable);
    }
}

TEST(ColourLabels, NoSelectionOrUnknownTypeLeavesTheLabels)
{
    EXPECT_FALSE(ColourLabels(-1).has_value());
    EXPECT_FALSE(ColourLabels(5).has_value());
}

TEST(PaletteColourText, TwoLowercaseDigitsPerPart)
{
    EXPECT_EQ(PaletteColourText(Rgb{255, 128, 0}), "#ff8000");
    EXPECT_EQ(PaletteColourText(Rgb{0, 0, 255}), "#0000ff");
    EXPECT_EQ(PaletteColourText(Rgb{0, 0, 0}), "#000000");
    EXPECT_EQ(PaletteColourText(Rgb{10, 171, 1}), "#0aab01");
}
