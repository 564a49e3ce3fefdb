#pragma once
// The live preview as the program sees it. The browser engine lives in a
// module of its own (torepal_preview.so in the program folder) that is
// loaded the first time the seller opens the preview, so the program itself
// never links Qt WebEngine and starts as fast as it did without it. Only
// this interface crosses between the two; keep it free of WebEngine types.

#include <QObject>
#include <QString>
#include <QtPlugin>
#include <string>
#include <vector>

class QWidget;

namespace torepal {

class PagePreview {
public:
    virtual ~PagePreview() = default;

    // Shows the page's Shift-JIS bytes exactly as given (the charset is
    // named to the engine, the page itself carries none), with the byte
    // count and the listing checks (UTF-8 lines, none yet) under it. Keeps
    // the scroll position where it can. Loads nothing from outside and runs
    // no script.
    virtual void showPage(const std::string& sjisPage, const std::vector<std::string>& checkLines) = 0;

    // The modeless "ライブプレビュー" window. The preview owns it.
    virtual QWidget* window() = 0;
};

// The module's entry point, found through QPluginLoader.
class PagePreviewModule {
public:
    virtual ~PagePreviewModule() = default;
    // A new preview whose window is a child window of `parent` (it closes
    // with it). The caller owns the preview.
    virtual PagePreview* createPreview(QWidget* parent) = 0;
};

}  // namespace torepal

#define TOREPAL_PAGE_PREVIEW_MODULE_IID "jp.example.torepal.PagePreviewModule/1"
Q_DECLARE_INTERFACE(torepal::PagePreviewModule, TOREPAL_PAGE_PREVIEW_MODULE_IID)
