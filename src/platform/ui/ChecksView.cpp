#include "platform/ui/ChecksView.h"

#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/ui/QtText.h"

namespace torepal {
namespace {

constexpr int kShownRows = 4;  // beyond this the list scrolls, so the form keeps its room
// However long the findings are, the list is never higher than this many
// lines of text: the buttons under it stay where the seller can reach them
// and the list scrolls instead.
constexpr int kMostLines = 6;

}  // namespace

ChecksView::ChecksView(QWidget* parent) : QWidget(parent), list_(new QListWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    list_->setObjectName(QStringLiteral("checksList"));
    list_->setAccessibleName(QStringLiteral("確認事項"));
    list_->setWordWrap(true);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFocusPolicy(Qt::TabFocus);
    list_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The view is as high as its list, never more: a layout with room to
    // spare gives it to the edits around it.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Wrapped findings can be taller than the list: it scrolls by pixels, so
    // every line of one can be brought into view, and never sideways.
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHidden(true);
}

void ChecksView::setChecks(const std::vector<CheckResult>& checks)
{
    list_->clear();
    for (const CheckResult& check : checks) {
        auto* item = new QListWidgetItem(ToQt(CheckLine(check)), list_);
        item->setToolTip(ToQt(check.advice));
    }
    setHidden(checks.empty());
    fitHeight();
}

void ChecksView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitHeight();
}

void ChecksView::fitHeight()
{
    // A finding longer than the view is wide wraps onto further lines, so
    // the height follows the laid-out rows at the present width; only the
    // height changes here, so the resize this causes ends at once.
    const int rows = std::min(list_->count(), kShownRows);
    list_->doItemsLayout();
    int height = 0;
    for (int i = 0; i < rows; ++i) height += list_->visualItemRect(list_->item(i)).height();
    if (rows == 0) height = list_->fontMetrics().height();
    list_->setFixedHeight(std::min(height, mostHeight()) + 2 * list_->frameWidth() + 2);
    // The view takes the list's height now, so the page around it lays
    // itself out once, not a round later with the old height.
    layout()->activate();
}

int ChecksView::mostHeight() const
{
    return kMostLines * list_->fontMetrics().lineSpacing();
}

int ChecksView::mostOuterHeight() const
{
    return mostHeight() + 2 * list_->frameWidth() + 2;
}

int ChecksView::count() const
{
    return list_->count();
}

QStringList ChecksView::lines() const
{
    QStringList out;
    for (int i = 0; i < list_->count(); ++i) out << list_->item(i)->text();
    return out;
}

}  // namespace torepal
