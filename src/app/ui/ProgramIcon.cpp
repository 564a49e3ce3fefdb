#include "app/ui/ProgramIcon.h"

#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <array>
#include <map>

// The resources are compiled into the page library; a static library's
// resource initialiser is linked only when something refers to it.
static void InitProgramResources()
{
    Q_INIT_RESOURCE(torepal);
}

namespace torepal {
namespace {

constexpr std::array<int, 7> kIconSizes = {16, 24, 32, 48, 64, 128, 256};

// Qt reads and decodes every file added to an icon at once. A desktop asks
// for few of the sizes (an X11 window manager for all of them when the
// window is first shown, a Wayland one for none), so each size is read the
// first time it is asked for; what is drawn is the same.
class ProgramIconEngine final : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return iconFor(size).pixmap(size, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        iconFor(rect.size()).paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return iconFor(size).actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int s : kIconSizes) sizes.push_back(QSize(s, s));
        return sizes;
    }

    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }
    QString key() const override { return QStringLiteral("ProgramIconEngine"); }

private:
    // The smallest file at least as large as asked for, else the largest.
    QIcon& iconFor(const QSize& size)
    {
        const int wanted = qMax(size.width(), size.height());
        int chosen = kIconSizes.back();
        for (int s : kIconSizes)
            if (s >= wanted) {
                chosen = s;
                break;
            }
        QIcon& icon = loaded_[chosen];
        if (icon.isNull()) icon.addFile(QStringLiteral(":/icons/torepal-%1.png").arg(chosen), QSize(chosen, chosen));
        return icon;
    }

    std::map<int, QIcon> loaded_;
};

}  // namespace

QIcon ProgramIcon()
{
    static const bool initialised = [] {
        if (!QFile::exists(QStringLiteral(":/icons/torepal-32.png"))) InitProgramResources();
        return true;
    }();
    (void)initialised;
    return QIcon(new ProgramIconEngine);
}

}  // namespace torepal
