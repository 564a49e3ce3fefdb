// The live preview's controller with a stand-in for the browser engine: what
// it hands over, when it renders, and what it never touches.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "plate/ui/LivePreviewController.h"
#include "support/FakePlatform.h"

using namespace torepal;

namespace {

struct Shown {
    std::string page;
    std::vector<std::string> checks;
};

class FakePreview final : public PagePreview {
public:
    FakePreview(QWidget* parent, std::vector<Shown>& shown, int& alive)
        : window_(new QWidget(parent, Qt::Window)), shown_(shown), alive_(alive)
    {
        ++alive_;
    }
    ~FakePreview() override
    {
        delete window_.data();
        --alive_;
    }
    void showPage(const std::string& page, const std::vector<std::string>& checks) override
    {
        shown_.push_back({page, checks});
    }
    QWidget* window() override { return window_.data(); }

private:
    QPointer<QWidget> window_;
    std::vector<Shown>& shown_;
    int& alive_;
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
            [this, engineThere](QWidget* parent) {
                ++loads;
                PagePreviewLoad load;
                if (engineThere)
                    load.preview = std::make_unique<FakePreview>(parent, shown, alive);
                else
                    load.problem = QStringLiteral("ライブプレビューの部品がありません。");
                return load;
            });
    }

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
    // A child window of the page's own window, so it closes with it.
    EXPECT_EQ(c->preview()->window()->parentWidget(), &page);
    EXPECT_TRUE(c->preview()->window()->isWindow());
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
    c->preview()->window()->close();
    EXPECT_FALSE(c->isOpen());
    const int before = renders;
    c->formChanged();
    settle();
    EXPECT_EQ(renders, before);
    // Reopening shows the form as it is now.
    formValue = "changed";
    c->open();
    EXPECT_EQ(shown.back().page, "changed<br>\x82\xa0");
}

TEST_F(LivePreviewTest, OpeningAndClosingManyTimesKeepsOneWindowAndOneEngine)
{
    const int topLevels = QApplication::topLevelWidgets().size();
    {
        auto c = controller();
        for (int i = 0; i < 50; ++i) {
            c->open();
            c->formChanged();
            c->preview()->window()->close();
        }
        EXPECT_EQ(loads, 1);
        EXPECT_EQ(alive, 1);
        EXPECT_EQ(QApplication::topLevelWidgets().size(), topLevels + 1);
        EXPECT_EQ(page.findChildren<QWidget*>().size(), 1);
    }
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), topLevels);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.openedFiles.empty());
}

TEST_F(LivePreviewTest, APageGoneFirstTakesThePreviewWindowWithIt)
{
    auto* owner = new QWidget;
    {
        LivePreviewController c(
            platform, [] { return std::string("p"); }, owner,
            [this](QWidget* parent) {
                PagePreviewLoad load;
                load.preview = std::make_unique<FakePreview>(parent, shown, alive);
                return load;
            });
        c.open();
        ASSERT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
    delete owner;
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
    // Asking again tries again (the module may have been put in place).
    c->open();
    EXPECT_EQ(loads, 2);
}

TEST_F(LivePreviewTest, TheRealLoaderNamesAMissingModule)
{
    const PagePreviewLoad load = LoadPagePreview(QStringLiteral("/nonexistent-folder"), &page);
    EXPECT_EQ(load.preview, nullptr);
    EXPECT_FALSE(load.problem.isEmpty());
    // As root with the sandbox on, the engine is not started at all; else
    // the missing module is named.
    EXPECT_TRUE(load.problem.contains(QStringLiteral("torepal_preview.so")) ||
                load.problem.contains(QStringLiteral("管理者（root）")))
        << load.problem.toStdString();
}

TEST(EngineRefusesToStart, OnlyAsRootWithItsSandboxOn)
{
    EXPECT_FALSE(EngineRefusesToStart(false, "", ""));
    EXPECT_TRUE(EngineRefusesToStart(true, "", ""));
    EXPECT_TRUE(EngineRefusesToStart(true, "0", ""));
    EXPECT_FALSE(EngineRefusesToStart(true, "1", ""));
    EXPECT_FALSE(EngineRefusesToStart(true, "", "--disable-gpu --no-sandbox"));
    EXPECT_TRUE(EngineRefusesToStart(true, "", "--no-sandboxes"));
}
