// The preview module's entry point: QPluginLoader finds this object, and
// the program asks it for previews through PagePreviewModule.

#include <QObject>

#include "plate/ui/PagePreview.h"
#include "preview/WebPagePreview.h"

namespace torepal {

class PreviewModule : public QObject, public PagePreviewModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TOREPAL_PAGE_PREVIEW_MODULE_IID)
    Q_INTERFACES(torepal::PagePreviewModule)

public:
    PagePreview* createPreview(QWidget* parent) override { return new WebPagePreview(parent); }
};

}  // namespace torepal

#include "PreviewModule.moc"
