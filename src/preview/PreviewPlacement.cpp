#include "preview/PreviewPlacement.h"

#include <algorithm>

namespace torepal {

namespace {

int Right(const PreviewGeometry& g)
{
    return g.x + g.width;
}

int Bottom(const PreviewGeometry& g)
{
    return g.y + g.height;
}

}  // namespace

PreviewGeometry PlacePreview(const PreviewGeometry& mainWindow, const PreviewGeometry& screen, int wantedWidth,
                             int wantedHeight, PreviewSide lastSide)
{
    PreviewGeometry place;
    place.height = std::clamp(wantedHeight, 1, std::max(1, screen.height));
    // Level with the main window, as far as the screen allows.
    place.y = std::clamp(mainWindow.y, screen.y, std::max(screen.y, Bottom(screen) - place.height));

    const int roomRight = Right(screen) - std::max(Right(mainWindow), screen.x);
    const int roomLeft = std::min(mainWindow.x, Right(screen)) - screen.x;
    const bool fitsRight = roomRight >= kNarrowestPreviewBeside;
    const bool fitsLeft = roomLeft >= kNarrowestPreviewBeside;
    if (fitsRight || fitsLeft) {
        // Beside the form: the seller's last side when it has room, else the other.
        const bool right = fitsRight && (lastSide == PreviewSide::Right || !fitsLeft);
        place.width = std::min(wantedWidth, right ? roomRight : roomLeft);
        place.x = right ? std::max(Right(mainWindow), screen.x) : std::min(mainWindow.x, Right(screen)) - place.width;
        return place;
    }
    // No room beside it: over the form, against the screen's edge on the
    // seller's side.
    place.width = std::clamp(wantedWidth, 1, std::max(1, screen.width));
    place.x = lastSide == PreviewSide::Right ? Right(screen) - place.width : screen.x;
    return place;
}

PreviewSide SideOfPreview(const PreviewGeometry& preview, const PreviewGeometry& mainWindow)
{
    return 2 * preview.x + preview.width >= 2 * mainWindow.x + mainWindow.width ? PreviewSide::Right
                                                                                : PreviewSide::Left;
}

}  // namespace torepal
