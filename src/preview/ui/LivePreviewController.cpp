#include "preview/ui/LivePreviewController.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <exception>

#include "platform/Platform.h"
#include "preview/ui/PreviewProcess.h"

namespace torepal {

namespace {

PreviewGeometry Geometry(const QRect& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

LivePreviewController::LivePreviewController(Platform& platform, RenderFunction render, QWidget* owner)
    : LivePreviewController(platform, std::move(render), owner,
                            [] { return PreviewProcess::Start(QCoreApplication::applicationDirPath()); })
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
    return preview_ && preview_->isOpen();
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
        PagePreviewLoad load = factory_();
        if (!load.preview) {
            platform_.showUnicodeMessage(load.problem.toStdString());
            return;
        }
        preview_ = std::move(load.preview);
        preview_->setEndedHandler([this](const QString& problem) { previewEnded(problem); });
        preview_->setPlaceHandler(
            [this](const PreviewGeometry& frame) { side_ = SideOfPreview(frame, mainWindowFrame()); });
    }
    pending_.stop();
    preview_->raise(placeBesideTheForm());
    refresh();
}

void LivePreviewController::previewEnded(const QString& problem)
{
    pending_.stop();
    // The preview is inside one of its own calls here: it goes once that
    // has returned, and the next open starts a new one.
    retired_ = std::move(preview_);
    QTimer::singleShot(0, this, [this] { retired_.reset(); });
    if (!problem.isEmpty()) platform_.showUnicodeMessage(problem.toStdString());
}

PreviewGeometry LivePreviewController::mainWindowFrame() const
{
    const QWidget* window = owner_ ? owner_->window() : nullptr;
    return window ? Geometry(window->frameGeometry()) : PreviewGeometry{};
}

PreviewGeometry LivePreviewController::placeBesideTheForm() const
{
    const QWidget* window = owner_ ? owner_->window() : nullptr;
    const QScreen* screen = window ? window->screen() : nullptr;
    if (!screen) return {0, 0, kWantedWidth, kWantedHeight};
    return PlacePreview(mainWindowFrame(), Geometry(screen->availableGeometry()), kWantedWidth, kWantedHeight, side_);
}

void LivePreviewController::refresh()
{
    if (!isOpen() || !render_) return;
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
