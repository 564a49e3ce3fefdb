// torepal-preview: the live preview's browser engine in a process of its
// own. torepal starts it the first time the seller opens the preview and
// feeds it pages over its standard input; it answers on its standard
// output (preview/PreviewChannel.h). Closing its window ends it, and so does
// the end of its standard input, whether torepal closed it or ended.

#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QApplication>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <csignal>
#include <cstdlib>
#include <string>

#include "preview/EngineSandbox.h"
#include "preview/engine/PreviewHost.h"
#include "preview/engine/PreviewWindow.h"

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The engine starts helper processes of its own, which inherit the standard
// streams. The channel moves to descriptors they do not inherit; their
// standard input becomes /dev/null and their standard output the error
// stream, so nothing they print can pass for a reply.
bool TakeChannel(int& input, int& output)
{
    input = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3);
    output = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    const int nothing = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (input < 0 || output < 0 || nothing < 0) return false;
    return ::dup2(nothing, STDIN_FILENO) >= 0 && ::dup2(STDERR_FILENO, STDOUT_FILENO) >= 0 && ::close(nothing) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Should torepal end without closing the channel, the preview goes too.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    int input = -1, output = -1;
    if (!TakeChannel(input, output)) return 3;

    if (torepal::EngineRefusesToStart(::geteuid() == 0, Environment("QTWEBENGINE_DISABLE_SANDBOX"),
                                      Environment("QTWEBENGINE_CHROMIUM_FLAGS"))) {
        const std::string line =
            torepal::EncodeReply({torepal::PreviewReply::Kind::Problem,
                                  0,
                                  {},
                                  "管理者（root）として実行されているため、プレビューのブラウザエンジンを起動できません"
                                  "。トレパルを普段のユーザーで起動してください。"});
        [[maybe_unused]] const ssize_t written = ::write(output, line.data(), line.size());
        return 3;
    }

    // A listing page needs no GPU: the engine draws in software, which
    // starts no OpenGL driver and, on a display without one (Xvfb, a remote
    // desktop), shows a key in the page in about half the time.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("torepal-preview"));
    QApplication::setQuitOnLastWindowClosed(false);  // the host quits, once it has said so

    torepal::PreviewWindow window;
    torepal::PreviewHost host(input, output, window);
    host.reply({torepal::PreviewReply::Kind::Ready, 0, {}, {}});
    return app.exec();
}
