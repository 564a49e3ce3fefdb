#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <thread>

#include "text/Encoding.h"
#include "text/Lines.h"
#include "text/SjisText.h"

using namespace torepal;

TEST(Replace, ReplacesEveryOccurrenceLeftToRightWithoutOverlap)
{
    EXPECT_EQ(Replaced("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(Replaced("aaa", "aa", "b"), "ba");
    EXPECT_EQ(Replaced("x<a>y<a>", "<a>", "1"), "x1y1");
}

TEST(Replace, EachPlaceholderInTurnFillsWhatAnEarlierValueBrought)
{
    std::string text = "<a>-<b>-<c>";
    ReplaceEach(text, {{"<a>", "<c>"}, {"<b>", "B"}, {"<c>", "C"}});
    EXPECT_EQ(text, "C-B-C");

    // A later placeholder's value is not scanned for an earlier one.
    std::string back = "<a><b>";
    ReplaceEach(back, {{"<a>", "A"}, {"<b>", "<a>"}});
    EXPECT_EQ(back, "A<a>");
}

TEST(Replace, InsertedTextIsNotScannedAgain)
{
    EXPECT_EQ(Replaced("ab", "a", "aa"), "aab");
    EXPECT_EQ(Replaced("<T>", "<T>", "<T><T>"), "<T><T>");
}

TEST(Replace, EmptySearchChangesNothing)
{
    EXPECT_EQ(Replaced("abc", "", "x"), "abc");
}

TEST(Replace, NeverMatchesFromTheSecondByteOfADoubleByteCharacter)
{
    // ソ is 83 5C: its second byte is the backslash; a search for "\" must
    // not find it, while a real backslash after it is found.
    const std::string so = "\x83\x5C";
    EXPECT_EQ(Replaced(so + "\\", "\\", "/"), so + "/");
    // 表 is 95 5C; the search "\x5C" + "a" straddles 表 and "a".
    EXPECT_EQ(Replaced("\x95\x5C"
                       "a",
                       "\x5C"
                       "a",
                       "X"),
              "\x95\x5C"
              "a");
    // A search for bytes 5C 83 straddling two characters is not matched.
    EXPECT_EQ(Replaced(so + so, "\x5C\x83", "X"), so + so);
}

TEST(Replace, LeadByteInTheLastPositionCountsAsOneByte)
{
    EXPECT_EQ(Replaced("a\x83", "\x83", "X"), "aX");
    EXPECT_EQ(Replaced("\x83", "a", "X"), "\x83");
}

TEST(Replace, BytesFoundInsideACharacterAreSkippedAndTheNextMatchIsFound)
{
    // 送料 is 91 97 97 BF. In ｑ (82 91), the kanji 97 97 and ｿ (BF) the same
    // bytes start on the trail byte 91; the real 送料 after them is found.
    const std::string trap = "\x82\x91\x97\x97\xBF";
    const std::string souryou = "\x91\x97\x97\xBF";
    EXPECT_EQ(Replaced(trap, souryou, "X"), trap);
    EXPECT_EQ(Replaced(trap + souryou + "a" + souryou, souryou, "X"), trap + "XaX");
}

TEST(Replace, RunsOfLeadValuedBytesPairUpFromTheLastSingleByte)
{
    // 日 is 93 FA: both bytes can be lead bytes, so only counting from the
    // start tells which FA 93 straddles two characters.
    const std::string nichi = "\x93\xFA";
    EXPECT_EQ(Replaced(nichi + nichi + nichi, "\xFA\x93", "X"), nichi + nichi + nichi);
    EXPECT_EQ(Replaced("a" + nichi + nichi, nichi, "X"), "aXX");
    // E0 E0 | E0 E0 | a: the last "E0 a" starts on a trail byte. With three
    // E0 (E0 E0 | E0 a) the third starts a character and "E0 a" matches.
    EXPECT_EQ(Replaced("\xE0\xE0\xE0\xE0"
                       "a",
                       "\xE0"
                       "a",
                       "X"),
              "\xE0\xE0\xE0\xE0"
              "a");
    EXPECT_EQ(Replaced("\xE0\xE0\xE0"
                       "a",
                       "\xE0"
                       "a",
                       "X"),
              "\xE0\xE0"
              "X");
}

TEST(Replace, ScanningGoesOnFromTheEndOfAMatch)
{
    // A search ending in a lead byte: the text after the match is read from
    // there, so A0 stands alone and the next 82 A0 is a character.
    EXPECT_EQ(Replaced("A\x82\xA0", "A\x82", "X"), "X\xA0");
    EXPECT_EQ(Replaced("A\x82\x82\xA0"
                       "A\x82",
                       "A\x82", "X"),
              "X\x82\xA0"
              "X");
    // Near misses of a placeholder do not stop the search.
    EXPECT_EQ(Replaced("<T><Titl><Title><T>", "<Title>", "A"), "<T><Titl>A<T>");
}

TEST(Replace, ReplaceAllLeavesATextWithoutMatchesAsItIs)
{
    std::string text = "abc";
    ReplaceAll(text, "x", "y");
    EXPECT_EQ(text, "abc");
    ReplaceAll(text, "b", "");
    EXPECT_EQ(text, "ac");
}

TEST(Encoding, UsesTheCodePage932Table)
{
    // Full-width tilde U+FF5E is 81 60; the wave dash a Linux input method
    // types (U+301C) maps to the same bytes; 5C stays a backslash.
    EXPECT_EQ(Sjis("～"), "\x81\x60");
    EXPECT_EQ(SjisFromUtf8("\xE3\x80\x9C").text, "\x81\x60");
    EXPECT_EQ(Sjis("\\"), "\x5C");
    EXPECT_EQ(Sjis("　"), "\x81\x40");
    EXPECT_EQ(Sjis("▼"), "\x81\xA5");
    EXPECT_EQ(Utf8FromSjis("\x81\x60"), "～");
    EXPECT_EQ(Utf8FromSjis("\x83\x5C"), "ソ");
}

TEST(Encoding, ReportsCharactersCodePage932CannotHold)
{
    const SjisConversion c = SjisFromUtf8(
        "a\xE2\x99\xA5"
        "b\xF0\x9F\x98\x80"
        "c\xE2\x99\xA5");
    EXPECT_EQ(c.text, "abc");
    ASSERT_EQ(c.unmappable.size(), 2u);
    EXPECT_EQ(c.unmappable[0], U'\u2665');
    EXPECT_EQ(c.unmappable[1], U'\U0001F600');
}

TEST(Encoding, BrokenBytesDecodeToReplacementCharacters)
{
    EXPECT_EQ(Utf8FromSjis("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_FALSE(IsValidSjis("a\x81"));
    EXPECT_TRUE(IsValidSjis(Sjis("日本語")));
}

TEST(Lines, TextModeWritesEveryLfAsCrLf)
{
    EXPECT_EQ(ToTextMode("a\r\nb\n"), "a\r\r\nb\r\n");
}

TEST(Lines, TemplateReaderAcceptsCrLfLfAndCrCrLf)
{
    EXPECT_EQ(NormalizedLinesCrLf("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(NormalizedLinesCrLf("a\nb"), "a\r\nb\r\n");
    EXPECT_EQ(NormalizedLinesCrLf("a\r\r\nb\r\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(NormalizedLinesCrLf("a\rb\n\n"), "ab\r\n\r\n");
    EXPECT_EQ(NormalizedLinesCrLf(""), "");
}

TEST(Lines, SavedFileReaderReachesAFixedPointWithTextModeWriting)
{
    const std::string onDisk = "a\r\r\nb\r\r\n";
    const std::string shown = SavedFileLinesCrLf(onDisk);
    EXPECT_EQ(shown, "a\r\nb\r\n");
    std::string disk = ToTextMode(shown);
    for (int i = 0; i < 10; ++i) disk = ToTextMode(SavedFileLinesCrLf(disk));
    EXPECT_EQ(disk, onDisk);
    // A lone CR inside a line stays.
    EXPECT_EQ(SavedFileLinesCrLf("a\rb\n"), "a\rb\r\n");
}

namespace {

std::string Utf8Of(char32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// The C library's own answer for one character, or nothing when it cannot
// be held.
std::optional<std::string> IconvOf(const std::string& utf8)
{
    static iconv_t cd = iconv_open("CP932", "UTF-8");
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char buffer[16];
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    return std::string(buffer, out);
}

}  // namespace

TEST(Encoding, CharactersSeenBeforeConvertAsTheFirstTime)
{
    // Every character of the Basic Multilingual Plane, converted the first
    // time (through iconv) and again (from what was kept), as the C library
    // converts it alone; and a text of many of them as their bytes in a row.
    std::string text, expected;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const std::string utf8 = Utf8Of(c);
        const std::optional<std::string> library = IconvOf(utf8);
        for (int round = 0; round < 2; ++round) {
            const SjisConversion got = SjisFromUtf8(utf8);
            if (library) {
                ASSERT_TRUE(got.ok()) << std::hex << static_cast<unsigned>(c);
                ASSERT_EQ(got.text, *library) << std::hex << static_cast<unsigned>(c);
            } else {
                ASSERT_EQ(got.unmappable, std::vector<char32_t>{c}) << std::hex << static_cast<unsigned>(c);
                ASSERT_EQ(got.text, "");
            }
        }
        if (library && c % 7 == 0) {
            text += utf8;
            expected += *library;
        }
    }
    EXPECT_EQ(SjisFromUtf8(text).text, expected);
    // A known text with one character that cannot be held or one broken
    // sequence still reports it.
    EXPECT_EQ(SjisFromUtf8(text + "\xE2\x99\xA5").unmappable, std::vector<char32_t>{0x2665});
    EXPECT_EQ(SjisFromUtf8("a\xE3\x81").text, "a");
    EXPECT_FALSE(SjisFromUtf8("a\xE3\x81").ok());
    EXPECT_FALSE(SjisFromUtf8("\xC0\xAF").ok());  // an overlong "/"
}

TEST(Encoding, ConversionsOnTwoThreadsAtOnceComeOutWhole)
{
    // Full-width letters lie in a row of the code page: Ａ..Ｚ are 82 60..82 79
    // and ａ..ｚ 82 81..82 9A. Two threads convert them at once while they
    // may still be being learnt; each text must come out whole every time.
    const auto convert = [](char32_t first, unsigned char firstTrail, bool* whole) {
        for (int round = 0; round < 200; ++round) {
            for (int i = 0; i < 26; ++i) {
                const char32_t c = first + static_cast<char32_t>(i);
                const std::string utf8 = {static_cast<char>(0xE0 | (c >> 12)),
                                          static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                                          static_cast<char>(0x80 | (c & 0x3F))};
                const std::string expected = {'\x82', static_cast<char>(firstTrail + i)};
                const SjisConversion got = SjisFromUtf8("a" + utf8 + utf8 + "\xE2\x99\xA5");
                if (got.text != "a" + expected + expected || got.unmappable != std::vector<char32_t>{0x2665})
                    *whole = false;
            }
        }
    };
    bool upperWhole = true, lowerWhole = true;
    std::thread upper(convert, U'\uFF21', 0x60, &upperWhole);
    std::thread lower(convert, U'\uFF41', 0x81, &lowerWhole);
    upper.join();
    lower.join();
    EXPECT_TRUE(upperWhole);
    EXPECT_TRUE(lowerWhole);
}
