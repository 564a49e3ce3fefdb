#include "app/ui/PageScrollArea.h"

#include <QGuiApplication>
#include <QScreen>

namespace torepal {
namespace {

// Room left for the desktop's title bar and window frame when the window
// picks its first size; the window manager draws them outside our size.
constexpr int kWindowFrameAllowance = 40;

}  // namespace

PageScrollArea::PageScrollArea(QWidget* page) : PageScrollArea(page->objectName())
{
    setWidget(page);
}

PageScrollArea::PageScrollArea(const QString& pageName)
{
    setObjectName(pageName + QStringLiteral("Scroll"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
}

QSize PageScrollArea::sizeHint() const
{
    if (widget() == nullptr) return {};
    const int frame = 2 * frameWidth();
    return widget()->sizeHint() + QSize(frame, frame);
}

void FitToScreen(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    FitToRoom(window, screen->availableGeometry());
}

void FitToRoom(QWidget& window, const QRect& room)
{
    window.resize(window.sizeHint().boundedTo(QSize(room.width(), room.height() - kWindowFrameAllowance)));
}

}  // namespace torepal
