#include "app/ui/ListingApp.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/DisplayPresence.h"
#include "app/ui/MainDialog.h"
#include "platform/ui/QtPlatform.h"
#include "shipping/NewerShippedTariffs.h"
#include "shipping/TariffReader.h"

namespace torepal {

std::filesystem::path ProgramFolderOfThisProcess()
{
    const QByteArray local = QFile::encodeName(QCoreApplication::applicationDirPath());
    return std::filesystem::path(std::string(local.constData(), static_cast<std::size_t>(local.size())));
}

QTranslator* InstallQtJapanese(QCoreApplication& app)
{
    // One .qm file, memory-mapped by the loader: no noticeable start-up
    // time. qtbase covers every dialog the program opens.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

int ListingApp::run(int argc, char** argv, const std::function<void(QWidget&)>& made)
{
    // Without a screen Qt would end with a word about reinstalling; the
    // seller is told what is really missing, in both languages.
    if (!DisplayAvailable(qgetenv("QT_QPA_PLATFORM").toStdString(), PlatformArgument(argc, argv),
                          !qgetenv("DISPLAY").isEmpty(), !qgetenv("WAYLAND_DISPLAY").isEmpty())) {
        std::fputs(NoDisplayMessage(), stderr);
        return 1;
    }
    // No OpenGL here: the window draws with the raster engine, and the live
    // preview's browser engine, which needs OpenGL, runs in a process of its
    // own (torepal-preview), so no start pays for a GL context or driver.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("torepal"));
    InstallQtJapanese(app);

    // The main window lives for the whole run; when its modal loop ends,
    // the settings have been written and the process ends.
    QtPlatform platform;
    const std::filesystem::path folder = ProgramFolderOfThisProcess();
    MainDialog window(platform, folder);
    platform.setWindow(&window);
    if (made) made(window);
    // Said once the window shows: a reinstall left a newer price file
    // beside one the seller changed.
    const std::string newer = NewerShippedTariffsMessage(TariffsWithNewerShippedVersion(folder / kTariffFolderName));
    if (!newer.empty()) QTimer::singleShot(0, &window, [&platform, newer] { platform.showSuccess(newer); });
    window.exec();
    return 0;
}

}  // namespace torepal
