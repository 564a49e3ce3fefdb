#include "app/ui/CAbout.h"

#include "app/ui/ProgramIcon.h"
#include "plate/PageTemplates.h"
#include "platform/ui/QtText.h"
#include "ui_CAbout.h"

namespace torepal {

#ifndef TOREPAL_MAKER_MAIL
#define TOREPAL_MAKER_MAIL ""
#endif

// A build setting like the home page; a build without one names none.
const std::string& MakerMailAddress()
{
    static const std::string address = TOREPAL_MAKER_MAIL;
    return address;
}

CAbout::CAbout(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CAbout>())
{
    ui_->setupUi(this);
    const QIcon icon = ProgramIcon();
    setWindowIcon(icon);
    ui_->iconLabel->setPixmap(icon.pixmap(32, 32));
    ui_->homePageLabel->setText(QStringLiteral("ホームページ ") + ToQt(HomePageUrl()));
    ui_->homePageLabel->setVisible(HasOwnHomePage());
    ui_->mailAddressLabel->setText(QStringLiteral("メールアドレス ") + ToQt(MakerMailAddress()));
    ui_->mailAddressLabel->setVisible(!MakerMailAddress().empty());
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CAbout::~CAbout() = default;

}  // namespace torepal
