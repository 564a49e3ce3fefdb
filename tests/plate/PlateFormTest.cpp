// The plate form's operations that need no window: clearing, plate.ini in
// and out, and where a finished page and the preview go.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "plate/PlateForm.h"
#include "plate/PlateSettings.h"
#include "plate/SavedPages.h"
#include "platform/Platform.h"
#include "support/core/SamplePlate.h"
#include "support/core/TempFolder.h"
#include "support/core/TestText.h"

using namespace torepal::test;

using namespace torepal;
namespace fs = std::filesystem;

namespace {

// Records what the core asks of the desktop.
class RecordingPlatform final : public Platform {
public:
    std::vector<std::string> messages;
    std::vector<fs::path> opened;

    std::optional<Rgb> chooseColour() override { return std::nullopt; }
    std::optional<fs::path> chooseFileToOpen(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<fs::path> chooseFileToSave(const FileDialogRequest&) override { return std::nullopt; }
    void showMessage(const std::string& text, const std::string&) override { messages.push_back(text); }
    void showUnicodeMessage(const std::string& utf8Text) override { messages.push_back(utf8Text); }
    bool copyText(const std::string&) override { return true; }
    bool openFile(const fs::path& path) override
    {
        opened.push_back(path);
        return true;
    }
    bool openUri(const std::string&) override { return true; }
    LocalTime now() override { return LocalTime{}; }
};

std::string ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(ClearPlateForm, EmptiesThePageTextsAndKeepsTheStandingChoices)
{
    PlateFlags flags;
    PlateState state = SamplePlateForm(flags);  // every text typed, the booth banner on
    const PlateState typed = state;
    flags.center = false;
    flags.left = true;
    PlateSelections selections{28, 9, 46, 3};

    ClearPlateForm(state, flags, selections);

    EXPECT_EQ(state.Title, "");
    EXPECT_EQ(state.Items, "");
    EXPECT_EQ(state.trans, "");
    EXPECT_EQ(state.TOthers, typed.TOthers);
    EXPECT_EQ(state.Others, typed.Others);
    EXPECT_EQ(state.color, typed.color);
    EXPECT_EQ(state.yahooId, typed.yahooId);
    EXPECT_EQ(state.mytext, typed.mytext);
    EXPECT_TRUE(flags.center);
    EXPECT_FALSE(flags.left);
    EXPECT_FALSE(flags.linkOff);  // the booth pair is not the clear's business
    EXPECT_TRUE(flags.linkOn);
    EXPECT_TRUE(flags.carriers.sagawa);
    EXPECT_TRUE(flags.payment.stamps);
    EXPECT_EQ(selections.weight, 0);
    EXPECT_EQ(selections.size, 0);
    EXPECT_EQ(selections.origin, 0);
    EXPECT_EQ(selections.type, 0);
}

TEST(ClearPlateForm, UndoPutsBackWhatTheClearTookAndOnlyThat)
{
    PlateState state;
    state.Title = S("腕時計");
    state.Items = S("一行目\r\n二行目");
    state.trans = S("発送");
    state.Others = "o";
    PlateFlags flags;
    flags.center = false;
    flags.left = true;
    flags.carriers.sasshi = true;
    PlateSelections selections{28, 9, 46, 3};

    const ClearedPlateValues cleared = ClearPlateForm(state, flags, selections);
    EXPECT_EQ(state.Title, "");
    EXPECT_EQ(selections.origin, 0);

    // Set since the clear: the undo leaves these alone.
    state.Others = "changed";
    flags.carriers.sasshi = false;
    UndoClearPlateForm(cleared, state, flags, selections);
    EXPECT_EQ(state.Title, S("腕時計"));
    EXPECT_EQ(state.Items, S("一行目\r\n二行目"));
    EXPECT_EQ(state.trans, S("発送"));
    EXPECT_FALSE(flags.center);
    EXPECT_TRUE(flags.left);
    EXPECT_EQ(selections.weight, 28);
    EXPECT_EQ(selections.size, 9);
    EXPECT_EQ(selections.origin, 46);
    EXPECT_EQ(selections.type, 3);
    EXPECT_EQ(state.Others, "changed");
    EXPECT_FALSE(flags.carriers.sasshi);
}

TEST(PlateSettingsFile, MissingFileLeavesTheFormAsItIs)
{
    TempFolder folder;
    RecordingPlatform platform;
    PlateState state;
    state.color = "#123456";
    PlateFlags flags;
    PlateSelections selections{3, 4, 5, 2};
    LoadPlateSettings(folder.path(), platform, state, flags, selections);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(state.color, "#123456");
    EXPECT_EQ(selections.origin, 5);
    EXPECT_EQ(selections.type, 2);
}

TEST(PlateSettingsFile, SavedLeftAlignmentComesBackWithOriginAndType)
{
    TempFolder folder;
    RecordingPlatform platform;
    PlateState state;
    state.color = "#ff8000";
    state.yahooId = "seller";
    state.Title = "not kept";
    PlateFlags flags;
    flags.center = false;
    flags.left = true;
    flags.carriers.expack = true;
    ASSERT_TRUE(SavePlateSettings(folder.path(), platform, state, flags, PlateSelections{20, 7, 46, 4}));

    PlateState back;
    PlateFlags backFlags;
    PlateSelections backSelections;
    LoadPlateSettings(folder.path(), platform, back, backFlags, backSelections);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(back.color, "#ff8000");
    EXPECT_EQ(back.yahooId, "seller");
    EXPECT_EQ(back.Title, "");
    EXPECT_FALSE(backFlags.center);
    EXPECT_TRUE(backFlags.left);
    EXPECT_TRUE(backFlags.carriers.expack);
    EXPECT_EQ(backSelections.origin, 46);
    EXPECT_EQ(backSelections.type, 4);
    EXPECT_EQ(backSelections.weight, 0);  // weight and size are not kept
    EXPECT_EQ(backSelections.size, 0);
}

TEST(PlateSettingsFile, UnwritableFolderIsToldAndReportedFalse)
{
    TempFolder folder;
    RecordingPlatform platform;
    EXPECT_FALSE(SavePlateSettings(folder / "absent", platform, PlateState{}, PlateFlags{}, PlateSelections{}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("plate.ini"), std::string::npos);
}

TEST(SaveFinishedPage, WritesThePageUnderTheStampAndTitle)
{
    TempFolder folder;
    fs::create_directory(folder / "back");
    RecordingPlatform platform;
    PlateState state;
    state.Title = S("時計");
    state.page = "<p>\n</p>";
    const std::string stamp = S("12月6日20時8分");
    ASSERT_TRUE(SaveFinishedPage(state, stamp, folder.path(), platform));
    EXPECT_TRUE(platform.messages.empty());
    const fs::path saved = folder / "back" / "【プレート ～12月6日20時8分～ 】--時計.html";
    EXPECT_EQ(ReadAll(saved), "<p>\r\n</p>");  // text mode
}

TEST(SaveFinishedPage, MissingBackFolderIsNamedInTheMessage)
{
    TempFolder folder;
    RecordingPlatform platform;
    PlateState state;
    state.page = "x";
    EXPECT_FALSE(SaveFinishedPage(state, "s", folder.path(), platform));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find(S("保存先のフォルダ「back」がありません")), std::string::npos);
}

TEST(SaveFinishedPage, ASecondPageOfTheSameTitleInTheSameMinuteGetsTheNextNumber)
{
    TempFolder folder;
    fs::create_directory(folder / "back");
    RecordingPlatform platform;
    PlateState state;
    state.Title = S("時計");
    state.page = "first";
    const std::string stamp = S("12月6日20時8分");
    std::string name;
    ASSERT_TRUE(SaveFinishedPage(state, stamp, folder.path(), platform, &name));
    EXPECT_EQ(name, S("【プレート ～12月6日20時8分～ 】--時計.html"));
    state.page = "second";
    ASSERT_TRUE(SaveFinishedPage(state, stamp, folder.path(), platform, &name));
    EXPECT_EQ(name, S("【プレート ～12月6日20時8分～ 】--時計 (2).html"));
    EXPECT_EQ(ReadAll(folder / "back" / "【プレート ～12月6日20時8分～ 】--時計.html"), "first");
    EXPECT_EQ(ReadAll(folder / "back" / "【プレート ～12月6日20時8分～ 】--時計 (2).html"), "second");
    EXPECT_TRUE(platform.messages.empty());
}

TEST(SaveFinishedPage, SuccessTextsNameTheFileAndCountTheBytes)
{
    EXPECT_EQ(PageSavedMessage(S("【プレート ～1月2日3時4分～ 】--時計.html")),
              S("「【プレート ～1月2日3時4分～ 】--時計.html」を保存しました"));
    EXPECT_EQ(BytesCopiedMessage(1234), S("1234 バイトをコピーしました"));
}

TEST(ShowPreview, WritesThePreviewFileThenOpensIt)
{
    TempFolder folder;
    RecordingPlatform platform;
    ASSERT_TRUE(ShowPreview("<b>\n", folder.path(), platform));
    EXPECT_EQ(ReadAll(folder / "menu_preview.html"), "<b>\r\n");
    ASSERT_EQ(platform.opened.size(), 1u);
    EXPECT_EQ(platform.opened[0], folder / "menu_preview.html");
}

TEST(ShowPreview, UnwritableFileIsToldAndNothingOpens)
{
    TempFolder folder;
    RecordingPlatform platform;
    EXPECT_FALSE(ShowPreview("x", folder / "absent", platform));
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.opened.empty());
}
