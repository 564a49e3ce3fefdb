#include "plate/ui/CLink.h"

#include <QPushButton>

#include "plate/LinkTag.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/QtText.h"
#include "text/Encoding.h"
#include "ui_CLink.h"

namespace torepal {

CLink::CLink(DesktopPlatform& platform, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CLink>()), platform_(platform)
{
    ui_->setupUi(this);
    ui_->linkAddressEdit->setText(QString::fromLatin1(kLinkAddressStart));
    connect(ui_->createButton, &QPushButton::clicked, this, &CLink::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CLink::reject);
}

CLink::~CLink() = default;

void CLink::accept()
{
    FieldReader reader;
    const std::string text = reader.line(ui_->linkTextEdit, QStringLiteral("リンクする文章"));
    const std::string address = reader.line(ui_->linkAddressEdit, QStringLiteral("リンクするURL"));
    if (!reader.reportTo(platform_)) return;

    tag_ = LinkTag(address, text);
    if (!platform_.copyText(tag_)) {
        platform_.showMessage(Sjis("クリップボードへコピーできませんでした。もう一度「作成」を押してください。"));
        return;
    }
    // Success is told quietly by the page's status line, not by a box the
    // seller has to dismiss.
    QDialog::accept();
}

}  // namespace torepal
