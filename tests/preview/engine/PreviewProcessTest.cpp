// The live preview's process as the program starts it (under Xvfb, started
// by CTest): it shows what it is handed, one page at a time; it ends when
// the seller closes it or the program closes its input; one that dies or
// hangs is told and the next open starts a fresh one. The form is never
// waited on.

#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "preview/ui/LivePreviewController.h"
#include "preview/ui/PreviewProcess.h"
#include "support/FakePlatform.h"

using namespace torepal;

namespace {

const QString kProgramFolder = QStringLiteral(TOREPAL_PROGRAM_DIR);

// Alive and not yet reaped: QProcess reaps its child once it has ended.
bool Alive(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0;
}

PreviewProcess& ProcessOf(const LivePreviewController& c)
{
    return *static_cast<PreviewProcess*>(c.preview());
}

bool WaitShown(PreviewProcess& process, std::uint32_t sequence)
{
    return QTest::qWaitFor([&] { return process.lastShown() >= sequence; }, 30000);
}

// A key pressed in the preview's own window, as the seller presses it.
bool PressInWindowOf(qint64 pid, const char* key)
{
    QProcess search;
    search.start(QStringLiteral(TOREPAL_XDOTOOL), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                   QStringLiteral("--pid"), QString::number(pid)});
    if (!search.waitForFinished(10000)) return false;
    const QByteArray window = search.readAllStandardOutput().split('\n').value(0).trimmed();
    if (window.isEmpty()) return false;
    return QProcess::execute(QStringLiteral(TOREPAL_XDOTOOL),
                             {QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::fromLatin1(window),
                              QStringLiteral("key"), QString::fromLatin1(key)}) == 0;
}

class LivePreviewProcess : public ::testing::Test {
protected:
    LivePreviewProcess()
    {
        page.resize(300, 200);
        page.move(0, 0);
        page.show();
    }

    std::unique_ptr<LivePreviewController> controller()
    {
        return std::make_unique<LivePreviewController>(
            platform, [this] { return "<p>" + form + "</p>"; }, &page,
            [] { return PreviewProcess::Start(kProgramFolder); });
    }

    FakePlatform platform;
    QWidget page;
    std::string form = "watch";
};

}  // namespace

TEST_F(LivePreviewProcess, PagesGoOverOneAtATimeAndTheNewestWins)
{
    PagePreviewLoad load = PreviewProcess::Start(kProgramFolder);
    ASSERT_TRUE(load.preview) << load.problem.toStdString();
    auto& process = static_cast<PreviewProcess&>(*load.preview);
    QSignalSpy shown(&process, &PreviewProcess::pageShown);
    process.raise({50, 50, 700, 500});
    process.showPage("<p>one</p>", {});
    process.showPage("<p>two</p>", {});    // waits for the first to show
    process.showPage("<p>three</p>", {});  // and takes the place of the second
    ASSERT_TRUE(WaitShown(process, 2));
    QTest::qWait(500);
    EXPECT_EQ(process.lastShown(), 2u);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(process.isOpen());

    // The program closing its side ends the process.
    const qint64 pid = process.processId();
    ASSERT_TRUE(Alive(pid));
    load.preview.reset();
    EXPECT_FALSE(Alive(pid));
}

TEST_F(LivePreviewProcess, EscapeInThePreviewEndsItsProcessWithoutAWord)
{
    auto c = controller();
    c->open();
    ASSERT_TRUE(c->isOpen());
    ASSERT_TRUE(WaitShown(ProcessOf(*c), 1));
    const qint64 pid = ProcessOf(*c).processId();
    ASSERT_TRUE(PressInWindowOf(pid, "Escape"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !c->isOpen(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Alive(pid); }, 10000));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LivePreviewProcess, AKilledPreviewIsToldAndTheNextOpenStartsAFreshOne)
{
    auto c = controller();
    c->open();
    ASSERT_TRUE(WaitShown(ProcessOf(*c), 1));
    const qint64 first = ProcessOf(*c).processId();
    ::kill(static_cast<pid_t>(first), SIGKILL);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !c->isOpen(); }, 10000));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("止まりました"), std::string::npos) << platform.messages[0];

    // The form went on; the next open shows it as it is now.
    form = "after";
    c->formChanged();
    c->open();
    ASSERT_TRUE(c->isOpen());
    EXPECT_NE(ProcessOf(*c).processId(), first);
    EXPECT_TRUE(WaitShown(ProcessOf(*c), 1));
}

TEST_F(LivePreviewProcess, AHungPreviewIsEndedAndToldWhileTheFormGoesOn)
{
    auto c = controller();
    c->open();
    ASSERT_TRUE(WaitShown(ProcessOf(*c), 1));
    ProcessOf(*c).setPageDeadline(1500);
    const qint64 pid = ProcessOf(*c).processId();
    ::kill(static_cast<pid_t>(pid), SIGSTOP);

    // Typing on: nothing waits for the stopped process.
    QElapsedTimer typing;
    typing.start();
    for (int i = 0; i < 20; ++i) {
        form += "x";
        c->formChanged();
        QTest::qWait(20);
    }
    EXPECT_LT(typing.elapsed(), 1400);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !c->isOpen(); }, 10000));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("応答しなくなった"), std::string::npos) << platform.messages[0];
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Alive(pid); }, 5000));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
