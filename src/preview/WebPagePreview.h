#pragma once
// The "ライブプレビュー" window on Qt WebEngine. Only the preview module
// includes this; the program sees PagePreview.

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <QWidget>

#include "plate/ui/PagePreview.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QWebEngineProfile;
class QWebEngineView;

namespace torepal {

// Lets the engine have the page itself (given as a data: address) and
// nothing else: no banner image, no style sheet, no request to anywhere.
class OutsideBlocker : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
    int blocked = 0;
};

// Shows only what the program gives it: a link click, a form or a refresh
// in the seller's page goes nowhere.
class StayingPage : public QWebEnginePage {
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;
    int refused = 0;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};

class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(QWidget* parent);
    ~PreviewWindow() override;

    void showPage(const std::string& sjisPage, const std::vector<std::string>& checkLines);

    // The widths the seller can switch between, in CSS pixels.
    static constexpr int kDesktopWidth = 1000;
    static constexpr int kPhoneWidth = 375;

private:
    void applyWidth();
    void loaded(bool ok);
    void updateNotes();

    QWebEngineProfile* profile_ = nullptr;
    OutsideBlocker* blocker_ = nullptr;
    StayingPage* page_ = nullptr;
    QWebEngineView* view_ = nullptr;
    QWidget* frame_ = nullptr;
    QButtonGroup* widths_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QLabel* size_ = nullptr;
    QLabel* checks_ = nullptr;
    QLabel* notes_ = nullptr;
    QPointF scroll_;
    bool restoreScroll_ = false;
    bool engineStopped_ = false;
};

class WebPagePreview final : public PagePreview {
public:
    explicit WebPagePreview(QWidget* parent);
    ~WebPagePreview() override;
    void showPage(const std::string& sjisPage, const std::vector<std::string>& checkLines) override;
    QWidget* window() override { return window_.data(); }

private:
    QPointer<PreviewWindow> window_;
};

}  // namespace torepal
