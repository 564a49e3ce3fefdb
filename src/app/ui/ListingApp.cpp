#include "app/ui/ListingApp.h"

#include "platform/ui/QtPlatform.h"

#include <QApplication>
#include <QDialog>

namespace torepal {

int ListingApp::run(int argc, char** argv)
{
    QApplication app(argc, argv);
    QDialog window;
    window.setWindowTitle(ProgramTitle());
    window.exec();
    return 0;
}

}  // namespace torepal
