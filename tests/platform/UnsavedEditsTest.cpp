#include <gtest/gtest.h>

#include "platform/Platform.h"

using namespace torepal;

namespace {

// Answers the unsaved-edits question as the test says and keeps the question.
class AnsweringPlatform : public Platform {
public:
    explicit AnsweringPlatform(UnsavedAnswer answer) : answer_(answer) {}

    std::optional<Rgb> chooseColour() override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest&) override { return std::nullopt; }
    void showMessage(const std::string&, const std::string&) override {}
    void showUnicodeMessage(const std::string&) override {}
    bool copyText(const std::string&) override { return false; }
    bool openFile(const std::filesystem::path&) override { return false; }
    bool openUri(const std::string&) override { return false; }
    LocalTime now() override { return {}; }
    UnsavedAnswer askUnsaved(const std::string& text) override
    {
        asked = text;
        return answer_;
    }

    std::string asked;

private:
    UnsavedAnswer answer_;
};

// Settles edits of "b.txt" with `answer`; `saved` says whether it wrote.
bool SettledWith(UnsavedAnswer answer, bool& saved)
{
    AnsweringPlatform platform(answer);
    saved = false;
    return SettleUnsavedEdits(platform, "b.txt", [&] {
        saved = true;
        return true;
    });
}

}  // namespace

TEST(UnsavedEdits, SaveGoesOnOnlyWhenTheWriteSucceeds)
{
    AnsweringPlatform platform(UnsavedAnswer::Save);
    int saves = 0;
    EXPECT_TRUE(SettleUnsavedEdits(platform, "a.txt", [&] {
        ++saves;
        return true;
    }));
    EXPECT_FALSE(SettleUnsavedEdits(platform, "a.txt", [&] {
        ++saves;
        return false;
    }));
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(platform.asked, UnsavedEditsQuestion("a.txt"));
}

TEST(UnsavedEdits, DiscardGoesOnWithoutWriting)
{
    bool saved = true;
    EXPECT_TRUE(SettledWith(UnsavedAnswer::Discard, saved));
    EXPECT_FALSE(saved);
}

TEST(UnsavedEdits, CancelStaysWithTheEdits)
{
    bool saved = true;
    EXPECT_FALSE(SettledWith(UnsavedAnswer::Cancel, saved));
    EXPECT_FALSE(saved);
}
