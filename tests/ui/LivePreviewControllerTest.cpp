// The live preview's controller with a stand-in for the browser engine: what
// it hands over, when it renders, and what it never touches.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "preview/ui/LivePreviewController.h"
#include "preview/ui/PreviewProcess.h"
#include "support/FakePlatform.h"

using namespace torepal;

namespace {

struct Shown {
    std::string page;
    std::vector<std::string> checks;
};

class FakePreview final : public PagePreview {
public:
    FakePreview(std::vector<Shown>& shown, std::vector<PreviewGeometry>& raised, int& alive)
        : shown_(shown), raised_(raised), alive_(alive)
    {
        ++alive_;
    }
    ~FakePreview() override { --alive_; }
    void showPage(const std::string& page, const std::vector<std::string>& checks) override
    {
        shown_.push_back({page, checks});
    }
    void raise(const PreviewGeometry& frame) override { raised_.push_back(frame); }
    bool isOpen() const override { return open_; }

    // What the preview process does on its own.
    void sellerCloses() { end(QString()); }
    void dies(const QString& problem) { end(problem); }
    void sellerMoves(const PreviewGeometry& frame) { placed(frame); }

private:
    void end(const QString& problem)
    {
        open_ = false;
        ended(problem);
    }

    std::vector<Shown>& shown_;
    std::vector<PreviewGeometry>& raised_;
    int& alive_;
    bool open_ = true;
};

class LivePreviewTest : public ::testing::Test {
protected:
    LivePreviewTest()
    {
        page.resize(300, 200);
        page.show();
    }

    std::unique_ptr<LivePreviewController> controller(bool engineThere = true)
    {
        return std::make_unique<LivePreviewController>(
            platform, [this] { return renderCopy(); }, &page,
            [this, engineThere] {
                ++loads;
                PagePreviewLoad load;
                if (engineThere)
                    load.preview = std::make_unique<FakePreview>(shown, raised, alive);
                else
                    load.problem = QStringLiteral("ライブプレビューの部品がありません。");
                return load;
            });
    }

    static FakePreview& fake(LivePreviewController& c) { return static_cast<FakePreview&>(*c.preview()); }

    // Stands for the plate page's render of a copy of its values.
    std::string renderCopy()
    {
        ++renders;
        return formValue + "<br>\x82\xa0";  // "あ" in Shift-JIS
    }

    // Lets a render that waits for its gap happen.
    void settle() { QTest::qWait(LivePreviewController::kRenderGapMilliseconds + 150); }

    FakePlatform platform;
    QWidget page;
    std::string formValue = "title";
    std::vector<Shown> shown;
    std::vector<PreviewGeometry> raised;
    int renders = 0;
    int loads = 0;
    int alive = 0;
};

}  // namespace

TEST_F(LivePreviewTest, NothingIsLoadedOrRenderedUntilTheWindowOpens)
{
    auto c = controller();
    c->formChanged();
    settle();
    EXPECT_EQ(loads, 0);
    EXPECT_EQ(renders, 0);
    EXPECT_EQ(c->preview(), nullptr);
    EXPECT_FALSE(c->isOpen());
}

TEST_F(LivePreviewTest, OpeningShowsTheRenderedBytesAtOnce)
{
    auto c = controller();
    c->open();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].page, "title<br>\x82\xa0");
    EXPECT_TRUE(shown[0].checks.empty());
    EXPECT_TRUE(c->isOpen());
    EXPECT_EQ(raised.size(), 1u);
}

TEST_F(LivePreviewTest, ChangesMadeTogetherRenderOnceWithTheLastValue)
{
    auto c = controller();
    c->open();
    const int before = renders;
    // A paste or a clear changes many values before the loop turns again.
    for (char ch : std::string("abcdefghij")) {
        formValue += ch;
        c->formChanged();
    }
    EXPECT_EQ(renders, before);
    settle();
    EXPECT_EQ(renders, before + 1);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown.back().page, "titleabcdefghij<br>\x82\xa0");
}

TEST_F(LivePreviewTest, AKeyAfterAPauseShowsWithoutWaiting)
{
    auto c = controller();
    c->open();
    settle();
    const int before = renders;
    formValue = "titleX";
    c->formChanged();
    QTest::qWait(5);  // one turn of the loop, far less than the gap
    EXPECT_EQ(renders, before + 1);
    EXPECT_EQ(shown.back().page, "titleX<br>\x82\xa0");
}

TEST_F(LivePreviewTest, TheChecksGoUnderThePage)
{
    auto c = controller();
    std::string checkedPage;
    c->setCheckFunction([&](const std::string& p) {
        checkedPage = p;
        return std::vector<std::string>{"check one", "check two"};
    });
    c->open();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(checkedPage, shown[0].page);
    EXPECT_EQ(shown[0].checks, (std::vector<std::string>{"check one", "check two"}));
}

TEST_F(LivePreviewTest, AClosedWindowIsNotKeptUpToDate)
{
    auto c = controller();
    c->open();
    fake(*c).sellerCloses();
    EXPECT_FALSE(c->isOpen());
    const int before = renders;
    c->formChanged();
    settle();
    EXPECT_EQ(renders, before);
    // Reopening starts a new preview and shows the form as it is now.
    formValue = "changed";
    c->open();
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(shown.back().page, "changed<br>\x82\xa0");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LivePreviewTest, APreviewThatDiesIsToldAndTheNextOpenStartsANewOne)
{
    auto c = controller();
    c->open();
    formValue = "typed on";
    fake(*c).dies(QStringLiteral("ライブプレビューが止まりました。"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "ライブプレビューが止まりました。");
    EXPECT_FALSE(c->isOpen());
    // The form goes on without it, and the dead one is let go.
    c->formChanged();
    settle();
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(formValue, "typed on");
    c->open();
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(shown.back().page, "typed on<br>\x82\xa0");
}

TEST_F(LivePreviewTest, OpeningAndClosingManyTimesKeepsAtMostOnePreview)
{
    const qsizetype topLevels = QApplication::topLevelWidgets().size();
    {
        auto c = controller();
        for (int i = 0; i < 50; ++i) {
            c->open();
            c->open();  // raising an open one starts nothing
            c->formChanged();
            fake(*c).sellerCloses();
            QTest::qWait(1);
            EXPECT_LE(alive, 1);
        }
        EXPECT_EQ(loads, 50);
        EXPECT_EQ(alive, 0);
        EXPECT_EQ(raised.size(), 100u);
        // The program itself makes no window for the preview.
        EXPECT_EQ(QApplication::topLevelWidgets().size(), topLevels);
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.openedFiles.empty());
}

TEST_F(LivePreviewTest, ThePageGoneTakesThePreviewWithIt)
{
    {
        auto c = controller();
        c->open();
        ASSERT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
}

TEST_F(LivePreviewTest, AMissingEngineIsToldInJapaneseAndNothingBreaks)
{
    auto c = controller(false);
    c->open();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "ライブプレビューの部品がありません。");
    EXPECT_FALSE(c->isOpen());
    c->formChanged();
    settle();
    EXPECT_EQ(renders, 0);
    // Asking again tries again (the program may have been put in place).
    c->open();
    EXPECT_EQ(loads, 2);
}

TEST_F(LivePreviewTest, TheRealPreviewNamesAMissingProgram)
{
    const PagePreviewLoad load = PreviewProcess::Start(QStringLiteral("/nonexistent-folder"));
    EXPECT_EQ(load.preview, nullptr);
    // As root with the sandbox on, the engine is not started at all; else
    // the missing program is named.
    EXPECT_TRUE(load.problem.contains(QStringLiteral("torepal-preview")) ||
                load.problem.contains(QStringLiteral("管理者（root）")))
        << load.problem.toStdString();
}
