#pragma once
// A page in its tab scrolls when the window is lower than the page needs, so
// the window fits a laptop screen (1366×768 less a desktop panel) whatever
// page is tallest. Asked for its size, it wants the whole page, so a screen
// with room shows every page without a scroll bar; an area whose page is
// not made yet asks for nothing.

#include <QScrollArea>

namespace torepal {

class PageScrollArea final : public QScrollArea {
public:
    explicit PageScrollArea(QWidget* page);
    // An area whose page is made later (setWidget), on its tab's first
    // visit; `pageName` is the page's object name.
    explicit PageScrollArea(const QString& pageName);
    QSize sizeHint() const override;
};

// The window's first size: every page whole where the screen has room,
// else as high as the screen allows, the pages scrolling. `room` is the
// screen's free part (QScreen::availableGeometry); the desktop's title bar
// and frame are drawn outside the window and left room for.
void FitToScreen(QWidget& window);
void FitToRoom(QWidget& window, const QRect& room);

}  // namespace torepal
