#pragma once
// Shared by the two start-up programs. The benchmark launches each one,
// noting the monotonic clock just before it starts the process; the program
// shows its window and, on the first event-loop turn after the window was
// painted, writes the monotonic clock in nanoseconds to standard output and
// quits. Both programs are measured exactly the same way.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace torepal::bench {

inline void ReportShownAndQuit()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long ns = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    std::printf("%lld\n", ns);
    std::fflush(stdout);
    QCoreApplication::quit();
}

class QuitAfterFirstPaint final : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget& window)
    {
        window.installEventFilter(this);
        // A window that never paints would hang the benchmark.
        QTimer::singleShot(30000, [] {
            std::fputs("the window was never painted\n", stderr);
            std::exit(3);
        });
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // Queued behind the rest of this paint: the window is on screen
            // once the loop comes round again.
            QTimer::singleShot(0, [] { ReportShownAndQuit(); });
        }
        return false;
    }

private:
    bool painted_ = false;
};

}  // namespace torepal::bench
