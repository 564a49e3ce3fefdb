#pragma once
// The live preview as the program sees it. The browser engine runs in a
// process of its own (torepal-preview, beside the program), started the
// first time the seller opens the preview, so the program never loads Qt
// WebEngine, its OpenGL driver or its memory. Tests hand in a stand-in.

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "preview/PreviewChannel.h"

namespace torepal {

class PagePreview {
public:
    // The preview has ended: the seller closed it (`problem` empty), or it
    // stopped and `problem` tells the seller why (UTF-8, Japanese). Called
    // once; the preview is not used again.
    using EndedHandler = std::function<void(const QString& problem)>;
    // The seller moved or resized the window (its frame on the screen).
    using PlaceHandler = std::function<void(const PreviewGeometry& frame)>;

    virtual ~PagePreview() = default;

    // Shows the page's Shift-JIS bytes exactly as given, with the byte
    // count and the listing checks (UTF-8 lines) under it. Never waits for
    // the engine: a page the engine is not ready for waits, and only the
    // newest waiting page is kept.
    virtual void showPage(const std::string& sjisPage, const std::vector<std::string>& checkLines) = 0;

    // Shows the window, placed at `frame` the first time, and raises it.
    virtual void raise(const PreviewGeometry& frame) = 0;

    // From the first raise until it ended.
    virtual bool isOpen() const = 0;

    void setEndedHandler(EndedHandler handler) { ended_ = std::move(handler); }
    void setPlaceHandler(PlaceHandler handler) { placed_ = std::move(handler); }

protected:
    void ended(const QString& problem)
    {
        if (ended_) ended_(problem);
    }
    void placed(const PreviewGeometry& frame)
    {
        if (placed_) placed_(frame);
    }

private:
    EndedHandler ended_;
    PlaceHandler placed_;
};

struct PagePreviewLoad {
    std::unique_ptr<PagePreview> preview;
    // Why there is no preview, for the seller (UTF-8, Japanese); empty when
    // there is one.
    QString problem;
};

}  // namespace torepal
