// The replacement over texts long enough for the search that looks at 64
// places at a time (a few hundred bytes and more): every rule must hold
// there exactly as in short texts, at every place a match can fall against
// the 64-byte blocks, and near the end, where the search goes on byte by
// byte.

#include <gtest/gtest.h>

#include <string>

#include "text/SjisText.h"

using namespace torepal;

namespace {

// "送料" in Shift-JIS, and "配送料金".
const std::string kSearch = "\x91\x97\x97\xBF";
const std::string kWith = "\x94\x7A\x91\x97\x97\xBF\x8B\xE0";

std::string Filler(std::size_t bytes)
{
    return std::string(bytes, 'a');
}

}  // namespace

TEST(ReplaceLong, AMatchIsFoundAtEveryPlaceOfALongText)
{
    // One match after 0..300 bytes of ASCII in a 400-byte text: it starts
    // on a boundary wherever it falls, so it is always replaced.
    for (std::size_t before = 0; before + kSearch.size() <= 400; ++before) {
        const std::string text = Filler(before) + kSearch + Filler(400 - before - kSearch.size());
        const std::string expected = Filler(before) + kWith + Filler(400 - before - kSearch.size());
        ASSERT_EQ(Replaced(text, kSearch, kWith), expected) << "match after " << before << " bytes";
    }
}

TEST(ReplaceLong, AMatchStartingOnATrailByteIsLeftAtEveryPlace)
{
    // "ｑ" is 82 91: its trail byte 91 starts the bytes of "送料", which
    // must stay. The half-width "ｱ" (B1) after it keeps the next character
    // apart.
    for (std::size_t before = 0; before + 6 <= 400; ++before) {
        const std::string text = Filler(before) + "\x82" + kSearch + "\xB1" + Filler(400 - before - 6);
        ASSERT_EQ(Replaced(text, kSearch, kWith), text) << "trail byte after " << before << " bytes";
    }
}

TEST(ReplaceLong, ManyMatchesCloseTogetherAndAcrossBlocks)
{
    // Matches back to back, then one byte apart: every one is replaced and
    // none overlaps the next.
    std::string text, expected;
    for (int i = 0; i < 100; ++i) {
        text += kSearch + (i % 2 ? "b" : "");
        expected += kWith + (i % 2 ? "b" : "");
    }
    EXPECT_EQ(Replaced(text, kSearch, kWith), expected);
    std::string inPlace = text;
    ReplaceAll(inPlace, kSearch, kWith);
    EXPECT_EQ(inPlace, expected);
}

TEST(ReplaceLong, ALongRunOfLeadValuedBytesDecidesByItsParity)
{
    // 150 kanji "送" (91 97) then "料" (97 BF): the bytes 91 97 97 BF appear
    // at the last pair; a run of lead-valued bytes before it pairs up from
    // its start. With one more lead byte (88) in front the pairs shift.
    std::string kanji;
    for (int i = 0; i < 150; ++i) kanji += "\x91\x97";
    const std::string text = kanji + "\x97\xBF" + Filler(100);
    const std::string expected = kanji.substr(0, kanji.size() - 2) + kWith + Filler(100);
    EXPECT_EQ(Replaced(text, kSearch, kWith), expected);
    // 88 91, 97 91, ..., 97 97 are now the characters, so the 91 before the
    // last 97 97 is a trail byte and 91 97 97 BF starts on it.
    const std::string shifted = "\x88" + kanji + "\x97\xBF" + Filler(100);
    EXPECT_EQ(Replaced(shifted, kSearch, kWith), shifted);
}

TEST(ReplaceLong, SearchesLongerThanThirtyTwoBytes)
{
    const std::string search = std::string(40, 'q') + "END";
    const std::string text = Filler(130) + search + Filler(7) + search + Filler(200);
    EXPECT_EQ(Replaced(text, search, "X"), Filler(130) + "X" + Filler(7) + "X" + Filler(200));
    // One byte short of a match changes nothing.
    const std::string near = Filler(130) + search.substr(1) + Filler(200);
    EXPECT_EQ(Replaced(near, search, "X"), near);
}

TEST(ReplaceLong, ALongTextWithoutMatchIsLeftAsItIs)
{
    // The search's two rarest bytes appear, never the whole search.
    std::string text;
    for (int i = 0; i < 50; ++i) text += "\x91\x41\x41\xBF" + Filler(9);
    EXPECT_EQ(Replaced(text, kSearch, kWith), text);
    std::string inPlace = text;
    ReplaceAll(inPlace, kSearch, kWith);
    EXPECT_EQ(inPlace, text);
}
