#include "app/ui/CNew.h"

#include "ui_CNew.h"

namespace torepal {

CNew::CNew(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CNew>())
{
    ui_->setupUi(this);
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CNew::~CNew() = default;

}  // namespace torepal
