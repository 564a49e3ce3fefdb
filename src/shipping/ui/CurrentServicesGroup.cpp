#include "shipping/ui/CurrentServicesGroup.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "shipping/TariffReader.h"
#include "shipping/ThicknessList.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

constexpr int kIdRole = Qt::UserRole;
// The list shows up to this many services whole and scrolls beyond: the
// plate form has little room to spare on a laptop screen.
constexpr int kShownRows = 8;

// Tariff texts are UTF-8 as in their files.
QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A click anywhere on a service's line ticks it or takes the tick off, as a
// click on a check box's caption does everywhere else on the form; only the
// mouse is handled here, so Space still ticks the current line as before.
class WholeLineTicks final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick)
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        const Qt::ItemFlags flags = index.flags();
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint()) ||
            !flags.testFlag(Qt::ItemIsUserCheckable) || !flags.testFlag(Qt::ItemIsEnabled))
            return false;
        // The tick changes once per click, on the release, as a check box's.
        if (type != QEvent::MouseButtonRelease) return true;
        const bool on = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        return model->setData(index, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
};

}  // namespace

CurrentServicesGroup::CurrentServicesGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("現行の配送サービス"), parent),
      list_(new QListWidget(this)),
      empty_(new QLabel(this)),
      thickness_(new QComboBox(this))
{
    setObjectName(QStringLiteral("currentServicesGroup"));
    list_->setObjectName(QStringLiteral("currentServicesList"));
    list_->setAccessibleName(QStringLiteral("現行の配送サービス"));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setUniformItemSizes(true);
    list_->setItemDelegate(new WholeLineTicks(list_));
    empty_->setObjectName(QStringLiteral("currentServicesEmpty"));
    empty_->setText(QStringLiteral("tariffs フォルダに料金ファイルがありません。"));
    empty_->setWordWrap(true);

    // The thickness decides ゆうパケット's one price and which letter-post
    // services can take the parcel at all; the built-in carriers know none.
    thickness_->setObjectName(QStringLiteral("thicknessCombo"));
    for (const std::string& step : ThicknessList()) thickness_->addItem(QString::fromStdString(Utf8FromSjis(step)));
    thickness_->setCurrentIndex(kThicknessNotChosen);
    auto* thicknessLabel = new QLabel(QStringLiteral("厚さ"), this);
    thicknessLabel->setBuddy(thickness_);
    auto* thicknessRow = new QHBoxLayout;
    thicknessRow->addWidget(thicknessLabel);
    thicknessRow->addWidget(thickness_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(thicknessRow);
    layout->addWidget(list_);
    layout->addWidget(empty_);
    list_->hide();

    connect(list_, &QListWidget::itemChanged, this, &CurrentServicesGroup::itemChanged);
    connect(thickness_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) emit thicknessChanged();
    });
}

void CurrentServicesGroup::setServices(const std::vector<Tariff>& services)
{
    const std::vector<std::string> ticked = tickedIds();
    filling_ = true;
    list_->clear();
    for (const Tariff& t : services) {
        const QString date = FromUtf8(JapaneseDate(t.date));
        auto* item = new QListWidgetItem(FromUtf8(t.name) + QStringLiteral("（") + date + QStringLiteral("）"), list_);
        item->setData(kIdRole, FromUtf8(t.id));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setToolTip(FromUtf8(t.carrier) + QStringLiteral("\n") + FromUtf8(t.source));
        const bool on = std::find(ticked.begin(), ticked.end(), t.id) != ticked.end();
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    filling_ = false;
    if (!services.empty()) {
        const int rows = std::min(list_->count(), kShownRows);
        list_->setFixedHeight(rows * list_->sizeHintForRow(0) + 2 * list_->frameWidth());
    }
    list_->setVisible(!services.empty());
    empty_->setVisible(services.empty());
}

std::vector<std::string> CurrentServicesGroup::tickedIds() const
{
    std::vector<std::string> ids;
    for (int i = 0; i < list_->count(); ++i) {
        const QListWidgetItem* item = list_->item(i);
        if (item->checkState() == Qt::Checked) ids.push_back(item->data(kIdRole).toString().toStdString());
    }
    return ids;
}

void CurrentServicesGroup::setTickedIds(const std::vector<std::string>& ids)
{
    filling_ = true;
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem* item = list_->item(i);
        const std::string id = item->data(kIdRole).toString().toStdString();
        const bool on = std::find(ids.begin(), ids.end(), id) != ids.end();
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    filling_ = false;
}

int CurrentServicesGroup::thicknessIndex() const
{
    return std::max(thickness_->currentIndex(), kThicknessNotChosen);
}

void CurrentServicesGroup::setThicknessIndex(int index)
{
    filling_ = true;
    thickness_->setCurrentIndex(index > 0 && index < thickness_->count() ? index : kThicknessNotChosen);
    filling_ = false;
}

void CurrentServicesGroup::itemChanged(QListWidgetItem*)
{
    if (!filling_) emit tickedIdsChanged();
}

}  // namespace torepal
