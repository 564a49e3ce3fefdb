#pragma once
// What the seller can set on a page, as its controls hold it at one moment:
// the texts of the edits exactly as shown (a character Shift-JIS cannot hold
// included), the ticks and radio states, the combo selections, the ticks
// inside check lists, and which of them the page had disabled. Captions are
// the page's own business (they follow its accounts). Putting them back
// shows the page as it was, so an action that replaced what was typed can
// be taken back.

#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QListWidget;
class QObject;
class QPlainTextEdit;
class QWidget;

namespace torepal {

class ControlValues {
public:
    static ControlValues of(const QWidget& page);

    // Selections first (a page relabels and enables controls as they
    // change), then ticks, texts, the lists' ticks and what was disabled.
    // A control gone since, or a list that no longer has the same lines,
    // is passed over.
    void putBack() const;

    // The same controls holding the same values.
    bool operator==(const ControlValues&) const;

private:
    // One control and the value it held; a control gone since is skipped.
    template <typename Control, typename Value>
    struct Kept {
        QPointer<Control> control;
        Value value;
        bool operator==(const Kept&) const = default;
    };
    using Enabled = Kept<QWidget, bool>;
    using Combo = Kept<QComboBox, int>;          // the selected entry
    using Button = Kept<QAbstractButton, bool>;  // checked
    using Line = Kept<QLineEdit, QString>;
    using Multiline = Kept<QPlainTextEdit, QString>;
    struct List {
        QPointer<QListWidget> control;
        std::vector<QString> lines;
        std::vector<int> checks;
        bool operator==(const List&) const = default;
    };

    std::vector<Combo> combos_;
    std::vector<Button> buttons_;
    std::vector<Line> lines_;
    std::vector<Multiline> multilines_;
    std::vector<List> lists_;
    std::vector<Enabled> enabled_;
};

// Runs `changed` whenever the seller (or the program) changes one of the
// controls ControlValues keeps under `page`.
// `context` ends the connections when it goes.
void WhenControlsChange(const QWidget& page, QObject* context, const std::function<void()>& changed);

}  // namespace torepal
