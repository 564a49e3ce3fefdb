#include "platform/ui/RadioPair.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>

namespace torepal {

RadioPair::RadioPair(QRadioButton* first, QRadioButton* second, QObject* parent)
    : QObject(parent), first_(first), second_(second)
{
    auto* group = new QButtonGroup(this);
    group->setExclusive(false);
    for (QRadioButton* button : {first_, second_}) {
        group->addButton(button);
        button->installEventFilter(this);
        // A click on a button that is on would turn it off in a free group.
        connect(button, &QRadioButton::clicked, this, [this, button] { choose(button); });
        connect(button, &QRadioButton::toggled, this, &RadioPair::updateTabStop);
    }
    updateTabStop();
}

void RadioPair::choose(QRadioButton* button)
{
    button->setChecked(true);
    other(button)->setChecked(false);
}

QRadioButton* RadioPair::other(const QRadioButton* button) const
{
    return button == first_ ? second_ : first_;
}

void RadioPair::updateTabStop()
{
    QRadioButton* stop = (second_->isChecked() && !first_->isChecked()) ? second_ : first_;
    stop->setFocusPolicy(Qt::StrongFocus);
    // Still focusable by a click and by the arrow keys, but not a Tab stop.
    other(stop)->setFocusPolicy(Qt::ClickFocus);
}

bool RadioPair::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* button = qobject_cast<QRadioButton*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down: {
            if (button == nullptr || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
            // Two buttons: every direction leads to the other one.
            QRadioButton* target = other(button);
            if (!target->isEnabled()) return true;
            choose(target);
            target->setFocus(Qt::OtherFocusReason);
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace torepal
