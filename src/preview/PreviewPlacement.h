#pragma once
// Where the live preview's window opens: beside the main window on the same
// screen, never over the form, inside the screen. Only where the screen has
// no room beside the form does the preview cover part of it, at the side
// where the seller last left it.

#include "preview/PreviewChannel.h"

namespace torepal {

enum class PreviewSide { Right, Left };

// The narrowest preview worth putting beside the form: a phone-width page
// (375 CSS pixels) with the window's margins and a scroll bar.
constexpr int kNarrowestPreviewBeside = 440;

// `mainWindow` is the main window's frame, `screen` the part of its screen
// that windows may use, `wanted` the size the preview would like; `lastSide`
// the side the seller last left it on (the right until they move it).
PreviewGeometry PlacePreview(const PreviewGeometry& mainWindow, const PreviewGeometry& screen, int wantedWidth,
                             int wantedHeight, PreviewSide lastSide);

// The side of the main window a preview window lies on, by their centres.
PreviewSide SideOfPreview(const PreviewGeometry& preview, const PreviewGeometry& mainWindow);

}  // namespace torepal
