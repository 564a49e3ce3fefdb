#include "plate/ui/CMylink.h"

#include <QPushButton>

#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/QtText.h"
#include "ui_CMylink.h"

namespace torepal {

CMylink::CMylink(DesktopPlatform& platform, const std::string& text, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CMylink>()), platform_(platform), text_(text)
{
    ui_->setupUi(this);
    SetLine(ui_->boothTextEdit, text_);
    connect(ui_->okButton, &QPushButton::clicked, this, &CMylink::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CMylink::reject);
}

CMylink::~CMylink() = default;

void CMylink::accept()
{
    FieldReader reader;
    std::string edited = reader.line(ui_->boothTextEdit, QStringLiteral("マイブースのリンク時の紹介文"));
    if (!reader.reportTo(platform_)) return;
    text_ = std::move(edited);
    QDialog::accept();
}

}  // namespace torepal
