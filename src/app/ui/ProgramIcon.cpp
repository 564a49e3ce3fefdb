#include "app/ui/ProgramIcon.h"

#include <QFile>

// The resources are compiled into the page library; a static library's
// resource initialiser is linked only when something refers to it.
static void InitProgramResources()
{
    Q_INIT_RESOURCE(torepal);
}

namespace torepal {

QIcon ProgramIcon()
{
    static const bool initialised = [] {
        if (!QFile::exists(QStringLiteral(":/icons/torepal-32.png"))) InitProgramResources();
        return true;
    }();
    (void)initialised;
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/torepal-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace torepal
