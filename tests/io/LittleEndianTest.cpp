#include <gtest/gtest.h>

#include "io/LittleEndian.h"

using namespace torepal;

TEST(LittleEndian, NumbersAreWrittenLowByteFirst)
{
    std::string out;
    PutU32(out, 0x12345678u);
    PutI32(out, -2);
    PutI32(out, 258);
    EXPECT_EQ(out, std::string("\x78\x56\x34\x12"
                               "\xFE\xFF\xFF\xFF"
                               "\x02\x01\x00\x00",
                               12));
}

TEST(LittleEndian, ATextIsItsByteCountThenItsBytes)
{
    std::string out;
    PutText(out,
            "\x83\x5C"
            "a");  // ソ and a: three bytes
    PutText(out, "");
    EXPECT_EQ(out, std::string("\x03\x00\x00\x00\x83\x5C"
                               "a"
                               "\x00\x00\x00\x00",
                               11));
}

TEST(LittleEndian, ReadsBackWhatWasWritten)
{
    std::string record;
    PutU32(record, 4000000000u);
    PutI32(record, -1000);
    PutText(record, "page");
    LittleEndianReader reader(record);
    std::uint32_t u = 0;
    int i = 0;
    std::string text;
    ASSERT_TRUE(reader.u32(u));
    ASSERT_TRUE(reader.i32(i));
    ASSERT_FALSE(reader.atEnd());
    ASSERT_TRUE(reader.text(text));
    EXPECT_EQ(u, 4000000000u);
    EXPECT_EQ(i, -1000);
    EXPECT_EQ(text, "page");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.u32(u));
}

TEST(LittleEndian, AReadPastTheEndFails)
{
    LittleEndianReader shortNumber(std::string_view("\x01\x02\x03", 3));
    std::uint32_t u = 7;
    EXPECT_FALSE(shortNumber.u32(u));

    // The count says five bytes, four follow.
    LittleEndianReader shortText(
        std::string_view("\x05\x00\x00\x00"
                         "abcd",
                         8));
    std::string text = "kept";
    EXPECT_FALSE(shortText.text(text));
    EXPECT_EQ(text, "kept");
}
