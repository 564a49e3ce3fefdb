#include "text/Encoding.h"
#include "text/Sorting.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

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
