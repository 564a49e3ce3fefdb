#include "platform/ui/PageKeys.h"

#include <QAbstractButton>
#include <QChildEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace torepal {
namespace {

const char* const kFilterName = "torepalPageKeys";

void NeverDefault(QPushButton* button)
{
    button->setAutoDefault(false);
    button->setDefault(false);
}

bool IsEnter(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// The one that keystrokes go to, whether or not the window is active.
bool HasKeyboardFocus(const QWidget* widget)
{
    return widget->window()->focusWidget() == widget;
}

class PageKeys final : public QObject {
public:
    explicit PageKeys(QWidget& page) : QObject(&page), page_(page)
    {
        setObjectName(QLatin1String(kFilterName));
        adopt(&page_);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
            case QEvent::ChildAdded:
                // The child may still be under construction: only its
                // QWidget part can be relied on yet.
                if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) adopt(child);
                return false;
            case QEvent::ChildPolished:
                // Fully made now, so a push button is known as one.
                if (auto* button = qobject_cast<QPushButton*>(static_cast<QChildEvent*>(event)->child()))
                    if (!button->isWindow()) NeverDefault(button);
                return false;
            case QEvent::KeyPress:
                return key(watched, static_cast<QKeyEvent*>(event));
            default:
                return false;
        }
    }

private:
    void adopt(QWidget* widget)
    {
        // A dialog made with the page as parent (the template editor, the
        // account editor) is a window of its own with its own keys.
        if (widget != &page_ && widget->isWindow()) return;
        widget->installEventFilter(this);  // installing again does not double it
        if (auto* button = qobject_cast<QPushButton*>(widget)) NeverDefault(button);
        for (QObject* child : widget->children())
            if (auto* w = qobject_cast<QWidget*>(child)) adopt(w);
    }

    // Keys reach the focused widget first and climb to the page only when
    // that widget has no use for them, so a multi-line edit keeps its line
    // breaks and an open drop-down list still closes on Escape.
    bool key(QObject* watched, QKeyEvent* event)
    {
        if (!IsEnter(event) && event->key() != Qt::Key_Escape) return false;
        if (IsEnter(event)) {
            auto* button = qobject_cast<QAbstractButton*>(watched);
            if (button && HasKeyboardFocus(button)) {
                event->accept();
                // A held key presses once, not once per repeat.
                if (!event->isAutoRepeat() && button->isEnabled()) button->click();
                return true;
            }
        }
        if (watched != &page_) return false;
        event->accept();  // nothing in the page wanted it: it ends here
        return true;
    }

    QWidget& page_;
};

}  // namespace

void InstallPageKeys(QWidget& page)
{
    if (page.findChild<QObject*>(QLatin1String(kFilterName), Qt::FindDirectChildrenOnly)) return;
    new PageKeys(page);
}

}  // namespace torepal
