#include "platform/ui/UpDownScroll.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace torepal {
namespace {

class KeepColumnWidth final : public QObject {
public:
    explicit KeepColumnWidth(QScrollArea& area) : QObject(&area), area_(area) {}

    void fit()
    {
        const QWidget* column = area_.widget();
        if (column == nullptr) return;
        area_.setMinimumWidth(column->sizeHint().width() + area_.verticalScrollBar()->sizeHint().width() +
                              2 * area_.frameWidth());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The column's layout asks again whenever a box inside it changes
        // its size; so do a new style and a new font.
        const QEvent::Type type = event->type();
        if (type == QEvent::LayoutRequest || type == QEvent::Polish || type == QEvent::FontChange ||
            type == QEvent::StyleChange)
            fit();
        return QObject::eventFilter(watched, event);
    }

private:
    QScrollArea& area_;
};

}  // namespace

void ScrollUpAndDownOnly(QScrollArea& area)
{
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* keeper = new KeepColumnWidth(area);
    if (area.widget() != nullptr) area.widget()->installEventFilter(keeper);
    keeper->fit();
}

}  // namespace torepal
