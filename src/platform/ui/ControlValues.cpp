#include "platform/ui/ControlValues.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace torepal {
namespace {

bool Checkable(const QListWidgetItem& item)
{
    return item.flags().testFlag(Qt::ItemIsUserCheckable);
}

// A read-only edit (a combo's own line, a view of a saved file) is no
// value of the seller's.
bool Typed(const QLineEdit& edit)
{
    return !edit.isReadOnly() && qobject_cast<const QComboBox*>(edit.parentWidget()) == nullptr;
}

}  // namespace

ControlValues ControlValues::of(const QWidget& page)
{
    ControlValues v;
    const auto keepEnabled = [&v](QWidget* w) { v.enabled_.push_back({w, !w->testAttribute(Qt::WA_ForceDisabled)}); };
    for (QComboBox* c : page.findChildren<QComboBox*>()) {
        v.combos_.push_back({c, c->currentIndex()});
        keepEnabled(c);
    }
    for (QAbstractButton* b : page.findChildren<QAbstractButton*>()) {
        if (!b->isCheckable()) continue;
        v.buttons_.push_back({b, b->isChecked()});
        keepEnabled(b);
    }
    for (QLineEdit* e : page.findChildren<QLineEdit*>()) {
        if (!Typed(*e)) continue;
        v.lines_.push_back({e, e->text()});
        keepEnabled(e);
    }
    for (QPlainTextEdit* e : page.findChildren<QPlainTextEdit*>()) {
        if (e->isReadOnly()) continue;
        v.multilines_.push_back({e, e->toPlainText()});
        keepEnabled(e);
    }
    for (QListWidget* l : page.findChildren<QListWidget*>()) {
        List kept{l, {}, {}};
        for (int i = 0; i < l->count(); ++i) {
            const QListWidgetItem& item = *l->item(i);
            if (!Checkable(item)) continue;
            kept.lines.push_back(item.text());
            kept.checks.push_back(item.checkState());
        }
        if (!kept.lines.empty()) v.lists_.push_back(std::move(kept));
    }
    return v;
}

// Here, where the controls' classes are known.
bool ControlValues::operator==(const ControlValues&) const = default;

void ControlValues::putBack() const
{
    for (const Combo& c : combos_)
        if (c.control) c.control->setCurrentIndex(c.value);
    for (const Button& b : buttons_)
        if (b.control) b.control->setChecked(b.value);
    for (const Line& e : lines_)
        if (e.control && e.control->text() != e.value) {
            e.control->setText(e.value);
            e.control->setCursorPosition(0);
        }
    for (const Multiline& e : multilines_)
        if (e.control && e.control->toPlainText() != e.value) e.control->setPlainText(e.value);
    for (const List& l : lists_) {
        if (!l.control) continue;
        std::vector<QListWidgetItem*> items;
        for (int i = 0; i < l.control->count(); ++i)
            if (Checkable(*l.control->item(i))) items.push_back(l.control->item(i));
        bool same = items.size() == l.lines.size();
        for (std::size_t i = 0; same && i < items.size(); ++i) same = items[i]->text() == l.lines[i];
        if (!same) continue;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i]->checkState() != l.checks[i])
                items[i]->setCheckState(static_cast<Qt::CheckState>(l.checks[i]));
    }
    // Last, so the enabling the selections' handlers did above ends as it
    // was: the page's rules ran in an order of their own.
    for (const Enabled& e : enabled_)
        if (e.control) e.control->setEnabled(e.value);
}

void WhenControlsChange(const QWidget& page, QObject* context, const std::function<void()>& changed)
{
    for (QComboBox* c : page.findChildren<QComboBox*>())
        QObject::connect(c, &QComboBox::currentIndexChanged, context, changed);
    for (QAbstractButton* b : page.findChildren<QAbstractButton*>())
        if (b->isCheckable()) QObject::connect(b, &QAbstractButton::toggled, context, changed);
    for (QLineEdit* e : page.findChildren<QLineEdit*>())
        if (Typed(*e)) QObject::connect(e, &QLineEdit::textChanged, context, changed);
    for (QPlainTextEdit* e : page.findChildren<QPlainTextEdit*>())
        if (!e->isReadOnly()) QObject::connect(e, &QPlainTextEdit::textChanged, context, changed);
    for (QListWidget* l : page.findChildren<QListWidget*>())
        QObject::connect(l, &QListWidget::itemChanged, context, [changed](QListWidgetItem* item) {
            if (Checkable(*item)) changed();
        });
}

}  // namespace torepal
