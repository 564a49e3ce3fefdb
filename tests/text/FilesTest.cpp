#include <gtest/gtest.h>

#include "text/Encoding.h"
#include "text/Files.h"

using namespace torepal;

TEST(FileNames, ShiftJisNamesBecomeUtf8PathsInsideTheFolder)
{
    const std::filesystem::path folder = "/prog";
    // ソ ends in byte 5C; it must not be taken for a separator.
    EXPECT_EQ(JoinSjis(folder, Sjis("back/ソ.html")).string(), "/prog/back/ソ.html");
    EXPECT_EQ(JoinSjis(folder, Sjis("back\\a.txt")).string(), "/prog/back/a.txt");
    EXPECT_EQ(JoinSjis(folder, "/bank.ini").string(), "/prog/bank.ini");
}

TEST(FileNames, NamesShiftJisCannotHoldAreShownWithQuestionMarks)
{
    bool exact = true;
    EXPECT_EQ(SjisFileName("a\xE2\x99\xA5"
                           "b.txt",
                           &exact),
              "a?b.txt");
    EXPECT_FALSE(exact);
    EXPECT_EQ(SjisFileName("/x/腕時計.html", &exact), Sjis("腕時計.html"));
    EXPECT_TRUE(exact);
}
