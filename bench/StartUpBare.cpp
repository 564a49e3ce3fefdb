// The reference for the start-up figure: a bare Qt program that shows one
// empty dialog, launched and timed exactly like startup_main.

#include <QApplication>
#include <QDialog>

#include "StartUpReport.h"

int main(int argc, char** argv)
{
    torepal::bench::Phase("main");
    QApplication app(argc, argv);
    torepal::bench::Phase("application");
    QApplication::setApplicationName(QStringLiteral("torepal-bare"));

    QDialog window;
    window.setWindowTitle(QStringLiteral("トレパル Ver 1.3.3"));
    torepal::bench::QuitAfterFirstPaint watch(window);
    window.show();
    torepal::bench::Phase("show called");
    return app.exec();
}
