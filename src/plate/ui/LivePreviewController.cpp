#include "plate/ui/LivePreviewController.h"

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>
#include <exception>

#include "platform/Platform.h"

namespace torepal {

LivePreviewController::LivePreviewController(Platform& platform, RenderFunction render, QWidget* owner)
    : LivePreviewController(platform, std::move(render), owner, [](QWidget* parent) {
          return LoadPagePreview(QCoreApplication::applicationDirPath(), parent);
      })
{
}

LivePreviewController::LivePreviewController(Platform& platform, RenderFunction render, QWidget* owner,
                                             PreviewFactory factory)
    : QObject(owner), platform_(platform), render_(std::move(render)), owner_(owner), factory_(std::move(factory))
{
    pending_.setSingleShot(true);
    connect(&pending_, &QTimer::timeout, this, &LivePreviewController::refresh);
}

LivePreviewController::~LivePreviewController() = default;

void LivePreviewController::setCheckFunction(CheckFunction checks)
{
    checks_ = std::move(checks);
}

void LivePreviewController::setPreviewFactory(PreviewFactory factory)
{
    factory_ = std::move(factory);
}

bool LivePreviewController::isOpen() const
{
    return preview_ && preview_->window() && preview_->window()->isVisible();
}

void LivePreviewController::formChanged()
{
    // A render already waiting will read the form as it is then.
    if (!isOpen() || pending_.isActive()) return;
    const qint64 since = sinceRender_.isValid() ? sinceRender_.elapsed() : kRenderGapMilliseconds;
    pending_.start(static_cast<int>(std::max<qint64>(0, kRenderGapMilliseconds - since)));
}

void LivePreviewController::open()
{
    if (!preview_) {
        QWidget* parent = owner_ ? owner_->window() : nullptr;
        PagePreviewLoad load = factory_(parent);
        if (!load.preview) {
            platform_.showUnicodeMessage(load.problem.toStdString());
            return;
        }
        preview_ = std::move(load.preview);
    }
    QWidget* window = preview_->window();
    if (!window) return;
    pending_.stop();
    refresh();
    window->show();
    window->raise();
    window->activateWindow();
}

void LivePreviewController::refresh()
{
    if (!preview_ || !render_) return;
    sinceRender_.start();
    // A render that fails leaves the last page showing; the form and its
    // values are the page's and stay as they are.
    try {
        const std::string page = render_();
        preview_->showPage(page, checks_ ? checks_(page) : std::vector<std::string>{});
    } catch (const std::exception&) {
    }
}

}  // namespace torepal
