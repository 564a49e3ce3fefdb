// A second reference for the start-up figure: the bare dialog with one line
// of Japanese text, so the font system (configuration, font files, shaping)
// starts as it must for any window that shows text. Launched and timed like
// the other two.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "StartUpReport.h"

int main(int argc, char** argv)
{
    torepal::bench::Phase("main");
    QApplication app(argc, argv);
    torepal::bench::Phase("application");
    QApplication::setApplicationName(QStringLiteral("torepal-label"));

    QDialog window;
    window.setWindowTitle(QStringLiteral("トレパル Ver 1.3.3"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("プレート作成　メール作成　ファイル管理")));
    torepal::bench::QuitAfterFirstPaint watch(window);
    window.show();
    torepal::bench::Phase("show called");
    return app.exec();
}
