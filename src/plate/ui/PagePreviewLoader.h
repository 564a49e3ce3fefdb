#pragma once
// Loads the browser-engine module of the live preview at first use.

#include <QString>
#include <memory>

#include "plate/ui/PagePreview.h"

class QWidget;

namespace torepal {

// The module's file name in the program folder.
QString PagePreviewModuleFileName();

struct PagePreviewLoad {
    std::unique_ptr<PagePreview> preview;
    // Why there is no preview, for the seller (UTF-8, Japanese); empty when
    // there is one.
    QString problem;
};

// Loads the module from `moduleFolder` (the program folder) and creates a
// preview whose window belongs to `parent`. The module stays loaded for the
// rest of the run: the engine cannot be shut down and started again.
//
// The engine refuses to start as root unless its sandbox is off, which only
// the tests do (QTWEBENGINE_DISABLE_SANDBOX=1); the seller is then told
// instead of the sandbox being switched off behind their back.
PagePreviewLoad LoadPagePreview(const QString& moduleFolder, QWidget* parent);

// True when the engine would refuse to start: run as root with its sandbox
// on. Separate so a test can check the rule without being root.
bool EngineRefusesToStart(bool runAsRoot, const QByteArray& disableSandbox, const QByteArray& chromiumFlags);

}  // namespace torepal
