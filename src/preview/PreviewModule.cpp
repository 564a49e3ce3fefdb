// The preview module's entry point: QPluginLoader finds this object, and
// the program asks it for previews through PagePreviewModule.

#include <QCoreApplication>
#include <QObject>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include "plate/ui/PagePreview.h"
#include "preview/WebPagePreview.h"

namespace torepal {

class PreviewModule : public QObject, public PagePreviewModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TOREPAL_PAGE_PREVIEW_MODULE_IID)
    Q_INTERFACES(torepal::PagePreviewModule)

public:
    PagePreview* createPreview(QWidget* parent) override
    {
        // The engine draws through OpenGL only when the application shared
        // its contexts from the start, which would cost every start-up of
        // the program; loaded late, it draws in software, which a listing
        // page needs no more than.
        if (!QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts))
            QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        return new WebPagePreview(parent);
    }
};

}  // namespace torepal

#include "PreviewModule.moc"
