#include "bank/ui/AccountBoxes.h"

#include <QCheckBox>

#include "platform/ui/QtText.h"

namespace torepal {

void CaptionAccountBoxes(const std::array<QCheckBox*, kAccountCount>& boxes, const Accounts& rows)
{
    for (std::size_t row = 0; row < kParuruRow; ++row) {
        QString caption = ToQt(rows[row].bankName);
        // A bank name is the seller's text, not a caption with a shortcut:
        // "&" must show as itself.
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        boxes[row]->setText(caption);
        // An empty caption leaves the box without a name for screen readers.
        boxes[row]->setAccessibleName(caption.isEmpty() ? QStringLiteral("銀行%1（未登録）").arg(row + 1) : QString());
    }
    boxes[kParuruRow]->setText(QStringLiteral("ぱるる"));
    boxes[kParuruRow]->setAccessibleName(QString());
    boxes[kFurikaeRow]->setText(QStringLiteral("振替口座"));
    boxes[kFurikaeRow]->setAccessibleName(QString());
}

}  // namespace torepal
