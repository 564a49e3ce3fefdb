#pragma once
// Two radio buttons whose states come from files as two plain flags, so the
// pair may hold both or neither state. They sit in a group of their own
// that is not exclusive (turning auto-exclusivity off instead would have
// screen readers call them check boxes), and the pair itself makes every
// seller's action exclusive: a click or Space on one, or an arrow key, turns
// that one on and the other off. Tab reaches the pair once, at the button
// that is on (at the first when the state is mixed), and the arrow keys
// move between the two, as with any radio group.

#include <QObject>

class QRadioButton;

namespace torepal {

class RadioPair : public QObject {
    Q_OBJECT

public:
    RadioPair(QRadioButton* first, QRadioButton* second, QObject* parent);

    // The seller's choice: `button` on, the other off.
    void choose(QRadioButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateTabStop();
    QRadioButton* other(const QRadioButton* button) const;

    QRadioButton* first_;
    QRadioButton* second_;
};

}  // namespace torepal
