#include "platform/ui/UndoOffer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/ControlValues.h"

namespace torepal {

UndoOffer::UndoOffer(const QString& name, QWidget* parent)
    : QWidget(parent), note_(new QLabel(this)), button_(new QPushButton(QStringLiteral("元に戻す"), this))
{
    setObjectName(name);
    note_->setObjectName(name + QStringLiteral("Note"));
    button_->setObjectName(name + QStringLiteral("Button"));
    button_->setAutoDefault(false);
    button_->setToolTip(QStringLiteral("この操作の前の内容に戻します"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(note_);
    layout->addWidget(button_);
    connect(button_, &QPushButton::clicked, this, &UndoOffer::takeBack);
    hide();
}

void UndoOffer::offer(const QString& note, std::function<void()> undo)
{
    undo_ = std::move(undo);
    note_->setText(note);
    show();
}

void UndoOffer::withdraw()
{
    undo_ = nullptr;
    hide();
}

void UndoOffer::takeBack()
{
    if (!undo_) return;
    // Withdrawn first: putting the values back changes the form, and the
    // offer is used up either way.
    const std::function<void()> undo = std::move(undo_);
    withdraw();
    undo();
}

void UndoOffer::withdrawOnChangesIn(const QWidget& page)
{
    WhenControlsChange(page, this, [this] {
        if (offered()) withdraw();
    });
}

}  // namespace torepal
