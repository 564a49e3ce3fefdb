#include "plate/ui/CComplete.h"

#include <QPushButton>

#include "plate/ListingChecks.h"
#include "platform/ui/ChecksView.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/QtText.h"
#include "text/Encoding.h"
#include "text/SjisText.h"
#include "ui_CComplete.h"

namespace torepal {

CComplete::CComplete(DesktopPlatform& platform, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CComplete>()), platform_(platform)
{
    ui_->setupUi(this);
    connect(ui_->copyButton, &QPushButton::clicked, this, &CComplete::copyPage);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CComplete::reject);
}

CComplete::~CComplete() = default;

void CComplete::setPage(const std::string& page)
{
    page_ = page;
    ui_->pageEdit->setPlainText(ToQtMultiline(page));
    ui_->byteCountEdit->setText(QString::fromStdString(ByteCountText(page)));
}

void CComplete::setListing(std::string_view title, const std::vector<CheckResult>& checks)
{
    ui_->titleCountEdit->setText(QString::fromStdString(TitleCountText(title)));
    ui_->titleCountEdit->setVisible(true);
    ui_->titleCountLabel->setVisible(true);
    ui_->checksView->setChecks(checks);
}

void CComplete::copyPage()
{
    // A clipboard that cannot take the text is said, so the seller does not
    // paste an old clipboard into the auction believing it is the page.
    if (!platform_.copyText(page_)) {
        platform_.showMessage(Sjis("クリップボードへコピーできませんでした。もう一度お試しください。"));
        return;
    }
    emit pageCopied(static_cast<qsizetype>(page_.size()));
}

}  // namespace torepal
