#pragma once
// Shared by the start-up programs. The benchmark launches each one,
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

inline long long MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// With TOREPAL_BENCH_PHASES set, each phase's clock goes to standard error,
// to see where start-up time goes.
inline void Phase(const char* name)
{
    static const bool on = std::getenv("TOREPAL_BENCH_PHASES") != nullptr;
    if (on) std::fprintf(stderr, "phase %-24s %lld\n", name, MonotonicNs());
}

inline void ReportShownAndQuit()
{
    Phase("shown");
    std::printf("%lld\n", MonotonicNs());
    std::fflush(stdout);
    // exit, not quit: torepal runs its window in the dialog's own loop, and
    // quit() does nothing while the application's loop is not running.
    QCoreApplication::exit(0);
}

class QuitAfterFirstPaint final : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget& window) : QObject(&window)
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
            Phase("first paint");
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
