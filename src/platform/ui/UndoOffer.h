#pragma once
// A quiet way back after an action that replaced what the seller typed: a
// short note ("…しました。") and a 「元に戻す」 button, shown after the
// action and withdrawn as soon as the form changes again, since taking the
// action back then would throw that change away. It never asks anything and
// stays out of the way until it is offered.

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace torepal {

class UndoOffer : public QWidget {
    Q_OBJECT

public:
    // `name` names the bar; its button is `name` + "Button", its note
    // `name` + "Note".
    explicit UndoOffer(const QString& name, QWidget* parent = nullptr);

    // Shows `note` with the button; pressing it runs `undo` once. A new
    // offer replaces the one before.
    void offer(const QString& note, std::function<void()> undo);
    void withdraw();
    bool offered() const { return static_cast<bool>(undo_); }
    // The button's action.
    void takeBack();

    // Every change to a control of `page` (see ControlValues) withdraws
    // the offer.
    void withdrawOnChangesIn(const QWidget& page);

private:
    QLabel* note_;
    QPushButton* button_;
    std::function<void()> undo_;
};

}  // namespace torepal
