// The live preview as a seller uses it, on the X11 display: torepal's own
// start (ListingApp) in a laid-out program folder, the preview opened
// through its control, which starts the preview process.
//
//   preview_session open <page file>
//     The first open: from the control's click to the process saying the
//     page is laid out; then Escape in the preview's window, as the seller
//     closes it. Also this process's resident memory before the open and
//     once the preview has ended. The page shown is written to <page file>
//     for the bare reference program.
//     Prints "open_ms <ms> before_kib <kib> after_kib <kib>".
//
//   preview_session type <keys>
//     Types <keys> characters into the title one at a time. For each key:
//     how long the form held it (the key event's handling, which blocks
//     the next key), and the time from the key to the preview process
//     saying it has laid out a page whose text holds the whole title typed
//     so far.
//     Prints "keys <n> median <ms> p95 <ms> block_median <ms> block_max <ms>".
//
// Either prints "none: <why>" when there is nothing to measure.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/ui/ListingApp.h"
#include "preview/ui/LivePreviewController.h"
#include "preview/ui/PreviewProcess.h"
#include "text/Encoding.h"

namespace {

void Say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Runs the event loop for `ms` milliseconds.
void Spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool SpinUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) Spin(1);
    return done();
}

double ResidentKib()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr);
    return 0;
}

// The live preview's control, as the seller finds it.
bool OpenPreview(QWidget& window)
{
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->objectName() == QLatin1String("livePreviewButton") && button->isEnabled()) {
            button->click();
            return true;
        }
    return false;
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const std::size_t at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

torepal::PreviewProcess* ProcessOf(torepal::LivePreviewController& live)
{
    return dynamic_cast<torepal::PreviewProcess*>(live.preview());
}

// Escape in the preview's window, through the X server as a key press.
bool PressEscapeInPreview(qint64 pid)
{
    QProcess search;
    search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                             QStringLiteral("--pid"), QString::number(pid)});
    if (!search.waitForFinished(10000)) return false;
    const QString window = QString::fromLatin1(search.readAllStandardOutput().split('\n').value(0).trimmed());
    return !window.isEmpty() &&
           QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                                                         window, QStringLiteral("key"), QStringLiteral("Escape")}) == 0;
}

void MeasureOpen(QWidget& window, torepal::LivePreviewController& live, const std::string& pageFile)
{
    Spin(500);
    const double before = ResidentKib();
    QElapsedTimer clock;
    clock.start();
    if (!OpenPreview(window)) return Say("none: the window has no live preview control");
    torepal::PreviewProcess* process = ProcessOf(live);
    if (!process) return Say("none: the preview did not start");
    if (!SpinUntil([&] { return process->lastShown() >= 1; }, 60000)) return Say("none: the preview showed nothing");
    const double openMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    std::ofstream(pageFile, std::ios::binary) << process->shownPage();

    Spin(300);
    const qint64 pid = process->processId();
    if (!PressEscapeInPreview(pid)) return Say("none: the preview's window could not be closed");
    if (!SpinUntil([&] { return !live.isOpen() && live.preview() == nullptr; }, 10000))
        return Say("none: the preview did not end");
    Spin(500);
    const double after = ResidentKib();
    char line[160];
    std::snprintf(line, sizeof line, "open_ms %.3f before_kib %.0f after_kib %.0f", openMs, before, after);
    Say(line);
}

void MeasureTyping(QWidget& window, torepal::LivePreviewController& live, int keys)
{
    auto* title = window.findChild<QLineEdit*>(QStringLiteral("titleEdit"));
    if (!title) return Say("none: no title edit");
    if (!OpenPreview(window)) return Say("none: the window has no live preview control");
    torepal::PreviewProcess* process = ProcessOf(live);
    if (!process || !SpinUntil([&] { return process->lastShown() >= 1; }, 60000))
        return Say("none: the preview showed nothing");
    title->setFocus();
    title->clear();
    Spin(1000);  // the first pages, the engine's start included, are not a key's latency

    // "Showing" means: the process has laid out a page whose bytes hold the
    // whole title typed so far, as Shift-JIS.
    std::string wanted;
    const QString characters = QStringLiteral("送料無料新品未使用美品即決ABC123");
    std::vector<double> latency, block;
    QElapsedTimer clock;
    for (int i = 0; i < keys; ++i) {
        // A long title is started afresh (not timed): sellers' titles are
        // short, and the whole title must be found in the page.
        if (title->text().size() >= 20) {
            title->clear();
            Spin(300);
        }
        const QString character = characters.at(i % characters.size());
        wanted = torepal::SjisFromUtf8((title->text() + character).toStdString()).text;
        clock.start();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QApplication::sendEvent(title, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, character);
        QApplication::sendEvent(title, &release);
        block.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        SpinUntil([&] { return process->shownPage().find(wanted) != std::string::npos; }, 5000);
        latency.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        Spin(30);  // a typist's pause: one key after another, not a burst
    }
    char line[200];
    std::snprintf(line, sizeof line, "keys %zu median %.3f p95 %.3f block_median %.3f block_max %.3f", latency.size(),
                  Percentile(latency, 0.5), Percentile(latency, 0.95), Percentile(block, 0.5),
                  *std::max_element(block.begin(), block.end()));
    Say(line);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: preview_session open <page file> | type <keys>\n", stderr);
        return 2;
    }
    const std::string mode = argv[1], value = argv[2];
    return torepal::ListingApp::run(argc, argv, [&](QWidget& window) {
        QTimer::singleShot(200, &window, [&window, mode, value] {
            auto* live = window.findChild<torepal::LivePreviewController*>();
            if (!live)
                Say("none: the window has no live preview");
            else if (mode == "open")
                MeasureOpen(window, *live, value);
            else
                MeasureTyping(window, *live, std::atoi(value.c_str()));
            // exit, not quit: the window runs in the dialog's own loop.
            QCoreApplication::exit(0);
        });
    });
}
