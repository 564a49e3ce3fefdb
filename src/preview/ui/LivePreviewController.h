#pragma once
// Drives the "ライブプレビュー" window: renders the form (through a function
// the plate page gives, which works on a copy of its values) as the seller
// changes it, and hands the bytes to the preview. The preview process is
// started the first time the window opens, and again after it ended.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "preview/PreviewPlacement.h"
#include "preview/ui/PagePreview.h"

class QWidget;

namespace torepal {

class Platform;

class LivePreviewController : public QObject {
    Q_OBJECT

public:
    // Renders a copy of the form and returns the page bytes "完成" would save.
    using RenderFunction = std::function<std::string()>;
    // The listing checks for a page, as UTF-8 lines.
    using CheckFunction = std::function<std::vector<std::string>(const std::string& page)>;
    // Makes the preview; the default starts the preview process from the
    // program folder.
    using PreviewFactory = std::function<PagePreviewLoad()>;

    // The shortest time between two renders. The first change after a
    // pause renders on the next turn of the event loop, so a key shows in
    // the preview as soon as the engine has loaded the page; while the
    // seller keeps typing, the changes of each gap go into one render, so
    // the engine is never asked for more pages than it can show.
    static constexpr int kRenderGapMilliseconds = 50;

    // The size the preview window asks for: the desktop width of a page with
    // the window's margins.
    static constexpr int kWantedWidth = 1060;
    static constexpr int kWantedHeight = 760;

    // `owner` is the plate page; the preview opens beside its top-level window.
    LivePreviewController(Platform& platform, RenderFunction render, QWidget* owner);
    LivePreviewController(Platform& platform, RenderFunction render, QWidget* owner, PreviewFactory factory);
    ~LivePreviewController() override;

    void setCheckFunction(CheckFunction checks);
    // Replaces how the preview is made (a page test hands in a stand-in for
    // the preview process).
    void setPreviewFactory(PreviewFactory factory);

    bool isOpen() const;
    // The preview while there is one (nullptr before the first open and
    // after it ended), for tests.
    PagePreview* preview() const { return preview_.get(); }

public slots:
    // A value of the form changed: render again soon (see
    // kRenderGapMilliseconds). Does nothing while the window is closed.
    void formChanged();
    // Opens (or raises) the window, starting the preview when there is none,
    // and shows the form as it stands at once. Tells the seller, in
    // Japanese, when the engine cannot be had.
    void open();

private:
    void refresh();
    void previewEnded(const QString& problem);
    PreviewGeometry placeBesideTheForm() const;
    PreviewGeometry mainWindowFrame() const;

    Platform& platform_;
    RenderFunction render_;
    CheckFunction checks_;
    QWidget* owner_;
    PreviewFactory factory_;
    std::unique_ptr<PagePreview> preview_;
    std::unique_ptr<PagePreview> retired_;   // ended, deleted on the next turn of the loop
    PreviewSide side_ = PreviewSide::Right;  // where the seller last left it
    QTimer pending_;                         // the render still to come
    QElapsedTimer sinceRender_;              // since the last render began
};

}  // namespace torepal
