#include "preview/engine/PreviewHost.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cerrno>

#include "preview/engine/PreviewWindow.h"

namespace torepal {

PreviewHost::PreviewHost(int input, int output, PreviewWindow& window)
    : input_(input), output_(output), window_(window), notifier_(input, QSocketNotifier::Read)
{
    connect(&notifier_, &QSocketNotifier::activated, this, &PreviewHost::readInput);
    connect(&window_, &PreviewWindow::pageShown, this, [this](std::uint32_t sequence) {
        reply({PreviewReply::Kind::Shown, sequence, {}, {}});
    });
    placeQuiet_.setSingleShot(true);
    placeQuiet_.setInterval(250);
    connect(&placeQuiet_, &QTimer::timeout, this, &PreviewHost::tellPlace);
    connect(&window_, &PreviewWindow::placeChanged, this, [this] { placeQuiet_.start(); });
    connect(&window_, &PreviewWindow::closing, this, [this] {
        placeQuiet_.stop();
        tellPlace();
        reply({PreviewReply::Kind::Closed, 0, {}, {}});
        QCoreApplication::quit();
    });
}

PreviewHost::~PreviewHost()
{
    ::close(input_);
    ::close(output_);
}

void PreviewHost::reply(const PreviewReply& reply)
{
    const std::string line = EncodeReply(reply);
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(output_, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the program is gone; stdin's end will follow
        done += static_cast<std::size_t>(n);
    }
}

void PreviewHost::readInput()
{
    char buffer[64 * 1024];
    const ssize_t n = ::read(input_, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (n <= 0) {
        // The program closed the channel, or ended: so does the preview.
        notifier_.setEnabled(false);
        QCoreApplication::quit();
        return;
    }
    frames_.append(std::string_view(buffer, static_cast<std::size_t>(n)));
    while (std::optional<PreviewFrameReader::Frame> frame = frames_.next()) handle(*frame);
    if (frames_.damaged()) {
        notifier_.setEnabled(false);
        QCoreApplication::exit(4);
    }
}

void PreviewHost::handle(const PreviewFrameReader::Frame& frame)
{
    if (frame.kind == PreviewFrameReader::Frame::Kind::Page)
        window_.showPage(frame.page.sequence, frame.page.page, frame.page.checks);
    else
        place(frame.window);
}

void PreviewHost::place(const PreviewGeometry& where)
{
    // The program placed the window beside its own on the same screen; the
    // first time it is put there, later it is only raised where the seller
    // left it.
    if (!placed_ && where.width > 0 && where.height > 0) {
        QRect frame(where.x, where.y, where.width, where.height);
        if (QScreen* screen = QGuiApplication::screenAt(frame.center())) {
            const QRect room = screen->availableGeometry();
            frame.setSize(frame.size().boundedTo(room.size()));
            frame.moveLeft(std::clamp(frame.left(), room.left(), room.right() - frame.width() + 1));
            frame.moveTop(std::clamp(frame.top(), room.top(), room.bottom() - frame.height() + 1));
        }
        // The size asked for is the frame's; the window manager adds its
        // border once the window is shown, which is small against it.
        window_.resize(frame.size());
        window_.move(frame.topLeft());
        placed_ = true;
    }
    window_.show();
    window_.raise();
    window_.activateWindow();
}

void PreviewHost::tellPlace()
{
    const QRect frame = window_.frameGeometry();
    reply({PreviewReply::Kind::Place, 0, {frame.x(), frame.y(), frame.width(), frame.height()}, {}});
}

}  // namespace torepal
