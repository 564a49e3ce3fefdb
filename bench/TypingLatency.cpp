// Typing latency with the live preview open: the real main window on the
// offscreen platform; the preview is opened the way a seller opens it (the
// control or menu item named "...preview..."), then 200 characters are typed
// into the title one at a time. For each key: how long the form held it (the
// key event's handling, which blocks the next key), and the time from the
// key to the preview showing the new title (the preview's page has finished
// loading and its text holds the whole title typed so far).
//
// Prints one line to standard output:
//   "none: <why>"                                     when there is no preview to measure
//   "keys <n> median <ms> p95 <ms> block_median <ms> block_max <ms>"
//
// Usage: typing_latency <program folder> [keys]

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/ui/MainDialog.h"
#include "platform/ui/QtPlatform.h"

#ifdef TOREPAL_BENCH_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

namespace {

int None(const char* why)
{
    std::printf("none: %s\n", why);
    std::fflush(stdout);
    return 0;
}

// Runs the event loop for `ms` milliseconds.
void Spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Named(const QObject* object, const QString& part)
{
    return object->objectName().contains(part, Qt::CaseInsensitive);
}

bool OpenPreviewNamed(QWidget& window, const QString& part)
{
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!Named(button, part) || !button->isEnabled()) continue;
        if (button->isCheckable() && button->isChecked()) return true;
        button->click();
        return true;
    }
    for (QAction* action : window.findChildren<QAction*>()) {
        if (!Named(action, part) || !action->isEnabled()) continue;
        if (action->isCheckable() && action->isChecked()) return true;
        action->trigger();
        return true;
    }
    return false;
}

// Opens the preview through its control: a button or a menu item whose name
// says live preview, else one that says preview. (The plate page's plain
// "プレビュー" button writes a file and opens the desktop's browser, so a
// live one goes first.)
bool OpenPreview(QWidget& window)
{
    return OpenPreviewNamed(window, QStringLiteral("livepreview")) ||
           OpenPreviewNamed(window, QStringLiteral("preview"));
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const std::size_t at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: typing_latency <program folder> [keys]\n", stderr);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    const int keys = argc > 2 ? std::atoi(argv[2]) : 200;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("torepal"));
    torepal::QtPlatform platform;
    torepal::MainDialog window(platform, folder);
    platform.setWindow(&window);
    window.show();
    Spin(200);

    auto* title = window.findChild<QLineEdit*>(QStringLiteral("titleEdit"));
    if (!title) return None("no title edit");
#ifndef TOREPAL_BENCH_WEBENGINE
    return None("built without Qt WebEngine");
#else
    if (!OpenPreview(window)) return None("the window has no preview control");
    // The preview may live in the main window or in a window of its own.
    QWebEngineView* view = nullptr;
    for (int waited = 0; waited < 10000 && !view; waited += 50) {
        Spin(50);
        for (QWidget* widget : QApplication::allWidgets())
            if (auto* found = qobject_cast<QWebEngineView*>(widget); found && found->isVisible()) view = found;
    }
    if (!view) return None("the preview control opened no web view");

    // "Showing" means: the page has finished loading and its text holds the
    // whole title. Checked after every load; a load that ends with an older
    // title does not count.
    QString wanted;
    bool shown = false;
    QObject::connect(view, &QWebEngineView::loadFinished, view, [&](bool) {
        const QString expected = wanted;
        view->page()->toPlainText([&, expected](const QString& text) {
            if (expected == wanted && text.contains(wanted)) shown = true;
        });
    });
    title->setFocus();
    title->clear();
    Spin(1000);  // the first render, web engine start-up included, is not a key's latency

    const QString characters = QStringLiteral("送料無料新品未使用美品即決ABC123");
    std::vector<double> latency, block;
    QElapsedTimer clock;
    for (int i = 0; i < keys; ++i) {
        // A long title is started afresh (not timed): sellers' titles are
        // short, and the whole title must be found in the preview's text.
        if (title->text().size() >= 20) {
            title->clear();
            wanted.clear();
            Spin(300);
        }
        const QString character = characters.at(i % characters.size());
        wanted = title->text() + character;
        shown = false;
        clock.start();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QApplication::sendEvent(title, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, character);
        QApplication::sendEvent(title, &release);
        block.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        while (!shown && clock.elapsed() < 5000) Spin(1);
        latency.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        Spin(30);  // a typist's pause: one key after another, not a burst
    }
    std::printf("keys %zu median %.3f p95 %.3f block_median %.3f block_max %.3f\n", latency.size(),
                Percentile(latency, 0.5), Percentile(latency, 0.95), Percentile(block, 0.5),
                *std::max_element(block.begin(), block.end()));
    std::fflush(stdout);
    return 0;
#endif
}
