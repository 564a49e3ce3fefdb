#include "bank/ui/AccountBoxes.h"

#include <QCheckBox>

#include "bank/AccountCaption.h"
#include "platform/ui/QtText.h"

namespace torepal {

void CaptionAccountBoxes(const std::array<QCheckBox*, kAccountCount>& boxes, const Accounts& rows)
{
    for (std::size_t row = 0; row < kAccountCount; ++row) {
        QString caption = ToQt(AccountBoxCaption(rows, row));
        // A bank name is the seller's text, not a caption with a shortcut:
        // "&" must show as itself.
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        boxes[row]->setText(caption);
        // "未登録" alone would name four boxes alike for screen readers.
        const bool unregistered = row < kParuruRow && IsUnregisteredBank(rows[row]);
        boxes[row]->setAccessibleName(unregistered ? QStringLiteral("銀行%1（未登録）").arg(row + 1) : QString());
    }
}

}  // namespace torepal
