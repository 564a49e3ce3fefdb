#pragma once
// A quiet list of check findings for a page or a dialog: hidden while there
// is nothing to say, otherwise one line per finding ("field：advice") in a
// compact list that grows to a few lines and then scrolls: it is never
// higher than mostOuterHeight(), whatever it holds, so a page can keep that
// room for it. It never asks anything and never blocks: the seller reads it
// and carries on.

#include <QStringList>
#include <QWidget>
#include <vector>

#include "text/TextChecks.h"

class QListWidget;

namespace torepal {

class ChecksView : public QWidget {
    Q_OBJECT

public:
    explicit ChecksView(QWidget* parent = nullptr);

    // Shows the findings, replacing what was shown; an empty list hides the
    // view.
    void setChecks(const std::vector<CheckResult>& checks);
    void clear() { setChecks({}); }

    int count() const;
    // The shown lines, for tests and the accessibility tree.
    QStringList lines() const;
    // The most height the view takes when shown, whatever it holds.
    int mostOuterHeight() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitHeight();
    int mostHeight() const;

    QListWidget* list_;
};

}  // namespace torepal
