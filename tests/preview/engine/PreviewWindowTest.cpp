// The live preview's window on the real engine, driven in this process as
// the preview process drives it (run under Xvfb by CTest).

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QQuickWindow>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <filesystem>

#include "preview/engine/PreviewWindow.h"

using namespace torepal;

namespace {

// Pages torepal-cli rendered from the sample project before this test ran
// (the test's fixture): as the sample stands, and with its booth banner,
// an image from outside.
const QString kSamplePage = QStringLiteral(TOREPAL_PREVIEW_ARTIFACTS "/sample.html");
const QString kBannerPage = QStringLiteral(TOREPAL_PREVIEW_ARTIFACTS "/banner.html");
const QString kTitle = QStringLiteral("昭和レトロ　手巻き腕時計　シルバー");

std::string PageBytes(const QString& file)
{
    QFile page(file);
    EXPECT_TRUE(page.open(QIODevice::ReadOnly)) << file.toStdString();
    return page.readAll().toStdString();
}

template <typename T>
T* Child(QWidget* window, const char* name)
{
    T* w = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QVariant RunOwnScript(QWebEnginePage* page, const QString& script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000));
    return result;
}

QString PlainText(QWebEnginePage* page)
{
    QString text;
    bool done = false;
    page->toPlainText([&](const QString& t) {
        text = t;
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000));
    return text;
}

// Which rows of a rendering hold dark text: where the lines of text fall.
std::vector<bool> TextRows(const QImage& image)
{
    std::vector<bool> rows(static_cast<std::size_t>(image.height()), false);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width() && !rows[y]; ++x) {
            const QColor p = image.pixelColor(x, y);
            rows[y] = p.red() + p.green() + p.blue() < 200;
        }
    return rows;
}

// The share of rows on which two renderings agree about holding text. Two
// engine versions draw glyphs a little differently, but the same page puts
// its lines in the same places.
double RowsAgreeing(const QImage& a, const QImage& b)
{
    const std::vector<bool> ra = TextRows(a), rb = TextRows(b);
    const std::size_t h = std::min(ra.size(), rb.size());
    std::size_t same = 0;
    for (std::size_t y = 0; y < h; ++y) same += ra[y] == rb[y];
    return h ? double(same) / double(h) : 0.0;
}

// The share of pixels that are not background: a blank page has none.
double Ink(const QImage& image, QColor background)
{
    long ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - background.red()) + std::abs(p.green() - background.green()) +
                    std::abs(p.blue() - background.blue()) >
                96)
                ++ink;
        }
    return double(ink) / (double(image.width()) * image.height());
}

QImage ChromiumShot(const QString& file, int width, int height)
{
    QTemporaryDir profile;
    const QString shot = profile.filePath(QStringLiteral("shot.png"));
    QProcess chromium;
    chromium.start(QStringLiteral(TOREPAL_CHROMIUM),
                   {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                    QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
                    QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
                    QStringLiteral("--disable-sync"), QStringLiteral("--hide-scrollbars"),
                    QStringLiteral("--user-data-dir=") + profile.filePath(QStringLiteral("profile")),
                    QStringLiteral("--screenshot=") + shot,
                    QStringLiteral("--window-size=%1,%2").arg(width).arg(height), QStringLiteral("file://") + file});
    chromium.waitForFinished(120000);
    return QImage(shot);
}

class PreviewEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<PreviewWindow>();
        window->show();
        view = Child<QWebEngineView>(window.get(), "previewView");
        ASSERT_NE(view, nullptr);
    }

    // Shows the bytes and waits until the window says the engine has laid
    // them out.
    void show(const std::string& bytes, const std::vector<std::string>& checks = {})
    {
        QSignalSpy shown(window.get(), &PreviewWindow::pageShown);
        window->showPage(++sequence, bytes, checks);
        ASSERT_TRUE(shown.wait(20000));
        EXPECT_EQ(shown.takeLast().at(0).value<std::uint32_t>(), sequence);
        QTest::qWait(300);
    }

    QImage grabPage() { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    std::unique_ptr<PreviewWindow> window;
    QWebEngineView* view = nullptr;
    std::uint32_t sequence = 0;
};

}  // namespace

TEST_F(PreviewEngineTest, ShowsTheShiftJisPageWithItsJapaneseTitle)
{
    const std::string bytes = PageBytes(kBannerPage);
    ASSERT_FALSE(bytes.empty());
    show(bytes);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ライブプレビュー"));
    const QString text = PlainText(view->page());
    EXPECT_TRUE(text.contains(kTitle)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ご質問は、お気軽にどうぞ。")));
    EXPECT_FALSE(text.contains(QChar(0xFFFD)));
    EXPECT_EQ(Child<QLabel>(window.get(), "byteCountLabel")->text(),
              QStringLiteral("ページの大きさ: %1 バイト").arg(bytes.size()));
    // The banner image is not fetched, and the seller is told quietly.
    EXPECT_TRUE(Child<QLabel>(window.get(), "quietNotesLabel")->text().contains(QStringLiteral("読み込んでいません")));
}

TEST_F(PreviewEngineTest, ShowsTheChecksUnderThePage)
{
    show("<p>x</p>", {"タイトルが空です"});
    QLabel* checks = Child<QLabel>(window.get(), "checksLabel");
    EXPECT_TRUE(checks->isVisible());
    EXPECT_EQ(checks->text(), QStringLiteral("タイトルが空です"));
    show("<p>x</p>");
    EXPECT_FALSE(checks->isVisible());
}

TEST_F(PreviewEngineTest, RunsNoScriptOfThePage)
{
    show("<p id=p>before</p><script>document.getElementById('p').textContent='after';</script>");
    EXPECT_TRUE(PlainText(view->page()).contains(QStringLiteral("before")));
}

TEST_F(PreviewEngineTest, FollowsNoRefreshAndNoLink)
{
    show(
        "<meta http-equiv=refresh content=\"0;url=data:text/html,gone\">"
        "<a href=\"http://example.com/\" style=\"display:block;height:400px;background:#ccc\">link</a>");
    QTest::qWait(800);
    EXPECT_FALSE(PlainText(view->page()).contains(QStringLiteral("gone")));
    QWidget* surface = view->focusProxy() ? view->focusProxy() : view;
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::qWait(800);
    EXPECT_EQ(view->page()->url().scheme(), QStringLiteral("data"));
    EXPECT_TRUE(PlainText(view->page()).contains(QStringLiteral("link")));
    EXPECT_TRUE(Child<QLabel>(window.get(), "quietNotesLabel")->text().contains(QStringLiteral("リンク")));
}

TEST_F(PreviewEngineTest, KeepsItsPlaceWhenThePageChanges)
{
    std::string tall;
    for (int i = 0; i < 200; ++i) tall += "<p>line " + std::to_string(i) + "</p>";
    show(tall);
    RunOwnScript(view->page(), QStringLiteral("window.scrollTo(0, 900);"));
    QTest::qWait(300);
    ASSERT_NEAR(view->page()->scrollPosition().y(), 900, 2);
    show(tall + "<p>one more</p>");
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->page()->scrollPosition().y() > 890; }, 5000));
    EXPECT_NEAR(view->page()->scrollPosition().y(), 900, 2);
}

TEST_F(PreviewEngineTest, PhoneWidthIsNarrowAndLetsWideTablesRunOff)
{
    Child<QRadioButton>(window.get(), "phoneWidthButton")->click();
    show("<table width=700><tr><td>wide</td></tr></table>");
    EXPECT_EQ(RunOwnScript(view->page(), QStringLiteral("window.innerWidth")).toInt(), 375);
    EXPECT_GT(RunOwnScript(view->page(), QStringLiteral("document.documentElement.scrollWidth")).toInt(), 375);
    Child<QRadioButton>(window.get(), "desktopWidthButton")->click();
    QTest::qWait(300);
    EXPECT_EQ(RunOwnScript(view->page(), QStringLiteral("window.innerWidth")).toInt(), 1000);
}

// Seen from outside: a window (not a filler), and a width chosen by the
// radio button's toggle action, as a screen reader or test tool does it.
TEST_F(PreviewEngineTest, IsAWindowWhoseWidthFollowsTheToggleAction)
{
    QAccessibleInterface* self = QAccessible::queryAccessibleInterface(window.get());
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self->role(), QAccessible::Window);
    EXPECT_EQ(self->text(QAccessible::Name), QStringLiteral("ライブプレビュー"));

    auto* frame = Child<QWidget>(window.get(), "previewFrame");
    QAccessibleInterface* phone =
        QAccessible::queryAccessibleInterface(Child<QRadioButton>(window.get(), "phoneWidthButton"));
    ASSERT_NE(phone, nullptr);
    ASSERT_NE(phone->actionInterface(), nullptr);
    ASSERT_TRUE(phone->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    phone->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(Child<QRadioButton>(window.get(), "phoneWidthButton")->isChecked());
    EXPECT_EQ(frame->width(), 375);  // at 100%
    QAccessibleInterface* desktop =
        QAccessible::queryAccessibleInterface(Child<QRadioButton>(window.get(), "desktopWidthButton"));
    desktop->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(frame->width(), 1000);
}

TEST_F(PreviewEngineTest, LooksAsChromiumShowsTheSavedFileAtBothWidths)
{
    if (QStringLiteral(TOREPAL_CHROMIUM).isEmpty()) GTEST_SKIP() << "no chromium";
    // No banner: its missing image would differ.
    const QString file = kSamplePage;
    const std::string bytes = PageBytes(file);
    ASSERT_FALSE(bytes.empty());

    window->resize(1100, 900);
    for (const char* width : {"desktop", "phone"}) {
        const bool phone = std::string(width) == "phone";
        Child<QRadioButton>(window.get(), phone ? "phoneWidthButton" : "desktopWidthButton")->click();
        if (phone) window->resize(520, 900);
        show(bytes);
        // The whole window, for a look (and the README's picture).
        window->grab().save(QStringLiteral(TOREPAL_PREVIEW_ARTIFACTS "/window-%1.png").arg(QString::fromLatin1(width)));
        const QImage mine = grabPage();
        mine.save(QStringLiteral(TOREPAL_PREVIEW_ARTIFACTS "/preview-%1.png").arg(QString::fromLatin1(width)));
        EXPECT_EQ(mine.width(), phone ? 375 : 1000);
        EXPECT_GT(Ink(mine, Qt::white), 0.02) << width << ": the preview looks blank";

        // Chromium's screenshot has no scroll bar: give it the width the
        // page is laid out in here.
        const int layoutWidth =
            RunOwnScript(view->page(), QStringLiteral("document.documentElement.clientWidth")).toInt();
        const QImage theirs = ChromiumShot(file, layoutWidth, mine.height()).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(theirs.isNull()) << "chromium gave no screenshot";
        theirs.save(QStringLiteral(TOREPAL_PREVIEW_ARTIFACTS "/chromium-%1.png").arg(QString::fromLatin1(width)));
        EXPECT_GT(RowsAgreeing(mine, theirs), 0.9) << width;
    }
}

int main(int argc, char** argv)
{
    // As in the preview process.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
