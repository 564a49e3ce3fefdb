#include <gtest/gtest.h>

#include <string>

#include "store/Archive.h"

using namespace torepal;

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

std::string PrefixOf(std::size_t length)
{
    const std::string encoded = ArchiveString(std::string(length, 'x'));
    return encoded.substr(0, encoded.size() - length);
}

std::string ReadOne(std::string_view bytes, ArchiveError* error = nullptr)
{
    ArchiveReader r(bytes);
    std::string text = "untouched";
    r.getString(text);
    if (error) *error = r.error();
    return text;
}

}  // namespace

TEST(ArchiveString, PrefixFormsAtTheirBoundaries)
{
    EXPECT_EQ(PrefixOf(0), Bytes({0x00}));
    EXPECT_EQ(PrefixOf(1), Bytes({0x01}));
    EXPECT_EQ(PrefixOf(254), Bytes({0xFE}));
    EXPECT_EQ(PrefixOf(255), Bytes({0xFF, 0xFF, 0x00}));
    EXPECT_EQ(PrefixOf(256), Bytes({0xFF, 0x00, 0x01}));
    EXPECT_EQ(PrefixOf(65533), Bytes({0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(PrefixOf(65534), Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(PrefixOf(70000), Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));
}

TEST(ArchiveString, EmptyTextIsOneZeroByteAndTextHasNoTerminator)
{
    EXPECT_EQ(ArchiveString(""), Bytes({0x00}));
    // 当座 in Shift-JIS: 93 96 8D C0.
    EXPECT_EQ(ArchiveString("\x93\x96\x8D\xC0"), Bytes({0x04, 0x93, 0x96, 0x8D, 0xC0}));
}

TEST(ArchiveWriter, NumbersAreLittleEndian)
{
    ArchiveWriter w;
    w.putU32(0x12345678);
    w.putInt32(-1);
    w.putTick(true);
    w.putTick(false);
    EXPECT_EQ(w.bytes(), Bytes({0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ArchiveReader, ReadsEveryPrefixTheWriterMakes)
{
    for (std::size_t n : {0u, 1u, 254u, 255u, 256u, 65533u, 65534u, 65535u, 100000u}) {
        std::string text(n, 'a');
        if (n > 0) text.back() = 'z';
        ArchiveError error{};
        EXPECT_EQ(ReadOne(ArchiveString(text), &error), text) << n;
        EXPECT_EQ(error, ArchiveError::None) << n;
    }
}

TEST(ArchiveReader, ReadsTheSixtyFourBitForm)
{
    const std::string bytes = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0}) + "abc";
    ArchiveReader r(bytes);
    std::string text;
    ASSERT_TRUE(r.getString(text));
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(ArchiveReader, ReadsUtf16TextsAsShiftJis)
{
    // "Aあ" as two UTF-16 units after the marker FF FE FF and a one-byte count.
    EXPECT_EQ(ReadOne(Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0x42, 0x30})), "A\x82\xA0");
    // The count may take the u16 form as well: 当座 (U+5F53 U+5EA7).
    EXPECT_EQ(ReadOne(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x00, 0x53, 0x5F, 0xA7, 0x5E})), "\x93\x96\x8D\xC0");
    // An empty UTF-16 text.
    EXPECT_EQ(ReadOne(Bytes({0xFF, 0xFE, 0xFF, 0x00})), "");
}

TEST(ArchiveReader, Utf16CharactersShiftJisCannotHoldBecomeQuestionMarks)
{
    // "a", U+1F600 as a surrogate pair, a lone high surrogate, "b".
    EXPECT_EQ(ReadOne(Bytes({0xFF, 0xFE, 0xFF, 0x05, 0x61, 0x00, 0x3D, 0xD8, 0x00, 0xDE, 0x00, 0xD8, 0x62, 0x00})),
              "a??b");
}

TEST(ArchiveReader, ASecondUtf16MarkerIsAFormatError)
{
    ArchiveError error{};
    EXPECT_EQ(ReadOne(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 0x41, 0x00}), &error), "untouched");
    EXPECT_EQ(error, ArchiveError::Format);
}

TEST(ArchiveReader, LengthsOfTwoToTheThirtyFirstOrMoreAreFormatErrors)
{
    ArchiveError error{};
    ReadOne(Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80}), &error);
    EXPECT_EQ(error, ArchiveError::Format);
    ReadOne(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0, 0, 0, 0}), &error);
    EXPECT_EQ(error, ArchiveError::Format);
    ReadOne(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 0, 0, 0, 0x01}), &error);
    EXPECT_EQ(error, ArchiveError::Format);
    // Counted in UTF-16 units, the same limit holds for the count itself.
    ReadOne(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80}), &error);
    EXPECT_EQ(error, ArchiveError::Format);
}

TEST(ArchiveReader, AHugeLengthWithoutItsBytesIsEndOfFileAndNothingIsRead)
{
    // 2^31 - 2 announced, three bytes present: refused before any buffer is
    // made for it (a 2 GiB allocation would take seconds, or fail).
    ArchiveError error{};
    EXPECT_EQ(ReadOne(Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F, 'a', 'b', 'c'}), &error), "untouched");
    EXPECT_EQ(error, ArchiveError::EndOfFile);
    // UTF-16: 2^30 units are 2^31 bytes, far more than present.
    EXPECT_EQ(ReadOne(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40, 'a', 0}), &error),
              "untouched");
    EXPECT_EQ(error, ArchiveError::EndOfFile);
}

TEST(ArchiveReader, ShortInputIsEndOfFileAtEveryCut)
{
    const std::string full = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 0, 0, 0, 0}) + "ab";
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        ArchiveError error{};
        EXPECT_EQ(ReadOne(std::string_view(full).substr(0, cut), &error), "untouched") << cut;
        EXPECT_EQ(error, ArchiveError::EndOfFile) << cut;
    }
    // A UTF-16 text with an odd byte left over is short by one byte.
    ArchiveError error{};
    ReadOne(Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0x42}), &error);
    EXPECT_EQ(error, ArchiveError::EndOfFile);
}

TEST(ArchiveReader, AfterAFaultEveryReadFailsAndLeavesItsTarget)
{
    const std::string bytes = Bytes({0x01, 0x00, 0x00, 0x00, 0x02, 0x00});
    ArchiveReader r(bytes);
    std::uint32_t a = 7;
    std::uint32_t b = 7;
    bool tick = false;
    std::string s = "keep";
    EXPECT_TRUE(r.getU32(a));
    EXPECT_EQ(a, 1u);
    EXPECT_FALSE(r.getU32(b));
    EXPECT_EQ(b, 7u);
    // Two bytes are left, but the reader has stopped: they are not taken
    // for a text.
    EXPECT_FALSE(r.getString(s));
    EXPECT_EQ(s, "keep");
    EXPECT_FALSE(r.getTick(tick));
    EXPECT_EQ(r.error(), ArchiveError::EndOfFile);
}

TEST(ArchiveReader, ATickIsOnForAnyValueButZero)
{
    const std::string bytes = Bytes({0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 1});
    ArchiveReader r(bytes);
    bool t[4] = {true, false, false, false};
    for (bool& x : t) ASSERT_TRUE(r.getTick(x));
    EXPECT_FALSE(t[0]);
    EXPECT_TRUE(t[1]);
    EXPECT_TRUE(t[2]);
    EXPECT_TRUE(t[3]);
}

TEST(ArchiveReader, AllOnesReadsAsMinusOneIndex)
{
    const std::string bytes = Bytes({0xFF, 0xFF, 0xFF, 0xFF});
    ArchiveReader r(bytes);
    std::int32_t index = 0;
    ASSERT_TRUE(r.getInt32(index));
    EXPECT_EQ(index, -1);
}
