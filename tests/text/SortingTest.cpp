#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "text/Encoding.h"
#include "text/Sorting.h"

using namespace torepal;

TEST(ListOrder, DigitsBeforeLettersAndLettersCaseFolded)
{
    std::vector<std::string> names = {"2.html", "b.txt", "1.txt", "A.txt", "a.txt"};
    std::sort(names.begin(), names.end(), SjisLess);
    EXPECT_EQ(names, (std::vector<std::string>{"1.txt", "2.html", "A.txt", "a.txt", "b.txt"}));
}

TEST(ListOrder, TrailBytesAreNotCaseFolded)
{
    // ア is 83 41 and ャ is 83 83; a trail byte 41 must not be folded to 61.
    const std::string a = Sjis("ア"), b = "\x83\x61";
    EXPECT_TRUE(SjisLess(a, b));
    EXPECT_FALSE(SjisLess(b, a));
}

TEST(ListOrder, SavedPagesSortByTheirShiftJisBytes)
{
    // 【プレート ... and 【メール ... share "【"; プ (83 76) sorts before メ (83 81).
    EXPECT_TRUE(SjisLess(Sjis("【プレート ～1月1日0時0分～ 】--a.html"), Sjis("【メール ～1月1日0時0分～ 】--a.txt")));
}

TEST(ListOrder, TheDifferingByteIsFoldedOnlyOnACharacterBoundary)
{
    // After 83 83 (ャ) a letter starts a character and is folded: "a" < "B".
    EXPECT_TRUE(
        SjisLess("\x83\x83"
                 "a",
                 "\x83\x83"
                 "B"));
    EXPECT_FALSE(
        SjisLess("\x83\x83"
                 "B",
                 "\x83\x83"
                 "a"));
    // After 83 83 83 the letter is the trail byte of 83 xx: plain bytes,
    // so 42 < 61.
    EXPECT_TRUE(SjisLess("\x83\x83\x83\x42", "\x83\x83\x83\x61"));
    EXPECT_FALSE(SjisLess("\x83\x83\x83\x61", "\x83\x83\x83\x42"));
    // A long shared beginning, then letters differing in case only: the
    // exact bytes decide ("A" 41 before "a" 61).
    const std::string page = Sjis("【プレート ～12月31日23時59分～ 】--");
    EXPECT_TRUE(SjisLess(page + "A", page + "b"));
    EXPECT_TRUE(SjisLess(page + "A", page + "a"));
    EXPECT_FALSE(SjisLess(page + "a", page + "A"));
}

TEST(ListOrder, SortKeysGiveTheSameOrder)
{
    EXPECT_EQ(SjisSortKey("Ab\x83\x41"
                          "C"),
              "ab\x83\x41"
              "c");
    const std::vector<std::string> names = {"",
                                            "a",
                                            "A",
                                            "ab",
                                            "aB",
                                            "B",
                                            "\x83\x41",
                                            "\x83\x61",
                                            "\x83\x41"
                                            "A",
                                            "\x83\x41"
                                            "a",
                                            "\x83\x83\x41",
                                            "\x83\x83"
                                            "a",
                                            "\x83",
                                            "\x83\x83\x83\x42"};
    for (const std::string& a : names)
        for (const std::string& b : names)
            EXPECT_EQ(SjisLess(a, b), std::make_pair(SjisSortKey(a), a) < std::make_pair(SjisSortKey(b), b))
                << testing::PrintToString(a) << " " << testing::PrintToString(b);
}

TEST(ListOrder, KeysAppendedSideBySideStartOnACharacterBoundary)
{
    // The text appended starts a character even after a lone lead byte, and
    // a lead byte closing the text is left as it is.
    std::string keys = "\x83";
    AppendSjisSortKey(keys, "Ab");
    EXPECT_EQ(keys,
              "\x83"
              "ab");
    AppendSjisSortKey(keys, "Z\x83");
    EXPECT_EQ(keys,
              "\x83"
              "abz\x83");
    // A trail byte in the letter range stays, the letter after it is folded.
    AppendSjisSortKey(keys,
                      "\x83\x5A"
                      "Q");
    EXPECT_EQ(keys,
              "\x83"
              "abz\x83\x83\x5A"
              "q");
}

TEST(CompareSortKeys, BytesCountAsUnsignedAndAShorterKeyComesFirst)
{
    // Twelve shared bytes, then 98 against 41: 98 is the larger as a byte.
    const std::string shared = "0123456789ab";
    EXPECT_EQ(CompareSortKeys(shared + "\x98", shared + "A"), 1);
    EXPECT_EQ(CompareSortKeys(shared + "A", shared + "\x98"), -1);
    EXPECT_EQ(CompareSortKeys(shared, shared + "A"), -1);
    EXPECT_EQ(CompareSortKeys(shared + "A", shared + "A"), 0);
}
