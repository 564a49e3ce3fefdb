// The reference for the preview's first open: a bare Qt program that shows
// the same page in a QWebEngineView, from its own start to the page loaded.
// Launched and timed like the start-up programs.
//
// Usage: preview_bare <page file>

#include <QApplication>
#include <QFile>
#include <QWebEngineView>
#include <cstdio>

#include "StartUpReport.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: preview_bare <page file>\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) return 2;
    const QByteArray page = file.readAll();

    QWebEngineView view;
    view.resize(1060, 760);
    QObject::connect(&view, &QWebEngineView::loadFinished, [] { torepal::bench::ReportShownAndQuit(); });
    view.setContent(page, QStringLiteral("text/html;charset=Shift_JIS"));
    view.show();
    QTimer::singleShot(60000, [] { std::exit(3); });
    return app.exec();
}
