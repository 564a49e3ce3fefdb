#include "app/ui/ListingApp.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <filesystem>
#include <string>

#include "app/ui/MainDialog.h"
#include "platform/ui/QtPlatform.h"

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

int ListingApp::run(int argc, char** argv)
{
    // The live preview's browser engine, loaded only when the seller opens
    // it, needs the application's OpenGL contexts shared from the start; on
    // an X display it crashes at its first page without them.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("torepal"));
    InstallQtJapanese(app);

    // The main window lives for the whole run; when its modal loop ends,
    // the settings have been written and the process ends.
    QtPlatform platform;
    MainDialog window(platform, ProgramFolderOfThisProcess());
    platform.setWindow(&window);
    window.exec();
    return 0;
}

}  // namespace torepal
