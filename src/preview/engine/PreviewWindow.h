#pragma once
// The "ライブプレビュー" window on Qt WebEngine, in the preview process
// (torepal-preview). The program itself never includes this: it talks to the
// process through the channel in preview/PreviewChannel.h.

#include <QRect>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

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
    explicit PreviewWindow(QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // Shows the page's Shift-JIS bytes exactly as given (the charset is
    // named to the engine, the page itself carries none), with the byte
    // count and the listing checks (UTF-8 lines) under it, keeping the
    // scroll position. `pageShown` follows once the engine has laid it out.
    void showPage(std::uint32_t sequence, const std::string& sjisPage, const std::vector<std::string>& checkLines);

    // The widths the seller can switch between, in CSS pixels.
    static constexpr int kDesktopWidth = 1000;
    static constexpr int kPhoneWidth = 375;

signals:
    // The page of this sequence number (or a later one) is on screen.
    void pageShown(std::uint32_t sequence);
    // The seller moved or resized the window, or is closing it.
    void placeChanged(QRect frame);
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

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
    std::uint32_t sequence_ = 0;  // of the page last handed to the engine
};

}  // namespace torepal
