#include "app/ui/ListingApp.h"

#include <QApplication>
#include <QFile>
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

int ListingApp::run(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("torepal"));

    // The main window lives for the whole run; when its modal loop ends,
    // the settings have been written and the process ends.
    QtPlatform platform;
    MainDialog window(platform, ProgramFolderOfThisProcess());
    platform.setWindow(&window);
    window.exec();
    return 0;
}

}  // namespace torepal
