// The replacement against a plain one written here from its rules (walk the
// text character by character; where the search stands, put the
// replacement and step over the search), over random texts made of the
// characters that trap a byte search: double-byte characters whose trail
// byte can also be a lead byte, the kanji of "送料", half-width kana and
// stray lead bytes. The texts run from shorter than one 64-byte block to
// several times the output's growth step, so every path of the vector
// search (the search before the first match, the copy with matches, the
// memchr stretch at the end) and the search without vectors meet the same
// texts.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/SjisText.h"

using namespace torepal;

namespace {

std::string Reference(const std::string& text, const std::string& search, const std::string& with)
{
    if (search.empty()) return text;
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, search.size(), search) == 0) {
            out += with;
            i += search.size();
            continue;
        }
        const unsigned char b = static_cast<unsigned char>(text[i]);
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        const std::size_t n = lead && i + 1 < text.size() ? 2 : 1;
        out.append(text, i, n);
        i += n;
    }
    return out;
}

// The pieces texts are made of. ｑ (82 91) then 97 97 BF puts the bytes of
// 送料 (91 97 97 BF) on a trail byte; 日 (93 FA) and E0 E0 are runs of
// lead-valued bytes that only pair up from their start.
const std::vector<std::string> kPieces = {
    "a",
    "b",
    "\\",
    "\r\n",
    "<",
    ">",
    "\x91\x97",          // 送
    "\x97\xBF",          // 料
    "\x91\x97\x97\xBF",  // 送料
    "\x82\x91",          // ｑ
    "\x97\x97",          // a kanji of lead-valued bytes
    "\x93\xFA",          // 日
    "\xE0\xE0",          // 濠, both bytes lead-valued
    "\xBF",              // ｿ
    "\xB1",              // ｱ
    "\x83\x5C",          // ソ, trail byte is the backslash
};

class Texts {
public:
    explicit Texts(unsigned seed) : random_(seed) {}

    std::size_t below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    std::string text(std::size_t bytes)
    {
        std::string t;
        while (t.size() < bytes) {
            if (below(20) == 0)
                t += static_cast<char>(below(256));  // any byte, a stray lead byte among them
            else
                t += kPieces[below(kPieces.size())];
        }
        t.resize(bytes);
        return t;
    }

    // A search of 1..40 bytes: mostly cut out of the text at any byte (so
    // it may begin on a trail byte or end inside a character), else made
    // up the same way as the texts.
    std::string search(const std::string& t)
    {
        const std::size_t length = 1 + below(below(4) == 0 ? 40 : 6);
        if (t.size() >= length && below(4) != 0) return t.substr(below(t.size() - length + 1), length);
        return text(length);
    }

    // Shorter than, as long as, or longer than the search, up to 80 bytes.
    std::string with(const std::string& search)
    {
        switch (below(3)) {
            case 0:
                return text(below(search.size()));
            case 1:
                return text(search.size());
            default:
                return text(search.size() + 1 + below(40));
        }
    }

private:
    std::mt19937 random_;
};

void ExpectAllAgree(const std::string& text, const std::string& search, const std::string& with,
                    const std::string& label)
{
    const std::string expected = Reference(text, search, with);
    ASSERT_EQ(Replaced(text, search, with), expected) << label;
    ASSERT_EQ(ReplacedWithoutVectors(text, search, with), expected) << label;
    std::string inPlace = text;
    ReplaceAll(inPlace, search, with);
    ASSERT_EQ(inPlace, expected) << label;
}

}  // namespace

TEST(ReplaceDifferential, TheReferenceKeepsTheRulesItIsWrittenFrom)
{
    // Worked out by hand: ｑ料 (82 91 97 BF) holds 91 97 on a trail byte;
    // 送 (91 97) after "a" starts a character.
    EXPECT_EQ(Reference("\x82\x91\x97\xBF"
                        "a\x91\x97",
                        "\x91\x97", "X"),
              "\x82\x91\x97\xBF"
              "aX");
    EXPECT_EQ(Reference("aaa", "aa", "b"), "ba");
    EXPECT_EQ(Reference("abc", "", "x"), "abc");
}

TEST(ReplaceDifferential, RandomTextsOfEveryLength)
{
    Texts random(20240611);
    for (int round = 0; round < 3000; ++round) {
        // Lengths around one block and the vector search's reach, and
        // longer ones that cross many blocks.
        const std::size_t bytes = round % 3 == 0 ? random.below(200) : random.below(round % 3 == 1 ? 600 : 3000);
        const std::string text = random.text(bytes);
        const std::string search = random.search(text);
        const std::string with = random.with(search);
        ExpectAllAgree(text, search, with, "round " + std::to_string(round));
    }
}

TEST(ReplaceDifferential, MatchesAtTheVeryEnd)
{
    // The last bytes are the search: found unless the byte before it leaves
    // it on a trail byte, which the reference decides.
    Texts random(7);
    for (int round = 0; round < 1500; ++round) {
        const std::string search = random.text(1 + random.below(40));
        const std::string text = random.text(random.below(round % 2 ? 160 : 1200)) + search;
        const std::string with = random.with(search);
        ExpectAllAgree(text, search, with, "round " + std::to_string(round));
    }
}

TEST(ReplaceDifferential, AMatchStraddlingACharacterIsLeftWherePairsDecide)
{
    // 日 (93 FA) repeated: "FA 93" straddles two characters everywhere,
    // "93 FA" is a character everywhere, at every length around the
    // 64-byte blocks.
    for (std::size_t count = 1; count < 200; ++count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) text += "\x93\xFA";
        ExpectAllAgree(text, "\xFA\x93", "X", "count " + std::to_string(count));
        ExpectAllAgree(text, "\x93\xFA", "", "count " + std::to_string(count));
        ExpectAllAgree(text, "\x93\xFA", std::string(35, 'y'), "count " + std::to_string(count));
        // One ASCII byte in front shifts nothing; a lone lead byte in front
        // shifts every pair.
        ExpectAllAgree("a" + text, "\xFA\x93", "X", "count " + std::to_string(count));
        ExpectAllAgree("\x88" + text, "\x93\xFA", "XY", "count " + std::to_string(count));
    }
}

TEST(ReplaceDifferential, LongTextsThatGrowAndShrinkMuch)
{
    // Many matches with a much longer replacement make the output grow past
    // its first room many times over; a much shorter one leaves it far
    // shorter than the text.
    Texts random(99);
    for (int round = 0; round < 12; ++round) {
        const std::string text = random.text(20000 + random.below(60000));
        const std::string search = round % 2 ? "\x91\x97" : "a";
        const std::string with = round % 3 == 0 ? "" : random.text(round % 3 == 1 ? 1 : 70);
        ExpectAllAgree(text, search, with, "round " + std::to_string(round));
    }
}
