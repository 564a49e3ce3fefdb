// What the program and its preview process say to each other, where the
// preview window opens, and when the engine refuses to start.

#include <gtest/gtest.h>

#include "preview/EngineSandbox.h"
#include "preview/PreviewChannel.h"
#include "preview/PreviewPlacement.h"

using namespace torepal;

namespace {

// Feeds the bytes one at a time, as a pipe may hand them over, and keeps
// every message that comes out.
std::vector<PreviewFrameReader::Frame> ReadByteByByte(PreviewFrameReader& reader, const std::string& bytes)
{
    std::vector<PreviewFrameReader::Frame> frames;
    for (char c : bytes) {
        reader.append(std::string_view(&c, 1));
        while (auto frame = reader.next()) frames.push_back(*frame);
    }
    return frames;
}

}  // namespace

TEST(PreviewFrames, APageAndAPlaceArriveWholeWhateverThePieces)
{
    PreviewPageMessage page;
    page.sequence = 7;
    page.page = "<p>\x83\x5c\x83\x74\x83\x67</p>";  // ソフト, with its 5C trail byte
    page.checks = {"タイトルが空です", ""};
    const std::string bytes = EncodePageFrame(page) + EncodeWindowFrame({-1280, 40, 1060, 760});

    PreviewFrameReader reader;
    const auto frames = ReadByteByByte(reader, bytes);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_FALSE(reader.damaged());
    ASSERT_EQ(frames[0].kind, PreviewFrameReader::Frame::Kind::Page);
    EXPECT_EQ(frames[0].page.sequence, 7u);
    EXPECT_EQ(frames[0].page.page, page.page);
    EXPECT_EQ(frames[0].page.checks, page.checks);
    ASSERT_EQ(frames[1].kind, PreviewFrameReader::Frame::Kind::Window);
    EXPECT_EQ(frames[1].window, (PreviewGeometry{-1280, 40, 1060, 760}));
}

TEST(PreviewFrames, TheLayoutIsKindLengthPayloadLittleEndian)
{
    // 'W', payload of 16 bytes, then x=1, y=2, width=256, height=-1.
    const std::string expected(
        "W\x10\0\0\0"
        "\x01\0\0\0"
        "\x02\0\0\0"
        "\x00\x01\0\0"
        "\xff\xff\xff\xff",
        21);
    EXPECT_EQ(EncodeWindowFrame({1, 2, 256, -1}), expected);
    // 'P': sequence 1, page "ab", no checks: 4 + 4 + 2 + 4 bytes.
    const std::string page(
        "P\x0e\0\0\0"
        "\x01\0\0\0"
        "\x02\0\0\0ab"
        "\0\0\0\0",
        19);
    EXPECT_EQ(EncodePageFrame({1, "ab", {}}), page);
}

TEST(PreviewFrames, ADamagedStreamStopsTheReaderForGood)
{
    {
        PreviewFrameReader reader;  // a kind nobody sends
        reader.append(std::string("X\0\0\0\0", 5));
        EXPECT_FALSE(reader.next());
        EXPECT_TRUE(reader.damaged());
        reader.append(EncodeWindowFrame({0, 0, 1, 1}));
        EXPECT_FALSE(reader.next());
    }
    {
        PreviewFrameReader reader;  // a length beyond the limit is not waited for
        reader.append(std::string("P\x01\x00\x00\x02", 5));
        EXPECT_FALSE(reader.next());
        EXPECT_TRUE(reader.damaged());
    }
    {
        PreviewFrameReader reader;  // a page whose text runs past its frame
        reader.append(
            std::string("P\x0c\0\0\0"
                        "\x01\0\0\0"
                        "\x09\0\0\0ab\0\0",
                        17));
        EXPECT_FALSE(reader.next());
        EXPECT_TRUE(reader.damaged());
    }
    {
        PreviewFrameReader reader;  // a place with a byte too many
        std::string frame = EncodeWindowFrame({0, 0, 1, 1});
        frame[1] = 17;
        frame += 'x';
        reader.append(frame);
        EXPECT_FALSE(reader.next());
        EXPECT_TRUE(reader.damaged());
    }
}

TEST(PreviewReplies, KnownLinesAreReadAndOthersSkipped)
{
    PreviewReplyReader reader;
    reader.append("Fontconfig warning: something\nready\nshown 12\nplace -10 20 1060 760\n");
    reader.append("shown x\nshown 3 4\nproblem 管理者（root）です\nclos");
    auto ready = reader.next();
    ASSERT_TRUE(ready);
    EXPECT_EQ(ready->kind, PreviewReply::Kind::Ready);
    auto shown = reader.next();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->kind, PreviewReply::Kind::Shown);
    EXPECT_EQ(shown->sequence, 12u);
    auto place = reader.next();
    ASSERT_TRUE(place);
    EXPECT_EQ(place->kind, PreviewReply::Kind::Place);
    EXPECT_EQ(place->place, (PreviewGeometry{-10, 20, 1060, 760}));
    auto problem = reader.next();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->kind, PreviewReply::Kind::Problem);
    EXPECT_EQ(problem->text, "管理者（root）です");
    EXPECT_FALSE(reader.next());  // "clos" is not a whole line yet
    reader.append("ed\n");
    auto closed = reader.next();
    ASSERT_TRUE(closed);
    EXPECT_EQ(closed->kind, PreviewReply::Kind::Closed);
}

TEST(PreviewReplies, AnOverlongLineIsDroppedWholeAndTheNextOneRead)
{
    PreviewReplyReader reader;
    reader.append("shown 1" + std::string(100 * 1024, '0'));
    EXPECT_FALSE(reader.next());
    reader.append("5\nshown 2\n");
    auto shown = reader.next();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->sequence, 2u);
}

TEST(PreviewReplies, EachReplyReadsBackAsItself)
{
    EXPECT_EQ(EncodeReply({PreviewReply::Kind::Shown, 4294967295u, {}, {}}), "shown 4294967295\n");
    EXPECT_EQ(EncodeReply({PreviewReply::Kind::Place, 0, {1, -2, 3, 4}, {}}), "place 1 -2 3 4\n");
    // A problem stays on its line.
    EXPECT_EQ(EncodeReply({PreviewReply::Kind::Problem, 0, {}, "a\nb"}), "problem a b\n");
}

// Screens and windows as a seller has them; each expected place worked out
// from the rule: beside the form where 440 px or more are free (the seller's
// side first), else against the screen's edge on the seller's side.
TEST(PreviewPlacement, BesideTheFormWhereThereIsRoom)
{
    const PreviewGeometry fullHd{0, 0, 1920, 1050};
    // 793 px free on the right (1920 - 100 - 1027): as wide as that allows.
    EXPECT_EQ(PlacePreview({100, 100, 1027, 606}, fullHd, 1060, 760, PreviewSide::Right),
              (PreviewGeometry{1127, 100, 793, 760}));
    // The left has only 100 px: right, although the seller last had it left.
    EXPECT_EQ(PlacePreview({100, 100, 1027, 606}, fullHd, 1060, 760, PreviewSide::Left),
              (PreviewGeometry{1127, 100, 793, 760}));
    // A window on the right of the screen: 800 px free on its left.
    EXPECT_EQ(PlacePreview({800, 50, 1027, 606}, fullHd, 1060, 760, PreviewSide::Right),
              (PreviewGeometry{0, 50, 800, 760}));
    // A window low on the screen: the preview is lifted to stay inside it.
    EXPECT_EQ(PlacePreview({100, 600, 1027, 400}, fullHd, 1060, 760, PreviewSide::Right),
              (PreviewGeometry{1127, 290, 793, 760}));
    // A second screen to the right of the first.
    EXPECT_EQ(PlacePreview({2000, 100, 600, 500}, {1920, 0, 1280, 1024}, 1060, 760, PreviewSide::Right),
              (PreviewGeometry{2600, 100, 600, 760}));
}

TEST(PreviewPlacement, OnASmallScreenOnTheSideTheSellerLastLeftIt)
{
    // 1366 x 768 with a panel: 170 px right of a centred window, 169 left.
    const PreviewGeometry laptop{0, 0, 1366, 740};
    const PreviewGeometry window{169, 67, 1027, 606};
    EXPECT_EQ(PlacePreview(window, laptop, 1060, 760, PreviewSide::Right), (PreviewGeometry{306, 0, 1060, 740}));
    EXPECT_EQ(PlacePreview(window, laptop, 1060, 760, PreviewSide::Left), (PreviewGeometry{0, 0, 1060, 740}));
    // Narrower than the preview wants: the whole width, nothing outside.
    EXPECT_EQ(PlacePreview({0, 0, 800, 600}, {0, 0, 1024, 600}, 1060, 760, PreviewSide::Right),
              (PreviewGeometry{0, 0, 1024, 600}));
}

TEST(PreviewPlacement, TheSideIsReadFromTheCentres)
{
    const PreviewGeometry window{500, 0, 600, 400};
    EXPECT_EQ(SideOfPreview({0, 0, 400, 300}, window), PreviewSide::Left);
    EXPECT_EQ(SideOfPreview({900, 0, 400, 300}, window), PreviewSide::Right);
    // Right over the form, a little to its left.
    EXPECT_EQ(SideOfPreview({490, 0, 600, 400}, window), PreviewSide::Left);
}

TEST(EngineRefusesToStart, OnlyAsRootWithItsSandboxOn)
{
    EXPECT_FALSE(EngineRefusesToStart(false, "", ""));
    EXPECT_TRUE(EngineRefusesToStart(true, "", ""));
    EXPECT_TRUE(EngineRefusesToStart(true, "0", ""));
    EXPECT_TRUE(EngineRefusesToStart(true, " 0\n", ""));
    EXPECT_FALSE(EngineRefusesToStart(true, "1", ""));
    EXPECT_FALSE(EngineRefusesToStart(true, "", "--disable-gpu --no-sandbox"));
    EXPECT_TRUE(EngineRefusesToStart(true, "", "--no-sandboxes"));
}
