#include "preview/engine/PreviewWindow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineView>

namespace torepal {

namespace {

// setContent hands the page over as a data: address, which the engine
// takes up to 2 MB; a listing page is far smaller than that.
constexpr std::size_t kLargestPage = 1500 * 1024;

// The page's bytes carry no charset: the engine is told, so the seller's
// Japanese shows as the buyer's browser will decode it.
const QString kPageType = QStringLiteral("text/html;charset=Shift_JIS");

void SwitchOffEverythingButShowing(QWebEngineSettings* s)
{
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    // Buyers' browsers show a Japanese page without a font of its own in a
    // gothic (sans-serif) face; the engine's own default is a serif one.
    s->setFontFamily(QWebEngineSettings::StandardFont, s->fontFamily(QWebEngineSettings::SansSerifFont));
}

// A top-level QWidget shows to the accessibility bus as a "filler", which
// a screen reader does not announce as a window; the preview is one.
QAccessibleInterface* PreviewWindowAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1String("torepal::PreviewWindow") || !object || !object->isWidgetType()) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

}  // namespace

void OutsideBlocker::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (info.requestUrl().scheme() == QLatin1String("data")) return;
    info.block(true);
    ++blocked;
}

bool StayingPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    // The program's own setContent arrives as a typed data: address; a
    // click, a form, a refresh or a frame of the seller's page is refused.
    if (type == NavigationTypeTyped && isMainFrame && url.scheme() == QLatin1String("data")) return true;
    ++refused;
    return false;
}

PreviewWindow::PreviewWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    static const bool accessible = [] {
        QAccessible::installFactory(PreviewWindowAccessible);
        return true;
    }();
    (void)accessible;
    setObjectName(QStringLiteral("livePreviewWindow"));
    setWindowTitle(QStringLiteral("ライブプレビュー"));

    // Off the record: no cookies, cache or history reach the disk.
    profile_ = new QWebEngineProfile();
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile_->setSpellCheckEnabled(false);
    blocker_ = new OutsideBlocker(profile_);
    profile_->setUrlRequestInterceptor(blocker_);

    page_ = new StayingPage(profile_);
    SwitchOffEverythingButShowing(page_->settings());

    auto* widthLabel = new QLabel(QStringLiteral("表示幅:"), this);
    auto* desktop = new QRadioButton(QStringLiteral("パソコン（%1px）").arg(kDesktopWidth), this);
    desktop->setObjectName(QStringLiteral("desktopWidthButton"));
    auto* phone = new QRadioButton(QStringLiteral("スマートフォン（%1px）").arg(kPhoneWidth), this);
    phone->setObjectName(QStringLiteral("phoneWidthButton"));
    widths_ = new QButtonGroup(this);
    widths_->addButton(desktop, kDesktopWidth);
    widths_->addButton(phone, kPhoneWidth);
    desktop->setChecked(true);

    zoom_ = new QComboBox(this);
    zoom_->setObjectName(QStringLiteral("zoomCombo"));
    for (int percent : {50, 75, 100, 125, 150, 200}) zoom_->addItem(QStringLiteral("%1%").arg(percent), percent);
    zoom_->setCurrentIndex(zoom_->findData(100));
    auto* zoomLabel = new QLabel(QStringLiteral("倍率(&Z):"), this);
    zoomLabel->setBuddy(zoom_);

    auto* bar = new QHBoxLayout;
    bar->addWidget(widthLabel);
    bar->addWidget(desktop);
    bar->addWidget(phone);
    bar->addSpacing(16);
    bar->addWidget(zoomLabel);
    bar->addWidget(zoom_);
    bar->addStretch(1);

    view_ = new QWebEngineView();
    view_->setObjectName(QStringLiteral("previewView"));
    view_->setPage(page_);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    view_->setAccessibleName(QStringLiteral("ページのプレビュー"));

    // The page keeps its width in CSS pixels whatever the window's size, so
    // a table wider than a phone runs off the side as it would there.
    frame_ = new QWidget();
    frame_->setObjectName(QStringLiteral("previewFrame"));
    auto* frameLayout = new QVBoxLayout(frame_);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(view_);
    auto* holder = new QWidget();
    auto* holderLayout = new QHBoxLayout(holder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    holderLayout->addStretch(1);
    holderLayout->addWidget(frame_);
    holderLayout->addStretch(1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(holder);

    size_ = new QLabel(this);
    size_->setObjectName(QStringLiteral("byteCountLabel"));
    size_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    checks_ = new QLabel(this);
    checks_->setObjectName(QStringLiteral("checksLabel"));
    checks_->setWordWrap(true);
    checks_->hide();
    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("quietNotesLabel"));
    notes_->setWordWrap(true);
    notes_->setEnabled(false);  // drawn greyed: for information only

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll, 1);
    layout->addWidget(size_);
    layout->addWidget(checks_);
    layout->addWidget(notes_);

    // Toggled, not clicked: a screen reader's or a test tool's toggle action
    // and the arrow keys switch the width as a click does.
    connect(widths_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) applyWidth();
    });
    connect(zoom_, &QComboBox::currentIndexChanged, this, &PreviewWindow::applyWidth);
    connect(page_, &QWebEnginePage::loadFinished, this, &PreviewWindow::loaded);
    connect(page_, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status == QWebEnginePage::NormalTerminationStatus) return;
                engineStopped_ = true;
                updateNotes();
            });

    // Escape closes the preview, as it closes any window that only shows.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    applyWidth();
    resize(kDesktopWidth + 60, 760);
}

PreviewWindow::~PreviewWindow()
{
    // The page must go before its profile, and the view before its page.
    delete view_;
    delete page_;
    delete profile_;
}

void PreviewWindow::applyWidth()
{
    const double zoom = zoom_->currentData().toInt() / 100.0;
    const int css = widths_->checkedId() > 0 ? widths_->checkedId() : kDesktopWidth;
    frame_->setFixedWidth(qRound(css * zoom));
    view_->setZoomFactor(zoom);
    // A phone's scroll bars float over the page and take none of its width.
    page_->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, css != kPhoneWidth);
}

void PreviewWindow::showPage(std::uint32_t sequence, const std::string& sjisPage,
                             const std::vector<std::string>& checkLines)
{
    sequence_ = sequence;
    size_->setText(QStringLiteral("ページの大きさ: %1 バイト").arg(sjisPage.size()));
    QStringList lines;
    for (const std::string& line : checkLines) lines << QString::fromStdString(line);
    checks_->setText(lines.join(QLatin1Char('\n')));
    checks_->setVisible(!lines.isEmpty());

    blocker_->blocked = 0;
    page_->refused = 0;
    engineStopped_ = false;
    if (sjisPage.size() > kLargestPage) {
        page_->setContent(QByteArray("<p>-</p>"), QStringLiteral("text/html"));
        notes_->setText(QStringLiteral("ページが大きすぎてプレビューできません。"));
        return;  // loadFinished of the stand-in tells it shown
    }
    scroll_ = page_->scrollPosition();
    restoreScroll_ = true;
    page_->setContent(QByteArray(sjisPage.data(), static_cast<qsizetype>(sjisPage.size())), kPageType);
    updateNotes();
}

void PreviewWindow::loaded(bool)
{
    if (restoreScroll_ && (scroll_.x() > 0 || scroll_.y() > 0)) {
        // Our own script, in a world of its own: the page's scripts stay off.
        page_->runJavaScript(QStringLiteral("window.scrollTo(%1, %2);").arg(scroll_.x()).arg(scroll_.y()),
                             QWebEngineScript::ApplicationWorld);
    }
    restoreScroll_ = false;
    updateNotes();
    // A page replaced before it finished loading ends here too: the newest
    // is what the engine goes on to show.
    emit pageShown(sequence_);
}

void PreviewWindow::updateNotes()
{
    QStringList notes;
    if (blocker_->blocked > 0)
        notes << QStringLiteral("外部のファイル %1 件（バナー画像など）は読み込んでいません。").arg(blocker_->blocked);
    if (page_->refused > 0) notes << QStringLiteral("リンクはプレビューの中では開きません。");
    if (engineStopped_) notes << QStringLiteral("ブラウザエンジンが止まりました。フォームを変えると表示し直します。");
    notes_->setText(notes.join(QLatin1Char(' ')));
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    emit placeChanged(frameGeometry());
    emit closing();
    event->accept();
}

void PreviewWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (isVisible()) emit placeChanged(frameGeometry());
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isVisible()) emit placeChanged(frameGeometry());
}

}  // namespace torepal
