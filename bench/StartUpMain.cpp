// The real main window for the start-up figure: what torepal does up to its
// first shown window (application object, platform, MainDialog with every
// page and the settings read from the program folder), then it quits.
//
// Usage: startup_main <program folder>

#include <QApplication>
#include <cstdio>
#include <filesystem>

#include "StartUpReport.h"
#include "app/ui/MainDialog.h"
#include "platform/ui/QtPlatform.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: startup_main <program folder>\n", stderr);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);

    torepal::bench::Phase("main");
    QApplication app(argc, argv);
    torepal::bench::Phase("application");
    QApplication::setApplicationName(QStringLiteral("torepal"));
    QApplication::setApplicationDisplayName(torepal::ProgramTitle());

    torepal::QtPlatform platform;
    torepal::MainDialog window(platform, folder);
    torepal::bench::Phase("main window made");
    platform.setWindow(&window);
    torepal::bench::QuitAfterFirstPaint watch(window);
    window.show();
    torepal::bench::Phase("show called");
    return app.exec();
}
